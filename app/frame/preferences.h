// The decisions of the preferences sheet that need no window: the entries of the name-standard list,
// the rules of the date-picture list and its examples, and the bounds of the editor settings.
#pragma once

#include "settings/settings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Editing page: one entry per language text ADVNAME_STD0, ADVNAME_STD1, ... up to the first that is
// missing. An entry names the part types of its codes in order, joined by ", ", at most 127 characters.
inline constexpr std::size_t NameStandardEntryLength = 127;
std::string NameStandardEntry(const char* codes);
std::vector<std::string> NameStandardEntries();
// Whether the list's selection is to be stored as NewNames: a valid entry other than the current one.
bool IsNewNameStandard(int selection, int entryCount, std::int32_t current);

// Date formats page.
inline constexpr std::size_t DatePictureFieldLength = 30; // characters the picture field takes
// The entries of the picture list after its first ("new picture") that can be viewed but not changed.
inline constexpr int FixedDatePictureEntries = 13;
// Whether the picture at `listPosition` of the picture list (0 being the "new picture" entry) may be
// changed or emptied.
bool IsEditableDatePictureEntry(int listPosition);
// The picture formatted on the example date, 17 October 2004, without time of day.
std::string DatePictureExample(const char* picture);
// The indexes of the pictures the lists show: those whose text is not empty, in list order.
std::vector<int> ShownDatePictures(const DateFormatSettings& dates);

// What the page's own apply button did to the list.
enum class DatePictureChange { None, Appended, Replaced, Emptied };
inline constexpr int NewDatePicture = -1;
// Takes the picture field's text for the picture `index` (NewDatePicture to append one): a new text is
// appended while the list has room, a text replaces the picture, an empty text empties it (it keeps its
// place, and so every index, until the next start). Texts are cut to what a picture holds.
DatePictureChange ChangeDatePicture(DateFormatSettings& dates, int index, const char* text);

// Report-type editor page: the tab width the page stores.
inline constexpr int MinimumTabWidth = 1;
inline constexpr int MaximumTabWidth = 32;
int ClampTabWidth(int width);
