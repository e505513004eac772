#include "platform/text_compare.h"

#include <windows.h>

#include <climits>

namespace platform {

namespace text_compare_detail {

int CompareBySystem(std::string_view a, std::string_view b)
{
    int aLength = a.size() > INT_MAX ? INT_MAX : static_cast<int>(a.size());
    int bLength = b.size() > INT_MAX ? INT_MAX : static_cast<int>(b.size());
    int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE | NORM_IGNORENONSPACE | NORM_IGNORESYMBOLS,
                                a.data(), aLength, b.data(), bLength);
    // CSTR_LESS_THAN, CSTR_EQUAL, CSTR_GREATER_THAN are 1, 2, 3; 0 is a failure, which only bad arguments cause.
    return result == 0 ? 0 : result - CSTR_EQUAL;
}

bool TableInUse()
{
    // A few hundred system comparisons, once: every later one then costs what a table lookup costs.
    static const bool agrees = FirstDisagreement(CompareBySystem).empty();
    return agrees;
}

} // namespace text_compare_detail

int CompareLocaleText(std::string_view a, std::string_view b)
{
    return text_compare_detail::TableInUse() ? text_compare_detail::CompareByTable(a, b)
                                             : text_compare_detail::CompareBySystem(a, b);
}

} // namespace platform
