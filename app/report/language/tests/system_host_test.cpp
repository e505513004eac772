// The program's report host: sorted lists in the user's locale order (CompareStringA under Windows), the
// language table's texts, the settings' colour and the clock. The same cases hold in both builds.
#include "report/language/system_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/language/collections.h"
#include "report/language/report_objects.h"
#include "report/language/tests/evaluator_support.h"
#include "settings/settings.h"
#include "tests/support/scoped_language.h"

namespace {

std::vector<std::string> Sorted(const ReportSortList& list)
{
    std::vector<std::string> texts;
    for (std::int32_t h = list.First(); h != 0; h = list.Next(h))
        texts.push_back(list.Item(h));
    return texts;
}

TEST(SystemReportHost, SortListsFollowTheLocaleWithCaseCounted)
{
    SystemReportHost host;
    const struct {
        std::vector<const char*> texts;
        std::vector<std::string> sorted;
    } cases[] = {
        {{"B", "a"}, {"a", "B"}},
        {{"b", "a", "c"}, {"a", "b", "c"}},
        {{"A", "a"}, {"a", "A"}},
        {{"Smith", "smith", "Smithe", "adams"}, {"adams", "smith", "Smith", "Smithe"}},
        {{"Zebra", "apple", "Mango"}, {"apple", "Mango", "Zebra"}},
        {{"10", "9", "1"}, {"1", "10", "9"}},
    };
    for (const auto& c : cases) {
        ReportSortList list(host);
        for (const char* text : c.texts)
            list.Insert(text, 0);
        EXPECT_EQ(Sorted(list), c.sorted);
        for (const char* text : c.texts)
            EXPECT_EQ(list.Item(list.Find(text)), text);
    }
    ReportSortList equal(host);
    for (int i = 0; i < 3; ++i)
        equal.Insert("same", static_cast<std::uint32_t>(i));
    EXPECT_EQ(equal.Find("same"), 2);
    EXPECT_EQ(equal.Find("Same"), 0);
}

TEST(SystemReportHost, TakesTextsSettingsAndTheClockOfTheProgram)
{
    test_support::ScopedLanguage language("WEEKDAY_MONDAY=Montag\r\nDATE_MONTH3=M\xE4rz\r\n");
    report_test::Evaluation run;
    SystemReportHost host;
    EXPECT_STREQ(host.LanguageText("WEEKDAY_MONDAY"), "Montag");
    EXPECT_STREQ(host.LanguageText("NO_SUCH_KEY"), "NO_SUCH_KEY");

    std::uint32_t saved = CurrentSettings.report.FontColors[ReportFontNormal];
    CurrentSettings.report.FontColors[ReportFontNormal] = 0x336699;
    ReportTextBox box(host);
    CurrentSettings.report.FontColors[ReportFontNormal] = saved;
    EXPECT_EQ(box.textColour, 0x336699u);

    ReportSystem system(host);
    EXPECT_GE(system.Time().year, 2020);
    EXPECT_GE(system.Time().month, 1);
    EXPECT_LE(system.Time().month, 12);
}

TEST(ReportErrorKey, EveryRunTimeErrorNumberHasAText)
{
    test_support::ScopedLanguage language(test_support::ScopedLanguage::Master());
    ASSERT_NE(language.get(), nullptr);
    SystemReportHost host;
    for (int error : {1,  2,  3,  4,  5,  6,  7,  10, 12, 16, 17, 18, 20, 22, 23, 24,
                      28, 32, 34, 35, 36, 39, 40, 42, 45, 46, 47, 48, 49, 50, 51}) {
        const char* key = ReportErrorKey(error);
        ASSERT_NE(key, nullptr) << error;
        EXPECT_EQ(std::string(key), "REPORT_ERROR" + std::to_string(error));
        EXPECT_STRNE(host.LanguageText(key), key) << error;
    }
    EXPECT_EQ(ReportErrorKey(8), nullptr);
    EXPECT_EQ(ReportErrorKey(0), nullptr);
}

} // namespace
