// The line reader through whole conversions: line checks, tags, pointers, skipping and the log's layout.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "gedcom/gedcom_reader.h"
#include "gedcom/tests/test_host.h"

namespace pendrax::test {
namespace {

std::string Lines(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string Wrap(std::initializer_list<std::string_view> records)
{
    std::string text = "0 HEAD\r\n1 CHAR ANSI\r\n";
    for (std::string_view line : records) {
        text += line;
        text += "\r\n";
    }
    return text + "0 TRLR\r\n";
}

TEST(GedcomLineReaderTest, UnknownTagIsLoggedWithLineAndCaretAndItsSubordinateIsReadAsRecordLine)
{
    TestHost host;
    ASSERT_EQ(ConvertText(Wrap({"0 @I1@ INDI", "1 FOO bar", "2 DATE 1850", "1 SEX M"}), {}, host), ConvertOk);
    EXPECT_EQ(host.log, "\r\nError on line 4: Message 3\r\n1 FOO bar\r\n  ^\r\n"
                        "\r\nError on line 5: Message 5\r\n2 DATE 1850\r\n  ^\r\n");
    EXPECT_NE(host.output.find("<person id=\"P1\" sex=\"male\">"), std::string::npos);
}

TEST(GedcomLineReaderTest, SkippedSubtreeIsListedInTheLog)
{
    std::string gedcom = Wrap({"0 @I1@ INDI", "1 _CUSTOM x", "2 A one", "3 B two", "2 C three", "1 SEX F"});
    TestHost notRead;
    ASSERT_EQ(ConvertText(gedcom, {}, notRead), ConvertOk);
    const std::string listed = "The following lines were skipped:\r\n2 A one\r\n3 B two\r\n2 C three\r\n\r\n";
    EXPECT_EQ(notRead.log, "\r\nError on line 4: Message 2\r\n1 _CUSTOM x\r\n  ^\r\n" + listed);

    ConvertOptions extensions;
    extensions.readExtensions = true;
    TestHost unknown;
    ASSERT_EQ(ConvertText(gedcom, extensions, unknown), ConvertOk);
    EXPECT_EQ(unknown.log, "\r\nError on line 4: Message 3\r\n1 _CUSTOM x\r\n  ^\r\n" + listed);
}

TEST(GedcomLineReaderTest, MalformedLinesAreLoggedAndPassedWithTheirSubordinates)
{
    struct Case {
        std::string line;
        int code;
        bool withSubordinate = true;
    };
    // A line without a readable level goes alone: lines after it cannot be known as its subordinates.
    const Case cases[] = {
        {"100 NOTE three-digit level", LogBadLine, false},
        {"x NOTE no level", LogBadLine, false},
        {"1NOTE no blank", LogBadLine, false},
        {"1", LogBadLine, false},
        {std::string(300, 'x'), LogBadLine, false},
        {"1 @N1 NOTE unclosed", LogBadXref},
        {"1 @@ NOTE empty", LogBadXref},
        {"1 @N1@NOTE no blank", LogBadLine},
        {"1 NOTE @N1@x pointer without blank", LogBadLine},
        {"1 NOTE @N1 pointer unclosed", LogBadXref},
    };
    for (const Case& c : cases) {
        TestHost host;
        std::string gedcom = c.withSubordinate ? Wrap({"0 @I1@ INDI", c.line, "2 CONT under the bad line", "1 SEX M"})
                                               : Wrap({"0 @I1@ INDI", c.line, "1 SEX M"});
        ASSERT_EQ(ConvertText(gedcom, {}, host), ConvertOk) << c.line;
        EXPECT_EQ(host.log.find("\r\nError on line 4: Message " + std::to_string(c.code) + "\r\n"), 0u)
            << c.line << host.log;
        EXPECT_EQ(host.log.find("Error on line", 10), std::string::npos) << c.line << host.log;
        EXPECT_NE(host.output.find("<person id=\"P1\" sex=\"male\">"), std::string::npos) << c.line;
    }
}

TEST(GedcomLineReaderTest, WhatTheGrammarAllowsIsRead)
{
    const std::string xref19 = "I123456789012345678", xref20 = "I1234567890123456789";
    const std::string xref30 = "I12345678901234567890123456789";
    struct Case {
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {{"0 @I1@ INDI", "  1 NAME Anna /Berg/"}},
        {{"0 @I1@ INDI", "\t1 NAME Anna /Berg/"}},
        {{"0 @I1@ INDI", "1\tNAME Anna /Berg/"}},
        {{"0 @I1@ INDI", "   ", "1 NAME Anna /Berg/", "\t"}},
        {{"0 @I1@ INDI", "1 NAME Anna /Berg/", "2 NOTE deep", "3 CONT er", "4 CONT still", "12 CONT twelve",
          "99 CONT and 99"}},
        {{"0 @" + xref19 + "@ INDI", "1 NAME Anna /Berg/", "0 @F1@ FAM", "1 HUSB @" + xref19 + "@"}},
        {{"0 @" + xref20 + "@ INDI", "1 NAME Anna /Berg/", "0 @F1@ FAM", "1 HUSB @" + xref20 + "@"}},
        {{"0 @" + xref30 + "@ INDI", "1 NAME Anna /Berg/", "0 @F1@ FAM", "1 HUSB @" + xref30 + "@"}},
    };
    for (const Case& c : cases) {
        std::string gedcom = "0 HEAD\r\n1 CHAR ANSI\r\n";
        for (const std::string& line : c.lines)
            gedcom += line + "\r\n";
        gedcom += "0 TRLR\r\n";
        TestHost host;
        ASSERT_EQ(ConvertText(gedcom, {}, host), ConvertOk) << c.lines[1];
        EXPECT_EQ(host.log, "") << c.lines[1];
        EXPECT_NE(host.output.find("<np tp=\"unkw\">Anna </np><np tp=\"surn\">Berg</np>"), std::string::npos)
            << c.lines[1];
        EXPECT_EQ(host.output.find("P0"), std::string::npos) << c.lines[1];
    }
}

TEST(GedcomLineReaderTest, LineOf255BytesIsReadAndALongerOneIsLoggedAndCut)
{
    std::string value255 = "1 NOTE " + std::string(255 - 7, 'n');
    TestHost fits;
    EXPECT_EQ(ConvertText(Wrap({"0 @I1@ INDI", value255}), {}, fits), ConvertOk);
    EXPECT_NE(fits.output.find(">" + std::string(248, 'n') + "<"), std::string::npos);
    EXPECT_EQ(fits.log, "");

    TestHost tooLong;
    EXPECT_EQ(ConvertText(Wrap({"0 @I1@ INDI", value255 + "cut off"}), {}, tooLong), ConvertOk);
    EXPECT_EQ(tooLong.log, "\r\nError on line 4: Message 6\r\n" + value255 + "\r\n^\r\n");
    EXPECT_NE(tooLong.output.find(">" + std::string(248, 'n') + "<"), std::string::npos);
}

TEST(GedcomLineReaderTest, EndOfInputBeforeTrailerFailsWithoutOutput)
{
    TestHost host;
    EXPECT_EQ(ConvertText(Lines({"0 HEAD", "1 CHAR ANSI", "0 @I1@ INDI", "1 SEX M"}), {}, host), ConvertReadFailed);
    EXPECT_EQ(host.log, "\r\nError on line 5: Message 1\r\n\r\n^\r\n");
    EXPECT_FALSE(host.outputCreated);
    EXPECT_TRUE(host.output.empty());

    TestHost empty;
    EXPECT_EQ(ConvertText("", {}, empty), ConvertReadFailed);
    EXPECT_EQ(empty.log.find("\r\nError on line 1: Message 1\r\n"), 0u);
}

TEST(GedcomLineReaderTest, OneEntryPerLineWithTheFirstCode)
{
    TestHost host;
    ASSERT_EQ(ConvertText(Wrap({"0 @I1@ INDI", "1 BIRT", "2 DATE BETWEEN 1850"}), {}, host), ConvertOk);
    EXPECT_EQ(host.log, "\r\nError on line 5: Message 13\r\n2 DATE BETWEEN 1850\r\n       ^\r\n");
}

TEST(GedcomLineReaderTest, CaretLineIsCutAt63Characters)
{
    TestHost host;
    std::string line = "1 ANCI" + std::string(70, ' ') + "x";
    ASSERT_EQ(ConvertText(Wrap({"0 @I1@ INDI", line, "1 SEX M"}), {}, host), ConvertOk);
    EXPECT_EQ(host.log, "\r\nLine 4: Message 100\r\n" + line + "\r\n" + std::string(61, ' '));
}

TEST(GedcomLineReaderTest, DoubledAtSignIsNoPointerAndCalendarEscapeIsNoPointer)
{
    TestHost host;
    ASSERT_EQ(ConvertText(Wrap({"0 @I1@ INDI", "1 NOTE @@home", "1 BIRT", "2 DATE @#DJULIAN@ 1 JAN 1700"}), {}, host),
              ConvertOk);
    EXPECT_EQ(host.log, "");
    EXPECT_NE(host.output.find("<info><text>@home</text>"), std::string::npos);
    EXPECT_NE(host.output.find("<exact cal=\"julian\">1700-01-01</exact>"), std::string::npos);
}

TEST(GedcomLineReaderTest, LogLevelLeavesOutInformationAndSomeTagWarnings)
{
    std::string gedcom = Wrap({"0 @I1@ INDI", "1 ANCI x", "1 NUMB 3", "1 LVG Y"});
    TestHost everything;
    ASSERT_EQ(ConvertText(gedcom, {}, everything), ConvertOk);
    EXPECT_NE(everything.log.find("\r\nLine 4: Message 100\r\n1 ANCI x\r\n       ^\r\n"), std::string::npos);
    EXPECT_NE(everything.log.find("Error on line 5: Message 3"), std::string::npos);

    ConvertOptions quiet;
    quiet.logLevel = 2;
    TestHost less;
    ASSERT_EQ(ConvertText(gedcom, quiet, less), ConvertOk);
    EXPECT_EQ(less.log, "");
}

std::string Utf16(std::string_view ascii, bool bigEndian)
{
    std::string bytes = bigEndian ? std::string("\xFE\xFF") : std::string("\xFF\xFE");
    for (char c : ascii) {
        if (bigEndian) {
            bytes += '\0';
            bytes += c;
        } else {
            bytes += c;
            bytes += '\0';
        }
    }
    return bytes;
}

TEST(GedcomLineReaderTest, ByteOrderMarksSelectTheSet)
{
    std::string gedcom = "0 HEAD\r\n1 CHAR UNICODE\r\n0 @I1@ INDI\r\n1 NAME Ann /Lee/\r\n0 TRLR\r\n";
    for (bool bigEndian : {false, true}) {
        TestHost host;
        ASSERT_EQ(ConvertText(Utf16(gedcom, bigEndian), {}, host), ConvertOk) << bigEndian;
        EXPECT_NE(host.output.find(">Ann <"), std::string::npos);
        EXPECT_EQ(host.log, "");
    }
    TestHost utf8;
    ASSERT_EQ(ConvertText("\xEF\xBB\xBF"
                          "0 HEAD\r\n1 CHAR UTF-8\r\n0 @I1@ INDI\r\n1 NAME J\xC3\xB6rg\r\n0 TRLR",
                          {}, utf8),
              ConvertOk);
    EXPECT_NE(utf8.output.find(">J\xF6rg<"), std::string::npos);
}

TEST(GedcomLineReaderTest, Utf16LineIsBoundedAndProgressAdvances)
{
    TestHost tooLong;
    std::string gedcom =
        "0 HEAD\r\n1 CHAR UNICODE\r\n0 @I1@ INDI\r\n1 NOTE " + std::string(300, 'x') + "\r\n0 TRLR\r\n";
    EXPECT_EQ(ConvertText(Utf16(gedcom, false), {}, tooLong), ConvertOk);
    EXPECT_EQ(tooLong.log, "\r\nError on line 4: Message 6\r\n1 NOTE " + std::string(248, 'x') + "\r\n^\r\n");

    TestHost progress;
    std::string records = "0 HEAD\r\n1 CHAR UNICODE\r\n0 @I1@ INDI\r\n0 @I2@ INDI\r\n0 TRLR\r\n";
    ASSERT_EQ(ConvertText(Utf16(records, false), {}, progress), ConvertOk);
    ASSERT_EQ(progress.progress.size(), 2u);
    EXPECT_GT(progress.progress[0], 0);
    EXPECT_GT(progress.progress[1], progress.progress[0]);
}

} // namespace
} // namespace pendrax::test
