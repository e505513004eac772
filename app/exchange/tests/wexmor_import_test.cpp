// The Wexmor import: values converted, every section written through the record classes, the id maps,
// the include flags, the log, and the import that fails or is cancelled leaving the database as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/address_record.h"
#include "core/assertion_link.h"
#include "core/event_type.h"
#include "core/event_type_tables.h"
#include "core/notice_sink.h"
#include "core/place_record.h"
#include "core/role.h"
#include "exchange/import_data.h"
#include "exchange/import_log.h"
#include "exchange/tests/import_test_support.h"
#include "exchange/wexmor_import.h"
#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "persons/info_assertion.h"
#include "persons/name_assertion.h"
#include "persons/person_record.h"
#include "persons/relationship.h"
#include "records/excerpt_record.h"
#include "records/excerpt_ref.h"
#include "records/media_record.h"
#include "records/objective_record.h"
#include "records/repository_row.h"
#include "records/source_row.h"
#include "records/task_record.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"
#include "platform/file.h"

namespace {

using namespace import_test;
using test_support::CountRows;
using test_support::ScopedLanguage;
using test_support::TempPath;
using test_support::TestDatabase;

// The line the log gets for a counted section.
std::string CountLine(const char* key, int count)
{
    return SubstituteText(GetLanguageText(key), {std::to_string(count)}) + "\r\n\r\n";
}

// ---- Paths and texts ------------------------------------------------------------------------------------

TEST(ImportPaths, FormatLogPathAndRefusals)
{
    const std::string longName(300, 'a');
    struct Case {
        std::string input;
        bool accepted;
        std::uint32_t format;
        std::string log;
        std::string mediaFolder;
    } cases[] = {
        {"C:\\data\\family.ged", true, ImportFormatGedcom, "C:\\data\\family.log", "C:\\data\\"},
        {"C:\\data\\FAMILY.GED", true, ImportFormatGedcom, "C:\\data\\FAMILY.log", "C:\\data\\"},
        {"C:\\data\\family.wmx", true, ImportFormatWexmor, "C:\\data\\family.log", "C:\\data\\"},
        {"C:\\data\\family.txt", true, ImportFormatWexmor, "C:\\data\\family.log", "C:\\data\\"},
        {"/home/u/tree.ged", true, ImportFormatGedcom, "/home/u/tree.log", "/home/u/"},
        // Only the file name's extension counts: a dot in a folder's name is none.
        {"C:\\my.data\\family", false, 0, "", ""},
        {"family", false, 0, "", ""},
        // A file called *.log never has its log written over it.
        {"C:\\data\\notes.log", true, ImportFormatWexmor, "C:\\data\\notes.log.log", "C:\\data\\"},
        {"C:\\data\\" + longName + ".ged", false, 0, "", ""},
    };
    for (const Case& c : cases) {
        ImportWizardData block;
        EXPECT_EQ(InitImportWizardData(block, c.input.c_str()), c.accepted) << c.input;
        if (!c.accepted) {
            EXPECT_STREQ(block.inputPath, "") << c.input;
            continue;
        }
        EXPECT_EQ(block.format, c.format) << c.input;
        EXPECT_EQ(std::string(block.logPath), c.log) << c.input;
        EXPECT_EQ(std::string(block.inputPath), c.input);
        EXPECT_EQ(std::string(block.mediaFolder), c.mediaFolder) << c.input;
        EXPECT_EQ(block.importResearch + block.importRepositories + block.importSources + block.importObjects, 4u);
        EXPECT_EQ(block.gedcomUserDefined, 1u);
        EXPECT_EQ(block.failed, 0u);
    }
}

// A log path the user chose: taken as given, unless it names the imported file or does not fit.
TEST(ImportPaths, ChosenLogPath)
{
    const std::string input = "C:\\data\\family.ged";
    const std::string derived = "C:\\data\\family.log";
    struct Case {
        std::string chosen;
        bool taken;
        std::string log;
    } cases[] = {
        {"D:\\logs\\import.txt", true, "D:\\logs\\import.txt"},
        // The imported file itself, in any case, is never written over.
        {input, true, input + ".log"},
        {"c:\\DATA\\Family.GED", true, "c:\\DATA\\Family.GED.log"},
        {"", false, derived},
        {"C:\\" + std::string(300, 'x') + ".log", false, derived},
    };
    for (const Case& c : cases) {
        ImportWizardData block;
        ASSERT_TRUE(InitImportWizardData(block, input.c_str()));
        EXPECT_EQ(SetImportLogPath(block, c.chosen), c.taken) << c.chosen;
        EXPECT_EQ(std::string(block.logPath), c.log) << c.chosen;
    }
    // An input whose name leaves no room for ".log": choosing it keeps the log path as it was.
    ImportWizardData block;
    const std::string longInput = "C:\\" + std::string(252, 'y') + ".ged";
    ASSERT_TRUE(InitImportWizardData(block, longInput.c_str()));
    const std::string before = block.logPath;
    EXPECT_FALSE(SetImportLogPath(block, longInput));
    EXPECT_EQ(std::string(block.logPath), before);
}

TEST(ImportTexts, SubstitutionNeverReadsMissingArguments)
{
    struct Case {
        const char* format;
        std::initializer_list<std::string_view> values;
        const char* expected;
    } cases[] = {
        {"%d persons", {"250"}, "250 persons"},
        {"%5d persons", {"7"}, "7 persons"},
        {"%s and %s", {"a.ged", "b.vdb"}, "a.ged and b.vdb"},
        {"%s and %s", {"a.ged"}, "a.ged and %s"},
        {"%n%x%p 100%%", {"1"}, "%n%x%p 100%"},
        {"no placeholder", {"1"}, "no placeholder"},
        {"trailing %", {}, "trailing %"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SubstituteText(c.format, c.values), c.expected) << c.format;
}

// ---- Values --------------------------------------------------------------------------------------------

struct SimpleDateCase {
    const char* text;
    int calendar;
    int modifier;
    int era;
    int year, alternate, month, day, hour, minute;
    std::uint8_t expectedCalendar, expectedModifier;
};

TEST(ImportValues, SimpleDates)
{
    const SimpleDateCase cases[] = {
        {"1752/53-02-14", 4, -1, 0, 1752, 53, 2, 14, 255, 255, CalendarGregorian, DateModifierNone},
        {"1850-06-01T10:30", 8, 0, 0, 1850, 255, 6, 1, 10, 30, CalendarJulian, DateModifierAbout},
        // Years before 1: the sign or the era says so, and the year is negated once.
        {"-044", 8, -1, 0, -44, 255, 0, 0, 255, 255, CalendarJulian, DateModifierNone},
        {"0044", 8, -1, 1, -44, 255, 0, 0, 255, 255, CalendarJulian, DateModifierNone},
        {"-0044-03-15", 8, -1, 1, -44, 255, 3, 15, 255, 255, CalendarJulian, DateModifierNone},
        // Short texts are read within their end; fields they lack stay unset.
        {"18", 0, -1, 0, 18, 255, 0, 0, 255, 255, CalendarUnknown, DateModifierNone},
        {"", 0, -1, 0, 0, 255, 0, 0, 255, 255, CalendarUnknown, DateModifierNone},
        {"1900-", 0, -1, 0, 1900, 255, 0, 0, 255, 255, CalendarUnknown, DateModifierNone},
        {"1900-05-", 0, -1, 0, 1900, 255, 5, 0, 255, 255, CalendarUnknown, DateModifierNone},
        // Out of range: month, day, calendar 0; a time that is no time is none.
        {"1850-14-40", 1, 5, 0, 1850, 255, 0, 0, 255, 255, CalendarUnknown, DateModifierNone},
        {"1850-02-03T99:00", 6, 3, 0, 1850, 255, 2, 3, 255, 255, CalendarUnknown, DateModifierEstimated},
        {"1850-02-03T10:75", 5, 2, 0, 1850, 255, 2, 3, 255, 255, CalendarHebrew, DateModifierBefore},
        {"99999", 4, -1, 0, 0, 255, 0, 0, 255, 255, CalendarGregorian, DateModifierNone},
    };
    for (const SimpleDateCase& c : cases) {
        WZSimpledate* date = CreateSimpledate();
        SetSimpledateDate(c.text, date);
        SetSimpledateCalendar(c.calendar, date);
        SetSimpledateModifier(c.modifier, date);
        SetSimpledateEra(c.era, date);
        DateValue value = EmptyDateValue();
        ImportSimpleDate(value, date);
        ReleaseSimpledate(date);
        EXPECT_EQ(value.Year(), c.year) << c.text;
        EXPECT_EQ(value.alternateYear, c.alternate) << c.text;
        EXPECT_EQ(value.month, c.month) << c.text;
        EXPECT_EQ(value.day, c.day) << c.text;
        EXPECT_EQ(value.hour, c.hour) << c.text;
        EXPECT_EQ(value.minute, c.minute) << c.text;
        EXPECT_EQ(value.calendar, c.expectedCalendar) << c.text;
        EXPECT_EQ(value.modifier, c.expectedModifier) << c.text;
    }
}

WZSimpledate* Simple(const char* text)
{
    WZSimpledate* date = CreateSimpledate();
    SetSimpledateDate(text, date);
    SetSimpledateCalendar(4, date);
    return date;
}

TEST(ImportValues, DateRanges)
{
    struct Case {
        const char* name;
        std::function<void(WZDate*)> build;
        std::uint8_t type;
        int first;
        int second;
        const char* text;
    } cases[] = {
        {"exact", [](WZDate* d) { WZSimpledate* s = Simple("1850"); SetDateExact(s, d); ReleaseSimpledate(s); },
         DateRangeSingle, 1850, 0, ""},
        {"from-to",
         [](WZDate* d) {
             WZSimpledate* a = Simple("1850");
             WZSimpledate* b = Simple("1860");
             SetDateFrom(a, d);
             SetDateTo(b, d);
             ReleaseSimpledate(a);
             ReleaseSimpledate(b);
         },
         DateRangeFromTo, 1850, 1860, ""},
        {"to only", [](WZDate* d) { WZSimpledate* s = Simple("1870"); SetDateTo(s, d); ReleaseSimpledate(s); },
         DateRangeTo, 1870, 0, ""},
        {"from only", [](WZDate* d) { WZSimpledate* s = Simple("1871"); SetDateFrom(s, d); ReleaseSimpledate(s); },
         DateRangeFrom, 1871, 0, ""},
        {"between",
         [](WZDate* d) {
             WZSimpledate* a = Simple("1800");
             WZSimpledate* b = Simple("1810");
             SetDateBegin(a, d);
             SetDateEnd(b, d);
             ReleaseSimpledate(a);
             ReleaseSimpledate(b);
         },
         DateRangeBetween, 1800, 1810, ""},
        {"text", [](WZDate* d) { SetDateText("in the spring of the flood, as the parish clerk wrote", d); },
         DateRangeText, 0, 0, "in the spring of the flood, as the pari"},
    };
    for (const Case& c : cases) {
        WZDate* date = CreateDate();
        c.build(date);
        DateRange range = {};
        ImportDate(range, date);
        ReleaseDate(date);
        EXPECT_EQ(range.type, c.type) << c.name;
        if (c.type == DateRangeText) {
            EXPECT_EQ(range.Text(), c.text) << c.name;
            continue;
        }
        EXPECT_EQ(range.dates.first.Year(), c.first) << c.name;
        EXPECT_EQ(range.dates.second.Year(), c.second) << c.name;
    }
    DateRange untouched = {};
    untouched.type = DateRangeSingle;
    ImportDate(untouched, nullptr);
    EXPECT_EQ(untouched.type, DateRangeSingle);
}

TEST(ImportValues, QualityGradesAndResearchDates)
{
    const std::pair<int, int> grades[] = {{-1, 0}, {0, 1}, {40, 1}, {70, 1}, {71, 2}, {90, 2},
                                          {91, 3}, {95, 3}, {96, 4}, {99, 4}, {127, 4}};
    for (const auto& [quality, grade] : grades)
        EXPECT_EQ(ExcerptGradeOfQuality(quality), grade) << quality;

    struct Case {
        const char* text;
        int year, month, day;
    } dates[] = {
        {"2009-08-07", 2009, 8, 7}, {"2009", 2009, 0, 0},     {"2009-0", 2009, 0, 0}, {"", 0, 0, 0},
        {"2009-13-01", 2009, 0, 0}, {"2009-12-45", 2009, 12, 0}, {"abc", 0, 0, 0},    {"2009-08-07T10:00", 2009, 8, 7},
    };
    for (const Case& c : dates) {
        const ResearchDate date = ParseResearchDate(c.text);
        EXPECT_EQ(date.year, c.year) << c.text;
        EXPECT_EQ(date.month, c.month) << c.text;
        EXPECT_EQ(date.day, c.day) << c.text;
    }
    EXPECT_EQ(ParseResearchDate(nullptr).year, 0);
}

TEST(ImportValues, IdMapsTakeAnyPositiveId)
{
    ImportIdMap map;
    map.Set(2000000000, 5);
    map.Set(1, 6);
    map.Set(0, 7);
    map.Set(-3, 8);
    map.Set(5000000000LL, 9);
    EXPECT_EQ(map.Get(2000000000), 5);
    EXPECT_EQ(map.Get(1), 6);
    EXPECT_EQ(map.Get(0), 0);
    EXPECT_EQ(map.Get(-3), 0);
    EXPECT_EQ(map.Get(5000000000LL), 0);
    EXPECT_EQ(map.Get(2), 0);
    EXPECT_EQ(map.Size(), 2u);
}

// ---- Whole files ---------------------------------------------------------------------------------------

class WexmorImportTest : public ::testing::Test {
protected:
    ScopedLanguage language_ {ScopedLanguage::Master()};
    TestDatabase database_ {true};
    TempPath file_ {"family.wmx", "vestrada_wexmor_import_"};
};

void ExportRecords(WexmorFile* file)
{
    WZRepository* repository = CreateRepository();
    SetRepositoryId(3, repository);
    SetRepositoryName("County Archive", repository);
    SetRepositoryEmail("archive@example.org", repository);
    WZAddress* address = CreateAddress();
    AddAddressPart("High Street 1", 3, address);
    AddAddressPart(nullptr, 0, address);
    AddAddressPart("Dorchester", 8, address);
    SetAddressPhone("01305", address);
    SetRepositoryAddress(address, repository);
    ReleaseAddress(address);
    SetRepositoryNote("Open on Tuesdays", repository);
    EXPECT_EQ(RepositoryExport(file, repository), 0);
    ReleaseRepository(repository);

    struct SourceCase {
        int id;
        const char* isbn;
        const char* issn;
    } sources[] = {{10, "0-123", "1234-5678"}, {11, "", "9876-5432"}};
    for (const SourceCase& s : sources) {
        WZSource* source = CreateSource();
        SetSourceId(s.id, source);
        SetSourceAuthor("Parish clerk", source);
        SetSourceTitle("Register of baptisms", source);
        SetSourceShortTitle("Baptisms", source);
        SetSourceIsbn(s.isbn, source);
        SetSourceIssn(s.issn, source);
        SetSourceText("The transcript", source);
        WZRepref* reference = CreateRepref();
        SetReprefRef(3, reference);
        SetReprefCallnumber("PR/1/2", reference);
        SetReprefNote("Shelf 4", reference);
        AddSourceRepref(reference, source);
        ReleaseRepref(reference);
        EXPECT_EQ(SourceExport(file, source), 0);
        ReleaseSource(source);
    }
    struct ExcerptCase {
        int id;
        int quality;
    } excerpts[] = {{20, 70}, {21, 96}};
    for (const ExcerptCase& e : excerpts) {
        WZExcerpt* excerpt = CreateExcerpt();
        SetExcerptId(e.id, excerpt);
        SetExcerptText("John, son of William", excerpt);
        SetExcerptQuality(e.quality, excerpt);
        SetExcerptPage("folio 12", excerpt);
        SetExcerptSourceref(10, excerpt);
        EXPECT_EQ(ExcerptExport(file, excerpt), 0);
        ReleaseExcerpt(excerpt);
    }
    // A type that the database has (matched) and one it lacks (created, with no roles given).
    WZEventtype* birth = CreateEventtype();
    SetEventtypeId(1, birth);
    SetEventtypeClass(4, birth);
    SetEventtypeDescription("Birth", birth);
    SetEventtypeGedcomtag("BIRT", birth);
    SetEventtypeRoles(1, birth);
    EXPECT_EQ(EventtypeExport(file, birth), 0);
    ReleaseEventtype(birth);
    WZEventtype* feast = CreateEventtype();
    SetEventtypeId(2, feast);
    SetEventtypeDescription("Harvest feast", feast);
    EXPECT_EQ(EventtypeExport(file, feast), 0);
    ReleaseEventtype(feast);
}

void ExportPersons(WexmorFile* file)
{
    ExportPerson(file, 1, 1, MakeName({{" John,", 6}, {"Smith ;", 4}}), "A farmer");
    ExportPerson(file, 2, 2, MakeName({{"Mary", 6}, {"Brown", 4}}));
    ExportPerson(file, 2000000000, 0, MakeName({{"Ann", 6}, {"Smith", 4}}));
    ExportPerson(file, 4, 0, MakeName({{"Tab\tin\x01name", 6}}));
}

void ExportAssertion(WexmorFile* file, int id, const std::function<void(WZAssertion*)>& fill)
{
    WZAssertion* assertion = CreateAssertion();
    SetAssertionID(id, assertion);
    fill(assertion);
    EXPECT_EQ(AssertionExport(file, assertion), 0);
    ReleaseAssertion(assertion);
}

void ExportAssertions(WexmorFile* file)
{
    // An event with three principals and a witness, cited.
    ExportAssertion(file, 1, [](WZAssertion* a) {
        SetAssertionDatatype(2, a);
        SetAssertionNote("Seen in the register", a);
        WZEvent* event = CreateWZEvent();
        SetEventType(1, event);
        for (int person : {1, 2, 2000000000}) {
            WZPersonref* reference = MakePersonref(person, person == 1 ? 3 : -1);
            AddEventPrincipal(reference, event);
            ReleasePersonref(reference);
        }
        WZPersonrefrole* witness = CreatePersonrefrole();
        WZPersonref* reference = MakePersonref(4);
        SetPersonrefrolePersonref(reference, witness);
        ReleasePersonref(reference);
        SetPersonrefroleRole("Witness", witness);
        AddEventSubordinate(witness, event);
        ReleasePersonrefrole(witness);
        WZDate* date = CreateDate();
        WZSimpledate* exact = Simple("1850-06-01");
        SetDateExact(exact, date);
        ReleaseSimpledate(exact);
        SetEventDate(date, event);
        ReleaseDate(date);
        WZPlace* place = CreatePlace();
        AddPlacePart("Dorchester", 7, place);
        AddPlacePart("Dorset", 6, place);
        SetEventPlace(place, event);
        ReleasePlace(place);
        SetAssertionEvent(event, a);
        ReleaseWZEvent(event);
        WZExcerptref* cited = CreateExcerptref();
        SetExcerptrefExcerptId(21, cited);
        AddAssertionExcerptref(cited, a);
        ReleaseExcerptref(cited);
    });
    // Father, mother and child: two relationships.
    ExportAssertion(file, 2, [](WZAssertion* a) {
        WZRelationship* relationship = CreateRelationship();
        SetRelationshipRelation(1, relationship);
        WZPersonref* father = MakePersonref(1);
        WZPersonref* mother = MakePersonref(2);
        WZPersonref* child = MakePersonref(2000000000);
        SetRelationshipFather(father, relationship);
        SetRelationshipMother(mother, relationship);
        SetRelationshipChild(child, relationship);
        ReleasePersonref(father);
        ReleasePersonref(mother);
        ReleasePersonref(child);
        SetAssertionRelationship(relationship, a);
        ReleaseRelationship(relationship);
        SetAssertionNote("Baptism entry", a);
    });
    // A text, a number and a flag attribute.
    ExportAssertion(file, 3, [](WZAssertion* a) {
        WZAttribute* attribute = CreateAttribute();
        SetAttributeDescription("Occupation", attribute);
        SetAttributeTextclass(11, attribute);
        SetAttributeText("Farmer", attribute);
        WZPersonref* reference = MakePersonref(1);
        SetAttributePersonref(reference, attribute);
        ReleasePersonref(reference);
        WZPlace* place = CreatePlace();
        AddPlacePart("Fordington", 13, place);
        SetAttributePlace(place, attribute);
        ReleasePlace(place);
        SetAssertionAttribute(attribute, a);
        ReleaseAttribute(attribute);
    });
    ExportAssertion(file, 4, [](WZAssertion* a) {
        WZAttribute* attribute = CreateAttribute();
        SetAttributeDescription("Number of children", attribute);
        SetAttributeNumberclass(2, attribute);
        SetAttributeNumber(7, attribute);
        SetAttributeModifier(1, attribute);
        WZPersonref* reference = MakePersonref(2);
        SetAttributePersonref(reference, attribute);
        ReleasePersonref(reference);
        SetAssertionAttribute(attribute, a);
        ReleaseAttribute(attribute);
    });
    ExportAssertion(file, 5, [](WZAssertion* a) {
        WZAttribute* attribute = CreateAttribute();
        SetAttributeDescription("Living", attribute);
        SetAttributeFlagclass(3, attribute);
        SetAttributeNegative(0, attribute);
        WZPersonref* reference = MakePersonref(2000000000);
        SetAttributePersonref(reference, attribute);
        ReleasePersonref(reference);
        SetAssertionAttribute(attribute, a);
        ReleaseAttribute(attribute);
    });
    ExportAssertion(file, 6, [](WZAssertion* a) {
        WZInfo* info = CreateInfo();
        SetInfoText("Emigrated, it is said", info);
        WZPersonref* reference = MakePersonref(1);
        AddInfoPersonref(reference, info);
        ReleasePersonref(reference);
        SetAssertionInfo(info, a);
        ReleaseInfo(info);
    });
    ExportAssertion(file, 7, [](WZAssertion* a) {
        WZAlias* alias = CreateAlias();
        WZName* name = MakeName({{"Jack", 6}});
        SetAliasName(name, alias);
        ReleaseName(name);
        WZPersonref* reference = MakePersonref(1);
        SetAliasPersonref(reference, alias);
        ReleasePersonref(reference);
        SetAssertionAlias(alias, a);
        ReleaseAlias(alias);
    });
    // Naming the person that was not imported: the link points to no one.
    ExportAssertion(file, 8, [](WZAssertion* a) {
        WZInfo* info = CreateInfo();
        SetInfoText("About the merged one", info);
        WZPersonref* reference = MakePersonref(5);
        AddInfoPersonref(reference, info);
        ReleasePersonref(reference);
        SetAssertionInfo(info, a);
        ReleaseInfo(info);
    });
}

void ExportResearch(WexmorFile* file)
{
    WZObjective* objective = CreateObjective();
    SetObjectiveId(9, objective);
    SetObjectiveTitle("Find John's parents", objective);
    SetObjectiveProblem("No baptism", objective);
    SetObjectiveSolution("", objective);
    SetObjectiveCreated("2009-08-07", objective);
    EXPECT_EQ(ObjectiveExport(file, objective), 0);
    ReleaseObjective(objective);
    WZTask* task = CreateTask();
    SetTaskId(1, task);
    SetTaskTitle("Search the register", task);
    SetTaskProblem("Which parish?", task);
    SetTaskObjectiveref(9, task);
    SetTaskPersonref(1, task);
    SetTaskSourceref(11, task);
    SetTaskStatus(2, task);
    SetTaskStatusdate("2010-01-02", task);
    EXPECT_EQ(TaskExport(file, task), 0);
    ReleaseTask(task);
}

// A person made of two others, which the library has no way to build: written as the file holds it.
constexpr const char* MergedPerson =
    "<person id=\"P5\" sex=\"unknown\"><personalname><np tp=\"givn\">Merged</np></personalname>"
    "<subpersons probability=\"80\"><personref>1</personref><personref>2</personref></subpersons></person>";

void ExportWholeFile(const std::string& path, const char* owner = "")
{
    {
        WexmorWriter writer(path, owner);
        ExportRecords(writer.get());
        ExportPersons(writer.get());
        ExportAssertions(writer.get());
        ExportResearch(writer.get());
    }
    std::string bytes = ReadWholeFile(path);
    bytes.insert(bytes.find("<assertion"), MergedPerson);
    WriteWholeFile(path, bytes);
}

std::vector<AssertionLinkRow> LinksOf(Database& database, std::uint8_t kind, std::int32_t assertion)
{
    std::vector<AssertionLinkRow> links;
    EngineTransaction transaction(database.file, TLV_READ);
    const std::int32_t table = database.TableId(TableAssertionLink);
    const std::int32_t highest = tlvNumberOfRecords(table, database.file);
    for (std::int32_t id = 1; id <= highest; ++id) {
        AssertionLinkRow row = {};
        if (tlvReadRecord(table, id, &row, database.file) == 0 && row.kind == kind && row.assertionId == assertion)
            links.push_back(row);
    }
    return links;
}

TEST_F(WexmorImportTest, EverySectionArrivesFieldByField)
{
    ExportWholeFile(file_.str());
    const int eventTypesBefore = CountRows(*database_, TableEventType);
    const int rolesBefore = CountRows(*database_, TableRole);
    ImportRun run(*database_, file_.str());
    ASSERT_TRUE(run.stored) << run.Log();
    EXPECT_EQ(run.block.failed, 0u);
    EXPECT_NE(run.Log().find(CountLine("IMPORT_MESSAGE_PERSONS", 5)), std::string::npos) << run.Log();
    EXPECT_NE(run.Log().find(CountLine("IMPORT_MESSAGE_ASSERTIONS", 8)), std::string::npos);
    EXPECT_NE(run.Log().find(CountLine("IMPORT_MESSAGE_TASKS", 1)), std::string::npos);

    // Repository with its address and note; sources with their standard numbers and references.
    ASSERT_EQ(CountRows(*database_, TableRepository), 1);
    const auto repository = ReadRow<RepositoryRow>(*database_, TableRepository, 1);
    EXPECT_STREQ(repository.name, "County Archive");
    EXPECT_STREQ(repository.email, "archive@example.org");
    EXPECT_EQ(NoteOf(*database_, repository.noteId), "Open on Tuesdays");
    const auto address = ReadRow<AddressRow>(*database_, TableAddress, repository.addressId);
    EXPECT_STREQ(address.line1, "High Street 1");
    EXPECT_STREQ(address.line2, "Dorchester");
    EXPECT_STREQ(address.phone, "01305");
    ASSERT_EQ(CountRows(*database_, TableSource), 2);
    const auto first = ReadRow<SourceRow>(*database_, TableSource, 1);
    const auto second = ReadRow<SourceRow>(*database_, TableSource, 2);
    EXPECT_STREQ(first.serialNumber, "0-123");
    EXPECT_EQ(+first.serialType, SerialIsbn);
    EXPECT_STREQ(second.serialNumber, "9876-5432");
    EXPECT_EQ(+second.serialType, SerialIssn);
    EXPECT_STREQ(first.title, "Register of baptisms");
    EXPECT_STREQ(first.shortTitle, "Baptisms");
    EXPECT_EQ(NoteOf(*database_, first.textId), "The transcript");
    ASSERT_EQ(CountRows(*database_, TableRepRef), 2);
    const auto reference = ReadRow<RepositoryRefRow>(*database_, TableRepRef, 1);
    EXPECT_EQ(+reference.repositoryId, 1);
    EXPECT_EQ(+reference.sourceId, 1);
    EXPECT_STREQ(reference.callNumber, "PR/1/2");
    EXPECT_EQ(NoteOf(*database_, reference.noteId), "Shelf 4");

    // Excerpts graded, on the new source.
    const auto poor = ReadRow<ExcerptRow>(*database_, TableExcerpt, 1);
    const auto best = ReadRow<ExcerptRow>(*database_, TableExcerpt, 2);
    EXPECT_EQ(+poor.quality, ExcerptQualityPoor);
    EXPECT_EQ(+best.quality, ExcerptQualityVeryGood);
    EXPECT_EQ(+poor.sourceId, 1);
    EXPECT_STREQ(poor.page, "folio 12");
    EXPECT_EQ(NoteOf(*database_, poor.textId), "John, son of William");

    // Birth matched; the feast made, with one principal; no role duplicated.
    EXPECT_EQ(CountRows(*database_, TableEventType), eventTypesBefore + 1);
    EXPECT_EQ(CountRows(*database_, TableRole), rolesBefore);

    // Persons: four (the merged one is left out), the big file id mapped, names trimmed and cleaned.
    ASSERT_EQ(CountRows(*database_, TablePerson), 4);
    const auto john = ReadRow<PersonRow>(*database_, TablePerson, 1);
    EXPECT_EQ(+john.sex, SexMale);
    EXPECT_EQ(NameParts(*database_, john.nameId), "6:John|4:Smith");
    EXPECT_EQ(NoteOf(*database_, john.noteId), "A farmer");
    const auto ann = ReadRow<PersonRow>(*database_, TablePerson, 3);
    EXPECT_EQ(NameParts(*database_, ann.nameId), "6:Ann|4:Smith");
    const auto tab = ReadRow<PersonRow>(*database_, TablePerson, 4);
    EXPECT_EQ(NameParts(*database_, tab.nameId), "6:Tab in name");
    EXPECT_EQ(+ReadRow<NameRow>(*database_, TableName, john.nameId).number, 1);

    // The event: two principals (the third dropped), the witness with the standard role, date, place,
    // privacy, note and citation.
    ASSERT_EQ(CountRows(*database_, TableEvent2), 1);
    const auto event = ReadRow<EventRow>(*database_, TableEvent2, 1);
    EXPECT_EQ(+event.privacy, PrivacyImmediateFamily);
    EXPECT_EQ(NoteOf(*database_, event.noteId), "Seen in the register");
    const DateRange date = LoadDateRange(event.date);
    EXPECT_EQ(date.type, DateRangeSingle);
    EXPECT_EQ(date.dates.first.Year(), 1850);
    EXPECT_EQ(date.dates.first.month, 6);
    EngineTransaction reading(database_->file, TLV_READ);
    PlaceRecord place(event.placeId, *database_);
    char placeText[128];
    EXPECT_STREQ(place.Format(placeText, sizeof placeText), "Dorchester, Dorset");
    EXPECT_EQ(+place.row.eventId, 1);
    EXPECT_EQ(place.GetPartType(0), PlacePartTown);
    EventType type(*database_);
    type.Read(event.typeId);
    EXPECT_STREQ(type.row.name, "Birth");
    reading.End(true);
    const auto eventLinks = LinksOf(*database_, AssertionEvent, 1);
    ASSERT_EQ(eventLinks.size(), 3u);
    EXPECT_EQ(+eventLinks[0].personId, 1);
    EXPECT_EQ(+eventLinks[0].order, 3);
    EXPECT_EQ(+eventLinks[0].roleId, 0);
    EXPECT_EQ(+eventLinks[1].personId, 2);
    EXPECT_EQ(+eventLinks[1].order, NewAssertionLinkOrder);
    EXPECT_EQ(+eventLinks[2].personId, 4);
    EXPECT_NE(+eventLinks[2].roleId, 0);
    {
        EngineTransaction transaction(database_->file, TLV_READ);
        RoleRecord role(*database_);
        role.Read(eventLinks[2].roleId);
        EXPECT_STREQ(role.row.name, "Witness");
    }
    const auto citation = ReadRow<ExcerptRefRow>(*database_, TableExcerptRef, 1);
    EXPECT_EQ(+citation.excerptId, 2);
    EXPECT_EQ(+citation.ownerId, 1);
    EXPECT_EQ(+citation.ownerKind, OwnerEvent);
    EXPECT_EQ(CountRows(*database_, TableExcerptRef), 1) << "the merged person's citation is not imported";

    // Two relationships, each the child linked first (role 0), then the parent (role 1), each its note.
    ASSERT_EQ(CountRows(*database_, TableRelationship), 2);
    for (std::int32_t id : {1, 2}) {
        const auto relationship = ReadRow<RelationshipRow>(*database_, TableRelationship, id);
        EXPECT_EQ(+relationship.relation, RelationAdoptive);
        EXPECT_EQ(NoteOf(*database_, relationship.noteId), "Baptism entry");
        const auto links = LinksOf(*database_, AssertionRelationship, id);
        ASSERT_EQ(links.size(), 2u);
        EXPECT_EQ(+links[0].personId, 3);
        EXPECT_EQ(+links[0].roleId, RelationshipChildRole);
        EXPECT_EQ(+links[1].personId, id);
        EXPECT_EQ(+links[1].roleId, RelationshipParentRole);
    }

    // Attributes: text in a note, number with its modifier, flag set.
    ASSERT_EQ(CountRows(*database_, TableAttribute2), 3);
    const auto occupation = ReadRow<AttributeRow>(*database_, TableAttribute2, 1);
    EXPECT_EQ(NoteOf(*database_, occupation.valueTextId), "Farmer");
    {
        EngineTransaction transaction(database_->file, TLV_READ);
        EXPECT_EQ(+PlaceRecord(occupation.placeId, *database_).row.attributeId, 1);
    }
    const auto children = ReadRow<AttributeRow>(*database_, TableAttribute2, 2);
    EXPECT_EQ(+children.value, 7);
    EXPECT_EQ(+children.modifier, AttributeGreater);
    const auto living = ReadRow<AttributeRow>(*database_, TableAttribute2, 3);
    EXPECT_EQ(+living.value, 1);
    EXPECT_EQ(+LinksOf(*database_, AssertionAttribute, 3).at(0).personId, 3);
    {
        EngineTransaction transaction(database_->file, TLV_READ);
        EXPECT_EQ(+occupation.typeId, FindEventTypeId("Occupation", AttributeKindText, 11, -1, -1,
                                                     EventTypeKindAttribute, *database_));
    }

    // Information and alias.
    ASSERT_EQ(CountRows(*database_, TableInfo), 2);
    EXPECT_EQ(NoteOf(*database_, ReadRow<InfoRow>(*database_, TableInfo, 1).textId), "Emigrated, it is said");
    EXPECT_EQ(+LinksOf(*database_, AssertionInfo, 2).at(0).personId, 0);
    ASSERT_EQ(CountRows(*database_, TableAlias2), 1);
    const auto alias = ReadRow<NameAssertionRow>(*database_, TableAlias2, 1);
    EXPECT_EQ(NameParts(*database_, alias.nameId), "6:Jack");
    EXPECT_EQ(+LinksOf(*database_, AssertionName, 1).at(0).personId, 1);

    // Research.
    const auto objective = ReadRow<ObjectiveRow>(*database_, TableObjective, 1);
    EXPECT_STREQ(objective.title, "Find John's parents");
    EXPECT_EQ(+objective.created.year, 2009);
    EXPECT_EQ(+objective.created.month, 8);
    EXPECT_EQ(+objective.created.day, 7);
    EXPECT_EQ(+objective.priority, PriorityMedium) << "an objective without priority gets the default";
    EXPECT_EQ(NoteOf(*database_, objective.problemId), "No baptism");
    const auto task = ReadRow<TaskRow>(*database_, TableTask, 1);
    EXPECT_EQ(+task.objectiveId, 1);
    EXPECT_EQ(+task.personId, 1);
    EXPECT_EQ(+task.sourceId, 2);
    EXPECT_EQ(+task.status, TaskStatusFinished);
    EXPECT_EQ(+task.statusDate.year, 2010);
}

TEST_F(WexmorImportTest, IncludeFlagsLeaveSectionsOut)
{
    ExportWholeFile(file_.str());
    struct Case {
        const char* name;
        std::function<void(ImportWizardData&)> adjust;
        int repositories, sources, excerpts, excerptRefs, reprefs, objectives, tasks;
    } cases[] = {
        {"everything", {}, 1, 2, 2, 1, 2, 1, 1},
        {"no repositories", [](ImportWizardData& b) { b.importRepositories = 0; }, 0, 2, 2, 1, 0, 1, 1},
        {"no sources", [](ImportWizardData& b) { b.importSources = 0; }, 1, 0, 0, 0, 0, 1, 1},
        {"no research", [](ImportWizardData& b) { b.importResearch = 0; }, 1, 2, 2, 1, 2, 0, 0},
    };
    for (const Case& c : cases) {
        TestDatabase database(true);
        ImportRun run(*database, file_.str(), c.adjust);
        ASSERT_TRUE(run.stored) << c.name;
        EXPECT_EQ(CountRows(*database, TableRepository), c.repositories) << c.name;
        EXPECT_EQ(CountRows(*database, TableSource), c.sources) << c.name;
        EXPECT_EQ(CountRows(*database, TableExcerpt), c.excerpts) << c.name;
        EXPECT_EQ(CountRows(*database, TableExcerptRef), c.excerptRefs) << c.name;
        EXPECT_EQ(CountRows(*database, TableRepRef), c.reprefs) << c.name;
        EXPECT_EQ(CountRows(*database, TableObjective), c.objectives) << c.name;
        EXPECT_EQ(CountRows(*database, TableTask), c.tasks) << c.name;
        EXPECT_EQ(CountRows(*database, TablePerson), 4) << c.name;
        // Elements read are counted, the person made of two others too.
        EXPECT_NE(run.Log().find(CountLine("IMPORT_MESSAGE_PERSONS", 5)), std::string::npos) << c.name;
    }
    TestDatabase database(true);
    ImportRun run(*database, file_.str(), [](ImportWizardData& b) { b.importSources = 0; });
    EXPECT_EQ(+ReadRow<TaskRow>(*database, TableTask, 1).sourceId, 0);
}

// Damaged files: the log tells what was read and where it stopped; nothing reaches the database.
TEST_F(WexmorImportTest, DamagedOrIncompleteFilesLeaveTheDatabaseUnchanged)
{
    ExportWholeFile(file_.str());
    const std::string whole = ReadWholeFile(file_.str());
    const std::size_t secondPerson = whole.find("<person id=\"P2\"");
    const std::size_t lastTaskEnd = whole.rfind("</task>") + 7;
    const std::size_t objective = whole.find("<objective");
    ASSERT_NE(secondPerson, std::string::npos);
    struct Case {
        const char* name;
        std::string bytes;
        std::string logHas;
    } cases[] = {
        {"damaged person", whole.substr(0, secondPerson) + "<person id=\"P2\" sex=\"male\"><personalname>" +
                               whole.substr(secondPerson + 60),
         CountLine("IMPORT_MESSAGE_PERSONS", 1) + GetLanguageText("IMPORT_ERROR28")},
        {"cut after the last task", whole.substr(0, lastTaskEnd), GetLanguageText("IMPORT_ERROR121")},
        {"an objective after the tasks",
         whole.substr(0, lastTaskEnd) + whole.substr(objective, whole.find("</objective>") + 12 - objective) +
             whole.substr(lastTaskEnd),
         GetLanguageText("IMPORT_ERROR121")},
    };
    for (const Case& c : cases) {
        TestDatabase database(true);
        const int eventTypes = CountRows(*database, TableEventType);
        TempPath path("damaged.wmx", "vestrada_wexmor_damaged_");
        WriteWholeFile(path.str(), c.bytes);
        ImportRun run(*database, path.str());
        EXPECT_FALSE(run.stored) << c.name;
        EXPECT_EQ(run.block.failed, 1u) << c.name;
        EXPECT_NE(run.Log().find(c.logHas), std::string::npos) << c.name << "\n" << run.Log();
        EXPECT_EQ(CountRows(*database, TablePerson), 0) << c.name;
        EXPECT_EQ(CountRows(*database, TableSource), 0) << c.name;
        EXPECT_EQ(CountRows(*database, TableEventType), eventTypes) << c.name;
        EXPECT_EQ(CountRows(*database, TableNote), 0) << c.name;
    }
    TestDatabase database(true);
    TempPath path("damaged.wmx", "vestrada_wexmor_damaged_");
    WriteWholeFile(path.str(), whole.substr(0, secondPerson) + "<person id=\"P2\" sex=\"male\"><personalname>" +
                                   whole.substr(secondPerson + 60));
    ImportRun run(*database, path.str());
    EXPECT_NE(run.Log().find("^"), std::string::npos) << "the reader's context shows where it stopped";
}

TEST_F(WexmorImportTest, UnreadableFilesAreRefusedBeforeAnythingIsWritten)
{
    struct Case {
        const char* name;
        std::string bytes;
        WexmorImportDriver::Opening opening;
    } cases[] = {
        {"not xml", "GEDCOM 0 HEAD", WexmorImportDriver::Opening::NotOpened},
        {"no header",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><wexmor><person id=\"P1\"></person></wexmor>",
         WexmorImportDriver::Opening::HeaderFailed},
    };
    for (const Case& c : cases) {
        WriteWholeFile(file_.str(), c.bytes);
        ImportWizardData block;
        ASSERT_TRUE(InitImportWizardData(block, file_.c_str()));
        WexmorImportDriver driver(*database_, block);
        EXPECT_EQ(driver.Open(), c.opening) << c.name;
        EXPECT_EQ(block.failed, 1u) << c.name;
        EXPECT_FALSE(driver.Close()) << c.name;
    }
    ImportWizardData missing;
    ASSERT_TRUE(InitImportWizardData(missing, (file_.str() + ".gone.wmx").c_str()));
    EXPECT_FALSE(ImportWexmorFile(*database_, missing));
    EXPECT_EQ(missing.failed, 1u);
}

TEST_F(WexmorImportTest, CancelDiscardsWhatWasImported)
{
    ExportWholeFile(file_.str(), "Jane Owner");
    ImportWizardData block;
    ASSERT_TRUE(InitImportWizardData(block, file_.c_str()));
    WexmorImportDriver driver(*database_, block);
    ASSERT_EQ(driver.Open(), WexmorImportDriver::Opening::Opened);
    while (driver.Section() != WexmorSection::Assertions)
        ASSERT_EQ(driver.Step(), WexmorImportDriver::Status::Running);
    EXPECT_STREQ(database_->header.ownerName, "Jane Owner");
    driver.Cancel();
    EXPECT_EQ(driver.Step(), WexmorImportDriver::Status::Failed);
    EXPECT_FALSE(driver.Close());
    EXPECT_EQ(block.failed, 1u);
    EXPECT_EQ(CountRows(*database_, TablePerson), 0);
    EXPECT_STREQ(database_->header.ownerName, "") << "the header in memory is the stored one again";
    database_.Reopen();
    EXPECT_STREQ(database_->header.ownerName, "");
}

// The windows of the open database hear of an import once it is committed, and of a cancelled one never.
TEST_F(WexmorImportTest, AStoredImportTellsTheWindowsToReadAgain)
{
    struct RecordingSink : NoticeSink {
        std::vector<Notice> posted;
        void Post(Notice notice, std::uint32_t, std::int32_t) override { posted.push_back(notice); }
    } sink;
    NoticeSink* const previous = CurrentNoticeSink;
    CurrentNoticeSink = &sink;
    ExportWholeFile(file_.str());
    for (const bool cancel : {true, false}) {
        sink.posted.clear();
        ImportWizardData block;
        ASSERT_TRUE(InitImportWizardData(block, file_.c_str()));
        WexmorImportDriver driver(*database_, block);
        ASSERT_EQ(driver.Open(), WexmorImportDriver::Opening::Opened);
        if (cancel)
            driver.Cancel();
        else
            driver.Run();
        EXPECT_TRUE(sink.posted.empty()) << "nothing is told before the commit";
        EXPECT_EQ(driver.Close(), !cancel);
        EXPECT_EQ(std::count(sink.posted.begin(), sink.posted.end(), NoticeRecordsImported), cancel ? 0 : 1)
            << (cancel ? "cancelled" : "stored");
    }
    CurrentNoticeSink = previous;
}

// The disk's fault seam reaches the engine only where it is linked into the program; in the Windows build the
// engine is a DLL with a seam of its own.
#ifndef _WIN32
TEST_F(WexmorImportTest, AFailedCommitKeepsNothingAndSaysSo)
{
    ExportWholeFile(file_.str());
    ImportWizardData block;
    ASSERT_TRUE(InitImportWizardData(block, file_.c_str()));
    ImportLog log;
    ASSERT_TRUE(log.Create(block.logPath));
    block.log = &log;
    WexmorImportDriver driver(*database_, block);
    ASSERT_EQ(driver.Open(), WexmorImportDriver::Opening::Opened);
    ASSERT_EQ(driver.Run(), WexmorImportDriver::Status::Finished);
    // The disk refuses every write from now on: the commit cannot store the import.
    platform::SetFileFault(platform::FileFaultMode::FailFromNth, 1);
    const bool stored = driver.Close();
    platform::SetFileFault(platform::FileFaultMode::Off, 0);
    log.Close();
    EXPECT_FALSE(stored);
    EXPECT_EQ(block.failed, 1u);
    const std::string refused = SubstituteText(GetLanguageText("IMPORT_DATABASE_REFUSED"), {""});
    EXPECT_NE(ReadWholeFile(block.logPath).find(refused.substr(0, refused.find('('))), std::string::npos)
        << ReadWholeFile(block.logPath);
    database_.Reopen();
    EXPECT_EQ(CountRows(*database_, TablePerson), 0);
}
#endif

TEST_F(WexmorImportTest, OwnerDataFillsOnlyEmptyFields)
{
    auto exportWithOwner = [this](const char* owner) {
        WexmorFile* file = CreateWZFile(file_.c_str(), WZ_MODE_WRITE);
        WZHeader* header = CreateHeader();
        SetHeaderExportingSystem("test", header);
        SetHeaderOwnerName(owner, header);
        WZAddress* address = CreateAddress();
        AddAddressPart("Mill Lane", 3, address);
        AddAddressPart("2", 4, address);
        AddAddressPart(nullptr, 0, address);
        AddAddressPart("Bath", 8, address);
        SetAddressPhone("01225 123456789012345", address);
        SetHeaderOwnerAddress(address, header);
        ReleaseAddress(address);
        EXPECT_EQ(HeaderExport(file, header), 0);
        ReleaseHeader(header);
        ReleaseWZFile(file);
    };
    exportWithOwner("Jane Owner");
    ImportRun first(*database_, file_.str());
    ASSERT_TRUE(first.stored) << first.Log();
    database_.Reopen();
    EXPECT_STREQ(database_->header.ownerName, "Jane Owner");
    EXPECT_STREQ(database_->header.ownerAddress1, "Mill Lane2");
    EXPECT_STREQ(database_->header.ownerAddress2, "Bath");
    EXPECT_STREQ(database_->header.ownerCity, "");
    EXPECT_STREQ(database_->header.ownerPhone, "01225 1234567890123");

    // A second import with another owner, and one with none, leave the owner as the user keeps it.
    for (const char* owner : {"Somebody Else", ""}) {
        exportWithOwner(owner);
        ImportRun again(*database_, file_.str());
        ASSERT_TRUE(again.stored);
        database_.Reopen();
        EXPECT_STREQ(database_->header.ownerName, "Jane Owner") << owner;
        EXPECT_STREQ(database_->header.ownerAddress2, "Bath") << owner;
    }
}

TEST_F(WexmorImportTest, MediaPreferEmbeddedBytesAndResolvePaths)
{
    TempPath absolute("photo.jpg", "vestrada_media_absolute_");
    WriteWholeFile(absolute.str(), "ABSOLUTE");
    const std::string folder(ImportFolderOf(file_.str()));
    WriteWholeFile(folder + "beside.jpg", "BESIDE");
    WriteWholeFile(folder + "external.jpg", "EXTERNAL");
    struct Case {
        const char* external;
        std::string original;
        const char* embedded;
        const char* expected; // bytes stored, "" none
    } cases[] = {
        {"", "ignored.jpg", "EMBEDDED", "EMBEDDED"},
        {"external.jpg", "", "", "EXTERNAL"},
        {"", absolute.str(), "", "ABSOLUTE"},
        {"", "beside.jpg", "", "BESIDE"},
        {"", "missing.jpg", "", ""},
    };
    {
        WexmorWriter writer(file_.str());
        int id = 0;
        for (const Case& c : cases) {
            WZPerson* person = CreatePerson();
            SetPersonID(++id, person);
            WZName* name = MakeName({{"Pic", 6}});
            SetPersonName(name, person);
            ReleaseName(name);
            WZObject* object = CreateObject();
            SetObjectExtFile(c.external, object);
            SetObjectOrgFile(c.original.c_str(), object);
            if (c.embedded[0] != '\0')
                SetObjectBin(reinterpret_cast<const unsigned char*>(c.embedded),
                             static_cast<int>(std::strlen(c.embedded)), object);
            SetObjectTitle("A picture", object);
            SetObjectNote("Taken in 1900", object);
            AddPersonObject(object, person);
            ReleaseObject(object);
            EXPECT_EQ(PersonExport(writer.get(), person), 0);
            ReleasePerson(person);
        }
    }
    ImportRun run(*database_, file_.str());
    ASSERT_TRUE(run.stored) << run.Log();
    ASSERT_EQ(CountRows(*database_, TableMedia), 5);
    for (std::int32_t id = 1; id <= 5; ++id) {
        const Case& c = cases[id - 1];
        EngineTransaction transaction(database_->file, TLV_READWRITE);
        MediaRecord media(*database_);
        media.Load(id);
        media.LoadData();
        EXPECT_EQ(media.OwnerId(), id);
        EXPECT_EQ(media.OwnerKind(), OwnerPerson);
        EXPECT_EQ(media.Description(), "A picture");
        const std::string bytes = media.HasData() ? std::string(reinterpret_cast<const char*>(media.Data()),
                                                                media.DataSize())
                                                  : std::string();
        EXPECT_EQ(bytes, c.expected) << id;
    }
    TestDatabase without(true);
    ImportRun none(*without, file_.str(), [](ImportWizardData& b) { b.importObjects = 0; });
    EXPECT_EQ(CountRows(*without, TableMedia), 0);
}

} // namespace
