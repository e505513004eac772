// The built-in locale comparison: English (United States) collation of Windows-1252 text with case, accents
// and symbols ignored, as CompareStringA sorts it with NORM_IGNORECASE | NORM_IGNORENONSPACE |
// NORM_IGNORESYMBOLS. The native build always compares through it, Windows wherever the user's locale
// agrees with it. Texts compare first by the letters and digits they spell (ligatures spelt out), then, when
// those agree, by the few characters that are variants of a letter or digit (ª º ¹ ² ³).
#include "platform/text_compare.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

namespace {

struct Collation {
    uint8_t first = 0;   // primary weight; 0: the character is ignored
    uint8_t second = 0;  // a second primary weight for ligatures that sort as two letters
    uint8_t variant = 0; // 1: a superscript or ordinal form of its letter or digit
};

constexpr uint8_t Digit(int d)
{
    return static_cast<uint8_t>(d == 0 ? 10 : 13 + d);
} // 0, fractions, 1..9
constexpr uint8_t Letter(char c)
{
    return static_cast<uint8_t>(30 + 2 * (c - 'a'));
} // room after each letter

constexpr std::array<Collation, 256> BuildTable()
{
    std::array<Collation, 256> table{};
    for (int d = 0; d <= 9; ++d)
        table['0' + d].first = Digit(d);
    table[0xBC].first = 11; // ¼ ½ ¾ sort between 0 and 1
    table[0xBD].first = 12;
    table[0xBE].first = 13;
    for (char c = 'a'; c <= 'z'; ++c) {
        table[static_cast<unsigned char>(c)].first = Letter(c);
        table[static_cast<unsigned char>(c - 'a' + 'A')].first = Letter(c);
    }
    auto letter = [&](unsigned char byte, char c) { table[byte].first = Letter(c); };
    auto ligature = [&](unsigned char byte, char c1, char c2) {
        table[byte].first = Letter(c1);
        table[byte].second = Letter(c2);
    };
    auto variant = [&](unsigned char byte, uint8_t weight) {
        table[byte].first = weight;
        table[byte].variant = 1;
    };
    for (unsigned char b : {0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5})
        letter(b, 'a');
    for (unsigned char b : {0xC7, 0xE7})
        letter(b, 'c');
    for (unsigned char b : {0xD0, 0xF0})
        letter(b, 'd');
    for (unsigned char b : {0xC8, 0xC9, 0xCA, 0xCB, 0xE8, 0xE9, 0xEA, 0xEB})
        letter(b, 'e');
    letter(0x83, 'f');
    for (unsigned char b : {0xCC, 0xCD, 0xCE, 0xCF, 0xEC, 0xED, 0xEE, 0xEF})
        letter(b, 'i');
    for (unsigned char b : {0xD1, 0xF1})
        letter(b, 'n');
    for (unsigned char b : {0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD8, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF8})
        letter(b, 'o');
    for (unsigned char b : {0x8A, 0x9A})
        letter(b, 's');
    for (unsigned char b : {0xD9, 0xDA, 0xDB, 0xDC, 0xF9, 0xFA, 0xFB, 0xFC})
        letter(b, 'u');
    for (unsigned char b : {0x9F, 0xDD, 0xFD, 0xFF})
        letter(b, 'y');
    for (unsigned char b : {0x8E, 0x9E})
        letter(b, 'z');
    for (unsigned char b : {0xC6, 0xE6})
        ligature(b, 'a', 'e');
    for (unsigned char b : {0x8C, 0x9C})
        ligature(b, 'o', 'e');
    ligature(0xDF, 's', 's');
    for (unsigned char b : {0xDE, 0xFE})
        ligature(b, 't', 'h');
    table[0x99].first = static_cast<uint8_t>(Letter('t') + 1); // ™ sorts after every t and before u
    variant(0xAA, Letter('a'));
    variant(0xBA, Letter('o'));
    variant(0xB9, Digit(1));
    variant(0xB2, Digit(2));
    variant(0xB3, Digit(3));
    return table;
}

constexpr std::array<Collation, 256> kCollation = BuildTable();

// Walks the primary weights of a text, ligatures giving two.
class WeightReader {
public:
    explicit WeightReader(std::string_view text) : text_(text) {}

    // The next primary weight, or 0 at the end.
    uint8_t Next()
    {
        if (pendingSecond_) {
            uint8_t w = pendingSecond_;
            pendingSecond_ = 0;
            return w;
        }
        while (position_ < text_.size()) {
            const Collation& c = kCollation[static_cast<unsigned char>(text_[position_++])];
            if (c.first) {
                pendingSecond_ = c.second;
                return c.first;
            }
        }
        return 0;
    }

private:
    std::string_view text_;
    size_t position_ = 0;
    uint8_t pendingSecond_ = 0;
};

// The position of the first character from `i` on that is not ignored, or the text's end.
size_t SkipIgnored(std::string_view text, size_t i)
{
    while (i < text.size() && !kCollation[static_cast<unsigned char>(text[i])].first)
        ++i;
    return i;
}

int CompareVariants(std::string_view a, std::string_view b)
{
    size_t i = 0, j = 0;
    for (;;) {
        i = SkipIgnored(a, i);
        j = SkipIgnored(b, j);
        if (i == a.size() || j == b.size())
            return 0; // the primary comparison already found the spelt texts equal
        int va = kCollation[static_cast<unsigned char>(a[i++])].variant;
        int vb = kCollation[static_cast<unsigned char>(b[j++])].variant;
        if (va != vb)
            return va - vb;
    }
}

} // namespace

// The plain walk over the table, kept separate so that a test can hold the quick path below against it.
int CompareLocaleTextByWeights(std::string_view a, std::string_view b);

int CompareLocaleTextByWeights(std::string_view a, std::string_view b)
{
    WeightReader ra(a), rb(b);
    for (;;) {
        uint8_t wa = ra.Next(), wb = rb.Next();
        if (wa != wb)
            return wa < wb ? -1 : 1;
        if (wa == 0)
            break;
    }
    int v = CompareVariants(a, b);
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}

namespace text_compare_detail {

// Every character's weights depend on that character alone, so a run of bytes both texts share adds the same
// weights and variant marks to both and can be skipped. After it, characters of one weight are compared in a
// tight loop; at the first ligature the walk over the table takes over.
int CompareByTable(std::string_view a, std::string_view b)
{
    size_t shared = 0;
    size_t shorter = a.size() < b.size() ? a.size() : b.size();
    while (shared < shorter && a[shared] == b[shared])
        ++shared;
    a.remove_prefix(shared);
    b.remove_prefix(shared);
    size_t i = 0, j = 0;
    for (;;) {
        i = SkipIgnored(a, i);
        j = SkipIgnored(b, j);
        if (i == a.size() || j == b.size()) {
            if (i != a.size() || j != b.size())
                return i == a.size() ? -1 : 1;
            int v = CompareVariants(a, b);
            return v < 0 ? -1 : v > 0 ? 1 : 0;
        }
        const Collation& ca = kCollation[static_cast<unsigned char>(a[i])];
        const Collation& cb = kCollation[static_cast<unsigned char>(b[j])];
        if (ca.second || cb.second)
            return CompareLocaleTextByWeights(a, b);
        if (ca.first != cb.first)
            return ca.first < cb.first ? -1 : 1;
        ++i;
        ++j;
    }
}

std::vector<std::string> ProbeTexts()
{
    std::vector<std::string> texts;
    for (int byte = 1; byte < 256; ++byte)
        texts.emplace_back(1, static_cast<char>(byte));
    // What the table does beyond weighing single characters: ligatures against the letters they spell and
    // their neighbours, fractions against digits, the variant forms against their letter or digit followed by
    // more, the trademark sign between t and u, ignored characters inside a text, and prefixes.
    const char* const special[] = {
        "ad",
        "ae",
        "af",
        "aea",
        "æ"
        "a",
        "od",
        "oe",
        "of",
        ""
        "a",
        "sr",
        "ss",
        "st",
        "ssa",
        "ß"
        "a",
        "tg",
        "th",
        "ti",
        "tha",
        "þ"
        "a",
        "tz",
        "tzz",
        ""
        "a",
        "00",
        "01",
        "1/2",
        "1/4",
        "3/4",
        "0½",
        "aa",
        "ab",
        "ª"
        "a",
        "ª"
        "b",
        "oo",
        "op",
        "º"
        "a",
        "11",
        "12",
        "¹"
        "1",
        "22",
        "²"
        "2",
        "33",
        "³"
        "3",
        "a-b",
        "a b",
        "a'b",
        "a"
        "b",
        "aµ"
        "b",
        "-a",
        "abc",
        "ab-",
        "a²",
    };
    texts.insert(texts.end(), std::begin(special), std::end(special));
    return texts;
}

std::string FirstDisagreement(int (*compare)(std::string_view, std::string_view))
{
    auto sign = [](int value) { return value < 0 ? -1 : value > 0 ? 1 : 0; };
    std::vector<std::string> texts = ProbeTexts();
    std::stable_sort(texts.begin(), texts.end(),
                     [](const std::string& a, const std::string& b) { return CompareByTable(a, b) < 0; });
    // Where the other comparison is an order at all, agreeing on each neighbour in the table's order is
    // agreeing on every pair.
    for (std::size_t i = 1; i < texts.size(); ++i) {
        const std::string& a = texts[i - 1];
        const std::string& b = texts[i];
        int byTable = sign(CompareByTable(a, b));
        if (sign(compare(a, b)) != byTable || sign(compare(b, a)) != -byTable)
            return "\"" + a + "\" " + (byTable == 0 ? "equal to" : "before") + " \"" + b + "\"";
    }
    return "";
}

} // namespace text_compare_detail

} // namespace platform
