// The GEDCOM import: every file of the test data converted and imported headless into a new database,
// the stored records counted against the GEDCOM file (read here on its own) and samples checked field by
// field; the converter's texts; conversions that fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/assertion_link.h"
#include "core/event_type.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "exchange/gedcom_import.h"
#include "exchange/import_data.h"
#include "exchange/import_log.h"
#include "exchange/tests/gedcom_test_support.h"
#include "platform/file.h"
#include "exchange/tests/import_test_support.h"
#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "persons/name_assertion.h"
#include "persons/person_record.h"
#include "persons/relationship.h"
#include "records/source_row.h"
#include "tests/support/gedcom_generate.h"
#include "tests/support/scoped_language.h"
#include "tests/support/source_tree.h"
#include "tests/support/test_database.h"

namespace {

namespace fs = std::filesystem;
using namespace import_test;
using test_support::CountRows;
using test_support::ScopedLanguage;
using test_support::TempPath;
using test_support::TestDatabase;

// ---- The GEDCOM file read on its own: records and the events they hold ----------------------------------

struct GedcomLine {
    int level;
    std::string xref;
    std::string tag;
    std::string value;
};

// The file's lines as 8-bit text: UTF-16 files keep their low bytes, which is enough for tags.
std::vector<GedcomLine> ReadGedcomLines(const std::string& path)
{
    std::string bytes = ReadWholeFile(path);
    if (bytes.size() >= 2 && ((static_cast<unsigned char>(bytes[0]) == 0xFE && static_cast<unsigned char>(bytes[1]) == 0xFF) ||
                              (static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE))) {
        const bool bigEndian = static_cast<unsigned char>(bytes[0]) == 0xFE;
        std::string narrow;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            narrow += bytes[bigEndian ? i + 1 : i];
        bytes = narrow;
    }
    std::vector<GedcomLine> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string text = bytes.substr(start, end - start);
        start = end + 1;
        const std::size_t first = text.find_first_not_of(" \t\xEF\xBB\xBF");
        if (first == std::string::npos)
            continue;
        text = text.substr(first);
        GedcomLine line {};
        std::size_t position = 0;
        if (!std::isdigit(static_cast<unsigned char>(text[0])))
            continue;
        line.level = std::stoi(text);
        position = text.find(' ');
        if (position == std::string::npos)
            continue;
        std::string rest = text.substr(position + 1);
        if (!rest.empty() && rest[0] == '@') {
            const std::size_t close = rest.find('@', 1);
            const std::size_t blank = rest.find(' ', close == std::string::npos ? 0 : close);
            line.xref = rest.substr(0, blank);
            rest = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
        }
        const std::size_t blank = rest.find(' ');
        line.tag = rest.substr(0, blank);
        line.value = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
        lines.push_back(line);
    }
    return lines;
}

// What the GEDCOM file holds, with persons numbered in file order, as the import numbers them.
struct GedcomCounts {
    int persons = 0;
    int families = 0;
    int sources = 0;          // source records, and one for each citation that names no source record
    int events = 0;           // event structures of persons and families, and the couple event of a family
                              // with both partners and neither events nor children
    std::set<Pair> couples;   // the partners of families with both and with events or without children: the
                              // principals of their couple events
    std::set<Pair> parentage; // (child, parent) of every child of a family with partners
};

GedcomCounts CountGedcom(const std::string& path)
{
    static const std::set<std::string> personEvents = {
        "BIRT", "CHR",  "DEAT", "BURI", "CREM", "ADOP", "BAPM", "BARM", "BASM", "BLES", "CHRA", "CONF", "FCOM",
        "ORDN", "NATU", "EMIG", "IMMI", "CENS", "PROB", "WILL", "GRAD", "RETI", "EVEN", "RESI", "BAPL", "CONL",
        "ENDL", "SLGC"};
    static const std::set<std::string> familyEvents = {"ANUL", "CENS", "DIV",  "DIVF", "ENGA", "MARR", "MARB",
                                                       "MARC", "MARL", "MARS", "EVEN", "RESI", "SLGS"};
    const std::vector<GedcomLine> lines = ReadGedcomLines(path);
    std::map<std::string, std::int32_t> personNumbers;
    for (const GedcomLine& line : lines)
        if (line.level == 0 && line.tag == "INDI")
            personNumbers.emplace(line.xref, static_cast<std::int32_t>(personNumbers.size()) + 1);
    auto number = [&](const std::string& xref) {
        const auto found = personNumbers.find(xref);
        return found == personNumbers.end() ? 0 : found->second;
    };
    GedcomCounts counts;
    std::string record;
    std::vector<std::int32_t> partners, children;
    int familyEventCount = 0;
    bool husband = false, wife = false;
    auto endRecord = [&] {
        if (record == "FAM") {
            if (husband && wife && partners.size() == 2 && (familyEventCount > 0 || children.empty())) {
                counts.couples.insert(Couple(partners[0], partners[1]));
                if (familyEventCount == 0)
                    ++counts.events;
            }
            if (!partners.empty())
                for (std::int32_t child : children)
                    for (std::int32_t parent : partners)
                        counts.parentage.insert({child, parent});
        }
        partners.clear();
        children.clear();
        familyEventCount = 0;
        husband = wife = false;
    };
    for (const GedcomLine& line : lines) {
        if (line.level == 0) {
            endRecord();
            record = line.tag;
            counts.persons += record == "INDI";
            counts.families += record == "FAM";
            counts.sources += record == "SOUR";
            continue;
        }
        if (line.tag == "SOUR" && record != "HEAD" && (line.value.empty() || line.value[0] != '@'))
            ++counts.sources;
        if (line.level != 1)
            continue;
        if (record == "INDI" && personEvents.count(line.tag))
            ++counts.events;
        if (record == "FAM") {
            if ((line.tag == "HUSB" || line.tag == "WIFE") && number(line.value) != 0) {
                husband = husband || line.tag == "HUSB";
                wife = wife || line.tag == "WIFE";
                partners.push_back(number(line.value));
            }
            if (line.tag == "CHIL" && number(line.value) != 0)
                children.push_back(number(line.value));
            if (familyEvents.count(line.tag)) {
                ++counts.events;
                ++familyEventCount;
            }
        }
    }
    endRecord();
    return counts;
}

// ---- Imports --------------------------------------------------------------------------------------------

// Imports the file into a new database and compares persons, sources, events, couples and parentage with the
// GEDCOM file's own.
void ExpectArrivesWhole(const std::string& path)
{
    SCOPED_TRACE(path);
    const GedcomCounts expected = CountGedcom(path);
    TestDatabase database(true);
    TempPath log("import.log", "vestrada_gedcom_import_");
    GedcomRun run(*database, path, log.str());
    ASSERT_TRUE(run.stored) << run.Log();
    EXPECT_EQ(run.block.failed, 0u);
    EXPECT_EQ(CountRows(*database, TablePerson), expected.persons);
    EXPECT_EQ(CountRows(*database, TableSource), expected.sources);
    EXPECT_EQ(CountRows(*database, TableEvent2), expected.events);
    const StoredFamilies families = ReadFamilies(*database);
    EXPECT_EQ(families.couples, expected.couples);
    EXPECT_EQ(families.parentage, expected.parentage);
}

TEST(GedcomImport, EveryTestDataFileArrivesWhole)
{
    ScopedLanguage language(ScopedLanguage::Master());
    const std::vector<std::string> files = TestDataFiles();
    ASSERT_GE(files.size(), 15u);
    for (const std::string& path : files)
        ExpectArrivesWhole(path);
}

// A file of several megabytes: the input read so far leaves memory while the converter goes on, and the
// converted file is read a part at a time; everything still arrives.
TEST(GedcomImport, AFileOfManyMegabytesArrivesWhole)
{
    ScopedLanguage language(ScopedLanguage::Master());
    const std::string royal = ReadWholeFile((TestDataFolder() / "royal92.ged").string());
    const std::string presidents = ReadWholeFile((TestDataFolder() / "pres2020.ged").string());
    ASSERT_FALSE(royal.empty() || presidents.empty());
    const std::string gedcom = bench::MakeLargeFile(royal, presidents, 28000);
    ASSERT_GT(gedcom.size(), std::size_t {8} << 20);
    TempPath file("large.ged", "vestrada_gedcom_large_");
    {
        std::ofstream out(file.str(), std::ios::binary);
        out << gedcom;
    }
    ExpectArrivesWhole(file.str());
}

class GedcomSampleTest : public ::testing::Test {
protected:
    bool Import(const std::string& path)
    {
        run_ = std::make_unique<GedcomRun>(*database_, path, log_.str());
        return run_->stored;
    }
    ScopedLanguage language_ {ScopedLanguage::Master()};
    TestDatabase database_ {true};
    TempPath log_ {"import.log", "vestrada_gedcom_sample_"};
    std::unique_ptr<GedcomRun> run_;
};

TEST_F(GedcomSampleTest, BronteFieldByField)
{
    ASSERT_TRUE(Import((TestDataFolder() / "bronte.ged").string()));
    const auto patrick = ReadRow<PersonRow>(*database_, TablePerson, 1);
    EXPECT_EQ(+patrick.sex, SexMale);
    EXPECT_EQ(NameParts(*database_, patrick.nameId), "1:Patrick|4:Bront\xEB");
    const std::vector<std::string> expected = {"Birth|17.3.1777|County Down, Ireland",
                                               "Death|7.6.1861|Haworth, Yorks.", "Marriage|29.12.1812|"};
    EXPECT_EQ(EventsOf(*database_, 1), expected);
    // The alias is another name of his.
    ASSERT_EQ(CountRows(*database_, TableAlias2), 1);
    const auto alias = ReadRow<NameAssertionRow>(*database_, TableAlias2, 1);
    EXPECT_EQ(NameParts(*database_, alias.nameId), "1:Brunty");
    // The built-in types are reused, not copied.
    EngineTransaction transaction(database_->file, TLV_READ);
    EXPECT_EQ(FindEventTypeId("Birth", 0, -1, -1, -1, EventTypeKindEvent, *database_),
              ReadRow<EventRow>(*database_, TableEvent2, 1).typeId);
}

TEST_F(GedcomSampleTest, KennedyPersonsSourcesAndOwner)
{
    ASSERT_TRUE(Import((TestDataFolder() / "kennedy.ged").string()));
    const auto joseph = ReadRow<PersonRow>(*database_, TablePerson, 1);
    EXPECT_EQ(+joseph.sex, SexMale);
    EXPECT_EQ(NameParts(*database_, joseph.nameId), "1:Joseph Patrick|4:Kennedy");
    const auto rose = ReadRow<PersonRow>(*database_, TablePerson, 2);
    EXPECT_EQ(+rose.sex, SexFemale);
    EXPECT_EQ(NameParts(*database_, rose.nameId), "1:Rose Elizabeth|4:Fitzgerald");
    const std::vector<std::string> expected = {
        "Birth|22.7.1890|Boston, Suffolk County, MA, USA", "Death|22.1.1995|Hyannis, MA, USA",
        "Residence|text:|Hyannis Port, Barnstable County, MA, USA", "Marriage|7.10.1914|Boston, Suffolk County, MA, USA",
        "Engagement|0.0.1914|Boston, Suffolk County, MA, USA"};
    EXPECT_EQ(EventsOf(*database_, 2), expected);
    bool found = false;
    for (std::int32_t id = 1; id <= CountRows(*database_, TableSource); ++id)
        found = found || std::string(ReadRow<SourceRow>(*database_, TableSource, id).title)
                                 .rfind("Arlington National Cemetery", 0) == 0;
    EXPECT_TRUE(found);

    // The submitter named in the header becomes the owner of a database that has none.
    TestDatabase sample(true);
    TempPath log("sample.log", "vestrada_gedcom_owner_");
    GedcomRun run(*sample, (TestDataFolder() / "555SAMPLE.GED").string(), log.str());
    ASSERT_TRUE(run.stored);
    sample.Reopen();
    EXPECT_STREQ(sample->header.ownerName, "Reldon Poulson");
}

// Small files of the test's own: the one-person file, dates the converter cannot read, and
// conversions that fail.
class GedcomFrontEndTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = std::string(ImportFolderOf(folder_.str())) + name;
        WriteWholeFile(path, bytes);
        return path;
    }
    ScopedLanguage language_ {ScopedLanguage::Master()};
    TestDatabase database_ {true};
    TempPath folder_ {"x", "vestrada_gedcom_front_"};
};

TEST_F(GedcomFrontEndTest, OnePersonWithoutNameIsUnknown)
{
    const std::string bytes = "0 HEAD\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n0 TRLR\r\n";
    ASSERT_EQ(bytes.size(), 42u);
    const std::string path = Write("one.ged", bytes);
    GedcomRun run(*database_, path, path + ".log");
    ASSERT_TRUE(run.stored) << run.Log();
    ASSERT_EQ(CountRows(*database_, TablePerson), 1);
    NameRecord name(ReadRow<PersonRow>(*database_, TablePerson, 1).nameId, *database_);
    char display[128];
    EXPECT_STREQ(name.Format(display, sizeof display), "Unknown");
}

// Another reader of the file (a second import, a viewer) does not keep the import from reading it.
TEST_F(GedcomFrontEndTest, AFileOthersAreReadingImports)
{
    const std::string path = Write("shared.ged", "0 HEAD\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 NAME Ann /Lee/\r\n0 TRLR\r\n");
    platform::FileOpenOptions reading;
    reading.share = platform::FileShare::Read;
    platform::File other = platform::File::Open(path, reading);
    ASSERT_TRUE(other.IsOpen());
    GedcomRun run(*database_, path, path + ".log");
    ASSERT_TRUE(run.stored) << run.Log();
    EXPECT_EQ(CountRows(*database_, TablePerson), 1);
}

TEST_F(GedcomFrontEndTest, UnreadDatesKeepTheUsersText)
{
    const std::string path = Write("dates.ged", "0 HEAD\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 NAME Ann /Lee/\r\n"
                                                "1 BIRT\r\n2 DATE in the year of the great flood\r\n"
                                                "1 DEAT\r\n2 DATE 3 MAR 1900\r\n0 TRLR\r\n");
    GedcomRun run(*database_, path, path + ".log");
    ASSERT_TRUE(run.stored) << run.Log();
    const std::vector<std::string> expected = {"Birth|text:in the year of the great flood|", "Death|3.3.1900|"};
    EXPECT_EQ(EventsOf(*database_, 1), expected);
}

TEST_F(GedcomFrontEndTest, FailedConversionsLeaveNothingBehind)
{
    struct Case {
        const char* name;
        bool exists;
        bool stop;
    } cases[] = {
        {"missing input", false, false},
#ifndef _WIN32
        // In the Windows build the converter asks its dialog whether to go on: the dialog's tests cover it.
        {"cancelled", true, true},
#endif
    };
    for (const Case& c : cases) {
        const std::string path = c.exists ? Write("small.ged", "0 HEAD\r\n0 @I1@ INDI\r\n1 NAME A /B/\r\n0 TRLR\r\n")
                                          : std::string(ImportFolderOf(folder_.str())) + "gone.ged";
        ImportWizardData block;
        ASSERT_TRUE(InitImportWizardData(block, path.c_str()));
        ImportLog log;
        log.Create(block.logPath);
        block.log = &log;
        std::string temporary;
        {
            GedcomImport import(block);
            ASSERT_TRUE(import.Prepare());
            temporary = import.TemporaryPath();
            EXPECT_TRUE(std::filesystem::exists(temporary)) << c.name;
            EXPECT_EQ(import.Params().size, 60u);
            EXPECT_EQ(import.Params().keepUnreadDates, 1u);
            EXPECT_EQ(import.Params().copyObjectFiles, 0u);
            EXPECT_STREQ(import.Params().inputPath, block.inputPath);
            EXPECT_STREQ(import.Params().outputPath, import.ConvertedBlock().inputPath);
            EXPECT_NE(import.Convert(nullptr, [&](int) { return !c.stop; }), CONVERT_OK) << c.name;
        }
        log.Close();
        EXPECT_FALSE(std::filesystem::exists(temporary)) << c.name;
        if (!c.exists) {
            EXPECT_NE(ReadWholeFile(block.logPath).find(GetLanguageText("GEDCOM_IMPORT_ERROR7")), std::string::npos);
        }
        ImportWizardData again;
        ASSERT_TRUE(InitImportWizardData(again, path.c_str()));
        if (!c.exists) {
            EXPECT_FALSE(ImportGedcomFile(*database_, again));
            EXPECT_EQ(again.failed, 1u);
        }
        EXPECT_EQ(CountRows(*database_, TablePerson), 0) << c.name;
    }
}

TEST(GedcomImportTexts, CodesGiveTheirKeysWithinTheTable)
{
    ScopedLanguage language("GEDCOM_TITL=Title\nGEDCOM_UID=Unique id\nGEDCOM_BIRT=Birth\nGEDCOM_FAMILY=Family\n"
                            "GEDCOM_IMPORT_ERROR7=cannot open\nGEDCOM_IMPORT_ERROR0=message\n");
    struct Case {
        std::int32_t code;
        const char* text;
    } cases[] = {
        {1000, "Birth"},
        {1034, "Title"},
        {1050, "Unique id"},
        {1051, "Family"},
        {1052, "GEDCOM_IMPORT_ERROR1052"},
        {99999, "GEDCOM_IMPORT_ERROR99999"},
        {7, "cannot open"},
        {0, "message"},
        {12, "GEDCOM_IMPORT_ERROR12"},
        {-5, "GEDCOM_IMPORT_ERROR-5"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(GedcomImportMessageText(c.code), c.text) << c.code;
    EXPECT_EQ(GedcomTypeCodeTag(999), nullptr);
    EXPECT_STREQ(GedcomTypeCodeTag(1049), "EMAIL");
}

} // namespace
