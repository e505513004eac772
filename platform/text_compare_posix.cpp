#include "platform/text_compare.h"

namespace platform {

// The native build's locale is the built-in table's.
int CompareLocaleText(std::string_view a, std::string_view b)
{
    return text_compare_detail::CompareByTable(a, b);
}

} // namespace platform
