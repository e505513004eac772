#include "engine/compare.h"

#include "platform/text_compare.h"

#include <cstring>
#include <string_view>

namespace tolvane {

namespace {

template <typename T> int Order(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

template <typename T, typename Get> int CompareElements(int count, int size, const std::uint8_t* a,
                                                        const std::uint8_t* b, Get get)
{
    for (int i = 0; i < count; ++i) {
        int order = Order<T>(get(a + i * size), get(b + i * size));
        if (order != 0)
            return order;
    }
    return 0;
}

float GetFloat(const std::uint8_t* p)
{
    std::uint32_t bits = GetU32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double GetDouble(const std::uint8_t* p)
{
    std::uint64_t bits = GetU64(p);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string_view TextOf(const std::uint8_t* p, int count)
{
    const char* text = reinterpret_cast<const char*>(p);
    return {text, strnlen(text, static_cast<std::size_t>(count))};
}

} // namespace

int CompareValues(const ColumnDescriptor& column, const std::uint8_t* a, const std::uint8_t* b)
{
    int count = column.count;
    switch (column.type) {
    case TypeByte:
        return CompareElements<std::uint8_t>(count, 1, a, b, [](const std::uint8_t* p) { return *p; });
    case TypeText: {
        int order = platform::CompareLocaleText(TextOf(a, count), TextOf(b, count));
        return order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    case TypeUInt16:
        return CompareElements<std::uint16_t>(count, 2, a, b, GetU16);
    case TypeInt16:
        return CompareElements<std::int16_t>(count, 2, a, b, GetI16);
    case TypeUInt32:
        return CompareElements<std::uint32_t>(count, 4, a, b, GetU32);
    case TypeInt32:
        return CompareElements<std::int32_t>(count, 4, a, b, GetI32);
    case TypeUInt64:
        return CompareElements<std::uint64_t>(count, 8, a, b, GetU64);
    case TypeInt64:
        return CompareElements<std::int64_t>(count, 8, a, b,
                                             [](const std::uint8_t* p) { return static_cast<std::int64_t>(GetU64(p)); });
    case TypeFloat:
        return CompareElements<float>(count, 4, a, b, GetFloat);
    case TypeDouble:
        return CompareElements<double>(count, 8, a, b, GetDouble);
    default:
        return 0;
    }
}

} // namespace tolvane
