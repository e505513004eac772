#include "records/list_search.h"

#include <cstring>

#include "core/bounded_text.h"
#include "platform/codepage.h"

namespace {

bool SameIgnoringCase(const char* a, const char* b, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        if (platform::UpperCaseCp1252(static_cast<unsigned char>(a[i])) != platform::UpperCaseCp1252(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

bool MatchText(const char* text, const char* pattern, std::uint32_t mode)
{
    const std::size_t textLength = std::strlen(text);
    const std::size_t patternLength = std::strlen(pattern);
    switch (mode) {
    case MatchExact:
    case MatchBegin:
        return patternLength <= textLength && SameIgnoringCase(text, pattern, patternLength);
    case MatchInclude:
        for (std::size_t at = 0; at + patternLength <= textLength; ++at) {
            if (SameIgnoringCase(text + at, pattern, patternLength))
                return true;
        }
        return false;
    case MatchEnd:
        // The last occurrence ends at the end exactly when the text ends with the pattern.
        return patternLength <= textLength &&
               SameIgnoringCase(text + textLength - patternLength, pattern, patternLength);
    default:
        return false;
    }
}

void SearchSettings::SetCriterion(int index, std::uint32_t field, const char* text, std::uint32_t mode)
{
    SearchCriterion& criterion = criteria[index];
    criterion.field = field;
    CopyBounded(criterion.text, sizeof criterion.text, text);
    criterion.mode = mode;
}
