// What the list windows search with: up to three criteria, each a field of the record, a text and a
// match mode, combined by AND or OR. Texts are compared without regard to case.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int SearchCriterionCount = 3;
inline constexpr std::size_t SearchTextSize = 64; // at most 63 characters kept

enum MatchMode : std::uint32_t {
    MatchExact = 0, // tested as MatchBegin: the lists have always found longer texts by their start
    MatchInclude = 1,
    MatchBegin = 2,
    MatchEnd = 3,
};

// Whether `text` matches `pattern` in `mode`: include, the pattern anywhere; begin (and exact), the
// text's first characters; end, the last occurrence of the pattern ends where the text ends. An empty
// pattern matches every text. Other modes never match.
bool MatchText(const char* text, const char* pattern, std::uint32_t mode);

struct SearchCriterion {
    std::uint32_t field = 0; // 0: none
    char text[SearchTextSize] = {};
    std::uint32_t mode = MatchExact;
};

struct SearchSettings {
    SearchCriterion criteria[SearchCriterionCount];
    std::uint32_t clearFirst = 0; // 1: a search empties the selection first
    std::uint32_t combineAnd = 0; // 1 AND, 0 OR

    // Stores one criterion, the text cut to 63 characters.
    void SetCriterion(int index, std::uint32_t field, const char* text, std::uint32_t mode);

    // The combined result of the three criteria. `holds(index)` tests a criterion whose field is not 0;
    // a criterion without a field counts as holding under AND and as failing under OR, so it never
    // decides. The tests stop at the first criterion that decides.
    template <class Holds> bool Matches(Holds&& holds) const
    {
        for (int i = 0; i < SearchCriterionCount; ++i) {
            const bool result = criteria[i].field == 0 ? combineAnd != 0 : holds(i);
            if (combineAnd != 0 && !result)
                return false;
            if (combineAnd == 0 && result)
                return true;
        }
        return combineAnd != 0;
    }
};
