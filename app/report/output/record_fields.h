// One description of a record's bytes for both directions. A record's layout is a function that names each
// field with its offset and width on a codec; a FieldWriter puts the field's value there, a FieldReader
// gets it back into the field. The reader takes each field by a reference of its exact type, so a layout
// whose width does not match its field does not compile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/little_endian.h"
#include "report/output/text_fields.h"

class FieldWriter {
public:
    explicit FieldWriter(std::uint8_t* out) : out_(out) {}

    // The codec of a group of fields that begins `offset` bytes on.
    FieldWriter At(std::size_t offset) const { return FieldWriter(out_ + offset); }

    void U8(std::size_t at, std::uint8_t value) const { out_[at] = value; }
    void U16(std::size_t at, std::uint16_t value) const { platform::PutU16(out_ + at, value); }
    void U32(std::size_t at, std::uint32_t value) const { platform::PutU32(out_ + at, value); }
    void I32(std::size_t at, std::int32_t value) const { platform::PutI32(out_ + at, value); }
    // A double as the 8 bytes of its bit pattern.
    void Real(std::size_t at, double value) const
    {
        std::uint64_t bits = 0;
        static_assert(sizeof bits == sizeof value);
        std::memcpy(&bits, &value, sizeof bits);
        platform::PutU64(out_ + at, bits);
    }
    template <std::size_t N> void Text(std::size_t at, const char (&text)[N]) const { PutTextField(out_ + at, text); }

private:
    std::uint8_t* out_;
};

class FieldReader {
public:
    explicit FieldReader(const std::uint8_t* in) : in_(in) {}

    FieldReader At(std::size_t offset) const { return FieldReader(in_ + offset); }

    void U8(std::size_t at, std::uint8_t& value) const { value = in_[at]; }
    void U16(std::size_t at, std::uint16_t& value) const { value = platform::GetU16(in_ + at); }
    void U32(std::size_t at, std::uint32_t& value) const { value = platform::GetU32(in_ + at); }
    void I32(std::size_t at, std::int32_t& value) const { value = platform::GetI32(in_ + at); }
    void Real(std::size_t at, double& value) const
    {
        const std::uint64_t bits = platform::GetU64(in_ + at);
        static_assert(sizeof bits == sizeof value);
        std::memcpy(&value, &bits, sizeof bits);
    }
    template <std::size_t N> void Text(std::size_t at, char (&text)[N]) const { GetTextField(in_ + at, text); }

private:
    const std::uint8_t* in_;
};
