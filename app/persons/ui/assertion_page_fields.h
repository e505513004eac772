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

// The date and place controls of a page with the buttons that open their dialogs.
struct DatePlaceControls {
    DateItems date;
    int dateEditor;     // the date editor dialog
    int dateCalculator; // the date calculator
    PlaceItems place;
    int placeEditor; // the place editor
};

enum class DatePlaceAnswer {
    NotOurs,     // the command is none of the date and place controls'
    Answered,    // answered; the date is as it was
    DateChanged, // answered; the page's date is now `date`
};

// Answers the commands of those controls: a change of the typed date, the date editor, the date
// calculator and the place editor (on `place`, unless it is null). `date` is the page's date.
DatePlaceAnswer AnswerDatePlaceCommand(HWND page, const DatePlaceControls& controls, int command, int notification,
                                       DateRange& date, PlaceRecord* place);

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
// The answer to WM_CTLCOLORSTATIC: the display form of a missing or free-text date in dark red; FALSE
// for any other control.
INT_PTR ColourTextDate(HWND page, DateItems items, const DateRange& date, WPARAM dc, LPARAM control);

// The place as one line; the line is disabled when the place has typed parts, which it cannot carry.
void ShowPlaceField(HWND page, PlaceItems items, const PlaceRecord& place);
// Fills the prefix words of the language and shows the place's prefix.
void FillPlacePrefixes(HWND page, PlaceItems items, const PlaceRecord& place);
// What the two fields show goes into the place: the line (when enabled) and the prefix.
void StorePlaceFields(HWND page, PlaceItems items, PlaceRecord& place);
