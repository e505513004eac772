// Scripts that read a person's details and the assertions behind them: events, attributes, relationships,
// information notes and further names, with their types, citations and sentences.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/event_type_tables.h"
#include "report/run/tests/model_records.h"

namespace {

using model_test::AssertionFields;
using model_test::Case;

// Anna (1) with one detail of each kind, Carl (2) a godfather at her census, Dora (3) her adopted child.
class AssertionScripts : public model_test::ModelScriptTest {
protected:
    void SetUp() override
    {
        anna = records.Person("Anna/Berg/", SexFemale);
        carl = records.Person("Carl/Berg/", SexMale);
        dora = records.Person("Dora/Berg/", SexFemale);
        const std::int32_t godfather = records.Role("Godfather");
        const std::int32_t alpha = records.Source({.title = "Alpha book", .shortTitle = "K"});
        const std::int32_t beta = records.Source({.title = "Beta book", .shortTitle = "K"});
        const std::int32_t census =
            records.Type("Census", EventTypeKindEvent, 7, FindGedcomTag("CENS"), AttributeKindText,
                         "{f} was counted[p? in {p}].", "{f} was {r} at the count.");

        AssertionFields fields;
        fields.privacy = PrivacyImmediateFamily;
        fields.date = model_test::GregorianDate(17, 5, 1900);
        fields.place = "Oslo";
        fields.addressCity = "Bergen";
        fields.note = "counted";
        fields.excerpts = {records.Excerpt(alpha, "p. 1"), records.Excerpt(beta, "p. 2"),
                           records.Excerpt(alpha, "p. 3")};
        records.Event(census, {{anna}, {carl, godfather}}, fields);

        AssertionFields noted;
        noted.note = "by her own word";
        noted.privacy = PrivacyFamily;
        noted.date = model_test::GregorianDate(0, 0, 1911);
        noted.place = "Vang";
        records.Attribute(records.Type("Height", EventTypeKindAttribute, 1, NoGedcomTag, AttributeKindNumeric), anna,
                          "tall", 180, noted);
        records.Attribute(records.Type("Occupation", EventTypeKindAttribute, 11, FindGedcomTag("OCCU")), anna, "smith",
                          7);
        records.Relationship(anna, dora, RelationAdoptive, noted);
        records.Information(anna, "lived by the sea", noted);
        records.Alias(anna, "Anne/Hill/", noted);
    }

    // Reports print their dates in a second picture, year first, while the screen keeps the first.
    void PrintDatesYearFirst()
    {
        std::snprintf(CurrentSettings.dateFormat.Formats[1], sizeof CurrentSettings.dateFormat.Formats[1],
                      "{yyyy}-{mm}-{dd}");
        CurrentSettings.dateFormat.FormatCount = 2;
        CurrentSettings.dateFormat.PrintFormat = 1;
    }

    std::int32_t anna = 0;
    std::int32_t carl = 0;
    std::int32_t dora = 0;
};

TEST_F(AssertionScripts, DetailsTellTheirKindRoleAndPerson)
{
    Check({
        {"DATABASE.PERSON(1).DETAIL(1).TYPE", "1"},
        {"DATABASE.PERSON(1).DETAIL(2).TYPE", "2"},
        {"DATABASE.PERSON(1).DETAIL(4).TYPE", "3"},
        {"DATABASE.PERSON(1).DETAIL(5).TYPE", "4"},
        {"DATABASE.PERSON(1).DETAIL(6).TYPE", "5"},
        {"DATABASE.PERSON(1).DETAIL(1).PERSON.ID", "1"},
        {"DATABASE.PERSON(2).DETAIL(1).PERSON.ID", "2"},
        // Only an event participant with a role id has a role name.
        {"DATABASE.PERSON(1).DETAIL(1).ROLE", ""},
        {"DATABASE.PERSON(2).DETAIL(1).ROLE", "Godfather"},
        {"DATABASE.PERSON(1).DETAIL(2).ROLE", ""},
        {"DATABASE.PERSON(1).DETAIL(1).Type", "error 1"},
        {"DATABASE.PERSON(1).DETAIL(1).KIND", "error 1"},
    });
}

TEST_F(AssertionScripts, ADetailOfAnotherKindFailsWithTheAskedKindsError)
{
    Check({
        {"DATABASE.PERSON(1).DETAIL(2).EVENT.PRIVACY", "error 117"},
        {"DATABASE.PERSON(1).DETAIL(1).ATTRIBUTE.TEXT", "error 118"},
        {"DATABASE.PERSON(1).DETAIL(1).RELATIONSHIP.RELATION", "error 119"},
        {"DATABASE.PERSON(1).DETAIL(1).INFORMATION.TEXT", "error 120"},
        {"DATABASE.PERSON(1).DETAIL(1).ALIAS.PRIVACY", "error 121"},
    });
}

TEST_F(AssertionScripts, VariablesThatHoldNoAssertionAreMissingObjects)
{
    const struct {
        const char* declaration;
        const char* expression;
        const char* expected;
    } cases[] = {
        {"DETAIL D", "D.TYPE", "error 116"},
        {"EVENT E", "E.PRIVACY", "error 117"},
        {"ATTRIBUTE A", "A.TEXT", "error 118"},
        // Without a point the value is the object itself.
        {"EVENT E", "E = 0", "1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Print(c.expression, std::string(c.declaration) + "\r\n"), c.expected) << c.expression;
}

TEST_F(AssertionScripts, EventProperties)
{
    const std::string event = "DATABASE.PERSON(1).DETAIL(1).EVENT.";
    Check({
        {(event + "PRIVACY").c_str(), "2"},
        {(event + "NOTE").c_str(), "counted"},
        {(event + "NPARTICIPANTS").c_str(), "2"},
        {(event + "PARTICIPANT(2).ROLE").c_str(), "Godfather"},
        {(event + "PARTICIPANT(2).PERSON.ID").c_str(), "2"},
        {(event + "PARTICIPANT(0).TYPE").c_str(), "error 16"},
        {(event + "PARTICIPANT(3).TYPE").c_str(), "error 16"},
        {(event + "NEXCERPTS").c_str(), "3"},
        {(event + "EXCERPT(3).PAGE").c_str(), "p. 3"},
        {(event + "EXCERPT(4).PAGE").c_str(), "error 16"},
        {(event + "TYPE.DESCRIPTION").c_str(), "Census"},
        {(event + "TYPE.CLASS").c_str(), "census"},
        {(event + "TYPE.GEDCOMTAG").c_str(), "CENS"},
        {(event + "TYPE.NROLES").c_str(), "1"},
        {(event + "TYPE.KIND").c_str(), "error 1"},
        {(event + "VALUE").c_str(), "error 1"},
    });
}

TEST_F(AssertionScripts, TheSentenceAndTheShortTextNeedTheLinkTheEventWasReachedBy)
{
    const std::string detail = "DATABASE.PERSON(1).DETAIL(1)";
    Check({
        {"DATABASE.PERSON(1).DETAIL(1).EVENT.FORMATTED", "Anna was counted in Oslo."},
        {"DATABASE.PERSON(1).DETAIL(1).FORMATTED", "Anna was counted in Oslo."},
        // Carl's link tells the same event from the godfather's side.
        {"DATABASE.PERSON(2).DETAIL(1).EVENT.FORMATTED", "Carl was Godfather at the count."},
        {"DATABASE.PERSON(1).DETAIL(1).EVENT.PARTICIPANT(2).FORMATTED", "Carl was Godfather at the count."},
        {"DATABASE.PERSON(1).DETAIL(1).EVENT.SHORT", "17.05.1900 Oslo"},
    });

    // The short text is a report's text: its date takes the print picture, not the screen's.
    PrintDatesYearFirst();
    EXPECT_EQ(Print(detail + ".EVENT.SHORT"), "1900-05-17 Oslo");

    // An EVENT variable has no link.
    const std::string setup = "EVENT E\r\nE = " + detail + ".EVENT\r\n";
    Check({{"E.PRIVACY", "2"}, {"E.FORMATTED", "error 1"}, {"E.SHORT", "error 1"}}, setup);
}

TEST_F(AssertionScripts, SentencesWriteTheirDatesInThePrintPicture)
{
    const std::int32_t baptism = records.Type("Baptism", EventTypeKindEvent, 7, NoGedcomTag, AttributeKindText,
                                              "{f} was baptised[d? on {d}].", "{f} was {r}[d? on {d}].");
    const std::int32_t trade = records.Type("Trade", EventTypeKindAttribute, 11, NoGedcomTag, AttributeKindText,
                                            "{f} was a {v}[d? from {d}].");
    AssertionFields baptised;
    baptised.date = model_test::GregorianDate(3, 4, 1905);
    records.Event(baptism, {{dora}}, baptised);
    AssertionFields trained;
    trained.date = model_test::GregorianDate(1, 6, 1921);
    records.Attribute(trade, dora, "weaver", 0, trained);

    PrintDatesYearFirst();
    Check({
        {"DATABASE.PERSON(3).DETAIL(2).FORMATTED", "Dora was baptised on 1905-04-03."},
        {"DATABASE.PERSON(3).DETAIL(2).EVENT.FORMATTED", "Dora was baptised on 1905-04-03."},
        {"DATABASE.PERSON(3).DETAIL(2).EVENT.SHORT", "1905-04-03"},
        {"DATABASE.PERSON(3).DETAIL(3).FORMATTED", "Dora was a weaver from 1921-06-01."},
        {"DATABASE.PERSON(3).DETAIL(3).ATTRIBUTE.FORMATTED", "Dora was a weaver from 1921-06-01."},
        // A timeline of sentences is a report's text as well.
        {"DATABASE.PERSON(3).TIMELINE(1).TEXT(1)", "Dora was baptised on 1905-04-03."},
        {"DATABASE.PERSON(3).TIMELINE(1).TEXT(2)", "Dora was a weaver from 1921-06-01."},
    });
}

TEST_F(AssertionScripts, AttributeProperties)
{
    const std::string height = "DATABASE.PERSON(1).DETAIL(2).ATTRIBUTE.";
    const std::string occupation = "DATABASE.PERSON(1).DETAIL(3).ATTRIBUTE.";
    Check({
        {(height + "TEXT").c_str(), "tall"},
        {(height + "VALUE").c_str(), "180"},
        // A text type keeps no number, whatever the row holds.
        {(occupation + "VALUE").c_str(), "0"},
        {(occupation + "TEXT").c_str(), "smith"},
        {(height + "PRIVACY").c_str(), "1"},
        {(height + "NOTE").c_str(), "by her own word"},
        {(height + "PERSON.ID").c_str(), "1"},
        {(height + "NEXCERPTS").c_str(), "0"},
        {(height + "EXCERPT(1).PAGE").c_str(), "error 16"},
        {(height + "TYPE.DESCRIPTION").c_str(), "Height"},
        {(height + "TYPE.KIND").c_str(), "1"},
        {(height + "TYPE.CLASS").c_str(), "age"},
        {(height + "TYPE.GEDCOMTAG").c_str(), ""},
        {(occupation + "TYPE.CLASS").c_str(), "work"},
        {(occupation + "TYPE.GEDCOMTAG").c_str(), "OCCU"},
        {(occupation + "TYPE.NROLES").c_str(), "error 1"},
        {(height + "SHORT").c_str(), "error 1"},
        {(height + "DATE.YEAR").c_str(), "1911"},
        {(height + "PLACE.SIMPLE").c_str(), "Vang"},
        {"DATABASE.PERSON(1).DETAIL(6).ALIAS.DATE.YEAR", "1911"},
    });
    EXPECT_EQ(Print(height + "FORMATTED"), "Anna: Height");

    // An ATTRIBUTE variable holds the attribute but no link.
    const std::string setup = "ATTRIBUTE A\r\nA = DATABASE.PERSON(1).DETAIL(2).ATTRIBUTE\r\n";
    Check({{"A.TEXT", "tall"}, {"A.FORMATTED", "error 1"}}, setup);
}

TEST_F(AssertionScripts, TypeClassesAndTagsOutsideTheirTablesAreEmpty)
{
    // Flag attribute types keep their class in the table of flag classes.
    records.Attribute(records.Type("Living", EventTypeKindAttribute, 3, NoGedcomTag, AttributeKindFlag), dora, "", 1);
    records.Attribute(records.Type("Odd", EventTypeKindAttribute, 40, 200, AttributeKindText), dora, "", 0);
    records.Event(records.Type("Strange", EventTypeKindEvent, 26, GedcomTagCount), {{dora}});
    Check({
        {"DATABASE.PERSON(3).DETAIL(2).ATTRIBUTE.TYPE.CLASS", "living"},
        {"DATABASE.PERSON(3).DETAIL(2).ATTRIBUTE.VALUE", "1"},
        {"DATABASE.PERSON(3).DETAIL(3).ATTRIBUTE.TYPE.CLASS", ""},
        {"DATABASE.PERSON(3).DETAIL(3).ATTRIBUTE.TYPE.GEDCOMTAG", ""},
        {"DATABASE.PERSON(3).DETAIL(4).EVENT.TYPE.CLASS", ""},
        {"DATABASE.PERSON(3).DETAIL(4).EVENT.TYPE.GEDCOMTAG", ""},
    });
}

TEST_F(AssertionScripts, RelationshipInformationAndAliasProperties)
{
    const std::string relationship = "DATABASE.PERSON(1).DETAIL(4).RELATIONSHIP.";
    const std::string information = "DATABASE.PERSON(1).DETAIL(5).INFORMATION.";
    const std::string alias = "DATABASE.PERSON(1).DETAIL(6).ALIAS.";
    Check({
        {(relationship + "RELATION").c_str(), "1"},
        {(relationship + "PRIVACY").c_str(), "1"},
        {(relationship + "NOTE").c_str(), "by her own word"},
        {(relationship + "PARENT.ID").c_str(), "1"},
        {(relationship + "CHILD.ID").c_str(), "3"},
        {(relationship + "NEXCERPTS").c_str(), "0"},
        {(relationship + "TEXT").c_str(), "error 1"},
        {"DATABASE.PERSON(3).DETAIL(1).RELATIONSHIP.PARENT.ID", "1"},
        {(information + "TEXT").c_str(), "lived by the sea"},
        {(information + "PRIVACY").c_str(), "1"},
        {(information + "NOTE").c_str(), "by her own word"},
        {(information + "PERSON.ID").c_str(), "1"},
        {(information + "RELATION").c_str(), "error 1"},
        {(alias + "NAME.SURNAME").c_str(), "Hill"},
        {(alias + "PRIVACY").c_str(), "1"},
        {(alias + "NOTE").c_str(), "by her own word"},
        {(alias + "PERSON.ID").c_str(), "1"},
        {(alias + "TEXT").c_str(), "error 1"},
    });
    Check({
        {(relationship + "FORMATTED").c_str(), "Parent of Dora Berg"},
        {"DATABASE.PERSON(3).DETAIL(1).RELATIONSHIP.FORMATTED", "Child of Anna Berg"},
        {(information + "FORMATTED").c_str(), "Anna: information"},
        {(alias + "FORMATTED").c_str(), "Anna: alias"},
    });
}

TEST_F(AssertionScripts, TooFewLinksFailWithTheKindsError)
{
    // A relationship that lost its child's link, and a link to an event that is not there.
    {
        Relationship relationship(*run.database);
        relationship.ReadAndLoad(1);
        ASSERT_EQ(relationship.Links().Count(), 2u);
        relationship.Links().SetMark(1, 1);
        ASSERT_TRUE(RunWriteTransaction(*run.database, [&] { return relationship.Save(); }));
        AssertionLink lost(*run.database);
        lost.row = {AssertionEvent, 4711, dora, 0, 0};
        ASSERT_TRUE(RunWriteTransaction(*run.database, [&] { return lost.Save(); }));
    }
    Check({
        {"DATABASE.PERSON(1).DETAIL(4).RELATIONSHIP.PARENT.ID", "error 119"},
        {"DATABASE.PERSON(1).DETAIL(4).RELATIONSHIP.CHILD.ID", "error 119"},
        {"DATABASE.PERSON(1).DETAIL(4).RELATIONSHIP.RELATION", "1"},
        // An event link without its event goes on on an empty event.
        {"DATABASE.PERSON(3).DETAIL(1).EVENT.NPARTICIPANTS", "0"},
        {"DATABASE.PERSON(3).DETAIL(1).EVENT.NEXCERPTS", "0"},
        {"DATABASE.PERSON(3).DETAIL(1).EVENT.TYPE.DESCRIPTION", "error 123"},
        {"DATABASE.PERSON(3).DETAIL(1).FORMATTED", ""},
    });
}

TEST_F(AssertionScripts, DataSwitchesGovernNotesCitationsPlacesAndAddresses)
{
    CurrentSettings.report.IncludeNotes = 0;
    CurrentSettings.report.IncludeSources = 0;
    Check({
        {"DATABASE.PERSON(1).DETAIL(1).EVENT.NOTE", ""},
        {"DATABASE.PERSON(1).DETAIL(2).ATTRIBUTE.NOTE", ""},
        {"DATABASE.PERSON(1).DETAIL(5).INFORMATION.NOTE", ""},
        {"DATABASE.PERSON(1).DETAIL(5).INFORMATION.TEXT", "lived by the sea"},
        {"DATABASE.PERSON(1).DETAIL(1).EVENT.NEXCERPTS", "0"},
        {"DATABASE.PERSON(1).DETAIL(1).EVENT.EXCERPT(1).PAGE", "error 16"},
    });
    CurrentSettings.report.IncludePlaces = 0;
    CurrentSettings.report.IncludeAddresses = 0;
    Check({
        {"DATABASE.PERSON(1).DETAIL(2).ATTRIBUTE.PLACE.SIMPLE", "error 110"},
        {"DATABASE.PERSON(1).DETAIL(1).EVENT.ADDRESS.CITY", "error 111"},
        {"DATABASE.PERSON(1).DETAIL(1).EVENT.SHORT", "17.05.1900"},
    });
}

// Each cited-sources row of the document: short title and title of the source.
std::vector<std::string> CitedRows(const std::vector<std::string>& printed)
{
    std::vector<std::string> rows;
    for (std::size_t i = 1; i + 2 < printed.size(); i += 3)
        rows.push_back(printed[i] + "|" + printed[i + 1]);
    return rows;
}

TEST_F(AssertionScripts, TheDetailsSentenceCitesTheSourceOfEveryExcerpt)
{
    CurrentSettings.report.SourceIndex = 1;
    // Sources are listed even while the report leaves citations out.
    CurrentSettings.report.IncludeSources = 0;
    run.Run("PRINT DATABASE.PERSON(1).DETAIL(1).FORMATTED");
    ASSERT_TRUE(run.ui.errors.empty());
    // Both sources have the short title "K": one row per citation, in the order cited.
    EXPECT_EQ(CitedRows(run.Printed()), (std::vector<std::string>{"K|Alpha book", "K|Beta book", "K|Alpha book"}));

    run.ui = run_test::TestUi();
    run.Run("PRINT DATABASE.PERSON(1).DETAIL(1).EVENT.FORMATTED");
    EXPECT_EQ(run.Printed().size(), 1u) << "the event's own sentence cites nothing";
}

} // namespace
