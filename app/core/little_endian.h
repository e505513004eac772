// Little-endian fields of stored rows, read and written byte by byte so that any offset works.
#pragma once

#include <cstdint>

inline std::int16_t ReadLittleI16(const std::uint8_t* at)
{
    return static_cast<std::int16_t>(at[0] | (at[1] << 8));
}
inline std::uint32_t ReadLittleU32(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
inline std::int32_t ReadLittleI32(const std::uint8_t* at)
{
    return static_cast<std::int32_t>(ReadLittleU32(at));
}
inline void WriteLittleU32(std::uint8_t* at, std::uint32_t value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
    at[2] = static_cast<std::uint8_t>(value >> 16);
    at[3] = static_cast<std::uint8_t>(value >> 24);
}
inline void WriteLittleI32(std::uint8_t* at, std::int32_t value)
{
    WriteLittleU32(at, static_cast<std::uint32_t>(value));
}
