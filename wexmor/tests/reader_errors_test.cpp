// The readers' error numbers: each failure point of each element, and the end codes.
#include "wexmor_test_util.h"

using namespace wexmor_test;

namespace {

enum class Kind { Repository, Source, Excerpt, Eventtype, Person, Assertion, Objective, Task };

template <class Record>
int Import(WexmorFile* file, int flag, Record* (*create)(), int (*import)(WexmorFile*, int, Record*),
           void (*release)(Record*))
{
    Record* record = create();
    int result = import(file, flag, record);
    release(record);
    return result;
}

int ImportOne(Kind kind, WexmorFile* file, int flag = WZ_NEXT)
{
    switch (kind) {
    case Kind::Repository:
        return Import(file, flag, CreateRepository, RepositoryImport, ReleaseRepository);
    case Kind::Source:
        return Import(file, flag, CreateSource, SourceImport, ReleaseSource);
    case Kind::Excerpt:
        return Import(file, flag, CreateExcerpt, ExcerptImport, ReleaseExcerpt);
    case Kind::Eventtype:
        return Import(file, flag, CreateEventtype, EventtypeImport, ReleaseEventtype);
    case Kind::Person:
        return Import(file, flag, CreatePerson, PersonImport, ReleasePerson);
    case Kind::Assertion:
        return Import(file, flag, CreateAssertion, AssertionImport, ReleaseAssertion);
    case Kind::Objective:
        return Import(file, flag, CreateObjective, ObjectiveImport, ReleaseObjective);
    case Kind::Task:
        return Import(file, flag, CreateTask, TaskImport, ReleaseTask);
    }
    return -1;
}

struct Case {
    Kind kind;
    std::string element;
    int result;
};

const char kName[] = "<personalname></personalname>";

std::string Person(const std::string& inside, const std::string& attributes = " id=\"P1\" sex=\"male\"")
{
    return "<person" + attributes + ">" + inside + "</person>";
}

std::string Assertion(const std::string& content)
{
    return "<assertion id=\"A1\">" + content + "</assertion>";
}

std::string Attribute(const std::string& classes)
{
    return Assertion("<attribute><description>d</description>" + classes + "<personref>P1</personref></attribute>");
}

const std::string kTask = "<task id=\"1\"><title>t</title><problem>p</problem>";

} // namespace

TEST(WexmorReaderErrors, EachFailurePointGivesItsNumber)
{
    const std::string name = kName;
    const Case cases[] = {
        {Kind::Repository, "<repository><name>n</name></repository>", 35},
        {Kind::Repository, "<repository id=\"S1\"><name>n</name></repository>", 35},
        {Kind::Repository, "<repository id=\"R1\" lang=en><name>n</name></repository>", 68},
        {Kind::Repository, "<repository id=\"R1\" language=\"en\"><name>n</name></repository>", 68},
        {Kind::Repository, "<repository id=\"R1\"></repository>", 28},
        {Kind::Repository, "<repository id=\"R1\"><name>n</name><email>x</repository>", 107},
        {Kind::Repository, "<repository id=\"R1\"><name>n</name><address></repository>", 31},
        {Kind::Repository, "<repository id=\"R1\"><name>n</name><address><ap>x</address>", 31},
        {Kind::Source, "<source id=\"S1\" class=\"novel\"><author/></source>", 54},
        {Kind::Source, "<source id=\"S1\" kind=\"forged\"><author/></source>", 36},
        {Kind::Source, "<source id=\"S1\"><title>t</title></source>", 38},
        {Kind::Source, "<source id=\"S1\"><author></author><shorttitle></shorttitle></source>", 39},
        {Kind::Source, "<source id=\"S1\"><author></author><title></title></source>", 40},
        {Kind::Source,
         "<source id=\"S1\"><author></author><title></title><shorttitle></shorttitle><repositoryref ref=\"X1\">"
         "</repositoryref></source>",
         100},
        {Kind::Source,
         "<source id=\"S1\"><author></author><title></title><shorttitle></shorttitle><repositoryref ref=\"R1\">"
         "<callnumber>1</callnumber></source>",
         99},
        {Kind::Source,
         "<source id=\"S1\"><author></author><title></title><shorttitle></shorttitle><object><title>t</title>"
         "</object><object></object></source>",
         39},
        {Kind::Source,
         "<source id=\"S1\"><author></author><title></title><shorttitle></shorttitle><object lang=\"x\">"
         "<title>t</title></objects></source>",
         108},
        {Kind::Excerpt, "<excerpt id=\"X1\"><sourceref>S1</sourceref></excerpt>", 0},
        {Kind::Excerpt, "<excerpt id=\"X1\"><quality>1234567890123</quality><sourceref>S1</sourceref></excerpt>", 50},
        {Kind::Excerpt, "<excerpt id=\"X1\"><page>p</page></excerpt>", 49},
        {Kind::Excerpt, "<excerpt id=\"X1\"><sourceref>X1</sourceref></excerpt>", 49},
        {Kind::Excerpt, "<excerpt id=\"X1\"><sourceref>S1</sourceref><note>n</excerpt>", 69},
        {Kind::Eventtype, "<eventtype id=\"E1\"><description>d</description></eventtype>", 55},
        {Kind::Eventtype, "<eventtype id=\"E1\" class=\"party\"><description>d</description></eventtype>", 54},
        {Kind::Eventtype, "<eventtype id=\"E1\" class=\"birth\"></eventtype>", 57},
        {Kind::Eventtype,
         "<eventtype id=\"E1\" class=\"birth\"><description>d</description><gedcomtag>BIRTH</gedcomtag>"
         "</eventtype>",
         77},
        {Kind::Eventtype,
         "<eventtype id=\"E1\" class=\"birth\"><description>d</description><roles>123456789012</roles></eventtype>",
         78},
        {Kind::Eventtype, "<eventtype id=\"E1\" class=\"birth\"><description>d</description>", 102},
        {Kind::Person, Person(name, " id=\"P1\" sex=\"Male\""), 72},
        {Kind::Person, Person(name, " id=\"P1\""), 72},
        {Kind::Person, Person(""), 28},
        {Kind::Person, Person("<personalname><np>x</personalname>"), 28},
        {Kind::Person, Person(name + "<excerptref>P1</excerptref>"), 58},
        {Kind::Person, Person(name + "<subpersons probability=\"x\"><personref>1</personref></subpersons>"), 76},
        {Kind::Person, Person(name + "<subpersons probability=x><personref>1</personref></subpersons>"), 74},
        {Kind::Person, Person(name + "<note>n</note><change>c</change><note>m</note>"), 73},
        {Kind::Assertion, "<assertion id=\"A1\" datatype=\"Public\"></assertion>", 56},
        {Kind::Assertion, "<assertion id=\"A1\" datatype=\"immfamily\"></assertion>", 0},
        {Kind::Assertion, Assertion("<alias negative=\"true\">" + name + "</alias>"), 76},
        {Kind::Assertion, Assertion("<alias><personref>P1</personref></alias>"), 28},
        {Kind::Assertion, Assertion("<alias>" + name + "<personref>P1</personref>"), 46},
        {Kind::Assertion, Assertion("<attribute><personref>P1</personref></attribute>"), 57},
        {Kind::Assertion, Attribute("<textclass>hobby</textclass><text>x</text>"), 114},
        {Kind::Assertion, Attribute("<textclass>work</textclass>"), 44},
        {Kind::Assertion, Attribute("<numberclass>height</numberclass>"), 115},
        {Kind::Assertion, Attribute("<numberclass>age</numberclass>"), 80},
        {Kind::Assertion, Attribute("<numberclass>age</numberclass><number>3</number><modifier>Exact</modifier>"), 81},
        {Kind::Assertion, Attribute("<numberclass>age</numberclass><number>3</number>"), 0},
        {Kind::Assertion, Attribute("<flagclass>dead</flagclass>"), 116},
        {Kind::Assertion, Assertion("<event><principal>P1</principal></event>"), 84},
        {Kind::Assertion, Assertion("<event type=\"1\"></event>"), 84},
        {Kind::Assertion, Assertion("<event type=\"E1\"><principal>1</principal></event>"), 76},
        {Kind::Assertion, Assertion("<event type=\"E1\"><principal>P1</principalx></event>"), 76},
        {Kind::Assertion, Assertion("<event type=\"E1\"><principal>P1</principal"), 76},
        {Kind::Assertion, Assertion("<event type=\"E1\"><subordinate><personref>P1</personref></subordinate></event>"),
         86},
        {Kind::Assertion, Assertion("<event type=\"E1\"><subordinate><role>r</role></subordinate></event>"), 76},
        {Kind::Assertion, Assertion("<event type=\"E1\"><subordinate><personref>P1</personref><role>r</role></event>"),
         79},
        {Kind::Assertion, Assertion("<event type=\"E1\"><date><exact>1</exact></event>"), 64},
        {Kind::Assertion, Assertion("<event type=\"E1\"><place><pnp>x</place>"), 59},
        {Kind::Assertion, Assertion("<event type=\"E1\"><place><coords><la>1</la></coords></place></event>"), 62},
        {Kind::Assertion, Assertion("<event type=\"E1\"><place><coords><lo>1</lo></coords></place></event>"), 63},
        {Kind::Assertion, Assertion("<event type=\"E1\"></event"), 53},
        {Kind::Assertion, Assertion("<relationship><child>P1</child></relationship>"), 117},
        {Kind::Assertion, Assertion("<relationship><relation>step</relation></relationship>"), 117},
        {Kind::Assertion, Assertion("<relationship><relation>other</relation><cousin>P1</cousin></relationship>"), 70},
        {Kind::Assertion, Assertion("<info><personref>P1</personref></info>"), 44},
        {Kind::Assertion, Assertion("<info><text>t</text></info>"), 76},
        {Kind::Assertion, Assertion("<info><text>t</text><personref>P1</personref>"), 47},
        {Kind::Assertion, Assertion("<note>n</note><change>c</change><object/>"), 103},
        {Kind::Objective, "<objective><title>t</title><problem>p</problem><solution>s</solution></objective>", 35},
        {Kind::Objective, "<objective id=\"1\"><problem>p</problem><solution>s</solution></objective>", 39},
        {Kind::Objective, "<objective id=\"1\"><title>t</title><solution>s</solution></objective>", 90},
        {Kind::Objective, "<objective id=\"1\"><title>t</title><problem>p</problem></objective>", 91},
        {Kind::Objective,
         "<objective id=\"1\"><title>t</title><problem>p</problem><solution>s</solution><priority>High</priority>"
         "</objective>",
         92},
        {Kind::Objective,
         "<objective id=\"1\"><title>t</title><problem>p</problem><solution>s</solution><created>x</objective>", 89},
        {Kind::Task, (kTask + "<status>new</status></task>"), 0},
        {Kind::Task, (kTask + "<status>Finished</status></task>"), 96},
        {Kind::Task, (kTask + "</task>"), 97},
        {Kind::Task, (kTask + "<objectiveref>5</objectiveref><status>new</status></task>"), 112},
        {Kind::Task, (kTask + "<personref>S5</personref><status>new</status></task>"), 76},
        {Kind::Task, (kTask + "<sourceref>P5</sourceref><status>new</status></task>"), 113},
        {Kind::Task, "<task id=\"1\"><problem>p</problem><status>new</status></task>", 39},
        {Kind::Task, "<task id=\"1\"><title>t</title><status>new</status></task>", 90},
        {Kind::Task, (kTask + "<status>new</status><statusdate>x</task>"), 94},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.element);
        ReadBody(c.element, [&](WexmorFile* file) { EXPECT_EQ(ImportOne(c.kind, file), c.result); });
    }
}

TEST(WexmorReaderErrors, EachImportGivesItsEndCodeWhenAnotherElementIsNext)
{
    const std::pair<Kind, int> endCodes[] = {
        {Kind::Repository, WZ_END_REPOSITORY}, {Kind::Source, WZ_END_SOURCE}, {Kind::Excerpt, WZ_END_EXCERPT},
        {Kind::Eventtype, WZ_END_EVENTTYPE},   {Kind::Person, WZ_END_PERSON}, {Kind::Assertion, WZ_END_ASSERTION},
        {Kind::Objective, WZ_END_OBJECTIVE},   {Kind::Task, WZ_END_TASK},
    };
    for (const auto& [kind, code] : endCodes) {
        ReadBody("<unknown></unknown>", [&](WexmorFile* file) {
            EXPECT_EQ(ImportOne(kind, file, WZ_NEXT), code);
            EXPECT_EQ(ImportOne(kind, file, WZ_SEEK), code);
        });
    }
    ReadFixture noHeader("<person id=\"P1\" sex=\"male\"><personalname></personalname></person>");
    WZHeader* header = CreateHeader();
    EXPECT_EQ(HeaderImport(noHeader.File(), WZ_NEXT, header), WZ_END_HEADER);
    EXPECT_EQ(HeaderImport(noHeader.File(), WZ_SEEK, header), WZ_END_HEADER_SEEK);
    ReleaseHeader(header);
}

TEST(WexmorReaderErrors, SeekingSkipsOtherMaterialButNotALongerTag)
{
    ReadBody("<personalname></personalname><junk/> <person id=\"P2\" sex=\"female\">" + std::string(kName) +
                 "</person>",
             [](WexmorFile* file) {
                 WZPerson* person = CreatePerson();
                 EXPECT_EQ(PersonImport(file, WZ_NEXT, person), WZ_END_PERSON);
                 EXPECT_EQ(PersonImport(file, WZ_SEEK, person), 0);
                 EXPECT_EQ(GetPersonID(person), 2);
                 ReleasePerson(person);
             });
}

TEST(WexmorReaderErrors, TagsAreMatchedIgnoringCase)
{
    ReadBody("<PERSON id=\"P3\" sex=\"male\"><PersonalName><NP TP=\"SURN\">Ek</NP></PersonalName></Person>",
             [](WexmorFile* file) {
                 WZPerson* person = CreatePerson();
                 EXPECT_EQ(PersonImport(file, WZ_NEXT, person), 0);
                 char part[8];
                 EXPECT_EQ(GetNamePart(part, sizeof part, 0, GetPersonName(person)), 4);
                 ReleasePerson(person);
             });
}

TEST(WexmorReaderErrors, AHeaderFailsAtEachOfItsPoints)
{
    const std::pair<std::string, int> cases[] = {
        {"<file><level>1</level></file>", 21},
        {"<file><version>200</version></file>", 22},
        {"<file><version>200</version><level>1</level><header>", 20},
        {"<file><version>200</version><level>1</level></file><exportingsystem>", 23},
        {"<file><version>200</version><level>1</level></file><header><version>v</version>", 24},
        {"<file><version>200</version><level>1</level></file><header><exportingsystem>e</exportingsystem>"
         "<exported>x</exported>",
         21},
        {"<file><version>200</version><level>1</level></file><header><exportingsystem>e</exportingsystem>"
         "<version>v</version></header>",
         25},
        {"<file><version>200</version><level>1</level></file><header><exportingsystem>e</exportingsystem>"
         "<version>v</version><exported>x</exported><language>abcdefghijklmnopqrstuvwxyz</language></header>",
         106},
        {"<file><version>200</version><level>1</level></file><header><exportingsystem>e</exportingsystem>"
         "<version>v</version><exported>x</exported><owner><email>e</email></owner></header>",
         28},
        {"<file><version>199</version><level>1</level></file><header><exportingsystem>e</exportingsystem>"
         "<version>v</version><exported cal=\"gregorian\">2001-01-01</exported></header>",
         0},
    };
    for (const auto& [text, result] : cases) {
        ReadFixture fixture(text);
        WZHeader* header = CreateHeader();
        EXPECT_EQ(HeaderImport(fixture.File(), WZ_NEXT, header), result) << text;
        if (result == 0) {
            EXPECT_EQ(GetHeaderWZVersion(header), 199);
            EXPECT_STREQ(GetHeaderExportedDate(header), "2001-01-01");
        }
        ReleaseHeader(header);
    }
}
