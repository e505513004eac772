#include "frame/preferences.h"

#include "core/date_format.h"
#include "core/date_value.h"
#include "core/name_record.h"
#include "language/language_table.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsNamePartCode(const std::string& code)
{
    for (int type = 1; type <= NamePartTypeCount; ++type)
        if (code == NamePartCode(type))
            return true;
    return false;
}

// The language text of `key`, or null when the language has none.
const char* FoundLanguageText(const std::string& key)
{
    const char* text = GetLanguageText(key.c_str());
    return text == key.c_str() ? nullptr : text;
}

} // namespace

std::string NameStandardEntry(const char* codes)
{
    std::string entry;
    const char* start = codes;
    for (const char* p = codes;; ++p) {
        if (*p != ',' && *p != '\0')
            continue;
        std::string code(start, p);
        if (IsNamePartCode(code)) {
            std::string key = "ADVNAME_TYPE_" + code;
            entry += GetLanguageText(key.c_str());
        }
        if (*p == '\0')
            break;
        entry += ", ";
        start = p + 1;
    }
    if (entry.empty())
        entry = GetLanguageText("PREF_EDITING_NAMENONE");
    if (entry.size() > NameStandardEntryLength)
        entry.resize(NameStandardEntryLength);
    return entry;
}

std::vector<std::string> NameStandardEntries()
{
    std::vector<std::string> entries;
    for (int n = 0;; ++n) {
        const char* codes = FoundLanguageText("ADVNAME_STD" + std::to_string(n));
        if (!codes)
            return entries;
        entries.push_back(NameStandardEntry(codes));
    }
}

bool IsNewNameStandard(int selection, int entryCount, std::int32_t current)
{
    return selection >= 0 && selection < entryCount && selection != current;
}

bool IsEditableDatePictureEntry(int listPosition)
{
    return listPosition > FixedDatePictureEntries;
}

std::string DatePictureExample(const char* picture)
{
    DateValue example = EmptyDateValue();
    example.calendar = CalendarGregorian;
    example.day = 17;
    example.month = 10;
    example.SetYear(2004);
    std::string text;
    FormatDateByPicture(text, example, picture, false);
    return text;
}

std::vector<int> ShownDatePictures(const DateFormatSettings& dates)
{
    std::vector<int> shown;
    int count = std::clamp<std::int32_t>(dates.FormatCount, 0, DateFormatCapacity);
    for (int n = 0; n < count; ++n)
        if (dates.Formats[n][0] != '\0')
            shown.push_back(n);
    return shown;
}

DatePictureChange ChangeDatePicture(DateFormatSettings& dates, int index, const char* text)
{
    char picture[DatePictureSize] = {};
    std::strncpy(picture, text, DatePictureSize - 1);
    if (index == NewDatePicture) {
        if (picture[0] == '\0' || dates.FormatCount < 0 || dates.FormatCount >= DateFormatCapacity)
            return DatePictureChange::None;
        std::memcpy(dates.Formats[dates.FormatCount++], picture, sizeof picture);
        return DatePictureChange::Appended;
    }
    if (index < 0 || index >= dates.FormatCount || index >= DateFormatCapacity)
        return DatePictureChange::None;
    std::memcpy(dates.Formats[index], picture, sizeof picture);
    return picture[0] != '\0' ? DatePictureChange::Replaced : DatePictureChange::Emptied;
}

int ClampTabWidth(int width)
{
    return std::clamp(width, MinimumTabWidth, MaximumTabWidth);
}
