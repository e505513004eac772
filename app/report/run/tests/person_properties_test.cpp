// Scripts that walk from DATABASE to persons, their names, events, children, parents and families, on a
// database the test fills, under the report's data switches and privacy level.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/event_type_tables.h"
#include "records/excerpt_ref.h"
#include "report/run/tests/model_records.h"

namespace {

using namespace model_test;

class PersonScripts : public ModelScriptTest {
protected:
    // An event type of the class with the GEDCOM tag (null: none).
    std::int32_t ClassedType(const char* name, const char* classKeyword, const char* tag)
    {
        return records.Type(name, EventTypeKindEvent, GetEventClassCode(classKeyword, EventTypeKindEvent, 0),
                            tag != nullptr ? FindGedcomTag(tag) : NoGedcomTag);
    }
    // Persons 1 (Odd Ness), 2 (Ane Ro) and 3 (Kari Ness), the child of both.
    void ParentsAndChild()
    {
        ASSERT_EQ(records.Person("Odd/Ness/", SexMale, "Farmer at Ness"), 1);
        ASSERT_EQ(records.Person("Ane/Ro/", SexFemale), 2);
        ASSERT_EQ(records.Person("Kari/Ness/", SexFemale), 3);
        records.Relationship(1, 3, RelationBiological);
        records.Relationship(2, 3, RelationBiological);
    }
    // The setup that holds person 1 in the variable P.
    static std::string FirstPersonInP() { return run_test::Script("PERSON P|P = DATABASE.PERSON(1)|"); }
    static AssertionFields Private(std::int8_t privacy)
    {
        AssertionFields fields;
        fields.privacy = privacy;
        return fields;
    }
    static AssertionFields InYear(int year)
    {
        AssertionFields fields;
        fields.date = GregorianDate(0, 0, year);
        return fields;
    }
};

TEST_F(PersonScripts, DatabaseCountsAndIndexesRecordIdsDeletedOnesIncluded)
{
    for (const char* name : {"A/Ness/", "B/Ness/", "C/Ness/", "D/Ness/", "E/Ness/"})
        records.Person(name);
    records.DeletePersonRow(3);
    records.DeletePersonRow(5);
    std::strcpy(run.database->header.title, "Ness family");
    std::strcpy(run.database->header.copyright, "(c) Ness");
    std::strcpy(run.database->header.ownerName, "Odd Ness");
    const Case cases[] = {
        {"DATABASE.NPERSONS", "5"},
        {"DATABASE.PERSON(2).ID", "2"},
        {"DATABASE.PERSON(1+1).ID", "2"},
        {"DATABASE.PERSON(3).ID", "error 105"},
        {"DATABASE.PERSON(5).NAME.FORMATTED", "error 105"},
        {"DATABASE.PERSON(4).NAME.FORMATTED", "D Ness"},
        {"DATABASE.PERSON(0).ID", "error 16"},
        {"DATABASE.PERSON(6)", "error 16"},
        {"DATABASE.NAME", "Ness family"},
        {"DATABASE.COPYRIGHT", "(c) Ness"},
        {"DATABASE.OWNERNAME", "Odd Ness"},
        // Matched as a prefix: the X left behind is no operator.
        {"DATABASE.NAMEX", "error 1"},
        {"DATABASE.npersons", "error 1"},
        {"DATABASE.NOSUCH", "error 1"},
        {"DATABASE.NSOURCES", "0"},
        {"DATABASE.SOURCE(1)", "error 16"},
    };
    Check(cases);
}

TEST_F(PersonScripts, DataSwitchesEmptyTheDatabaseLists)
{
    records.Person("A/Ness/");
    const std::int32_t type = records.Type("Height", EventTypeKindAttribute, 0);
    records.Attribute(type, 1, "tall", 180);
    records.Event(ClassedType("Birth", "birth", nullptr), {{1}});
    records.Repository("Archive");
    records.Objective("Who", 1);
    const Case on[] = {
        {"DATABASE.NPERSONS", "1"},   {"DATABASE.NEVENTS", "1"},     {"DATABASE.NATTRIBUTES", "1"},
        {"DATABASE.NREPOSITORIES", "1"}, {"DATABASE.NOBJECTIVES", "1"},
    };
    Check(on);
    ReportSettings& report = CurrentSettings.report;
    report.IncludePersons = report.IncludeEvents = report.IncludeAttributes = 0;
    report.IncludeRepositories = report.IncludeResearch = 0;
    const Case off[] = {
        {"DATABASE.NPERSONS", "0"},      {"DATABASE.PERSON(1)", "error 16"},
        {"DATABASE.NEVENTS", "0"},       {"DATABASE.NATTRIBUTES", "0"},
        {"DATABASE.NREPOSITORIES", "0"}, {"DATABASE.REPOSITORY(1)", "error 16"},
        {"DATABASE.NOBJECTIVES", "0"},   {"DATABASE.OBJECTIVE(1)", "error 16"},
    };
    Check(off);
}

TEST_F(PersonScripts, SystemAndSettingsKnowOnlyTheirOwnNames)
{
    const Case cases[] = {
        {"SYSTEM.CURRENTDATE.YEAR > 2000", "1"},
        {"SYSTEM.CURRENTDATE.MONTH < 13", "1"},
        {"SYSTEM.YEAR", "error 1"},
        {"SYSTEM.CURRENTDATE.HOUR", "error 1"},
        {"SYSTEM.CURRENTDATEYEAR", "error 1"},
        {"SETTINGS.SHOWID", "0"},
        {"SETTINGS.showid", "error 1"},
    };
    Check(cases);
}

TEST_F(PersonScripts, PersonPropertiesAndItsName)
{
    ASSERT_NO_FATAL_FAILURE(ParentsAndChild());
    {
        PersonRecord person(1, *run.database);
        person.LoadLinked();
        NameRecord* name = person.Name();
        name->ClearParts();
        name->AppendPart(NamePartGiven, "Odd");
        name->AppendPart(NamePartGiven, "Arne");
        name->AppendPart(NamePartSurname, "Ness");
        name->AppendPart(NamePartSuffix, "Jr");
        ASSERT_TRUE(RunWriteTransaction(*run.database, [&] { return person.Save(); }));
    }
    const Case cases[] = {
        {"P.ID", "1"},
        {"P.SEX", "1"},
        {"P.NOTE", "Farmer at Ness"},
        {"P.NAME.FORMATTED", "Odd Arne Ness Jr"},
        {"P.NAME.SORTKEY", "Ness Jr, Odd Arne"},
        {"P.NAME.FORENAME", "Odd Arne"},
        {"P.NAME.SURNAME", "Ness"},
        {"P.NAME.SUFFIX", "Jr"},
        {"P.NAME.NPARTS", "4"},
        {"P.NAME.PART(2)", "Arne"},
        {"P.NAME.PARTTYPE(3)", "4"},
        {"P.NAME.PARTTYPE(4)", "15"},
        {"P.NAME.PART(0)", "error 16"},
        {"P.NAME.PART(5)", "error 16"},
        {"P.NAME.PARTTYPE(5)", "error 16"},
        {"P.NAME.PERSON.ID", "1"},
        {"P.NAME.NOSUCH", "error 1"},
        {"P.Name", "error 1"},
        {"P.NCHILDREN", "1"},
        {"P.CHILD(1).NAME.FORMATTED", "Kari Ness"},
        {"P.CHILD(1).MOTHER.NAME.FORMATTED", "Ane Ro"},
        {"P.CHILD(1).FATHER.ID", "1"},
        {"P.CHILD(2)", "error 16"},
        // No known father: the chain cannot go on, while FATHER alone is a person of id 0.
        {"P.FATHER.NAME", "error 105"},
        {"P.FATHER = 0", "1"},
        {"DATABASE.PERSON(2).NOTE", ""},
    };
    Check(cases, FirstPersonInP());
    CurrentSettings.report.IncludeNotes = 0;
    const Case withoutNotes[] = {{"P.NOTE", ""}};
    Check(withoutNotes, FirstPersonInP());
}

TEST_F(PersonScripts, BirthDeathAndMarriageAreTheFirstEventsOfTheirTypesWithThePersonAsPrincipal)
{
    const std::int32_t birth = ClassedType("Birth", "birth", "BIRT");
    const std::int32_t death = ClassedType("Death", "death", "DEAT");
    ClassedType("Engagement", "marriage", nullptr); // of the class, but not tagged as the marriage
    const std::int32_t marriage = ClassedType("Marriage", "marriage", "MARR");
    ASSERT_EQ(records.Person("Odd/Ness/"), 1);
    ASSERT_EQ(records.Person("Ane/Ro/", SexFemale), 2);
    ASSERT_EQ(records.Person("Berit/Dal/", SexFemale), 3);
    ASSERT_EQ(records.Person("Kari/Ness/", SexFemale), 4);
    const std::int32_t witness = records.Role("Witness");
    records.Event(birth, {{4}, {1, witness}}, InYear(1850));
    records.Event(birth, {{1}}, InYear(1820));
    records.Event(birth, {{1}}, InYear(1821));
    records.Event(death, {{1}}, InYear(1890));
    records.Event(marriage, {{1}, {2}}, InYear(1845));
    records.Event(marriage, {{3}, {1}}, InYear(1860));
    const Case cases[] = {
        {"P.BIRTH.DATE.YEAR", "1820"},
        {"P.DEATH.DATE.YEAR", "1890"},
        {"P.MARRIAGE.DATE.YEAR", "1845"},
        {"P.MARRIAGE(3).DATE.YEAR", "1860"},
        {"P.MARRIAGE(1 + 2).DATE.YEAR", "1860"},
        // No shared marriage: the empty event.
        {"P.MARRIAGE(4).DATE.YEAR", "0"},
        {"P.MARRIAGE(0).DATE.YEAR", "0"},
        {"DATABASE.PERSON(4).DEATH.DATE.YEAR", "0"},
        {"DATABASE.PERSON(4).BIRTH = 0", "0"},
        {"DATABASE.PERSON(4).DEATH = 0", "1"},
        {"DATABASE.PERSON(2).MARRIAGE.DATE.YEAR", "1845"},
        {"DATABASE.PERSON(4).MARRIAGE.DATE.YEAR", "0"},
    };
    Check(cases, FirstPersonInP());
}

TEST_F(PersonScripts, ATimelineOfThePersonsDatedEventsAsTheReportSeesThem)
{
    const std::int32_t birth = ClassedType("Birth", "birth", "BIRT");
    const std::int32_t death = ClassedType("Death", "death", "DEAT");
    ASSERT_EQ(records.Person("Odd/Ness/"), 1);
    records.Event(death, {{1}}, InYear(1890));
    records.Event(birth, {{1}}, InYear(1820));
    AssertionFields secret = Private(PrivacyPrivate);
    secret.date = GregorianDate(0, 0, 1850);
    records.Event(death, {{1}}, secret);
    const Case everything[] = {
        {"DATABASE.PERSON(1).TIMELINE(2).NENTRIES", "3"},
        {"DATABASE.PERSON(1).TIMELINE(2).TEXT(1)", "Birth"},
        {"DATABASE.PERSON(1).TIMELINE(2).FROM(3).YEAR", "1890"},
        {"DATABASE.PERSON(1).TIMELINE(1+1).TEXT(2)", "Death"},
        {"DATABASE.PERSON(1).TIMELINE(2).TEXT(4)", "error 16"},
    };
    Check(everything);
    CurrentSettings.report.PrivacyLevel = PrivacyPublic;
    const Case publicOnly[] = {
        {"DATABASE.PERSON(1).TIMELINE(2).NENTRIES", "2"},
        {"DATABASE.PERSON(1).TIMELINE(2).FROM(2).YEAR", "1890"},
    };
    Check(publicOnly);
}

TEST_F(PersonScripts, AtMost32ChildrenAreCounted)
{
    const std::int32_t parent = records.Person("Odd/Ness/");
    for (int i = 1; i <= 40; ++i)
        records.Relationship(parent, records.Person(("C" + std::to_string(i) + "/Ness/").c_str()), RelationBiological);
    const Case cases[] = {
        {"DATABASE.PERSON(1).NCHILDREN", "32"},
        {"DATABASE.PERSON(1).CHILD(32).NAME.FORMATTED", "C32 Ness"},
        {"DATABASE.PERSON(1).CHILD(33)", "error 16"},
        {"DATABASE.PERSON(1).FAMILY(1).NCHILDREN", "32"},
    };
    Check(cases);
}

TEST_F(PersonScripts, WithoutRelationshipsNoChildrenButParentsAreStillFound)
{
    ASSERT_NO_FATAL_FAILURE(ParentsAndChild());
    CurrentSettings.report.IncludeRelationships = 0;
    const Case cases[] = {
        {"DATABASE.PERSON(1).NCHILDREN", "0"},
        {"DATABASE.PERSON(1).CHILD(1)", "error 16"},
        {"DATABASE.PERSON(3).FATHER.ID", "1"},
        {"DATABASE.PERSON(3).MOTHER.ID", "2"},
        {"DATABASE.PERSON(1).NFAMILIES", "0"},
    };
    Check(cases);
}

TEST_F(PersonScripts, APersonReachedByIdIsSeenThroughThePrivacyFilter)
{
    ASSERT_EQ(records.Person("Odd/Ness/"), 1);
    ASSERT_EQ(records.Person("Per/Ness/"), 2);
    const std::int32_t birth = ClassedType("Birth", "birth", nullptr);
    records.Event(birth, {{1}}, Private(PrivacyPublic));
    records.Event(birth, {{1}}, Private(PrivacyPrivate));
    records.Attribute(records.Type("Height", EventTypeKindAttribute, 0), 1, "tall", 0, Private(PrivacyPrivate));
    records.Alias(1, "Alias/Name/", Private(PrivacyFamily));
    records.Information(1, "lived by the sea", Private(PrivacyPrivate));
    records.Relationship(1, 2, RelationBiological, Private(PrivacyPrivate));
    const std::string variable = FirstPersonInP();
    const Case everything[] = {{"P.NDETAILS", "6"}, {"DATABASE.PERSON(1).NDETAILS", "6"}};
    Check(everything, variable);
    // Public only: the public event, the information note and the relationship are left, however the
    // person was reached.
    CurrentSettings.report.PrivacyLevel = PrivacyPublic;
    const Case publicOnly[] = {
        {"P.NDETAILS", "3"},
        {"DATABASE.PERSON(1).NDETAILS", "3"},
        {"DATABASE.PERSON(2).FATHER.NDETAILS", "3"},
        {"P.BIRTH.PRIVACY", "0"},
    };
    Check(publicOnly, variable);
    CurrentSettings.report.PrivacyLevel = PrivacyInfo;
    CurrentSettings.report.IncludeEvents = 0;
    const Case withoutEvents[] = {
        {"DATABASE.PERSON(1).NDETAILS", "4"},
        {"DATABASE.PERSON(1).DETAIL(5)", "error 16"},
        {"DATABASE.PERSON(1).BIRTH.DATE.YEAR", "0"},
    };
    Check(withoutEvents);
}

TEST_F(PersonScripts, FamiliesFromMarriagesThenFromTheOtherParentsOfChildren)
{
    const std::int32_t marriage = ClassedType("Marriage", "marriage", "MARR");
    ASSERT_EQ(records.Person("Odd/Ness/"), 1);
    ASSERT_EQ(records.Person("Ane/Ro/", SexFemale), 2);
    ASSERT_EQ(records.Person("Berit/Dal/", SexFemale), 3);
    records.Event(marriage, {{1}, {2}});
    ASSERT_EQ(records.Person("Per/Ness/"), 4);
    records.Relationship(1, 4, RelationBiological);
    records.Relationship(2, 4, RelationBiological);
    ASSERT_EQ(records.Person("Kari/Dal/", SexFemale), 5);
    records.Relationship(1, 5, RelationAdoptive);
    records.Relationship(3, 5, RelationBiological);
    const Case cases[] = {
        {"P.NFAMILIES", "2"},
        {"P.FAMILY(1).SPOUSE.NAME.FORMATTED", "Ane Ro"},
        {"P.FAMILY(1).MARRIED", "1"},
        {"P.FAMILY(1).NCHILDREN", "1"},
        {"P.FAMILY(1).CHILD(1).ID", "4"},
        {"P.FAMILY(1).CHILD(2)", "error 16"},
        {"P.FAMILY(2).SPOUSE.NAME.FORMATTED", "Berit Dal"},
        {"P.FAMILY(2).MARRIED", "0"},
        {"P.FAMILY(2).CHILD(1).NAME.FORMATTED", "Kari Dal"},
        {"P.FAMILY(3)", "error 16"},
        {"P.FAMILY(0).SPOUSE", "error 16"},
        {"P.FAMILY(1).WIFE", "error 1"},
        {"DATABASE.PERSON(2).NFAMILIES", "1"},
        {"DATABASE.PERSON(2).FAMILY(1).SPOUSE.ID", "1"},
        // A family without a known partner.
        {"DATABASE.PERSON(4).NFAMILIES", "0"},
    };
    Check(cases, FirstPersonInP());
}

TEST_F(PersonScripts, ExcerptsTasksAndMediaFollowTheirSwitches)
{
    ASSERT_EQ(records.Person("Odd/Ness/"), 1);
    const std::int32_t source = records.Source(ModelRecords::SourceFields{});
    const std::int32_t excerpt = records.Excerpt(source, "page 12");
    ASSERT_TRUE(RunWriteTransaction(*run.database,
                                    [&] { return CreateExcerptRef(excerpt, 1, OwnerPerson, *run.database) != 0; }));
    ModelRecords::TaskFields task;
    task.title = "Find the farm";
    task.person = 1;
    records.Task(task);
    records.Media(1, 1, "Portrait", "odd.jpg");
    const Case on[] = {
        {"DATABASE.PERSON(1).NEXCERPTS", "1"},
        {"DATABASE.PERSON(1).EXCERPT(1).PAGE", "page 12"},
        {"DATABASE.PERSON(1).EXCERPT(2)", "error 16"},
        {"DATABASE.PERSON(1).NTASKS", "1"},
        {"DATABASE.PERSON(1).TASK(1).TITLE", "Find the farm"},
        {"DATABASE.PERSON(1).NOBJECTS", "1"},
        {"DATABASE.PERSON(1).OBJECT(1).DESCRIPTION", "Portrait"},
    };
    Check(on);
    ReportSettings& report = CurrentSettings.report;
    report.IncludeSources = report.IncludeResearch = report.IncludeObjects = 0;
    const Case off[] = {
        {"DATABASE.PERSON(1).NEXCERPTS", "0"}, {"DATABASE.PERSON(1).EXCERPT(1)", "error 16"},
        {"DATABASE.PERSON(1).NTASKS", "0"},    {"DATABASE.PERSON(1).TASK(1)", "error 16"},
        {"DATABASE.PERSON(1).NOBJECTS", "0"},  {"DATABASE.PERSON(1).OBJECT(1)", "error 16"},
    };
    Check(off);
}

} // namespace
