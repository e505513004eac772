#include "persons/ui/assertion_page_fields.h"

#include <cstring>
#include <string>

#include "core/database.h"
#include "core/date_format.h"
#include "core/date_parser.h"
#include "core/date_pictures.h"
#include "core/engine_transaction.h"
#include "core/event_type.h"
#include "core/place_record.h"
#include "core/ui/date_calculator.h"
#include "core/ui/date_editor.h"
#include "language/language_table.h"
#include "persons/assertion_editing.h"
#include "persons/assertion_fields.h"
#include "records/ui/place_editor.h"
#include "settings/settings.h"

namespace {

constexpr const char* PrivacyKeys[] = {LanguageKey("PRIVACY_PUBLIC"), LanguageKey("PRIVACY_FAMILY"),
                                       LanguageKey("PRIVACY_IMMFAMILY"), LanguageKey("PRIVACY_PRIVATE"),
                                       LanguageKey("PRIVACY_INFO")};

// The typed date and the place's free text are read up to this many characters.
constexpr int FieldTextSize = 256;
constexpr COLORREF TextDateColour = RGB(128, 0, 0);

void ShowDisplayForm(HWND page, DateItems items, const DateRange& date)
{
    char shown[FieldTextSize];
    WriteDateField(shown, sizeof shown, date, ScreenDatePicture());
    SetDlgItemTextA(page, items.shown, shown);
}

void ParseTypedPlace(HWND page, PlaceItems items, PlaceRecord& place)
{
    if (!IsWindowEnabled(GetDlgItem(page, items.text)))
        return;
    char text[FieldTextSize];
    GetDlgItemTextA(page, items.text, text, sizeof text);
    place.Parse(text);
}

// The parse of what the typed field holds; the display form follows it, the typed text is left as typed.
DateRange ParseTypedDate(HWND page, DateItems items)
{
    char text[FieldTextSize];
    GetDlgItemTextA(page, items.typed, text, sizeof text);
    DateRange date{};
    ParseDateRange(text, date, CurrentInputDatePicture());
    ShowDisplayForm(page, items, date);
    return date;
}

// The date editor dialog on `date`; true (both fields refreshed) when it ended with OK.
bool EditDateFields(HWND page, DateItems items, DateRange& date)
{
    if (EditDateRange(page, date) != 1)
        return false;
    ShowDateFields(page, items, date);
    return true;
}

// The date calculator on the first date of `date`; true (both fields refreshed) when it returned a date.
bool CalculateDateFields(HWND page, DateItems items, DateRange& date)
{
    DateRange calculated = date;
    if (calculated.type == 0) {
        // A free-text or missing date has no first date: the calculator starts empty, and its result
        // becomes a single date instead of being written over the text's characters.
        calculated = DateRange{};
        calculated.type = DateRangeSingle;
        calculated.dates.first = EmptyDateValue();
        calculated.dates.second = EmptyDateValue();
    }
    if (OpenDateCalculator(page, &calculated.dates.first, true) == 0)
        return false;
    date = calculated;
    ShowDateFields(page, items, date);
    return true;
}

// The place editor on the place, after taking in the typed line; the line is shown again after OK.
void EditPlaceField(HWND page, PlaceItems items, PlaceRecord& place)
{
    ParseTypedPlace(page, items, place);
    if (EditPlace(page, place) != 0)
        ShowPlaceField(page, items, place);
}

} // namespace

std::vector<std::int32_t> FillTypeList(HWND list, Database& database, int kind)
{
    std::vector<std::int32_t> listed;
    EngineTransaction transaction(database.file, TLV_READ);
    if (!transaction.Running())
        return listed;
    VisitEventTypes(database, [&](std::int32_t id, const EventTypeRow& row) {
        if (row.kind == kind) {
            const auto index = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.name));
            SendMessageA(list, CB_SETITEMDATA, index, id);
            listed.push_back(id);
        }
        return false;
    });
    return listed;
}

int FindTypeEntry(HWND list, std::int32_t id)
{
    const int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (SendMessageA(list, CB_GETITEMDATA, i, 0) == id)
            return i;
    return -1;
}

std::int32_t SelectedTypeId(HWND list, std::int32_t current)
{
    const auto selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
    return selected >= 0 ? static_cast<std::int32_t>(SendMessageA(list, CB_GETITEMDATA, selected, 0)) : current;
}

void FillPrivacyList(HWND list, std::int8_t privacy)
{
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (const char* key : PrivacyKeys)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(key)));
    SendMessageA(list, CB_SETCURSEL, privacy, 0);
}

std::int8_t SelectedPrivacy(HWND list, std::int8_t current)
{
    const auto selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
    return selected >= 0 ? static_cast<std::int8_t>(selected) : current;
}

void ShowDateFields(HWND page, DateItems items, const DateRange& date)
{
    ShowDisplayForm(page, items, date);
    char typed[FieldTextSize];
    FormatDateRange(typed, sizeof typed, date, CurrentInputDatePicture(), CurrentSettings.dateFormat.ShowTime != 0,
                    true);
    SetDlgItemTextA(page, items.typed, typed);
}

INT_PTR ColourTextDate(HWND page, DateItems items, const DateRange& date, WPARAM dc, LPARAM control)
{
    if (reinterpret_cast<HWND>(control) != GetDlgItem(page, items.shown) || date.type != 0)
        return FALSE;
    auto context = reinterpret_cast<HDC>(dc);
    SetTextColor(context, TextDateColour);
    SetBkMode(context, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

void ShowPlaceField(HWND page, PlaceItems items, const PlaceRecord& place)
{
    char text[FieldTextSize];
    SetDlgItemTextA(page, items.text, place.Format(text, sizeof text));
    EnableWindow(GetDlgItem(page, items.text), place.IsUntyped());
}

void FillPlacePrefixes(HWND page, PlaceItems items, const PlaceRecord& place)
{
    HWND prefix = GetDlgItem(page, items.prefix);
    const std::string words = GetLanguageText("PLACE_PREFIX");
    std::size_t start = 0;
    while (start <= words.size()) {
        std::size_t comma = words.find(',', start);
        if (comma == std::string::npos)
            comma = words.size();
        const std::string word = words.substr(start, comma - start);
        if (!word.empty())
            SendMessageA(prefix, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word.c_str()));
        start = comma + 1;
    }
    SendMessageA(prefix, CB_LIMITTEXT, PlacePrefixLimit, 0);
    const std::string current(place.row.prefix, strnlen(place.row.prefix, sizeof place.row.prefix));
    SetWindowTextA(prefix, current.c_str());
}

void StorePlaceFields(HWND page, PlaceItems items, PlaceRecord& place)
{
    ParseTypedPlace(page, items, place);
    char prefix[PlacePrefixLimit + 1];
    GetDlgItemTextA(page, items.prefix, prefix, sizeof prefix);
    std::memset(place.row.prefix, 0, sizeof place.row.prefix);
    std::memcpy(place.row.prefix, prefix, strnlen(prefix, PlacePrefixLimit));
}

DatePlaceAnswer AnswerDatePlaceCommand(HWND page, const DatePlaceControls& controls, int command, int notification,
                                       DateRange& date, PlaceRecord* place)
{
    if (command == controls.date.typed) {
        if (notification != EN_CHANGE)
            return DatePlaceAnswer::Answered;
        date = ParseTypedDate(page, controls.date);
        return DatePlaceAnswer::DateChanged;
    }
    if (command == controls.dateEditor)
        return EditDateFields(page, controls.date, date) ? DatePlaceAnswer::DateChanged : DatePlaceAnswer::Answered;
    if (command == controls.dateCalculator)
        return CalculateDateFields(page, controls.date, date) ? DatePlaceAnswer::DateChanged
                                                              : DatePlaceAnswer::Answered;
    if (command == controls.placeEditor) {
        if (place != nullptr)
            EditPlaceField(page, controls.place, *place);
        return DatePlaceAnswer::Answered;
    }
    return DatePlaceAnswer::NotOurs;
}
