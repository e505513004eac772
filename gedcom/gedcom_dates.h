// Reading of GEDCOM date values: prefixes, ranges, calendar escapes, dual years, eras and times.
#pragma once

#include <string_view>
#include <vector>

#include "gedcom/gedcom_records.h"

namespace pendrax {

struct DateRules {
    bool defaultGregorian = false;
    bool keepUnreadDates = false;
    bool numericDates = false; // D.M.Y dates of a program that writes them
    bool logWarnings = true;   // the warnings about BETWEEN, CIR/CA and TIME (log level 0)
};

struct DateReading {
    GedcomDate date;
    std::vector<int> logCodes; // in the order met; the log keeps the first
};

// A DATE value of an event, attribute or task.
DateReading ReadDateValue(std::string_view value, const DateRules& rules);
// A single simple date without prefixes (the DATE of the header and of a change date).
SimpleDate ReadSimpleDateValue(std::string_view value, bool defaultGregorian);
// Hours, minutes and seconds separated by ":" or "." into the date's time.
void ReadTimeValue(std::string_view value, SimpleDate& date);

} // namespace pendrax
