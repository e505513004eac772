// The parts of a name as the tests of the name dialogs compare them: type and characters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/name_record.h"

namespace name_test {

struct Part {
    std::uint8_t type;
    std::string text;
    bool operator==(const Part&) const = default;
};

inline std::vector<Part> PartsOf(const NameRecord& name)
{
    std::vector<Part> parts;
    for (int i = 0; i < name.CountParts(); ++i)
        parts.push_back({name.GetPartType(i), name.GetPartText(i)});
    return parts;
}

} // namespace name_test
