// The readers' error numbers: each failure point of each element, and the end codes.
#include "src/read_errors.h"
#include "wexmor_test_util.h"

#include <utility>

using namespace wexmor_test;
using namespace wexmor;

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
        {Kind::Repository, "<repository><name>n</name></repository>", kErrorId},
        {Kind::Repository, "<repository id=\"S1\"><name>n</name></repository>", kErrorId},
        {Kind::Repository, "<repository id=\"R1\" lang=en><name>n</name></repository>", kErrorLang},
        {Kind::Repository, "<repository id=\"R1\" language=\"en\"><name>n</name></repository>", kErrorLang},
        {Kind::Repository, "<repository id=\"R1\"></repository>", kErrorName},
        {Kind::Repository, "<repository id=\"R1\"><name>n</name><email>x</repository>", kErrorRepository},
        {Kind::Repository, "<repository id=\"R1\"><name>n</name><address></repository>", kErrorAddress},
        {Kind::Repository, "<repository id=\"R1\"><name>n</name><address><ap>x</address>", kErrorAddress},
        {Kind::Source, "<source id=\"S1\" class=\"novel\"><author/></source>", kErrorClass},
        {Kind::Source, "<source id=\"S1\" kind=\"forged\"><author/></source>", kErrorSourceKind},
        {Kind::Source, "<source id=\"S1\"><title>t</title></source>", kErrorAuthor},
        {Kind::Source, "<source id=\"S1\"><author></author><shorttitle></shorttitle></source>", kErrorTitle},
        {Kind::Source, "<source id=\"S1\"><author></author><title></title></source>", kErrorShortTitle},
        {Kind::Source,
         "<source id=\"S1\"><author></author><title></title><shorttitle></shorttitle><repositoryref ref=\"X1\">"
         "</repositoryref></source>",
         kErrorRepositoryRefId},
        {Kind::Source,
         "<source id=\"S1\"><author></author><title></title><shorttitle></shorttitle><repositoryref ref=\"R1\">"
         "<callnumber>1</callnumber></source>",
         kErrorRepositoryRef},
        {Kind::Source,
         "<source id=\"S1\"><author></author><title></title><shorttitle></shorttitle><object><title>t</title>"
         "</object><object></object></source>",
         kErrorTitle},
        {Kind::Source,
         "<source id=\"S1\"><author></author><title></title><shorttitle></shorttitle><object lang=\"x\">"
         "<title>t</title></objects></source>",
         kErrorObject},
        {Kind::Excerpt, "<excerpt id=\"X1\"><sourceref>S1</sourceref></excerpt>", 0},
        {Kind::Excerpt, "<excerpt id=\"X1\"><quality>1234567890123</quality><sourceref>S1</sourceref></excerpt>",
         kErrorQuality},
        {Kind::Excerpt, "<excerpt id=\"X1\"><page>p</page></excerpt>", kErrorSourceRef},
        {Kind::Excerpt, "<excerpt id=\"X1\"><sourceref>X1</sourceref></excerpt>", kErrorSourceRef},
        {Kind::Excerpt, "<excerpt id=\"X1\"><sourceref>S1</sourceref><note>n</excerpt>", kErrorExcerpt},
        {Kind::Eventtype, "<eventtype id=\"E1\"><description>d</description></eventtype>", kErrorEventtypeClass},
        {Kind::Eventtype, "<eventtype id=\"E1\" class=\"party\"><description>d</description></eventtype>", kErrorClass},
        {Kind::Eventtype, "<eventtype id=\"E1\" class=\"birth\"></eventtype>", kErrorDescription},
        {Kind::Eventtype,
         "<eventtype id=\"E1\" class=\"birth\"><description>d</description><gedcomtag>BIRTH</gedcomtag>"
         "</eventtype>",
         kErrorGedcomTag},
        {Kind::Eventtype,
         "<eventtype id=\"E1\" class=\"birth\"><description>d</description><roles>123456789012</roles></eventtype>",
         kErrorRoles},
        {Kind::Eventtype, "<eventtype id=\"E1\" class=\"birth\"><description>d</description>", kErrorEventtype},
        {Kind::Person, Person(name, " id=\"P1\" sex=\"Male\""), kErrorSex},
        {Kind::Person, Person(name, " id=\"P1\""), kErrorSex},
        {Kind::Person, Person(""), kErrorName},
        {Kind::Person, Person("<personalname><np>x</personalname>"), kErrorName},
        {Kind::Person, Person(name + "<excerptref>P1</excerptref>"), kErrorExcerptRef},
        {Kind::Person, Person(name + "<subpersons probability=\"x\"><personref>1</personref></subpersons>"),
         kErrorPersonRef},
        {Kind::Person, Person(name + "<subpersons probability=x><personref>1</personref></subpersons>"),
         kErrorProbability},
        {Kind::Person, Person(name + "<note>n</note><change>c</change><note>m</note>"), kErrorPerson},
        {Kind::Assertion, "<assertion id=\"A1\" datatype=\"Public\"></assertion>", kErrorDatatype},
        {Kind::Assertion, "<assertion id=\"A1\" datatype=\"immfamily\"></assertion>", 0},
        {Kind::Assertion, Assertion("<alias negative=\"true\">" + name + "</alias>"), kErrorPersonRef},
        {Kind::Assertion, Assertion("<alias><personref>P1</personref></alias>"), kErrorName},
        {Kind::Assertion, Assertion("<alias>" + name + "<personref>P1</personref>"), kErrorAlias},
        {Kind::Assertion, Assertion("<attribute><personref>P1</personref></attribute>"), kErrorDescription},
        {Kind::Assertion, Attribute("<textclass>hobby</textclass><text>x</text>"), kErrorTextClass},
        {Kind::Assertion, Attribute("<textclass>work</textclass>"), kErrorText},
        {Kind::Assertion, Attribute("<numberclass>height</numberclass>"), kErrorNumberClass},
        {Kind::Assertion, Attribute("<numberclass>age</numberclass>"), kErrorNumber},
        {Kind::Assertion, Attribute("<numberclass>age</numberclass><number>3</number><modifier>Exact</modifier>"),
         kErrorModifier},
        {Kind::Assertion, Attribute("<numberclass>age</numberclass><number>3</number>"), 0},
        {Kind::Assertion, Attribute("<flagclass>dead</flagclass>"), kErrorFlagClass},
        {Kind::Assertion, Assertion("<event><principal>P1</principal></event>"), kErrorEventType},
        {Kind::Assertion, Assertion("<event type=\"1\"></event>"), kErrorEventType},
        {Kind::Assertion, Assertion("<event type=\"E1\"><principal>1</principal></event>"), kErrorPersonRef},
        {Kind::Assertion, Assertion("<event type=\"E1\"><principal>P1</principalx></event>"), kErrorPersonRef},
        {Kind::Assertion, Assertion("<event type=\"E1\"><principal>P1</principal"), kErrorPersonRef},
        {Kind::Assertion, Assertion("<event type=\"E1\"><subordinate><personref>P1</personref></subordinate></event>"),
         kErrorRole},
        {Kind::Assertion, Assertion("<event type=\"E1\"><subordinate><role>r</role></subordinate></event>"),
         kErrorPersonRef},
        {Kind::Assertion, Assertion("<event type=\"E1\"><subordinate><personref>P1</personref><role>r</role></event>"),
         kErrorRoleRef},
        {Kind::Assertion, Assertion("<event type=\"E1\"><date><exact>1</exact></event>"), kErrorDate},
        {Kind::Assertion, Assertion("<event type=\"E1\"><place><pnp>x</place>"), kErrorPlace},
        {Kind::Assertion, Assertion("<event type=\"E1\"><place><coords><la>1</la></coords></place></event>"),
         kErrorLongitude},
        {Kind::Assertion, Assertion("<event type=\"E1\"><place><coords><lo>1</lo></coords></place></event>"),
         kErrorLatitude},
        {Kind::Assertion, Assertion("<event type=\"E1\"></event"), kErrorEvent},
        {Kind::Assertion, Assertion("<relationship><child>P1</child></relationship>"), kErrorRelation},
        {Kind::Assertion, Assertion("<relationship><relation>step</relation></relationship>"), kErrorRelation},
        {Kind::Assertion, Assertion("<relationship><relation>other</relation><cousin>P1</cousin></relationship>"),
         kErrorRelationship},
        {Kind::Assertion, Assertion("<info><personref>P1</personref></info>"), kErrorText},
        {Kind::Assertion, Assertion("<info><text>t</text></info>"), kErrorPersonRef},
        {Kind::Assertion, Assertion("<info><text>t</text><personref>P1</personref>"), kErrorInfo},
        {Kind::Assertion, Assertion("<note>n</note><change>c</change><object/>"), kErrorAssertion},
        {Kind::Objective, "<objective><title>t</title><problem>p</problem><solution>s</solution></objective>",
         kErrorId},
        {Kind::Objective, "<objective id=\"1\"><problem>p</problem><solution>s</solution></objective>", kErrorTitle},
        {Kind::Objective, "<objective id=\"1\"><title>t</title><solution>s</solution></objective>", kErrorProblem},
        {Kind::Objective, "<objective id=\"1\"><title>t</title><problem>p</problem></objective>", kErrorSolution},
        {Kind::Objective,
         "<objective id=\"1\"><title>t</title><problem>p</problem><solution>s</solution><priority>High</priority>"
         "</objective>",
         kErrorPriority},
        {Kind::Objective,
         "<objective id=\"1\"><title>t</title><problem>p</problem><solution>s</solution><created>x</objective>",
         kErrorObjective},
        {Kind::Task, (kTask + "<status>new</status></task>"), 0},
        {Kind::Task, (kTask + "<status>Finished</status></task>"), kErrorStatus},
        {Kind::Task, (kTask + "</task>"), kErrorNoStatus},
        {Kind::Task, (kTask + "<objectiveref>5</objectiveref><status>new</status></task>"), kErrorObjectiveRef},
        {Kind::Task, (kTask + "<personref>S5</personref><status>new</status></task>"), kErrorPersonRef},
        {Kind::Task, (kTask + "<sourceref>P5</sourceref><status>new</status></task>"), kErrorTaskSourceRef},
        {Kind::Task, "<task id=\"1\"><problem>p</problem><status>new</status></task>", kErrorTitle},
        {Kind::Task, "<task id=\"1\"><title>t</title><status>new</status></task>", kErrorProblem},
        {Kind::Task, (kTask + "<status>new</status><statusdate>x</task>"), kErrorTask},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.element);
        ReadBody(c.element, [&](WexmorFile* file) { EXPECT_EQ(ImportOne(c.kind, file), c.result); });
    }
}

TEST(WexmorReaderErrors, FailurePointsKeepTheirNumbers)
{
    // The importer shows the number to its user and in its log: a name never moves to another number.
    const std::pair<int, int> numbers[] = {{kErrorFile, 20},
                                           {kErrorVersion, 21},
                                           {kErrorLevel, 22},
                                           {kErrorHeader, 23},
                                           {kErrorExportingSystem, 24},
                                           {kErrorExported, 25},
                                           {kErrorCopyright, 26},
                                           {kErrorNote, 27},
                                           {kErrorName, 28},
                                           {kErrorEmail, 29},
                                           {kErrorUri, 30},
                                           {kErrorAddress, 31},
                                           {kErrorAddressPart, 32},
                                           {kErrorPhone, 33},
                                           {kErrorFax, 34},
                                           {kErrorId, 35},
                                           {kErrorSourceKind, 36},
                                           {kErrorAuthor, 38},
                                           {kErrorTitle, 39},
                                           {kErrorShortTitle, 40},
                                           {kErrorPublished, 41},
                                           {kErrorIsbn, 42},
                                           {kErrorIssn, 43},
                                           {kErrorText, 44},
                                           {kErrorSource, 45},
                                           {kErrorAlias, 46},
                                           {kErrorInfo, 47},
                                           {kErrorAttribute, 48},
                                           {kErrorSourceRef, 49},
                                           {kErrorQuality, 50},
                                           {kErrorPage, 51},
                                           {kErrorEvent, 53},
                                           {kErrorClass, 54},
                                           {kErrorEventtypeClass, 55},
                                           {kErrorDatatype, 56},
                                           {kErrorDescription, 57},
                                           {kErrorExcerptRef, 58},
                                           {kErrorPlace, 59},
                                           {kErrorPlacePrefix, 60},
                                           {kErrorPlacePart, 61},
                                           {kErrorLongitude, 62},
                                           {kErrorLatitude, 63},
                                           {kErrorDate, 64},
                                           {kErrorSimpledate, 65},
                                           {kErrorCalendar, 66},
                                           {kErrorDateModifier, 67},
                                           {kErrorLang, 68},
                                           {kErrorExcerpt, 69},
                                           {kErrorRelationship, 70},
                                           {kErrorChange, 71},
                                           {kErrorSex, 72},
                                           {kErrorPerson, 73},
                                           {kErrorProbability, 74},
                                           {kErrorSubpersons, 75},
                                           {kErrorPersonRef, 76},
                                           {kErrorGedcomTag, 77},
                                           {kErrorRoles, 78},
                                           {kErrorRoleRef, 79},
                                           {kErrorNumber, 80},
                                           {kErrorModifier, 81},
                                           {kErrorNamePart, 83},
                                           {kErrorEventType, 84},
                                           {kErrorRole, 86},
                                           {kErrorObjective, 89},
                                           {kErrorProblem, 90},
                                           {kErrorSolution, 91},
                                           {kErrorPriority, 92},
                                           {kErrorCreated, 93},
                                           {kErrorTask, 94},
                                           {kErrorStatus, 96},
                                           {kErrorNoStatus, 97},
                                           {kErrorStatusDate, 98},
                                           {kErrorRepositoryRef, 99},
                                           {kErrorRepositoryRefId, 100},
                                           {kErrorCallNumber, 101},
                                           {kErrorEventtype, 102},
                                           {kErrorAssertion, 103},
                                           {kErrorLanguage, 106},
                                           {kErrorRepository, 107},
                                           {kErrorObject, 108},
                                           {kErrorExternalFile, 109},
                                           {kErrorOriginalFile, 110},
                                           {kErrorBin, 111},
                                           {kErrorObjectiveRef, 112},
                                           {kErrorTaskSourceRef, 113},
                                           {kErrorTextClass, 114},
                                           {kErrorNumberClass, 115},
                                           {kErrorFlagClass, 116},
                                           {kErrorRelation, 117}};
    for (const auto& [named, number] : numbers)
        EXPECT_EQ(named, number);
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
        {"<file><level>1</level></file>", kErrorVersion},
        {"<file><version>200</version></file>", kErrorLevel},
        {"<file><version>200</version><level>1</level><header>", kErrorFile},
        {"<file><version>200</version><level>1</level></file><exportingsystem>", kErrorHeader},
        {"<file><version>200</version><level>1</level></file><header><version>v</version>", kErrorExportingSystem},
        {"<file><version>200</version><level>1</level></file><header><exportingsystem>e</exportingsystem>"
         "<exported>x</exported>",
         kErrorVersion},
        {"<file><version>200</version><level>1</level></file><header><exportingsystem>e</exportingsystem>"
         "<version>v</version></header>",
         kErrorExported},
        {"<file><version>200</version><level>1</level></file><header><exportingsystem>e</exportingsystem>"
         "<version>v</version><exported>x</exported><language>abcdefghijklmnopqrstuvwxyz</language></header>",
         kErrorLanguage},
        {"<file><version>200</version><level>1</level></file><header><exportingsystem>e</exportingsystem>"
         "<version>v</version><exported>x</exported><owner><email>e</email></owner></header>",
         kErrorName},
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
