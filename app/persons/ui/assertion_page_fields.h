// What the kind pages of the assertion editor show alike: the privacy list, the typed date beside its
// display form, and the place as one line behind its prefix. Each page names its own controls; the
// value itself stays with the page's assertion, which hands it in and takes it back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/date_value.h"

class Database;
class PlaceRecord;

struct DateItems {
    int typed; // the date as the user types it (input form)
    int shown; // the read-only display form
};

struct PlaceItems {
    int prefix; // editable drop-down of the prefix words
    int text;   // the place as one line
};

// Fills the sorted type list with the stored types of `kind` (event or attribute), each entry's item data
// its id; answers the listed ids in id order.
std::vector<std::int32_t> FillTypeList(HWND list, Database& database, int kind);
// The entry whose item data is `id`; -1 when none.
int FindTypeEntry(HWND list, std::int32_t id);
// The item data of the selected entry; `current` when nothing is selected.
std::int32_t SelectedTypeId(HWND list, std::int32_t current);

// Fills the list with the five privacy levels and selects `privacy`.
void FillPrivacyList(HWND list, std::int8_t privacy);
// The selected level; `current` when nothing is selected.
std::int8_t SelectedPrivacy(HWND list, std::int8_t current);

// Writes the display form, then the input form of `date`.
void ShowDateFields(HWND page, DateItems items, const DateRange& date);
// The parse of what the typed field holds; the display form follows it, the typed text is left as typed.
DateRange ParseTypedDate(HWND page, DateItems items);
// The date editor dialog on `date`; true (both fields refreshed) when it ended with OK.
bool EditDateFields(HWND page, DateItems items, DateRange& date);
// The date calculator on the first date of `date`; true (both fields refreshed) when it returned a date.
bool CalculateDateFields(HWND page, DateItems items, DateRange& date);
// The answer to WM_CTLCOLORSTATIC: the display form of a missing or free-text date in dark red; FALSE
// for any other control.
INT_PTR ColourTextDate(HWND page, DateItems items, const DateRange& date, WPARAM dc, LPARAM control);

// The place as one line; the line is disabled when the place has typed parts, which it cannot carry.
void ShowPlaceField(HWND page, PlaceItems items, const PlaceRecord& place);
// Fills the prefix words of the language and shows the place's prefix.
void FillPlacePrefixes(HWND page, PlaceItems items, const PlaceRecord& place);
// What the two fields show goes into the place: the line (when enabled) and the prefix.
void StorePlaceFields(HWND page, PlaceItems items, PlaceRecord& place);
// The place editor on the place, after taking in the typed line; the line is shown again after OK.
void EditPlaceField(HWND page, PlaceItems items, PlaceRecord& place);
