#include "gedcom/charset.h"

#include <array>

namespace pendrax {

namespace {

// Bytes 0xA1 to 0xDF of ANSEL; 0 stands for the blank of the bytes Latin-1 cannot show.
constexpr std::array<uint8_t, 0x3F> MakeAnselSpacing()
{
    std::array<uint8_t, 0x3F> table{};
    struct Pair {
        uint8_t ansel, latin;
    };
    constexpr Pair pairs[] = {
        {0xA1, 0x4C}, {0xA2, 0xD8}, {0xA3, 0xD0}, {0xA4, 0xDE}, {0xA5, 0xC6}, {0xA7, 0x91}, {0xA8, 0xB7}, {0xAA, 0xAE},
        {0xAB, 0xB1}, {0xAC, 0x4F}, {0xAD, 0x55}, {0xAE, 0x27}, {0xB0, 0x60}, {0xB1, 0x6C}, {0xB2, 0xF8}, {0xB3, 0x64},
        {0xB4, 0xFE}, {0xB5, 0xE6}, {0xB7, 0x22}, {0xB8, 0x69}, {0xB9, 0xA3}, {0xBA, 0xF0}, {0xBB, 0xD0}, {0xBC, 0x6F},
        {0xBD, 0x75}, {0xC0, 0xB0}, {0xC1, 0x6C}, {0xC3, 0xA9}, {0xC5, 0xBF}, {0xC6, 0xA1}, {0xCF, 0xDF},
    };
    for (auto& entry : table)
        entry = 0x20;
    for (const Pair& pair : pairs)
        table[pair.ansel - 0xA1] = pair.latin;
    return table;
}
constexpr auto kAnselSpacing = MakeAnselSpacing();

// Combining marks with the base letters that Latin-1 has precomposed, and the letters they give.
struct MarkLetters {
    uint8_t mark;
    const char* bases;
    const char* letters;
};
constexpr MarkLetters kAnselPairs[] = {
    {0xE1, "AEIOUaeiou", "\xC0\xC8\xCC\xD2\xD9\xE0\xE8\xEC\xF2\xF9"},
    {0xE2, "AEIOUYaeiouy", "\xC1\xC9\xCD\xD3\xDA\xDD\xE1\xE9\xED\xF3\xFA\xFD"},
    {0xE3, "AEIOUaeiou", "\xC2\xCA\xCE\xD4\xDB\xE2\xEA\xEE\xF4\xFB"},
    {0xE4, "ANOano", "\xC3\xD1\xD5\xE3\xF1\xF5"},
    {0xE8, "AEIOUaeiouy", "\xC4\xCB\xCF\xD6\xDC\xE4\xEB\xEF\xF6\xFC\xFF"},
    {0xEA, "Aa", "\xC5\xE5"},
    {0xF0, "Cc", "\xC7\xE7"},
    {0xF6, "ao", "\xAA\xBA"},
};

// The precomposed letter of mark and base, 0 when there is none.
char Precomposed(uint8_t mark, uint8_t base)
{
    for (const MarkLetters& pair : kAnselPairs) {
        if (pair.mark != mark)
            continue;
        for (int i = 0; pair.bases[i]; ++i)
            if (static_cast<uint8_t>(pair.bases[i]) == base)
                return pair.letters[i];
    }
    return 0;
}

constexpr std::array<uint8_t, 128> MakeIbmPc()
{
    std::array<uint8_t, 128> table{};
    constexpr uint8_t known[][2] = {
        {0x80, 0xC7}, {0x81, 0xFC}, {0x82, 0xE9}, {0x83, 0xE2}, {0x84, 0xE4}, {0x85, 0xE0}, {0x86, 0xE5}, {0x87, 0xE7},
        {0x88, 0xEA}, {0x89, 0xEB}, {0x8A, 0xE8}, {0x8B, 0xEF}, {0x8C, 0xEE}, {0x8D, 0xEC}, {0x8E, 0xC4}, {0x8F, 0xC5},
        {0x90, 0xC9}, {0x91, 0xE6}, {0x92, 0xC6}, {0x93, 0xF4}, {0x94, 0xF6}, {0x95, 0xF2}, {0x96, 0xFB}, {0x97, 0xF9},
        {0x98, 0xFF}, {0x99, 0xD6}, {0x9A, 0xDC}, {0x9B, 0xF8}, {0x9C, 0xA3}, {0x9D, 0xD8}, {0x9E, 0x50}, {0x9F, 0x66},
        {0xA0, 0xE1}, {0xA1, 0xED}, {0xA2, 0xF3}, {0xA3, 0xFA}, {0xA4, 0xF1}, {0xA5, 0xD1}, {0xA6, 0xAA}, {0xA8, 0xBF},
        {0xAA, 0xAC}, {0xAB, 0xBD}, {0xAC, 0xBC}, {0xAD, 0xA1}, {0xAE, 0xAB}, {0xAF, 0xBB}, {0xE1, 0xDF}, {0xE6, 0xB5},
        {0xE7, 0xDE}, {0xE8, 0xFE}, {0xF0, 0x3D}, {0xF1, 0xB1}, {0xF6, 0xF7}, {0xF8, 0xB0}, {0xF9, 0xB0}, {0xFA, 0xB7},
        {0xFD, 0xB2},
    };
    for (auto& entry : table)
        entry = 0x20;
    for (const auto& pair : known)
        table[pair[0] - 0x80] = pair[1];
    return table;
}
constexpr auto kIbmPc = MakeIbmPc();

} // namespace

void AnselToCp1252(std::string_view line, std::string& out)
{
    // Written in place into a buffer as long as the line: the result is never longer.
    out.resize(line.size());
    char* to = out.data();
    const auto* from = reinterpret_cast<const uint8_t*>(line.data());
    const uint8_t* end = from + line.size();
    while (from < end) {
        uint8_t byte = *from++;
        if (byte < 0x80) {
            *to++ = static_cast<char>(byte);
        } else if (byte <= 0xA0) {
            // control range: dropped
        } else if (byte <= 0xDF) {
            *to++ = static_cast<char>(kAnselSpacing[byte - 0xA1]);
        } else {
            if (from >= end)
                break; // a mark with no base letter on this line
            uint8_t base = *from++;
            if (char letter = Precomposed(byte, base))
                *to++ = letter;
            else if (base < 0x80)
                *to++ = static_cast<char>(base);
        }
    }
    out.resize(static_cast<size_t>(to - out.data()));
}

std::string AnselToCp1252(std::string_view line)
{
    std::string out;
    AnselToCp1252(line, out);
    return out;
}

void IbmPcToCp1252(std::string_view line, std::string& out)
{
    out.assign(line);
    for (char& c : out) {
        auto byte = static_cast<uint8_t>(c);
        if (byte >= 0x80)
            c = static_cast<char>(kIbmPc[byte - 0x80]);
    }
}

std::string IbmPcToCp1252(std::string_view line)
{
    std::string out;
    IbmPcToCp1252(line, out);
    return out;
}

} // namespace pendrax
