// A name assertion: a source gives a person a further name (an alias), with a structured name, a date, a
// privacy level, a note and citations. The person is the one of its first link (kind 5). One row of
// ALIAS2.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/date_value.h"
#include "persons/cited_assertion.h"

class NameRecord;

#pragma pack(push, 1)
struct NameAssertionRow {
    std::int8_t privacy; // PrivacyLevel
    std::int32_t noteId; // first NOTE row
    std::int32_t nameId; // NAME
    unsigned char date[DateRangeFieldSize];
};
#pragma pack(pop)
static_assert(sizeof(NameAssertionRow) == 50, "an ALIAS2 row is 50 bytes");

class NameAssertion : public CitedAssertion {
public:
    explicit NameAssertion(Database& database);
    NameAssertion(std::int32_t id, Database& database);
    ~NameAssertion() override;

    // Also stores the person of the first remaining link in the name's row.
    bool Save() override;
    void LoadLinked() override;
    const char* GetSentenceTemplate(int witness) override;
    int HasField(char letter, const AssertionLink& link) override;
    void GetFieldText(char* buffer, std::size_t size, char letter, const AssertionLink& link, const NameRecord& name,
                      bool showIds) override;
    bool Delete() override;
    AssertionKind Kind() const override { return AssertionName; }

    void Clear() { row = {}; }
    // Reads a row of the old table ALIAS into today's layout, without writing it. The engine's answer.
    std::int32_t ReadOldRecord(std::int32_t id);

    DateRange Date() const { return LoadDateRange(row.date); }
    void SetDate(const DateRange& date) { StoreDateRange(date, row.date); }

    NameRecord* Name() { return name_.get(); }

    NameAssertionRow row = {};

private:
    std::unique_ptr<NameRecord> name_;
};
