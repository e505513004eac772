// Large GEDCOM files for the benchmarks and the import tests: real files copied over and over with renumbered
// cross-references, and the number of persons a file holds.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bench {

inline size_t CountPersons(std::string_view gedcom)
{
    size_t count = 0;
    for (size_t at = 0; (at = gedcom.find(" INDI", at)) != std::string_view::npos; ++at) {
        size_t lineStart = gedcom.rfind('\n', at);
        lineStart = lineStart == std::string_view::npos ? 0 : lineStart + 1;
        if (gedcom.substr(lineStart, 3) == "0 @")
            ++count;
    }
    return count;
}

// The records of a file (HEAD and TRLR left out) with every cross-reference given a suffix.
inline std::string RenumberedRecords(std::string_view gedcom, const std::string& suffix)
{
    std::string out;
    out.reserve(gedcom.size() + gedcom.size() / 8);
    size_t start = gedcom.find("\n0 ");
    size_t end = gedcom.rfind("0 TRLR");
    std::string_view records = gedcom.substr(start + 1, end - start - 1);
    for (size_t i = 0; i < records.size(); ++i) {
        char c = records[i];
        out += c;
        if (c != '@' || i + 1 >= records.size() || records[i + 1] == '@' || records[i + 1] == '#')
            continue;
        size_t close = records.find('@', i + 1);
        if (close == std::string_view::npos || close - i > 12 ||
            records.substr(i, close - i).find(' ') != std::string_view::npos)
            continue;
        out.append(records.substr(i + 1, close - i - 1));
        out += suffix;
        out += '@';
        i = close;
    }
    return out;
}

inline std::string MakeLargeFile(const std::string& royal, const std::string& presidents, size_t persons)
{
    std::string file = "0 HEAD\r\n1 SOUR Bench\r\n1 CHAR ANSEL\r\n";
    size_t made = 0;
    for (int round = 0; made < persons; ++round) {
        // Each copy has cross-references of its own: both files number their records from 1.
        file += RenumberedRecords(royal, "R" + std::to_string(round));
        file += RenumberedRecords(presidents, "P" + std::to_string(round));
        made = CountPersons(file);
    }
    return file + "0 TRLR\r\n";
}

} // namespace bench
