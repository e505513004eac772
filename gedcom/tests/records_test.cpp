// The record loop and the record readers: the conversion protocol, character sets, peculiarities of
// other programs and what is logged.
#include <gtest/gtest.h>

#include <string>

#include "gedcom/gedcom_reader.h"
#include "gedcom/record_reader.h"
#include "gedcom/tests/test_host.h"

namespace pendrax::test {
namespace {

bool Has(const std::string& text, std::string_view piece)
{
    return text.find(piece) != std::string::npos;
}

const char kTwoPersons[] = "0 HEAD\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 SEX M\r\n0 @I2@ INDI\r\n0 TRLR\r\n";

TEST(GedcomRecordLoopTest, ProgressIsSentBeforeEachRecordAndItsAnswerZeroStops)
{
    TestHost host;
    ASSERT_EQ(ConvertText(kTwoPersons, {}, host), ConvertOk);
    EXPECT_EQ(host.progress, (std::vector<int>{32, 67}));
    // What lies before each record is done with: the offsets are the starts of the two records.
    std::string_view text(kTwoPersons);
    EXPECT_EQ(host.inputRead, (std::vector<uint64_t>{text.find("0 @I1@"), text.find("0 @I2@")}));

    TestHost cancelled;
    cancelled.stopAtProgress = 0;
    EXPECT_EQ(ConvertText(kTwoPersons, {}, cancelled), ConvertReadFailed);
    EXPECT_EQ(cancelled.log, "\r\nError on line 3: Message 11\r\n");
    EXPECT_FALSE(cancelled.outputCreated);
    EXPECT_EQ(cancelled.progress.size(), 1u);
}

TEST(GedcomRecordLoopTest, ProgressArithmeticHoldsForLargeFiles)
{
    EXPECT_EQ(ProgressPercent(30'000'000, 40'000'000), 75);
    EXPECT_EQ(ProgressPercent(3'000'000'000ull, 4'000'000'000ull), 75);
    EXPECT_EQ(ProgressPercent(5, 0), 0);
    EXPECT_EQ(ProgressPercent(50, 10), 100);
}

TEST(GedcomRecordLoopTest, OutputThatCannotBeCreatedGivesTwoAfterTheWholeInput)
{
    TestHost host;
    host.outputFails = true;
    EXPECT_EQ(ConvertText(kTwoPersons, {}, host), ConvertOutputFailed);
    EXPECT_EQ(host.progress.size(), 2u);
    EXPECT_EQ(host.log, "");
}

TEST(GedcomRecordLoopTest, FileWithoutHeadIsStillRead)
{
    TestHost host;
    ASSERT_EQ(ConvertText("0 @I1@ INDI\r\n1 SEX F\r\n0 TRLR\r\n", {}, host), ConvertOk);
    EXPECT_EQ(host.log, "\r\nError on line 1: Message 4\r\n");
    EXPECT_TRUE(Has(host.output, "<person id=\"P1\" sex=\"female\">"));
}

TEST(GedcomRecordLoopTest, CharacterSetNames)
{
    struct Case {
        std::string_view name;
        std::string_view bytes;
        std::string_view converted;
        bool logged;
    };
    const Case cases[] = {
        {"ANSI", "M\xFCller", "M\xFCller", false},
        {"ANSEL", "M\xE8uller", "M\xFCller", false},
        {"IBMPC", "M\x81ller", "M\xFCller", false},
        {"UTF-8", "M\xC3\xBCller", "M\xFCller", false},
        {"UTF8", "M\xC3\xBCller", "M\xFCller", false},
        {"ASCII", "M\xE8uller", "M\xFCller", true}, // unknown names read as ANSEL
        {"utf-8", "M\xC3\xBCller", "M\xFCller", false},
        {"Utf8", "M\xC3\xBCller", "M\xFCller", false},
        {"ansel", "M\xE8uller", "M\xFCller", false},
        {"ISO-8859-1", "M\xFCller", "M\xFCller", false},
        {"ISO8859-1", "M\xFCller", "M\xFCller", false},
        {"LATIN1", "M\xFCller", "M\xFCller", false},
        {"WINDOWS-1252", "M\xFCller \x80", "M\xFCller \x80", false},
        {"CP1252", "M\xFCller", "M\xFCller", false},
        {"ansi", "M\xFCller", "M\xFCller", false},
    };
    for (const Case& c : cases) {
        std::string gedcom = "0 HEAD\r\n1 CHAR " + std::string(c.name) + "\r\n0 @I1@ INDI\r\n1 NAME " +
                             std::string(c.bytes) + "\r\n0 TRLR\r\n";
        TestHost host;
        ASSERT_EQ(ConvertText(gedcom, {}, host), ConvertOk) << c.name;
        EXPECT_TRUE(Has(host.output, ">" + std::string(c.converted) + "<")) << c.name;
        EXPECT_EQ(host.log == "\r\nError on line 3: Message 12\r\n", c.logged) << c.name << host.log;
    }
}

TEST(GedcomRecordLoopTest, ByteOrderMarkAndFilesWithoutCharacterSet)
{
    struct Case {
        std::string_view name;
        std::string gedcom;
        bool logged;
    };
    const std::string records = "0 @I1@ INDI\r\n1 NAME Ren\xC3\xA9 /M\xC3\xBCller/\r\n0 TRLR\r\n";
    const Case cases[] = {
        {"mark, no CHAR",
         "\xEF\xBB\xBF"
         "0 HEAD\r\n" +
             records,
         false},
        {"mark, CHAR ANSEL",
         "\xEF\xBB\xBF"
         "0 HEAD\r\n1 CHAR ANSEL\r\n" +
             records,
         false},
        {"mark, CHAR ANSI",
         "\xEF\xBB\xBF"
         "0 HEAD\r\n1 CHAR ANSI\r\n" +
             records,
         false},
        {"GEDCOM 7", "0 HEAD\r\n1 GEDC\r\n2 VERS 7.0\r\n" + records, false},
        {"no mark, no CHAR", "0 HEAD\r\n" + records, false},
    };
    for (const Case& c : cases) {
        TestHost host;
        ASSERT_EQ(ConvertText(c.gedcom, {}, host), ConvertOk) << c.name;
        EXPECT_TRUE(Has(host.output, ">Ren\xE9 </np><np tp=\"surn\">M\xFCller<")) << c.name << host.output;
        EXPECT_EQ(Has(host.log, "Message 12"), c.logged) << c.name << host.log;
    }
    // Without CHAR, bytes that are not UTF-8 are still read as ANSEL, and that is logged.
    TestHost ansel;
    ASSERT_EQ(ConvertText("0 HEAD\r\n0 @I1@ INDI\r\n1 NAME M\xE8uller\r\n0 TRLR\r\n", {}, ansel), ConvertOk);
    EXPECT_TRUE(Has(ansel.output, ">M\xFCller<"));
    EXPECT_TRUE(Has(ansel.log, "Message 12"));
}

TEST(GedcomRecordLoopTest, RecordsThatEndOrPassTheReading)
{
    // A record without cross-reference is logged and skipped with its lines; the reading goes on.
    TestHost noXref;
    ASSERT_EQ(ConvertText("0 HEAD\r\n1 CHAR ANSI\r\n0 INDI\r\n1 NAME X\r\n0 @I1@ INDI\r\n0 TRLR\r\n", {}, noXref),
              ConvertOk);
    EXPECT_EQ(noXref.log, "\r\nError on line 3: Message 8\r\n0 INDI\r\n      ^\r\n"
                          "The following lines were skipped:\r\n1 NAME X\r\n\r\n");
    EXPECT_TRUE(Has(noXref.output, "<persons>1</persons>"));

    // A record of a kind the reader does not know goes whole; its lines reach no record before it.
    TestHost unknown;
    ASSERT_EQ(ConvertText("0 HEAD\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 NAME A /B/\r\n0 @N1@ SNOTE text\r\n"
                          "1 CONT more\r\n1 NAME C /D/\r\n0 TRLR\r\n",
                          {}, unknown),
              ConvertOk);
    EXPECT_EQ(unknown.log, "\r\nError on line 5: Message 3\r\n0 @N1@ SNOTE text\r\n       ^\r\n"
                           "The following lines were skipped:\r\n1 CONT more\r\n1 NAME C /D/\r\n\r\n");
    EXPECT_FALSE(Has(unknown.output, ">C <"));

    TestHost other;
    ASSERT_EQ(ConvertText("0 HEAD\r\n1 CHAR ANSI\r\n0 @X@ SUBN\r\n1 FAMF x\r\n0 @I1@ INDI\r\n0 TRLR\r\n", {}, other),
              ConvertOk);
    EXPECT_EQ(other.log, "\r\nError on line 3: Message 5\r\n0 @X@ SUBN\r\n  ^\r\n"
                         "The following lines were skipped:\r\n1 FAMF x\r\n\r\n");

    TestHost repository;
    ASSERT_EQ(ConvertText("0 HEAD\r\n1 CHAR ANSI\r\n0 @S1@ SOUR\r\n1 REPO\r\n2 CALN 1\r\n1 TITL T\r\n0 TRLR\r\n", {},
                          repository),
              ConvertOk);
    EXPECT_EQ(repository.log, "\r\nError on line 4: Message 8\r\n1 REPO\r\n      ^\r\n"
                              "The following lines were skipped:\r\n2 CALN 1\r\n\r\n");
    EXPECT_TRUE(Has(repository.output, "<title>T</title>"));
}

TEST(GedcomRecordReaderTest, AliasesBecomeNamesOnlyWhenAsked)
{
    const char gedcom[] = "0 HEAD\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 NAME A /B/\r\n1 NAME C /D/\r\n"
                          "1 ALIA E /F/\r\n1 ALIA @I2@\r\n0 @I2@ INDI\r\n0 TRLR\r\n";
    TestHost dropped;
    ASSERT_EQ(ConvertText(gedcom, {}, dropped), ConvertOk);
    EXPECT_FALSE(Has(dropped.output, ">E <"));
    EXPECT_EQ(dropped.log, "\r\nLine 7: Message 100\r\n1 ALIA @I2@\r\n           ^\r\n");

    ConvertOptions options;
    options.aliasAsName = true;
    TestHost kept;
    ASSERT_EQ(ConvertText(gedcom, options, kept), ConvertOk);
    EXPECT_TRUE(Has(kept.output, "<assertion id=\"A2\"><alias negative=\"false\"><personalname>"
                                 "<np tp=\"unkw\">E </np><np tp=\"surn\">F</np>"));
}

TEST(GedcomRecordReaderTest, PeculiaritiesOfOtherProgramsNeedExtensionsOn)
{
    ConvertOptions extensions;
    extensions.readExtensions = true;

    const char legacy[] =
        "0 HEAD\r\n1 SOUR Legacy\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 _STAT Never married\r\n0 TRLR\r\n";
    TestHost legacyOn;
    ASSERT_EQ(ConvertText(legacy, extensions, legacyOn), ConvertOk);
    EXPECT_TRUE(Has(legacyOn.output, "<info><text>Never married</text>"));

    const char brothers[] = "0 HEAD\r\n1 SOUR BROSKEEP\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 NAME A /B/\r\n"
                            "2 ALIA Al\r\n1 ADDR 5 Elm St\r\n1 PHON 123\r\n1 BIRT\r\n2 DATE 24.12.1850\r\n0 TRLR\r\n";
    TestHost brothersOn;
    ASSERT_EQ(ConvertText(brothers, extensions, brothersOn), ConvertOk);
    EXPECT_TRUE(Has(brothersOn.output, "<eventtype id=\"E1\" class=\"residence\">"));
    EXPECT_TRUE(Has(brothersOn.output, "<address><ap>5 Elm St</ap><lf/><phone>123</phone></address>"));
    EXPECT_TRUE(Has(brothersOn.output, "<exact>1850-12-24</exact>"));
    EXPECT_EQ(brothersOn.log, "");

    TestHost brothersOff;
    ASSERT_EQ(ConvertText(brothers, {}, brothersOff), ConvertOk);
    EXPECT_TRUE(Has(brothersOff.log, "\r\nError on line 6: Message 5\r\n2 ALIA Al\r\n  ^\r\n"));
    EXPECT_TRUE(Has(brothersOff.log, "\r\nError on line 7: Message 5\r\n1 ADDR 5 Elm St\r\n  ^\r\n"));
    EXPECT_TRUE(Has(brothersOff.log, "\r\nError on line 10: Message 10\r\n"));
}

TEST(GedcomRecordReaderTest, UnreadableDatesAreLeftOutAndLoggedOrKeptAsText)
{
    const char gedcom[] = "0 HEAD\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 BIRT\r\n2 DATE SUBMITTED\r\n2 PLAC Oslo\r\n"
                          "1 DEAT\r\n2 DATE 3 GERM 1795\r\n0 TRLR\r\n";
    TestHost dropped;
    ASSERT_EQ(ConvertText(gedcom, {}, dropped), ConvertOk);
    EXPECT_FALSE(Has(dropped.output, "<date>"));
    EXPECT_TRUE(Has(dropped.output, "<pnp>Oslo</pnp>"));
    EXPECT_TRUE(Has(dropped.log, "\r\nError on line 5: Message 10\r\n2 DATE SUBMITTED\r\n"));
    EXPECT_TRUE(Has(dropped.log, "\r\nError on line 8: Message 10\r\n2 DATE 3 GERM 1795\r\n"));

    ConvertOptions keep;
    keep.keepUnreadDates = true;
    TestHost kept;
    ASSERT_EQ(ConvertText(gedcom, keep, kept), ConvertOk);
    EXPECT_TRUE(Has(kept.output, "<date><text>SUBMITTED</text></date>"));
    EXPECT_TRUE(Has(kept.output, "<date><text>3 GERM 1795</text></date>"));
    EXPECT_EQ(kept.log, "");
}

TEST(GedcomRecordReaderTest, EventLinesByLogLevel)
{
    const char gedcom[] = "0 HEAD\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 BIRT\r\n2 QUAY 3\r\n2 DATE 1850\r\n"
                          "3 TIME 10:00\r\n1 CHR\r\n2 DATE CA 1850\r\n0 TRLR\r\n";
    TestHost everything;
    ASSERT_EQ(ConvertText(gedcom, {}, everything), ConvertOk);
    EXPECT_TRUE(Has(everything.log, "Error on line 5: Message 5"));
    EXPECT_TRUE(Has(everything.log, "Error on line 7: Message 15"));
    EXPECT_TRUE(Has(everything.log, "Error on line 9: Message 14"));

    ConvertOptions quiet;
    quiet.logLevel = 2;
    TestHost less;
    ASSERT_EQ(ConvertText(gedcom, quiet, less), ConvertOk);
    EXPECT_EQ(less.log, "");
    EXPECT_TRUE(Has(less.output, "<exact>1850-00-00</exact>"));
}

} // namespace
} // namespace pendrax::test
