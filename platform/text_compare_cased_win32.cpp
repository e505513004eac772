#include "platform/text_compare_cased.h"

#include <windows.h>

#include <climits>

namespace platform {

int CompareLocaleTextCased(std::string_view a, std::string_view b)
{
    int aLength = a.size() > INT_MAX ? INT_MAX : static_cast<int>(a.size());
    int bLength = b.size() > INT_MAX ? INT_MAX : static_cast<int>(b.size());
    int result = CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), aLength, b.data(), bLength);
    // CSTR_LESS_THAN, CSTR_EQUAL, CSTR_GREATER_THAN are 1, 2, 3; 0 is a failure, which only bad arguments cause.
    return result == 0 ? 0 : result - CSTR_EQUAL;
}

} // namespace platform
