// Scripts that walk from DATABASE to persons, their names, children, parents and families, on a database
// the test fills, under the report's data switches and privacy level.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/event_type.h"
#include "core/event_type_tables.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/role.h"
#include "core/write_transaction.h"
#include "persons/assertion.h"
#include "persons/tests/person_test_support.h"
#include "report/run/tests/run_support.h"
#include "settings/settings.h"

namespace {

using namespace person_test;

// What one expression gives: the printed text, or "error <n>" with the run's error number.
std::string Outcome(run_test::ScriptRun& run)
{
    if (!run.ui.errors.empty()) {
        const std::string& message = run.ui.errors.front();
        const std::size_t key = message.find("REPORT_ERROR");
        std::size_t end = key + 12;
        while (end < message.size() && message[end] >= '0' && message[end] <= '9')
            ++end;
        return key == std::string::npos ? message : "error " + message.substr(key + 12, end - key - 12);
    }
    std::vector<std::string> printed = run.Printed();
    return printed.size() == 1 ? printed[0] : "printed " + std::to_string(printed.size()) + " texts";
}

class ObjectModel : public PersonTest {
protected:
    ObjectModel()
    {
        ReportSettings& report = CurrentSettings.report;
        for (std::int32_t* on : {&report.IncludePersons, &report.IncludeEvents, &report.IncludeAttributes,
                                 &report.IncludeAlias, &report.IncludeRelationships, &report.IncludeInfos,
                                 &report.IncludeObjects, &report.IncludePlaces, &report.IncludeAddresses,
                                 &report.IncludeNotes, &report.IncludeRepositories, &report.IncludeSources,
                                 &report.IncludeResearch})
            *on = 1;
        report.PrivacyLevel = PrivacyInfo;
    }

    // The script's lines before a PRINT of the expression; the outcome of that PRINT.
    std::string Evaluate(const std::string& expression, const std::string& before = "")
    {
        run_test::ScriptRun run;
        run.on = &db();
        run.ui.stopOnError = true;
        run.Run(before + "PRINT " + expression);
        return Outcome(run);
    }

    struct Case {
        const char* expression;
        const char* outcome;
    };
    void Check(std::initializer_list<Case> cases, const std::string& before = "")
    {
        for (const Case& c : cases)
            EXPECT_EQ(Evaluate(c.expression, before), c.outcome) << c.expression;
    }

    // An event type of the class and GEDCOM tag (null: none), for two principals when a partner event.
    std::int32_t ClassedType(const char* name, const char* classKeyword, const char* tag, int principals = 1)
    {
        std::int32_t id = 0;
        EXPECT_TRUE(RunWriteTransaction(db(), [&] {
            id = CreateEventType(name, AttributeKindText, GetEventClassCode(classKeyword, EventTypeKindEvent, 0),
                                 tag != nullptr ? FindGedcomTag(tag) : NoGedcomTag, EventTypeKindEvent, principals,
                                 1, nullptr, nullptr, db());
            return id != 0;
        }));
        return id;
    }

    void DeletePerson(std::int32_t id)
    {
        PersonRecord person(id, db());
        person.LoadLinked();
        ASSERT_TRUE(person.Delete());
    }
};

TEST_F(ObjectModel, DatabaseCountsAndIndexesRecordIdsDeletedOnesIncluded)
{
    for (int i = 1; i <= 5; ++i)
        AddPerson(db(), 1, ("P" + std::to_string(i)).c_str(), "Ness");
    DeletePerson(3);
    DeletePerson(5);
    std::strcpy(db().header.title, "Ness family");
    std::strcpy(db().header.copyright, "(c) Ness");
    std::strcpy(db().header.ownerName, "Odd Ness");
    Check({
        {"DATABASE.NPERSONS", "5"},
        {"DATABASE.PERSON(2).ID", "2"},
        {"DATABASE.PERSON(3).ID", "error 105"},
        {"DATABASE.PERSON(5).NAME.FORMATTED", "error 105"},
        {"DATABASE.PERSON(4).NAME.FORMATTED", "P4 Ness"},
        {"DATABASE.PERSON(0).ID", "error 16"},
        {"DATABASE.PERSON(6)", "error 16"},
        {"DATABASE.PERSON(1+1).ID", "2"},
        {"DATABASE.NAME", "Ness family"},
        {"DATABASE.COPYRIGHT", "(c) Ness"},
        {"DATABASE.OWNERNAME", "Odd Ness"},
        {"DATABASE.NAMEX", "error 1"},
        {"DATABASE.npersons", "error 1"},
        {"DATABASE.NOSUCH", "error 1"},
        {"DATABASE.NREPOSITORIES", "0"},
        {"DATABASE.REPOSITORY(1)", "error 16"},
    });
}

TEST_F(ObjectModel, PersonPropertiesAndItsName)
{
    const std::int32_t father = AddPerson(db(), 1, "Odd", "Ness");
    const std::int32_t mother = AddPerson(db(), 2, "Ane", "Ro");
    const std::int32_t child = AddPerson(db(), 2, "Kari", "Ness");
    StoreRelationship(father, child);
    StoreRelationship(mother, child);
    {
        PersonRecord person(father, db());
        person.LoadLinked();
        person.Note()->SetText("Farmer at Ness");
        NameRecord* name = person.Name();
        name->ClearParts();
        name->AppendPart(NamePartGiven, "Odd");
        name->AppendPart(NamePartGiven, "Arne");
        name->AppendPart(NamePartSurname, "Ness");
        name->AppendPart(NamePartSuffix, "Jr");
        ASSERT_TRUE(RunWriteTransaction(db(), [&] { return person.Save(); }));
    }
    const std::string before = "PERSON P\r\nP = DATABASE.PERSON(" + std::to_string(father) + ")\r\n";
    Check(
        {
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
            {"P.FATHER.NAME", "error 105"},
            {"P.FATHER.ID", "error 105"},
            {"DATABASE.PERSON(2).NOTE", ""},
        },
        before);
    CurrentSettings.report.IncludeNotes = 0;
    Check({{"P.NOTE", ""}}, before);
}

TEST_F(ObjectModel, BirthDeathAndMarriageAreTheFirstPrincipalEventsOfTheirTypes)
{
    const std::int32_t birth = ClassedType("Birth", "birth", "BIRT");
    const std::int32_t death = ClassedType("Death", "death", "DEAT");
    const std::int32_t marriage = ClassedType("Marriage", "marriage", "MARR", 2);
    const std::int32_t me = AddPerson(db(), 1, "Odd", "Ness");
    const std::int32_t first = AddPerson(db(), 2, "Ane", "Ro");
    const std::int32_t second = AddPerson(db(), 2, "Berit", "Dal");
    const std::int32_t unborn = AddPerson(db(), 2, "Kari", "Ness");
    std::int32_t witness = 0;
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return (witness = CreateRole("Witness", db())) != 0; }));
    StoreEvent(birth, {{unborn}, {me, witness}}, PrivacyPublic, YearDate(1850));
    StoreEvent(birth, {{me}}, PrivacyPublic, YearDate(1820));
    StoreEvent(birth, {{me}}, PrivacyPublic, YearDate(1821));
    StoreEvent(death, {{me}}, PrivacyPublic, YearDate(1890));
    StoreEvent(marriage, {{me}, {first}}, PrivacyPublic, YearDate(1845));
    StoreEvent(marriage, {{second}, {me}}, PrivacyPublic, YearDate(1860));
    const std::string before = "PERSON P\r\nP = DATABASE.PERSON(" + std::to_string(me) + ")\r\n";
    const std::string secondId = std::to_string(second), unbornId = std::to_string(unborn);
    Check(
        {
            {"P.BIRTH.DATE.YEAR", "1820"},
            {"P.DEATH.DATE.YEAR", "1890"},
            {"P.MARRIAGE.DATE.YEAR", "1845"},
            {("P.MARRIAGE(" + secondId + ").DATE.YEAR").c_str(), "1860"},
            {("P.MARRIAGE(" + secondId + " + 0).DATE.YEAR").c_str(), "1860"},
            // No shared marriage: the empty event.
            {("P.MARRIAGE(" + unbornId + ").DATE.YEAR").c_str(), "0"},
            {"P.MARRIAGE(0).DATE.YEAR", "0"},
            {("DATABASE.PERSON(" + unbornId + ").DEATH.DATE.YEAR").c_str(), "0"},
            {("DATABASE.PERSON(" + unbornId + ").MARRIAGE.DATE.YEAR").c_str(), "0"},
        },
        before);
}

TEST_F(ObjectModel, AtMost32ChildrenAreCounted)
{
    const std::int32_t parent = AddPerson(db(), 1, "Odd", "Ness");
    for (int i = 1; i <= 40; ++i)
        StoreRelationship(parent, AddPerson(db(), 1, ("C" + std::to_string(i)).c_str(), "Ness"));
    Check({
        {"DATABASE.PERSON(1).NCHILDREN", "32"},
        {"DATABASE.PERSON(1).CHILD(32).NAME.FORMATTED", "C32 Ness"},
        {"DATABASE.PERSON(1).CHILD(33)", "error 16"},
    });
}

TEST_F(ObjectModel, WithoutRelationshipsNoChildrenButParentsStillFound)
{
    const std::int32_t father = AddPerson(db(), 1, "Odd", "Ness");
    const std::int32_t mother = AddPerson(db(), 2, "Ane", "Ro");
    const std::int32_t child = AddPerson(db(), 2, "Kari", "Ness");
    StoreRelationship(father, child);
    StoreRelationship(mother, child);
    CurrentSettings.report.IncludeRelationships = 0;
    Check({
        {"DATABASE.PERSON(1).NCHILDREN", "0"},
        {"DATABASE.PERSON(1).CHILD(1)", "error 16"},
        {"DATABASE.PERSON(3).FATHER.ID", "1"},
        {"DATABASE.PERSON(3).MOTHER.ID", "2"},
        {"DATABASE.PERSON(1).NFAMILIES", "0"},
    });
}

TEST_F(ObjectModel, APersonReachedByIdIsSeenThroughThePrivacyFilter)
{
    const std::int32_t person = AddPerson(db(), 1, "Odd", "Ness");
    const std::int32_t child = AddPerson(db(), 1, "Per", "Ness");
    const std::int32_t birth = ClassedType("Birth", "birth", "BIRT");
    StoreEvent(birth, {{person}}, PrivacyPublic);
    StoreEvent(birth, {{person}}, PrivacyPrivate);
    StoreAttribute(AttributeTypeId("Height"), person, PrivacyPrivate);
    StoreName(person, PrivacyFamily);
    StoreInfo(person, PrivacyPrivate);
    StoreRelationship(person, child, RelationBiological, PrivacyPrivate);
    const std::string variable = "PERSON P\r\nP = DATABASE.PERSON(1)\r\n";
    Check({{"P.NDETAILS", "6"}, {"DATABASE.PERSON(1).NDETAILS", "6"}}, variable);
    // Public only: the public event, the information note and the relationship stay.
    CurrentSettings.report.PrivacyLevel = PrivacyPublic;
    Check({{"P.NDETAILS", "3"}, {"DATABASE.PERSON(1).NDETAILS", "3"}, {"DATABASE.PERSON(2).FATHER.NDETAILS", "3"}},
          variable);
    CurrentSettings.report.PrivacyLevel = PrivacyInfo;
    CurrentSettings.report.IncludeEvents = 0;
    Check({{"DATABASE.PERSON(1).NDETAILS", "4"}, {"DATABASE.PERSON(1).DETAIL(5)", "error 16"}});
}

TEST_F(ObjectModel, FamiliesFromMarriagesThenFromTheOtherParentsOfChildren)
{
    ClassedType("Engagement", "marriage", nullptr, 2); // of the class, but not the marriage itself
    const std::int32_t marriage = ClassedType("Marriage", "marriage", "MARR", 2);
    const std::int32_t me = AddPerson(db(), 1, "Odd", "Ness");
    const std::int32_t wife = AddPerson(db(), 2, "Ane", "Ro");
    const std::int32_t other = AddPerson(db(), 2, "Berit", "Dal");
    StoreEvent(marriage, {{me}, {wife}});
    const std::int32_t first = AddPerson(db(), 1, "Per", "Ness");
    StoreRelationship(me, first);
    StoreRelationship(wife, first);
    const std::int32_t second = AddPerson(db(), 2, "Kari", "Dal");
    StoreRelationship(me, second);
    StoreRelationship(other, second);
    const std::string before = "PERSON P\r\nP = DATABASE.PERSON(" + std::to_string(me) + ")\r\n";
    Check(
        {
            {"P.NFAMILIES", "2"},
            {"P.FAMILY(1).SPOUSE.NAME.FORMATTED", "Ane Ro"},
            {"P.FAMILY(1).MARRIED", "1"},
            {"P.FAMILY(1).NCHILDREN", "1"},
            {"P.FAMILY(1).CHILD(1).ID", std::to_string(first).c_str()},
            {"P.FAMILY(1).CHILD(2)", "error 16"},
            {"P.FAMILY(2).SPOUSE.NAME.FORMATTED", "Berit Dal"},
            {"P.FAMILY(2).MARRIED", "0"},
            {"P.FAMILY(2).CHILD(1).NAME.FORMATTED", "Kari Dal"},
            {"P.FAMILY(3)", "error 16"},
            {"P.FAMILY(0).SPOUSE", "error 16"},
            {"P.FAMILY(1).WIFE", "error 1"},
            {"DATABASE.PERSON(2).NFAMILIES", "1"},
            {"DATABASE.PERSON(2).FAMILY(1).SPOUSE.ID", std::to_string(me).c_str()},
        },
        before);
}
} // namespace
