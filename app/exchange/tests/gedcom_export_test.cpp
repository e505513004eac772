// The GEDCOM writers: the text forms (ANSEL, notes, BLOB data, dates), the family map, the records of
// GEDCOM 5.5, 5.5.1 and 4 written from databases imported from small GEDCOM texts, the run's failures, and
// the round trip of every test data file through export and import.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/event_type_tables.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "exchange/export_data.h"
#include "exchange/export_sink.h"
#include "exchange/gedcom_family_map.h"
#include "exchange/gedcom_lines.h"
#include "exchange/gedcom_writer.h"
#include "exchange/tests/gedcom_test_support.h"
#include "exchange/tests/import_test_support.h"
#include "persons/attribute_assertion.h"
#include "persons/info_assertion.h"
#include "persons/person_record.h"
#include "platform/file.h"
#include "platform/local_time.h"
#include "records/source_row.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"

namespace {

using namespace import_test;
using test_support::CountRows;
using test_support::ScopedLanguage;
using test_support::TempPath;
using test_support::TestDatabase;

// ---- Text forms -------------------------------------------------------------------------------------------

std::string Ansel(const char* text)
{
    char out[256];
    return ConvertToAnsel(out, sizeof out, text);
}

TEST(GedcomText, AnselTable)
{
    const struct {
        const char* latin;
        const char* ansel;
    } cases[] = {
        {"\xC5l \xFC" "ber", "\xEA" "Al \xE8" "uber"}, // letters: the mark, then the base letter
        {"\xE9", "\xE2" "e"},
        {"\xFF", "\xE8" "y"},
        {"\xB0", "\xC0"},                     // the degree sign
        {"\xC7" "a\xE7", "\xF0" "Ca\xF0" "c"}, // both C-cedillas keep their cedilla
        {"\xDF\xE6\xD8", "\xCF\xB5\xA2"},     // special characters with a code of their own
        {"\xAE\xBD\xAB", "(R)1/2<<"},         // spelled in ASCII
        {"\x80\xA4\xBA", "   "},              // no form: a blank
        {"plain", "plain"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Ansel(c.latin), c.ansel) << c.latin;
    // A character whose form does not fit is dropped with everything after it.
    char out[4];
    EXPECT_STREQ(ConvertToAnsel(out, sizeof out, "ab\xE9" "x"), "ab");
}

std::string NoteLines(std::string_view text, std::uint8_t charset = GedcomCharsetAnsi)
{
    MemoryExportSink sink;
    GedcomLineWriter lines(sink, charset);
    lines.WriteNoteText(1, GedcomNote, text);
    return sink.Bytes();
}

TEST(GedcomText, NotesAreCutIntoContAndConcLines)
{
    const std::string x100(100, 'x');
    EXPECT_EQ(NoteLines("Born at sea\r\n\r\n" + x100),
              "1 NOTE Born at sea\r\n2 CONT\r\n2 CONT " + x100.substr(0, 72) + "\r\n2 CONC " + x100.substr(72) + "\r\n");
    EXPECT_EQ(NoteLines(std::string(72, 'a')), "1 NOTE " + std::string(72, 'a') + "\r\n");
    EXPECT_EQ(NoteLines(std::string(73, 'a')), "1 NOTE " + std::string(72, 'a') + "\r\n2 CONC a\r\n");
    // A break at the end adds no line; lone CR and LF are breaks too, and never reach a value.
    EXPECT_EQ(NoteLines("one\r\n"), "1 NOTE one\r\n");
    EXPECT_EQ(NoteLines("one\rtwo\nthree\r"), "1 NOTE one\r\n2 CONT two\r\n2 CONT three\r\n");
}

TEST(GedcomText, ValuesAreConvertedOnlyUnderAnsel)
{
    MemoryExportSink sink;
    GedcomLineWriter ansel(sink, GedcomCharsetAnsel);
    ansel.WriteLine(1, GedcomName, "\xC5l \xFC" "ber");
    ansel.WriteRecordHead(GedcomIndi, "I", 12);
    ansel.WritePointerLine(1, GedcomFams, "F", 3);
    ansel.WriteLine(1, GedcomNote, "a\r\nb"); // a line break inside a one-line value
    EXPECT_EQ(sink.Bytes(), "1 NAME \xEA" "Al \xE8" "uber\r\n0 @I12@ INDI\r\n1 FAMS @F3@\r\n1 NOTE a  b\r\n");
    MemoryExportSink plain;
    GedcomLineWriter ansi(plain, GedcomCharsetAnsi);
    ansi.WriteLine(1, GedcomName, "\xC5l \xFC" "ber");
    EXPECT_EQ(plain.Bytes(), "1 NAME \xC5l \xFC" "ber\r\n");
}

TEST(GedcomText, BlobEncoding)
{
    const std::uint8_t abc[] = {0x61, 0x62, 0x63};
    EXPECT_EQ(EncodeBlob(abc, 3), "MK7X");
    const std::uint8_t zero[] = {0};
    EXPECT_EQ(EncodeBlob(zero, 1), ".Dzz");
    std::vector<std::uint8_t> data(55, 0x41);
    MemoryExportSink sink;
    GedcomLineWriter lines(sink, GedcomCharsetAnsi);
    lines.WriteBlobData(2, data.data(), 54);
    EXPECT_EQ(sink.Bytes().size(), std::string("2 CONT \r\n").size() + 72);
    MemoryExportSink more;
    GedcomLineWriter moreLines(more, GedcomCharsetAnsi);
    moreLines.WriteBlobData(2, data.data(), 55);
    const std::string text = more.Bytes();
    const std::size_t second = text.find("\r\n") + 2;
    EXPECT_EQ(text.substr(second), "2 CONT " + EncodeBlob(data.data() + 54, 1) + "\r\n");
    MemoryExportSink none;
    GedcomLineWriter noneLines(none, GedcomCharsetAnsi);
    noneLines.WriteBlobData(2, data.data(), 0);
    EXPECT_EQ(none.Bytes(), "");
}

DateValue MakeDate(int calendar, int day, int month, int year, std::uint8_t modifier = DateModifierNone)
{
    DateValue date = EmptyDateValue();
    date.calendar = static_cast<std::uint8_t>(calendar);
    date.day = static_cast<std::uint8_t>(day);
    date.month = static_cast<std::uint8_t>(month);
    date.SetYear(year);
    date.modifier = modifier;
    return date;
}

DateRange Single(const DateValue& date)
{
    DateRange range {};
    range.type = DateRangeSingle;
    range.dates.first = date;
    range.dates.second = EmptyDateValue();
    return range;
}

TEST(GedcomText, Dates)
{
    EXPECT_EQ(GedcomDateText(Single(MakeDate(CalendarGregorian, 5, 3, 1790)), ""), "@#DGREGORIAN@ 05 MAR 1790");
    EXPECT_EQ(GedcomDateText(Single(MakeDate(CalendarGregorian, 5, 3, 1790, DateModifierAbout)), ""),
              "ABT @#DGREGORIAN@ 05 MAR 1790");
    EXPECT_EQ(GedcomDateText(Single(MakeDate(CalendarUnknown, 0, 5, 1850, DateModifierBefore)), ""), "BEF MAY 1850");
    DateRange range = Single(MakeDate(CalendarGregorian, 1, 1, 1900));
    range.type = DateRangeFromTo;
    range.dates.second = MakeDate(CalendarGregorian, 31, 12, 1910);
    EXPECT_EQ(GedcomDateText(range, ""), "FROM @#DGREGORIAN@ 01 JAN 1900 TO @#DGREGORIAN@ 31 DEC 1910");
    range.type = DateRangeBetween;
    EXPECT_EQ(GedcomDateText(range, ""), "BET @#DGREGORIAN@ 01 JAN 1900 AND @#DGREGORIAN@ 31 DEC 1910");
    EXPECT_EQ(GedcomDateText(Single(MakeDate(CalendarFrench, 0, 1, 3)), ""), "@#DFRENCH R@ VEND 0003");
    EXPECT_EQ(GedcomDateText(Single(MakeDate(CalendarHebrew, 0, 1, 5600)), ""), "@#DHEBREW@ TSH 5600");
    DateValue dual = MakeDate(CalendarJulian, 0, 0, 1700);
    dual.alternateYear = 1;
    EXPECT_EQ(GedcomDateText(Single(dual), ""), "@#DJULIAN@ 1700/01");
    EXPECT_EQ(GedcomDateText(Single(MakeDate(CalendarGregorian, 0, 0, -44)), ""), "@#DGREGORIAN@ 0044 B.C.");
    EXPECT_EQ(GedcomDateText(Single(MakeDate(CalendarGregorian, 5, 3, 0)), ""), ""); // no year: no DATE line
    DateRange phrase {};
    phrase.SetText("in the spring");
    EXPECT_EQ(GedcomDateText(phrase, ""), "(in the spring)");
    DateRange none {};
    EXPECT_EQ(GedcomDateText(none, ""), "");
    const std::string hijri = GedcomDateText(Single(MakeDate(CalendarHijri, 1, 2, 1400)), "{dd}.{mm}.{yyyy}");
    ASSERT_GE(hijri.size(), 2u);
    EXPECT_EQ(hijri.front(), '(');
    EXPECT_NE(hijri.find("1400"), std::string::npos);
}

// ---- Family map -------------------------------------------------------------------------------------------

TEST(GedcomFamilyMap, PairsNumberedInOrderAsked)
{
    FamilyMap map;
    GedcomFamily& first = map.GetFamily(12, 7);
    EXPECT_EQ(first.number, 1u);
    EXPECT_EQ(&map.GetFamily(12, 7), &first);
    EXPECT_EQ(map.GetFamily(7, 12).number, 2u); // father and mother are told apart
    EXPECT_EQ(map.GetFamily(0, 5).number, 3u);
    EXPECT_EQ(map.GetFamily(9, 0).number, 4u);
    for (std::int32_t father = 100; father < 246; ++father)
        map.GetFamily(father, 0);
    ASSERT_EQ(map.Count(), 150u);
    EXPECT_EQ(map.Family(150)->husband, 245);
    EXPECT_EQ(map.GetFamily(245, 0).number, 150u);
    map.Release(1);
    EXPECT_EQ(map.Family(1), nullptr);
    EXPECT_EQ(map.GetFamily(12, 7).number, 1u);
    GedcomFamily& family = map.GetFamily(1, 2);
    EXPECT_FALSE(family.HasChild(3));
    family.AddChild(3);
    EXPECT_TRUE(family.HasChild(3));
    family.AddEvent(8);
    EXPECT_TRUE(family.HasEvent(8));
    EXPECT_FALSE(family.HasEvent(9));
}

// ---- Records ----------------------------------------------------------------------------------------------

std::string Today()
{
    static const char* months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const platform::LocalTime now = platform::CurrentLocalTime();
    char text[32];
    std::snprintf(text, sizeof text, "%02u %s %04u", unsigned {now.day}, months[now.month - 1], unsigned {now.year});
    return text;
}

class GedcomExportTest : public ::testing::Test {
protected:
    // Imports a GEDCOM text into the test database.
    void Load(const std::string& gedcom)
    {
        const std::string path = Folder() + "input.ged";
        WriteWholeFile(path, gedcom);
        GedcomRun run(*database_, path, Folder() + "input.log");
        ASSERT_TRUE(run.stored) << run.Log();
    }
    std::string Folder() const { return std::string(ImportFolderOf(folder_.str())); }
    // Exports in the format with the block's other choices; the file's bytes ("" when nothing was written).
    std::string Export(std::uint32_t format, bool expectSuccess = true)
    {
        block_.format = format;
        std::snprintf(block_.outputPath, sizeof block_.outputPath, "%s", (Folder() + "out.ged").c_str());
        const bool written = ExportGedcomFile(*database_, block_);
        EXPECT_EQ(written, expectSuccess);
        return platform::FileExists(block_.outputPath) ? ReadWholeFile(block_.outputPath) : std::string();
    }
    ScopedLanguage language_ {ScopedLanguage::Master()};
    TestDatabase database_ {true};
    TempPath folder_ {"x", "vestrada_gedcom_export_"};
    ExportWizardData block_;
};

TEST_F(GedcomExportTest, EmptyDatabaseIsHeaderAndTrailer)
{
    EXPECT_EQ(Export(ExportFormatGedcom55), "0 HEAD\r\n1 SOUR Vestrada\r\n2 VERS 1.4.3\r\n1 DATE " + Today() +
                                                "\r\n1 GEDC\r\n2 VERS 5.5\r\n2 FORM LINEAGE-LINKED\r\n1 CHAR ANSI\r\n"
                                                "0 TRLR\r\n");
    block_.gedcomCharacterSet = GedcomCharsetAnsel;
    EXPECT_EQ(Export(ExportFormatGedcom4), "0 HEAD\r\n1 SOUR Vestrada 1.4.3\r\n1 DEST PAF\r\n1 DATE " + Today() +
                                               "\r\n1 CHAR ANSEL\r\n0 TRLR\r\n");
    EXPECT_NE(Export(ExportFormatGedcom551).find("2 VERS 5.5.1\r\n"), std::string::npos);
}

TEST_F(GedcomExportTest, OwnerBecomesSubmitterU1)
{
    std::snprintf(database_->header.ownerName, sizeof database_->header.ownerName, "Ann Owner");
    std::snprintf(database_->header.ownerAddress1, sizeof database_->header.ownerAddress1, "1 Road");
    std::snprintf(database_->header.ownerCity, sizeof database_->header.ownerCity, "Town");
    const std::string text = Export(ExportFormatGedcom55);
    EXPECT_NE(text.find("1 SUBM @U1@\r\n"), std::string::npos);
    EXPECT_NE(text.find("0 @U1@ SUBM\r\n1 NAME Ann Owner\r\n1 ADDR 1 Road\r\n2 CONT Town\r\n"), std::string::npos);
    EXPECT_EQ(text.find("@S1@"), std::string::npos);
}

const char* const Family = "0 HEAD\r\n1 CHAR ANSI\r\n"
                           "0 @I1@ INDI\r\n1 NAME John /Smith/\r\n1 SEX M\r\n1 FAMS @F1@\r\n"
                           "0 @I2@ INDI\r\n1 NAME Mary /Jones/\r\n1 SEX F\r\n1 FAMS @F1@\r\n"
                           "0 @I3@ INDI\r\n1 NAME Kim /Smith/\r\n1 FAMC @F1@\r\n"
                           "1 BIRT\r\n2 DATE ABT 1850\r\n2 PLAC Leeds, England\r\n"
                           "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n1 MARR\r\n"
                           "0 TRLR\r\n";

TEST_F(GedcomExportTest, CoupleWithMarriageAndChildGiveOneFamily)
{
    Load(Family);
    const std::string text = Export(ExportFormatGedcom55);
    EXPECT_NE(text.find("0 @I1@ INDI\r\n1 NAME John/Smith/\r\n1 SEX M\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("0 @I3@ INDI\r\n1 NAME Kim/Smith/\r\n1 SEX U\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("1 BIRT\r\n2 DATE ABT 1850\r\n2 PLAC Leeds, England\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("0 @F1@ FAM\r\n1 MARR\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n0 TRLR"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("@F2@"), std::string::npos) << text;
    // Each partner is linked to the family once, the child once.
    for (const char* person : {"0 @I1@ INDI", "0 @I2@ INDI"}) {
        const std::size_t start = text.find(person);
        const std::size_t end = text.find("0 @", start + 1);
        const std::string record = text.substr(start, end - start);
        EXPECT_EQ(record.find("1 FAMS @F1@"), record.rfind("1 FAMS @F1@")) << record;
        EXPECT_NE(record.find("1 FAMS @F1@"), std::string::npos) << record;
    }
    const std::size_t kim = text.find("0 @I3@ INDI");
    EXPECT_NE(text.find("1 FAMC @F1@", kim), std::string::npos);

    // GEDCOM 4 writes the marriage after the members.
    const std::string old = Export(ExportFormatGedcom4);
    EXPECT_NE(old.find("0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n1 MARR\r\n0 TRLR"),
              std::string::npos)
        << old;
}

TEST_F(GedcomExportTest, ChildOfTwoFamiliesKeepsEveryParent)
{
    Load("0 HEAD\r\n1 CHAR ANSI\r\n"
         "0 @I1@ INDI\r\n1 NAME Tom /Ash/\r\n1 SEX M\r\n0 @I2@ INDI\r\n1 NAME Ann /Birch/\r\n1 SEX F\r\n"
         "0 @I3@ INDI\r\n1 NAME Sam /Ash/\r\n1 FAMC @F1@\r\n1 FAMC @F2@\r\n2 PEDI adopted\r\n"
         "0 @I4@ INDI\r\n1 NAME Eve /Cole/\r\n1 SEX F\r\n"
         "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n"
         "0 @F2@ FAM\r\n1 WIFE @I4@\r\n1 CHIL @I3@\r\n0 TRLR\r\n");
    const std::string text = Export(ExportFormatGedcom55);
    const std::size_t sam = text.find("0 @I3@ INDI");
    const std::string record = text.substr(sam, text.find("0 @I4@", sam) - sam);
    EXPECT_NE(record.find("1 FAMC @F1@"), std::string::npos) << text;
    EXPECT_NE(record.find("1 FAMC @F2@"), std::string::npos) << text;
    EXPECT_NE(text.find("0 @I4@ INDI\r\n1 NAME Eve/Cole/\r\n1 SEX F\r\n1 FAMS @F2@\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("0 @F2@ FAM\r\n1 WIFE @I4@\r\n1 CHIL @I3@\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("@F3@"), std::string::npos) << text;
}

const char* const Sourced = "0 HEAD\r\n1 CHAR ANSI\r\n"
                            "0 @I1@ INDI\r\n1 NAME Ann /Lee/\r\n1 SEX F\r\n"
                            "1 BIRT\r\n2 DATE 5 MAR 1790\r\n2 SOUR @S1@\r\n3 PAGE p. 4\r\n3 QUAY 2\r\n"
                            "1 NOTE First line\r\n2 CONT second line\r\n"
                            "0 @S1@ SOUR\r\n1 TITL Parish register\r\n1 AUTH Clerk\r\n"
                            "0 TRLR\r\n";

TEST_F(GedcomExportTest, CitationsOnlyWithSourcesAndNeverUnderGedcom4)
{
    Load(Sourced);
    block_.includeSources = 1;
    const std::string text = Export(ExportFormatGedcom55);
    EXPECT_NE(text.find("2 SOUR @S1@\r\n3 PAGE p. 4\r\n3 QUAY 2\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("0 @S1@ SOUR\r\n1 AUTH Clerk\r\n1 TITL Parish register\r\n1 ABBR \r\n1 PUBL \r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("1 NOTE First line\r\n2 CONT second line\r\n"), std::string::npos) << text;
    // GEDCOM 4 has no SOUR records, so nothing may point at one, whatever the block says.
    const std::string old = Export(ExportFormatGedcom4);
    EXPECT_EQ(old.find("SOUR @S"), std::string::npos) << old;
    EXPECT_EQ(old.find("0 @S"), std::string::npos) << old;
    block_.includeSources = 0;
    const std::string without = Export(ExportFormatGedcom55);
    EXPECT_EQ(without.find("@S1@"), std::string::npos) << without;
}

TEST_F(GedcomExportTest, RepositoriesWithTheirAddressBlocks)
{
    Load("0 HEAD\r\n1 CHAR ANSI\r\n"
         "0 @R1@ REPO\r\n1 NAME County Archive\r\n1 ADDR 1 Main Street\r\n2 CONT Leeds\r\n1 PHON 0113 555\r\n"
         "1 EMAIL desk@archive.example\r\n1 WWW http://archive.example\r\n"
         "0 @S1@ SOUR\r\n1 TITL Register\r\n1 REPO @R1@\r\n2 CALN MS 12\r\n0 TRLR\r\n");
    block_.includeSources = block_.includeRepositories = 1;
    const std::string text = Export(ExportFormatGedcom55);
    EXPECT_NE(text.find("0 @R1@ REPO\r\n1 NAME County Archive\r\n1 ADDR 1 Main Street\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("1 PHON 0113 555\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("1 WWW"), std::string::npos) << "GEDCOM 5.5 has no web address";
    EXPECT_NE(text.find("1 REPO @R1@\r\n2 CALN MS 12\r\n"), std::string::npos) << text;
    const std::string newer = Export(ExportFormatGedcom551);
    EXPECT_NE(newer.find("1 PHON 0113 555\r\n1 EMAIL desk@archive.example\r\n1 WWW http://archive.example\r\n"),
              std::string::npos)
        << newer;
    EXPECT_EQ(newer.find("FAX"), std::string::npos) << "an empty fax writes no line";
    block_.includeRepositories = 0;
    const std::string without = Export(ExportFormatGedcom55);
    EXPECT_EQ(without.find("REPO"), std::string::npos) << without;
}

TEST_F(GedcomExportTest, AnselNamesComeBackThroughTheReader)
{
    Load("0 HEAD\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 NAME \xC7" "a\xE7" "a /\xC5str\xF6m/\r\n"
         "1 NOTE 20\xB0 C, \xE9t\xE9\r\n0 TRLR\r\n");
    block_.gedcomCharacterSet = GedcomCharsetAnsel;
    const std::string text = Export(ExportFormatGedcom55);
    EXPECT_NE(text.find("1 CHAR ANSEL\r\n"), std::string::npos);
    EXPECT_NE(text.find("1 NAME \xF0" "Ca\xF0" "ca/\xEA" "Astr\xE8" "om/\r\n"), std::string::npos) << text;
    // Imported again, the names and the note are what they were.
    TestDatabase again(true);
    GedcomRun run(*again, block_.outputPath, Folder() + "again.log");
    ASSERT_TRUE(run.stored) << run.Log();
    const auto person = ReadRow<PersonRow>(*again, TablePerson, 1);
    EXPECT_EQ(NameParts(*again, person.nameId), NameParts(*database_, ReadRow<PersonRow>(*database_, TablePerson, 1).nameId));
    // A person's NOTE arrives as an information note.
    EXPECT_NE(text.find("1 NOTE 20\xC0 C, \xE2" "et\xE2" "e\r\n"), std::string::npos) << text;
    ASSERT_EQ(CountRows(*again, TableInfo), 1);
    EXPECT_EQ(NoteOf(*again, ReadRow<InfoRow>(*again, TableInfo, 1).textId), "20\xB0 C, \xE9t\xE9");
}

TEST_F(GedcomExportTest, FailedWriteRemovesTheFile)
{
    Load(Family);
    platform::SetFileFault(platform::FileFaultMode::FailOnlyNth, 1);
    const std::string text = Export(ExportFormatGedcom55, false);
    platform::SetFileFault(platform::FileFaultMode::Off, 0);
    EXPECT_EQ(text, "");
    EXPECT_FALSE(platform::FileExists(block_.outputPath));
}

TEST_F(GedcomExportTest, CancelRemovesTheFileAndUnwritablePathFails)
{
    Load(Family);
    block_.format = ExportFormatGedcom55;
    std::snprintf(block_.outputPath, sizeof block_.outputPath, "%s", (Folder() + "cancel.ged").c_str());
    int calls = 0;
    EXPECT_FALSE(ExportGedcomFile(*database_, block_, [&](int) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(platform::FileExists(block_.outputPath));
    std::snprintf(block_.outputPath, sizeof block_.outputPath, "%s", (Folder() + "missing/out.ged").c_str());
    EXPECT_FALSE(ExportGedcomFile(*database_, block_));
    block_.format = ExportFormatCsv;
    std::snprintf(block_.outputPath, sizeof block_.outputPath, "%s", (Folder() + "out.csv").c_str());
    EXPECT_FALSE(ExportGedcomFile(*database_, block_));
    EXPECT_FALSE(platform::FileExists(block_.outputPath));
}

TEST_F(GedcomExportTest, Gedcom551ForcesExternalAttachments)
{
    block_.gedcomAttachments = GedcomAttachmentsInternal;
    Export(ExportFormatGedcom551);
    EXPECT_EQ(block_.gedcomAttachments, GedcomAttachmentsExternal);
}

TEST_F(GedcomExportTest, DeletedPersonIdsAreSkipped)
{
    Load(Family);
    {
        PersonRecord kim(3, *database_);
        ASSERT_TRUE(kim.Delete());
    }
    GedcomExport run(*database_, (block_.format = ExportFormatGedcom55, block_));
    std::snprintf(block_.outputPath, sizeof block_.outputPath, "%s", (Folder() + "out.ged").c_str());
    ASSERT_TRUE(run.Start());
    EXPECT_EQ(run.Counts().persons, 3);
    while (run.Step()) {
    }
    ASSERT_TRUE(run.Finish());
    const std::string text = ReadWholeFile(block_.outputPath);
    EXPECT_NE(text.find("0 @I2@ INDI"), std::string::npos);
    EXPECT_EQ(text.find("0 @I3@ INDI"), std::string::npos);
    EXPECT_EQ(text.find("CHIL"), std::string::npos);
}

// ---- Round trip -------------------------------------------------------------------------------------------

// A person's events as "tag|date|place", sorted: the type's GEDCOM tag rather than its name, since an
// import names the types it makes from the file it reads.
std::vector<std::string> EventKeysOf(Database& database, std::int32_t person)
{
    std::vector<std::string> keys =
        DescribeEventsOf(database, person, [&](const EventRow& event, const EventType& type) {
            const char* tag = GedcomTagText(type.row.gedcomTag);
            const DateRange date = LoadDateRange(event.date);
            // The kind of range counts too, unless the date is in words.
            const std::string range = date.type == DateRangeText ? "" : std::to_string(date.type) + ":";
            return std::string(tag != nullptr && type.row.gedcomTag != GedcomEven ? tag : type.row.name) + "|" +
                   range + EventDateText(date) + "|" + EventPlaceText(database, event.placeId);
        });
    std::sort(keys.begin(), keys.end());
    return keys;
}

struct Snapshot {
    int persons = 0, events = 0, sources = 0, notes = 0, places = 0;
    StoredFamilies families;
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> events_;
};

Snapshot Take(Database& database)
{
    Snapshot snapshot;
    snapshot.persons = CountRows(database, TablePerson);
    snapshot.events = CountRows(database, TableEvent2);
    snapshot.sources = CountRows(database, TableSource);
    snapshot.places = CountRows(database, TablePlace2);
    snapshot.families = ReadFamilies(database);
    for (std::int32_t id = 1; id <= snapshot.persons; id += std::max(1, snapshot.persons / 40)) {
        const auto person = ReadRow<PersonRow>(database, TablePerson, id);
        snapshot.names.push_back(NameParts(database, person.nameId) + "|" + NoteOf(database, person.noteId));
        snapshot.events_.push_back(EventKeysOf(database, id));
    }
    return snapshot;
}

// Events of a one-principal type that two persons take part in as principals (a family's CENS or EVEN is
// imported under the individual type of its tag), and how many of them have a place. The export files an
// event under the family by its type's principals, so each principal gets the event of their own.
struct SharedSingleEvents {
    int events = 0, withPlace = 0;
};

SharedSingleEvents SharedSingleEventsOf(Database& database)
{
    std::map<std::int32_t, int> principals;
    EngineTransaction transaction(database.file, TLV_READ);
    const std::int32_t links = database.TableId(TableAssertionLink);
    for (std::int32_t id = 1; id <= tlvNumberOfRecords(links, database.file); ++id) {
        AssertionLinkRow link = {};
        if (tlvReadRecord(links, id, &link, database.file) != 0 || link.kind != AssertionEvent || link.roleId != 0)
            continue;
        const std::int32_t eventId = link.assertionId; // the packed row's field is unaligned
        ++principals[eventId];
    }
    SharedSingleEvents shared;
    for (const auto& [eventId, count] : principals) {
        const auto event = ReadRow<EventRow>(database, TableEvent2, eventId);
        if (count < 2 || EventType(event.typeId, database).row.principals == 2)
            continue;
        ++shared.events;
        shared.withPlace += event.placeId != 0 ? 1 : 0;
    }
    return shared;
}

// The places of attributes whose type has no GEDCOM tag: such attributes are not exported.
int PlacesOfUntaggedAttributes(Database& database)
{
    int places = 0;
    EngineTransaction transaction(database.file, TLV_READ);
    const std::int32_t table = database.TableId(TablePlace2);
    for (std::int32_t id = 1; id <= tlvNumberOfRecords(table, database.file); ++id) {
        PlaceRow row = {};
        if (tlvReadRecord(table, id, &row, database.file) != 0 || row.attributeId == 0)
            continue;
        const auto attribute = ReadRow<AttributeRow>(database, TableAttribute2, row.attributeId);
        if (GedcomTagText(EventType(attribute.typeId, database).row.gedcomTag) == nullptr)
            ++places;
    }
    return places;
}

void ExpectSurvivesRoundTrip(const std::string& path, std::uint8_t charset, bool torture = false)
{
    SCOPED_TRACE(path);
    TempPath folder("x", "vestrada_gedcom_roundtrip_");
    const std::string here(ImportFolderOf(folder.str()));
    TestDatabase first(true, "first.vdb");
    {
        GedcomRun run(*first, path, here + "first.log");
        ASSERT_TRUE(run.stored) << run.Log();
    }
    ExportWizardData block;
    block.format = ExportFormatGedcom55;
    block.gedcomCharacterSet = charset;
    block.includeSources = 1;
    block.includeRepositories = 1;
    std::snprintf(block.outputPath, sizeof block.outputPath, "%s", (here + "exported.ged").c_str());
    ASSERT_TRUE(ExportGedcomFile(*first, block));
    TestDatabase second(true, "second.vdb");
    {
        GedcomRun run(*second, block.outputPath, here + "second.log");
        ASSERT_TRUE(run.stored) << run.Log();
    }
    const Snapshot before = Take(*first);
    const Snapshot after = Take(*second);
    EXPECT_EQ(after.persons, before.persons);
    EXPECT_EQ(after.sources, before.sources);
    EXPECT_EQ(after.names, before.names);
    EXPECT_EQ(after.families.couples, before.families.couples);
    EXPECT_EQ(after.families.parentage, before.families.parentage);
    if (torture) {
        // Every person's own events still match, one by one.
        for (std::int32_t id = 1; id <= before.persons; ++id)
            EXPECT_EQ(EventKeysOf(*second, id), EventKeysOf(*first, id)) << "person " << id;
        // A shared event of a one-principal type comes back once per principal, each with its own place;
        // the places of untagged attributes go with the attributes. Nothing else differs.
        const SharedSingleEvents shared = SharedSingleEventsOf(*first);
        EXPECT_EQ(SharedSingleEventsOf(*second).events, 0);
        EXPECT_EQ(after.events, before.events + shared.events);
        EXPECT_EQ(PlacesOfUntaggedAttributes(*second), 0);
        EXPECT_EQ(after.places, before.places - PlacesOfUntaggedAttributes(*first) + shared.withPlace);
        return;
    }
    EXPECT_EQ(after.events, before.events);
    EXPECT_EQ(after.places, before.places);
    EXPECT_EQ(after.events_, before.events_);
}

// The torture-test files and allged.ged hold what does not come back as it came in: attributes whose types
// have no GEDCOM tag (left out of the export, with their places) and a family's CENS or EVEN (imported under
// a one-principal type, so exported under each partner). They keep their persons, names, sources, couples,
// parentage and every person's events.
bool IsTortureFile(const std::string& path)
{
    const std::string name = fs::path(path).filename().string();
    return name.rfind("TGC", 0) == 0 || name == "allged.ged";
}

TEST(GedcomRoundTrip, EveryTestDataFileKeepsItsRecords)
{
    ScopedLanguage language(ScopedLanguage::Master());
    const std::vector<std::string> files = TestDataFiles();
    ASSERT_GE(files.size(), 15u);
    for (const std::string& path : files)
        ExpectSurvivesRoundTrip(path, GedcomCharsetAnsi, IsTortureFile(path));
}

TEST(GedcomRoundTrip, AnselKeepsTheRecordsToo)
{
    ScopedLanguage language(ScopedLanguage::Master());
    ExpectSurvivesRoundTrip((TestDataFolder() / "royal92.ged").string(), GedcomCharsetAnsel);
}

} // namespace
