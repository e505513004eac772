// Simple dates and dates.
#include <cstring>

#include "accessors.h"
#include "elements.h"
#include "words.h"

using namespace wexmor;

WZ_LIFETIME(WZSimpledate, Simpledate)
WZ_NUMBER(WZSimpledate, SimpledateCalendar, calendar)
WZ_NUMBER(WZSimpledate, SimpledateModifier, modifier)
WZ_NUMBER(WZSimpledate, SimpledateEra, era)
WZ_TEXT(WZSimpledate, SimpledateDate, date)

WZ_LIFETIME(WZDate, Date)
WZ_RECORD(WZDate, DateExact, WZSimpledate, exact)
WZ_RECORD(WZDate, DateBegin, WZSimpledate, begin)
WZ_RECORD(WZDate, DateEnd, WZSimpledate, end)
WZ_RECORD(WZDate, DateFrom, WZSimpledate, from)
WZ_RECORD(WZDate, DateTo, WZSimpledate, to)
WZ_TEXT(WZDate, DateText, text)

namespace wexmor {

namespace {

int ReadSimpledate(WexmorFile& file, const char* name, std::unique_ptr<WZSimpledate>& slot)
{
    WZSimpledate* date = NewInto(slot);
    if (!date)
        return kNoMemory;
    if (!ConsumeByte(file, '<') || !MatchLiteral(file, name, true))
        return kErrorSimpledate;
    char value[kAttributeSize];
    date->calendar = 0;
    if (ReadAttribute(file, value, "cal") == kRead) {
        date->calendar = FindWordByPrefix(kCalendarWords, value);
        if (date->calendar < 0)
            return kErrorCalendar;
    }
    date->modifier = -1;
    if (ReadAttribute(file, value, "mod") == kRead) {
        date->modifier = FindWordByPrefix(kDateModifierWords, value);
        if (date->modifier < 0)
            return kErrorDateModifier;
    }
    date->era = (ReadAttribute(file, value, "era") == kRead && std::strncmp(value, "before", 6) == 0) ? 1 : 0;
    if (!MatchLiteral(file, ">", true))
        return kErrorSimpledate;
    const char* lt = std::strchr(file.pos, '<');
    if (!lt)
        return kErrorSimpledate;
    AppendUnescaped(date->date, file.pos, static_cast<size_t>(lt - file.pos));
    file.pos = lt;
    if (!ConsumeByte(file, '<') || !ConsumeByte(file, '/') || !MatchLiteral(file, name, true) ||
        !MatchLiteral(file, ">", true))
        return kErrorDate;
    return 0;
}

int ReadOptionalSimpledate(WexmorFile& file, const char* name, std::unique_ptr<WZSimpledate>& slot)
{
    return IsStartTagNext(file, name) ? ReadSimpledate(file, name, slot) : 0;
}

} // namespace

void WriteSimpledate(WexmorFile& file, const char* name, const WZSimpledate& date)
{
    WriteLiteral(file, "<");
    WriteLiteral(file, name);
    WriteWordAttribute(file, "cal", kCalendarWords, date.calendar);
    WriteWordAttribute(file, "mod", kDateModifierWords, date.modifier);
    WriteWordAttribute(file, "era", kEraWords, date.era);
    WriteLiteral(file, ">");
    WriteEscaped(file, date.date.Read());
    WriteEndTag(file, name);
}

void WriteDate(WexmorFile& file, const WZDate& date)
{
    WriteLiteral(file, "<date>");
    if (date.exact) {
        WriteSimpledate(file, "exact", *date.exact);
    } else if (date.begin && date.end) {
        WriteSimpledate(file, "begin", *date.begin);
        WriteSimpledate(file, "end", *date.end);
    } else {
        // A free text may come with a from and a to date; the reader takes all three.
        WriteOptionalText(file, "text", date.text);
        if (date.from)
            WriteSimpledate(file, "from", *date.from);
        if (date.to)
            WriteSimpledate(file, "to", *date.to);
    }
    WriteLiteral(file, "</date>");
}

int ReadDate(WexmorFile& file, std::unique_ptr<WZDate>& slot)
{
    WZDate* date = NewInto(slot);
    if (!date)
        return kNoMemory;
    if (!OpenPlainElement(file, "date"))
        return kErrorDate;
    int error = 0;
    if (IsStartTagNext(file, "exact")) {
        error = ReadSimpledate(file, "exact", date->exact);
    } else if (IsStartTagNext(file, "begin")) {
        error = ReadSimpledate(file, "begin", date->begin);
        if (!error)
            error = IsStartTagNext(file, "end") ? ReadSimpledate(file, "end", date->end) : kErrorDate;
    } else {
        error = ReadOptionalText(file, date->text, "text", kErrorText);
        if (!error)
            error = ReadOptionalSimpledate(file, "from", date->from);
        if (!error)
            error = ReadOptionalSimpledate(file, "to", date->to);
    }
    if (error)
        return error;
    return MatchEndTag(file, "date") ? 0 : kErrorDate;
}

} // namespace wexmor
