// A report host of the tests' own: language texts from a small map (the key itself otherwise), a fixed
// clock, a normal text colour the test sets, and a plain locale order: letters by their base letter with
// case ignored, then a lower-case letter before its capital, then bytes.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "report/language/report_host.h"

namespace report_test {

class TestHost : public ReportHost {
public:
    const char* LanguageText(const char* key) const override
    {
        auto found = texts.find(key);
        return found != texts.end() ? found->second.c_str() : key;
    }
    int CompareText(std::string_view a, std::string_view b) const override
    {
        ++comparisons;
        std::size_t n = a.size() < b.size() ? a.size() : b.size();
        for (std::size_t i = 0; i < n; ++i) {
            int x = Fold(a[i]), y = Fold(b[i]);
            if (x != y)
                return x < y ? -1 : 1;
        }
        if (a.size() != b.size())
            return a.size() < b.size() ? -1 : 1;
        for (std::size_t i = 0; i < n; ++i)
            if (a[i] != b[i])
                return static_cast<unsigned char>(a[i]) > static_cast<unsigned char>(b[i]) ? -1 : 1;
        return 0;
    }
    platform::LocalTime Now() const override { return now; }
    std::uint32_t NormalFontColor() const override { return normalColour; }
    std::uint32_t PictureFontColor() const override { return pictureColour; }
    std::int32_t PictureFontSize() const override { return pictureSize; }

    std::map<std::string, std::string> texts;
    platform::LocalTime now{2026, 12, 5, 11, 9, 30, 15, 250};
    std::uint32_t normalColour = 0;
    std::uint32_t pictureColour = 0;
    std::int32_t pictureSize = 10;
    mutable int comparisons = 0;

private:
    static int Fold(char c)
    {
        auto u = static_cast<unsigned char>(c);
        return u >= 'a' && u <= 'z' ? u - 'a' + 'A' : u;
    }
};

} // namespace report_test
