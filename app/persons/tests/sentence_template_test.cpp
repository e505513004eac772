// The template language on an assertion whose fields the test sets: groups, negation, fields, choices by
// sex, escapes, the full-stop rule and the bounds of template and output.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "core/database.h"
#include "core/name_record.h"
#include "persons/assertion.h"
#include "core/bounded_text.h"
#include "settings/settings.h"

namespace {

class FieldsAssertion : public Assertion {
public:
    explicit FieldsAssertion(Database& database) : Assertion(database) {}
    std::int32_t Read(std::int32_t) override { return 0; }
    std::int32_t NewId() override { return 0; }
    std::int32_t Write() override { return 0; }
    bool Save() override { return true; }
    void LoadLinked() override {}
    bool Delete() override { return true; }
    AssertionKind Kind() const override { return AssertionEvent; }
    const char* GetSentenceTemplate(int witness) override
    {
        return witness ? witnessTemplate.c_str() : principalTemplate.c_str();
    }
    int HasField(char letter, const AssertionLink&) override { return present.count(letter) ? 1 : 0; }
    void GetFieldText(char* buffer, std::size_t size, char letter, const AssertionLink&, const NameRecord&,
                      bool) override
    {
        asked += letter;
        auto found = texts.find(letter);
        if (found != texts.end())
            CopyBounded(buffer, size, found->second.c_str());
    }

    std::string principalTemplate;
    std::string witnessTemplate;
    std::set<char> present;
    std::map<char, std::string> texts;
    std::string asked;
};

class SentenceTemplate : public ::testing::Test {
protected:
    SentenceTemplate() : assertion(database), link(database), name(database) {}

    std::string Expand(const std::string& text, int sex = 1, std::size_t capacity = 256)
    {
        assertion.principalTemplate = text;
        std::string out(capacity + 8, '#');
        assertion.FormatSentence(out.data(), capacity, link, name, sex, false, ScreenDatePicture());
        EXPECT_EQ(out[capacity], '#') << "written past the capacity";
        return out.c_str();
    }

    Database database;
    FieldsAssertion assertion;
    AssertionLink link;
    NameRecord name;
};

TEST_F(SentenceTemplate, GroupsFieldsAndEscapes)
{
    assertion.texts = {{'p', "Oslo, Norway"}, {'d', "15.03.1900"}, {'a', "Storgata 1"}};
    assertion.present = {'p', 'd'};
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"born[d? {d}][p? in {p}].", "born 15.03.1900 in Oslo, Norway."},
        {"[n?note: {n}]x", "x"},
        {"[!n?no note]", "no note"},
        {"[!p?no place]", ""},
        {"[np?at {p}]", "at Oslo, Norway"}, // one letter of the condition suffices
        {"[n!d?shown]", ""},                // ! applies to the next letter only
        {"[d?a[n?b]c]", "ac"},              // nested, hidden inner group
        {"[n?a[d?b]c]d", "d"},              // hidden group passes over its nested groups
        {"[d]after", "after"},              // a group without ? shows nothing
        {"[?never]x", "x"},                 // no letter: never shown
        {"{P}", "Oslo, Norway"},
        {"{Pxyz}", "Oslo, Norway"}, // only the first character counts
        {"a\\[b\\]", "a[b]"},
        {"a ? | > } ! b", "a ? | > } ! b"}, // plain outside their constructs
        {"a]b", "a"},                       // a ] that closes no group ends the expansion
        {"x[d?{d}", "x15.03.1900"},         // a group left open at the end
        {"x{d", "x15.03.1900"},             // a field left open at the end
        {"x\\", "x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Expand(c.text), c.expected) << c.text;
}

TEST_F(SentenceTemplate, UpperCaseFieldLetterAsksLowerAndCapitalises)
{
    assertion.texts = {{'p', "oslo"}, {'c', "\xE9glise"}};
    EXPECT_EQ(Expand("{P} {p} {C}"), "Oslo oslo \xC9glise");
    EXPECT_EQ(assertion.asked, "ppc");
}

TEST_F(SentenceTemplate, FullStopIsNotDoubled)
{
    assertion.texts = {{'e', ""}, {'t', "Jr."}};
    EXPECT_EQ(Expand("end.{e}."), "end.");
    EXPECT_EQ(Expand("end.\\."), "end.");
    EXPECT_EQ(Expand("{t}."), "Jr.");
    EXPECT_EQ(Expand("a.b."), "a.b.");
}

TEST_F(SentenceTemplate, ChoiceBySex)
{
    struct Case {
        const char* text;
        int sex;
        const char* expected;
    } cases[] = {
        {"<he|she>", 1, "he"},
        {"<he|she>", 2, "she"},
        {"<he|she>", 0, "he/she"},
        {"<he|she>", 7, "he/she"},
        {"<he|she|they>", 0, "they"},
        {"<he|she|they>", 2, "she"},
        {"<x>", 1, "x"},
        {"<x>", 2, ""},
        {"<x>", 0, "x/"},
        {"<He|She> was", 2, "She was"},
        {"<a|b", 1, "a"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Expand(c.text, c.sex), c.expected) << c.text << " sex " << c.sex;
    // Only the first 31 characters of a choice count.
    EXPECT_EQ(Expand("<" + std::string(40, 'm') + "|f>", 1), std::string(31, 'm'));
}

TEST_F(SentenceTemplate, TemplateIsCutTo63Characters)
{
    const std::string longer = std::string(63, 'a') + "bbbbbbb";
    EXPECT_EQ(Expand(longer), std::string(63, 'a'));
}

TEST_F(SentenceTemplate, OutputIsCutAtItsCapacity)
{
    assertion.texts = {{'p', "Oslo, Norway"}};
    EXPECT_EQ(Expand("in {p} and more", 1, 10), "in Oslo, ");
    EXPECT_EQ(Expand("<abcdefghijkl|x>", 1, 4), "abc");
    EXPECT_EQ(Expand("abc", 1, 1), "");
}

TEST_F(SentenceTemplate, WitnessTemplateForAnyRoleButZero)
{
    assertion.principalTemplate = "principal";
    assertion.witnessTemplate = "";
    char out[64];
    link.row.roleId = 3;
    EXPECT_STREQ(assertion.FormatSentence(out, sizeof out, link, name, 1, false, ScreenDatePicture()), "");
    assertion.witnessTemplate = "witness";
    EXPECT_STREQ(assertion.FormatSentence(out, sizeof out, link, name, 1, false, ScreenDatePicture()), "witness");
    link.row.roleId = 0;
    EXPECT_STREQ(assertion.FormatSentence(out, sizeof out, link, name, 1, false, ScreenDatePicture()), "principal");
}

} // namespace
