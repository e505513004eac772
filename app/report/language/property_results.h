// Small pieces the property evaluators share: the length of a table of property names, and results made
// from the texts and numbers of records. Each Set...Result answers 1, an evaluator's answer for a property
// that was read, so that a property's case can end by returning it (as it returns Fail on an error).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/note_text.h"
#include "persons/assertion_fields.h"
#include "report/language/report_value.h"
#include "settings/settings.h"

template <std::size_t N> constexpr int PropertyCount(const char* const (&)[N])
{
    return static_cast<int>(N);
}

// The text of a note object; empty when there is none.
inline const char* NoteTextOf(const NoteText* note)
{
    return note != nullptr && note->Text() != nullptr ? note->Text() : "";
}

// A fixed-size text column, which need not be terminated.
template <std::size_t N> std::string TextColumn(const char (&text)[N])
{
    std::size_t length = 0;
    while (length < N && text[length] != '\0')
        ++length;
    return std::string(text, length);
}

inline int SetStringResult(ReportValue& result, const char* text)
{
    result.Reset(ReportString);
    result.SetString(text);
    return 1;
}

inline int SetStringResult(ReportValue& result, const std::string& text)
{
    return SetStringResult(result, text.c_str());
}

inline int SetIntegerResult(ReportValue& result, std::int32_t value)
{
    result.Reset(ReportInteger);
    result.SetInteger(value);
    return 1;
}

inline int SetBooleanResult(ReportValue& result, bool truth)
{
    result.Reset(ReportBoolean);
    result.SetBoolean(truth ? 1 : 0);
    return 1;
}

// The NOTE of an object as a report shows it: the empty text while the report leaves notes out.
inline int SetNoteResult(ReportValue& result, const NoteText* note)
{
    return SetStringResult(result, ReportIncludes(CurrentSettings.report.IncludeNotes) ? NoteTextOf(note) : "");
}

// A record value of `type`: the record at the end of a chain, read again when the value is used.
inline int SetRecordResult(ReportValue& result, std::int32_t type, std::uint32_t id, Database* database)
{
    result.Reset(type);
    result.SetRecord(id, database);
    return 1;
}

// The record value of a loaded record, in the record's own database; without a record, the value of no
// record (id 0) in `database`.
template <class Record>
int SetRecordResult(ReportValue& result, std::int32_t type, const Record* record, Database* database)
{
    if (record == nullptr)
        return SetRecordResult(result, type, 0u, database);
    return SetRecordResult(result, type, static_cast<std::uint32_t>(record->Id()), &record->OwnerDatabase());
}
