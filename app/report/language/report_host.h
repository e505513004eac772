// What the report language asks of the program around it: language texts, the user's locale order of
// texts, the clock and the settings it reads. The program's host (system_host.h) answers from the language
// table, the platform and the settings block; tests hand in hosts of their own.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/local_time.h"

class ReportHost {
public:
    virtual ~ReportHost() = default;

    // The text of a language key; the key itself when the language has no such text. The text stays valid
    // while the host does.
    virtual const char* LanguageText(const char* key) const = 0;
    // The user's locale order of two texts, case counted: negative, 0 or positive.
    virtual int CompareText(std::string_view a, std::string_view b) const = 0;
    // The local date and time now.
    virtual platform::LocalTime Now() const = 0;
    // The colour of the report's normal text (Report setting NormalFontColor) as it stands now.
    virtual std::uint32_t NormalFontColor() const = 0;
    // The colour and the size in points of picture captions (Report settings of the picture text style).
    virtual std::uint32_t PictureFontColor() const = 0;
    virtual std::int32_t PictureFontSize() const = 0;
};
