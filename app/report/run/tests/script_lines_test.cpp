#include <gtest/gtest.h>

#include <string>

#include "report/run/script_lines.h"

namespace {

std::string LineText(const ScriptLines& lines, std::int32_t i)
{
    std::string text;
    for (const char* p = lines.Line(i); *p != '\0' && *p != '\r'; ++p)
        text += *p;
    return text;
}

TEST(ScriptLines, CutsAtEachLineEnd)
{
    struct Case {
        const char* script;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"A", {"A"}},
        {"A\r\nB", {"A", "B"}},
        {"A\r\nB\r\n", {"A", "B"}},    // no empty last line
        {"A\r\n\r\nB", {"A", "", "B"}}, // an empty line inside
        {"A\r", {"A"}},                 // a bare CR at the very end: nothing is read past the NUL
        {"A\rB", {"A", "B"}},           // a bare CR keeps the next line whole
    };
    for (const Case& c : cases) {
        std::string script = c.script;
        ScriptLines lines;
        lines.Build(script.c_str());
        ASSERT_EQ(lines.Count(), static_cast<std::int32_t>(c.lines.size())) << c.script;
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(LineText(lines, static_cast<std::int32_t>(i)), c.lines[i]) << c.script;
        EXPECT_EQ(lines.Line(lines.Count()), nullptr);
        EXPECT_EQ(lines.Line(-1), nullptr);
    }
}

TEST(ScriptLines, HoldsMoreThan32767Lines)
{
    std::string script;
    for (int i = 0; i < 40000; ++i)
        script += "L" + std::to_string(i) + "\r\n";
    ScriptLines lines;
    lines.Build(script.c_str());
    ASSERT_EQ(lines.Count(), 40000);
    EXPECT_EQ(LineText(lines, 39999), "L39999");
    EXPECT_EQ(LineText(lines, 32768), "L32768");
}

TEST(ScriptLabels, NamesColonLinesInOrder)
{
    std::string script = ":LOOP  comment\r\n  :INDENTED\r\n:ABCDEFGHIJKLMNOPQ\r\nPRINT 1\r\n: \tSPACED\r\n";
    ScriptLines lines;
    lines.Build(script.c_str());
    ScriptLabels labels;
    labels.Build(lines);
    ASSERT_EQ(labels.Count(), 3);
    EXPECT_EQ(labels.Find("LOOP"), 0);
    EXPECT_EQ(labels.Find("INDENTED"), -1); // an indented colon line is no label
    EXPECT_EQ(labels.Find("ABCDEFGHIJKLMNO"), 2);
    EXPECT_EQ(labels.Find("SPACED"), 4);
    EXPECT_EQ(labels.Find("loop"), -1);
    EXPECT_EQ(labels.Find(""), -1);
}

TEST(ScriptLabels, KeepsTheFirst64)
{
    std::string script;
    for (int i = 1; i <= 65; ++i)
        script += ":L" + std::to_string(i) + "\r\n";
    ScriptLines lines;
    lines.Build(script.c_str());
    ScriptLabels labels;
    labels.Build(lines);
    EXPECT_EQ(labels.Count(), 64);
    EXPECT_EQ(labels.Find("L64"), 63);
    EXPECT_EQ(labels.Find("L65"), -1);
}

} // namespace
