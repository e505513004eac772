#include "platform/codepage.h"

namespace platform {

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the rest of the code page is Latin-1. The five bytes the code page does
// not assign (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same value, as Windows does.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char ToCp1252OrQuestionMark(char32_t c)
{
    unsigned char byte = CodePointToCp1252(c);
    return (byte || c == 0) ? static_cast<char>(byte) : '?';
}

} // namespace

char16_t Cp1252ToCodePoint(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHighControls[byte - 0x80];
    return byte;
}

unsigned char CodePointToCp1252(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<unsigned char>(codePoint);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == codePoint)
            return static_cast<unsigned char>(0x80 + i);
    return 0;
}

std::u16string Cp1252ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (char c : text)
        out += Cp1252ToCodePoint(static_cast<unsigned char>(c));
    return out;
}

std::string Utf16ToCp1252(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        // A surrogate pair is one character beyond the code page: one '?'.
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
        out += ToCp1252OrQuestionMark(unit);
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80             ? 1
                     : (lead & 0xE0) == 0xC0 ? 2
                     : (lead & 0xF0) == 0xE0 ? 3
                     : (lead & 0xF8) == 0xF0 ? 4
                                             : 0;
        char32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
        bool valid = length != 0 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are malformed too.
        static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (valid && (c < kSmallest[length] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF))
            valid = false;
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        out += ToCp1252OrQuestionMark(c);
        i += length;
    }
    return out;
}

unsigned char UpperCaseCp1252(unsigned char byte)
{
    if (byte >= 'a' && byte <= 'z')
        return static_cast<unsigned char>(byte - 0x20);
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)
        return static_cast<unsigned char>(byte - 0x20);
    switch (byte) {
    case 0x9A: // s with caron
        return 0x8A;
    case 0x9C: // oe
        return 0x8C;
    case 0x9E: // z with caron
        return 0x8E;
    case 0xFF: // y with diaeresis
        return 0x9F;
    default:
        return byte;
    }
}

} // namespace platform
