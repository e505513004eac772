// Writing dates. The display form follows a date picture of the user's list; the input form writes
// exactly what the parser reads back with the same input picture, and fills the editors' date fields.
//
// The picture language, read from left to right:
//   ordinary characters are copied;
//   {code} writes a field: dd d mm m (day, month as "%02i" or plain, plain ones empty when 0),
//     mmmm MMMM mmm MMM (long or short month name, the capitals in upper case), yyyy yyy yy (year);
//     an unknown code writes nothing;
//   [letters?text] writes text, itself a picture, only when one of the fields named by the letters is
//     there: d day, m month, y year, a alternate year. Sections nest.
//   A picture that ends inside a code ends the output; a ']' outside every section ends the picture.
#pragma once

#include <cstddef>
#include <string>

#include "core/date_value.h"

// Appends the date to `out` (not cleared) and returns `out`; never writes more than `size` bytes,
// terminator included, cutting what does not fit. `withTime` writes the time when the date has one.
char* FormatDateValue(char* out, std::size_t size, const DateValue& value, const char* picture, bool withTime,
                      bool inputForm);
// Writes the range into `out` (cleared first), bounded as FormatDateValue; returns `out`.
char* FormatDateRange(char* out, std::size_t size, const DateRange& range, const char* picture, bool withTime,
                      bool inputForm);

// The short form of reports: the display form, but never with the calendar word, whatever the settings say.
char* FormatShortDateValue(char* out, std::size_t size, const DateValue& value, const char* picture, bool withTime);
char* FormatShortDateRange(char* out, std::size_t size, const DateRange& range, const char* picture, bool withTime);

// Day, month and year of `value` by `picture`, appended to `out`.
void FormatDateByPicture(std::string& out, const DateValue& value, const char* picture, bool inputForm);

// A month name on its own, where no picture applies: the French months 1..13 in turn, every other
// calendar's months 1..12 in turn (so month 0 names the last month and 13 the first). Writes the name
// into `out`, terminated and cut to `size`; returns `out`.
char* GetMonthName(int calendar, int month, char* out, std::size_t size);
