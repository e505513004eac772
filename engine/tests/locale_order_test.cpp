// The index keys' text order takes a quick path for the common cases (shared start, characters of one
// weight). It must answer exactly as the plain walk over the collation table, for every text.
#ifndef _WIN32

#include "platform/text_compare.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace platform {
// The plain table walk of the native comparison; not part of the service, declared here for this test.
int CompareLocaleTextByWeights(std::string_view a, std::string_view b);
} // namespace platform

namespace {

int Sign(int value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

// Letters of both cases, accented letters, digits, fractions, ligatures, the superscripts and ordinals, ™ and
// characters that are ignored: every kind of entry the table has.
const std::string kAlphabet =
    "aAbeEsStTuzZ019 -'\xE9\xC9\xFC\xE6\xC6\xDF\xFE\x9C\xAA\xBA\xB9\xB2\xBC\xBD\x99\x80\xB5\x8A\xFF";

std::vector<std::string> TextsUpTo(std::size_t length)
{
    std::vector<std::string> texts{""};
    for (std::size_t first = 0, size = 1; size <= length; ++size) {
        std::size_t end = texts.size();
        for (std::size_t i = first; i < end; ++i)
            for (char c : kAlphabet)
                texts.push_back(texts[i] + c);
        first = end;
    }
    return texts;
}

TEST(LocaleOrderQuickPath, AgreesWithTheTableWalkOnEveryShortText)
{
    std::vector<std::string> texts = TextsUpTo(2);
    for (const std::string& a : texts)
        for (const std::string& b : texts)
            ASSERT_EQ(Sign(platform::CompareLocaleText(a, b)), platform::CompareLocaleTextByWeights(a, b))
                << '"' << a << "\" vs \"" << b << '"';
}

TEST(LocaleOrderQuickPath, AgreesWithTheTableWalkOnRandomTextsWithSharedStarts)
{
    std::mt19937 random(7);
    auto text = [&](std::size_t maxLength) {
        std::string t(random() % (maxLength + 1), '\0');
        for (char& c : t)
            c = random() % 2 ? kAlphabet[random() % kAlphabet.size()] : static_cast<char>(1 + random() % 255);
        return t;
    };
    for (int round = 0; round < 300000; ++round) {
        std::string start = text(12);
        std::string a = start + text(6);
        std::string b = round % 3 == 0 ? a : start + text(6);
        if (round % 5 == 0 && !b.empty())
            b.back() = kAlphabet[random() % kAlphabet.size()];
        ASSERT_EQ(Sign(platform::CompareLocaleText(a, b)), platform::CompareLocaleTextByWeights(a, b))
            << '"' << a << "\" vs \"" << b << '"';
    }
}

TEST(LocaleOrderQuickPath, EveryPairOfCharactersAfterASharedStart)
{
    for (int x = 1; x < 256; ++x)
        for (int y = 1; y < 256; ++y) {
            std::string a = std::string("M\xFCller, ") + static_cast<char>(x) + "e";
            std::string b = std::string("M\xFCller, ") + static_cast<char>(y);
            ASSERT_EQ(Sign(platform::CompareLocaleText(a, b)), platform::CompareLocaleTextByWeights(a, b))
                << x << ' ' << y;
            ASSERT_EQ(Sign(platform::CompareLocaleText(b, a)), platform::CompareLocaleTextByWeights(b, a))
                << x << ' ' << y;
        }
}

} // namespace

#endif
