// The built-in constants and functions of expressions, and the named constants' entry into them.
#include <cmath>
#include <cstring>
#include <string>

#include "core/date_value.h"
#include "language/language_table.h"
#include "records/soundex.h"
#include "report/language/expression_reader.h"
#include "report/language/named_constants.h"
#include "report/language/report_host.h"
#include "report/language/report_run_context.h"

namespace {

enum Builtin {
    BuiltinNewLine,
    BuiltinNewPar,
    BuiltinNewPage,
    BuiltinSoundex,
    BuiltinURoman,
    BuiltinLRoman,
    BuiltinUAlpha,
    BuiltinLAlpha,
    BuiltinRgb,
    BuiltinUCase,
    BuiltinLCase,
    BuiltinUCaseFirst,
    BuiltinLCaseFirst,
    BuiltinLength,
    BuiltinLeft,
    BuiltinRight,
    BuiltinMid,
    BuiltinInString,
    BuiltinFind,
    BuiltinSqrt,
    BuiltinSin,
    BuiltinCos,
    BuiltinTan,
    BuiltinMax,
    BuiltinMin,
    BuiltinString,
    BuiltinInteger,
    BuiltinLong,
    BuiltinReal,
    BuiltinBoolean,
    BuiltinNot,
    BuiltinWeekday,
    BuiltinMonth,
    BuiltinCount,
};

// In the order in which they are compared.
const char* const BuiltinNames[BuiltinCount] = {
    "NEWLINE", "NEWPAR", "NEWPAGE",     "SOUNDEX(",    "UROMAN(",  "LROMAN(", "UALPHA(", "LALPHA(", "RGB(",
    "UCASE(",  "LCASE(", "UCASEFIRST(", "LCASEFIRST(", "LENGTH(",  "LEFT(",   "RIGHT(",  "MID(",    "INSTRING(",
    "FIND(",   "SQRT(",  "SIN(",        "COS(",        "TAN(",     "MAX(",    "MIN(",    "STRING(", "INTEGER(",
    "LONG(",   "REAL(",  "BOOLEAN(",    "NOT(",        "WEEKDAY(", "MONTH(",
};

// Record codes of the report document that break lines, paragraphs and pages.
constexpr char LineBreakCode = 11;
constexpr char ParagraphBreakCode = 14;
constexpr char PageBreakCode = 12;

bool IsWordCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::string Roman(std::int32_t n, bool upper)
{
    if (n > 4000)
        return "OVERFLOW";
    static const struct {
        int value;
        const char* letters;
        bool repeat;
    } steps[] = {
        {1000, "M", true}, {900, "CM", false}, {500, "D", false}, {400, "CD", false}, {100, "C", true},
        {90, "XC", false}, {50, "L", false},   {40, "XL", false}, {10, "X", true},    {9, "IX", false},
        {5, "V", false},   {4, "IV", false},   {1, "I", true},
    };
    std::string text;
    for (const auto& step : steps) {
        while (n >= step.value) {
            text += step.letters;
            n -= step.value;
            if (!step.repeat)
                break;
        }
    }
    if (!upper)
        for (char& c : text)
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Bijective base 26: 1 A, 26 Z, 27 AA; the six lowest places at most.
std::string Alphabetic(std::int32_t n, bool upper)
{
    std::string text;
    for (std::uint32_t rest = n > 0 ? static_cast<std::uint32_t>(n) : 0; rest != 0 && text.size() < 6;
         rest = (rest - 1) / 26)
        text.insert(text.begin(), static_cast<char>((upper ? 'A' : 'a') + (rest - 1) % 26));
    return text;
}

char ChangeCase(char c, bool upper)
{
    if (upper && c >= 'a' && c <= 'z')
        return static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z')
        return static_cast<char>(c - 'A' + 'a');
    return c;
}

// The non-negative remainder of a division.
std::int32_t Modulo(std::int64_t n, std::int32_t m)
{
    auto r = static_cast<std::int32_t>(n % m);
    return r < 0 ? r + m : r;
}

const char* const WeekdayKeys[7] = {
    LanguageKey("WEEKDAY_SUNDAY"),    LanguageKey("WEEKDAY_MONDAY"),   LanguageKey("WEEKDAY_TUESDAY"),
    LanguageKey("WEEKDAY_WEDNESDAY"), LanguageKey("WEEKDAY_THURSDAY"), LanguageKey("WEEKDAY_FRIDAY"),
    LanguageKey("WEEKDAY_SATURDAY"),
};

const char* const FrenchDays[10] = {"primidi",
                                    "duodi",
                                    "tridi",
                                    "quartidi",
                                    "quintidi",
                                    "sextidi",
                                    "septidi",
                                    "octidi",
                                    "nonidi",
                                    "d\xE9"
                                    "cadi"};

const char* const MonthKeys[12] = {
    LanguageKey("DATE_MONTH1"), LanguageKey("DATE_MONTH2"),  LanguageKey("DATE_MONTH3"),  LanguageKey("DATE_MONTH4"),
    LanguageKey("DATE_MONTH5"), LanguageKey("DATE_MONTH6"),  LanguageKey("DATE_MONTH7"),  LanguageKey("DATE_MONTH8"),
    LanguageKey("DATE_MONTH9"), LanguageKey("DATE_MONTH10"), LanguageKey("DATE_MONTH11"), LanguageKey("DATE_MONTH12"),
};

const char* const FrenchMonthKeys[13] = {
    LanguageKey("DATE_FRENCH1"),  LanguageKey("DATE_FRENCH2"),  LanguageKey("DATE_FRENCH3"),
    LanguageKey("DATE_FRENCH4"),  LanguageKey("DATE_FRENCH5"),  LanguageKey("DATE_FRENCH6"),
    LanguageKey("DATE_FRENCH7"),  LanguageKey("DATE_FRENCH8"),  LanguageKey("DATE_FRENCH9"),
    LanguageKey("DATE_FRENCH10"), LanguageKey("DATE_FRENCH11"), LanguageKey("DATE_FRENCH12"),
    LanguageKey("DATE_FRENCH13"),
};

constexpr std::size_t MonthNameLength = 31;

} // namespace

int ExpressionReader::EvaluateBuiltin(ReportValue& target)
{
    std::uint32_t end = position_;
    while (IsWordCharacter(text_[end]))
        ++end;
    if (text_[end] == '(')
        ++end;
    std::string_view word(text_ + position_, end - position_);
    if (word.empty())
        return 0;
    if (const NamedConstant* constant = FindNamedConstant(word)) {
        position_ = end;
        target.Reset(ReportInteger);
        target.SetInteger(constant->value);
        return 1;
    }
    for (int which = 0; which < BuiltinCount; ++which) {
        if (word == BuiltinNames[which]) {
            position_ = end;
            return CallBuiltin(which, target);
        }
    }
    return 0;
}

int ExpressionReader::EvaluateArgument(ReportValue& argument, std::int32_t type, bool last)
{
    argument.Clear();
    argument.Init(type);
    if (!Evaluate(argument))
        return 0;
    if (!last) {
        if (text_[position_] != ',')
            return Fail(ReportErrorSyntax);
        ++position_;
    }
    return 1;
}

int ExpressionReader::CallBuiltin(int which, ReportValue& target)
{
    ReportValue a, b, c;
    auto text = [&](const std::string& s) {
        target.Reset(ReportString);
        target.SetStringN(s.data(), s.size());
        return 1;
    };
    auto integer = [&](std::int32_t n) {
        target.Reset(ReportInteger);
        target.SetInteger(n);
        return 1;
    };
    auto real = [&](double r) {
        target.Reset(ReportReal);
        target.SetReal(r);
        return 1;
    };
    auto boolean = [&](bool truth) {
        target.Reset(ReportBoolean);
        target.SetBoolean(truth ? 1 : 0);
        return 1;
    };

    switch (which) {
    case BuiltinNewLine:
        return text(std::string(1, LineBreakCode));
    case BuiltinNewPar:
        return text(std::string(1, ParagraphBreakCode));
    case BuiltinNewPage:
        return text(std::string(1, PageBreakCode));
    case BuiltinSoundex: {
        if (!EvaluateArgument(a, ReportString, true))
            return 0;
        char code[SoundexSize];
        return text(ComputeSoundex(a.TextOrEmpty(), code));
    }
    case BuiltinURoman:
    case BuiltinLRoman:
        if (!EvaluateArgument(a, ReportInteger, true))
            return 0;
        return text(Roman(a.Integer(), which == BuiltinURoman));
    case BuiltinUAlpha:
    case BuiltinLAlpha:
        if (!EvaluateArgument(a, ReportInteger, true))
            return 0;
        return text(Alphabetic(a.Integer(), which == BuiltinUAlpha));
    case BuiltinRgb:
        if (!EvaluateArgument(a, ReportInteger, false) || !EvaluateArgument(b, ReportInteger, false) ||
            !EvaluateArgument(c, ReportInteger, true))
            return 0;
        return integer((a.Integer() & 255) + 256 * (b.Integer() & 255) + 65536 * (c.Integer() & 255));
    case BuiltinUCase:
    case BuiltinLCase:
    case BuiltinUCaseFirst:
    case BuiltinLCaseFirst: {
        if (!EvaluateArgument(a, ReportString, true))
            return 0;
        std::string s = a.TextOrEmpty();
        bool upper = which == BuiltinUCase || which == BuiltinUCaseFirst;
        std::size_t count = which == BuiltinUCase || which == BuiltinLCase ? s.size() : (s.empty() ? 0 : 1);
        for (std::size_t i = 0; i < count; ++i)
            s[i] = ChangeCase(s[i], upper);
        return text(s);
    }
    case BuiltinLength:
        if (!EvaluateArgument(a, ReportString, true))
            return 0;
        return integer(static_cast<std::int32_t>(std::strlen(a.TextOrEmpty())));
    case BuiltinLeft:
    case BuiltinRight: {
        if (!EvaluateArgument(a, ReportString, false) || !EvaluateArgument(b, ReportInteger, true))
            return 0;
        std::string s = a.TextOrEmpty();
        std::int32_t n = b.Integer();
        // A negative count gives the empty text.
        if (n < 0)
            return text("");
        auto count = static_cast<std::size_t>(n);
        if (which == BuiltinLeft)
            return text(s.substr(0, count));
        return text(count > s.size() ? std::string() : s.substr(s.size() - count));
    }
    case BuiltinMid: {
        if (!EvaluateArgument(a, ReportString, false) || !EvaluateArgument(b, ReportInteger, false))
            return 0;
        if (b.Integer() < 1)
            return Fail(ReportErrorRange);
        if (!EvaluateArgument(c, ReportInteger, true))
            return 0;
        std::string s = a.TextOrEmpty();
        auto start = static_cast<std::size_t>(b.Integer());
        if (start > s.size() || c.Integer() < 0)
            return text("");
        return text(s.substr(start - 1, static_cast<std::size_t>(c.Integer())));
    }
    case BuiltinInString:
    case BuiltinFind: {
        if (!EvaluateArgument(a, ReportString, false) || !EvaluateArgument(b, ReportString, true))
            return 0;
        const char* found = std::strstr(a.TextOrEmpty(), b.TextOrEmpty());
        if (which == BuiltinInString)
            return boolean(found != nullptr);
        return integer(found == nullptr ? 0 : static_cast<std::int32_t>(found - a.TextOrEmpty()) + 1);
    }
    case BuiltinSqrt:
    case BuiltinSin:
    case BuiltinCos:
    case BuiltinTan: {
        if (!EvaluateArgument(a, ReportReal, true))
            return 0;
        double x = a.Real();
        return real(which == BuiltinSqrt  ? std::sqrt(x)
                    : which == BuiltinSin ? std::sin(x)
                    : which == BuiltinCos ? std::cos(x)
                                          : std::tan(x));
    }
    case BuiltinMax:
    case BuiltinMin: {
        if (!EvaluateArgument(a, ReportReal, false) || !EvaluateArgument(b, ReportReal, true))
            return 0;
        double x = a.Real(), y = b.Real();
        if (which == BuiltinMax)
            return real(x <= y ? y : x);
        return real(y <= x ? y : x);
    }
    case BuiltinString:
    case BuiltinInteger:
    case BuiltinLong:
    case BuiltinReal:
    case BuiltinBoolean: {
        static const std::int32_t types[] = {ReportString, ReportInteger, ReportLong, ReportReal, ReportBoolean};
        target.Reset(types[which - BuiltinString]);
        return Evaluate(target);
    }
    case BuiltinNot:
        if (!EvaluateArgument(a, ReportBoolean, true))
            return 0;
        return boolean(a.Boolean() == 0);
    case BuiltinWeekday: {
        if (!EvaluateArgument(a, ReportInteger, false) || !EvaluateArgument(b, ReportInteger, true))
            return 0;
        std::int32_t day = b.Integer();
        if (day < 0)
            return text("");
        if (a.Integer() == CalendarFrench)
            return text(FrenchDays[day % 10]);
        return text(context_->Host().LanguageText(WeekdayKeys[day % 7]));
    }
    case BuiltinMonth: {
        if (!EvaluateArgument(a, ReportInteger, false) || !EvaluateArgument(b, ReportInteger, true))
            return 0;
        std::int32_t month = b.Integer();
        // Months wrap around their table in both directions, so no number reaches outside it.
        const char* key = a.Integer() == CalendarFrench ? FrenchMonthKeys[Modulo(std::int64_t{month} - 1, 13)]
                                                        : MonthKeys[Modulo(std::int64_t{month} - 1, 12)];
        std::string name = context_->Host().LanguageText(key);
        if (name.size() > MonthNameLength)
            name.resize(MonthNameLength);
        return text(name);
    }
    default:
        return 0;
    }
}
