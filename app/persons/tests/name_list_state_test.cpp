// The person list's state against real database files: the selection's rules, the names of the All page
// in display-text order and read again after a change, and the name search with its match types,
// Soundex and given-name variants.
#include "persons/name_list_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/bounded_text.h"
#include "core/write_transaction.h"
#include "persons/person_record.h"
#include "records/given_names.h"
#include "tests/support/scoped_list_states.h"
#include "tests/support/test_database.h"

namespace {

using test_support::ScopedListStates;
using test_support::TempPath;
using test_support::TestDatabase;

std::vector<std::string> Texts(const std::vector<ListRow>& rows, int column)
{
    std::vector<std::string> texts;
    for (const ListRow& row : rows)
        texts.push_back(row.texts[column]);
    return texts;
}

class NameList : public testing::Test {
protected:
    NameList() : states_(AddListStateMakers)
    {
        CurrentSettings.name.IncludeNew = 0;
        CurrentSettings.name.ListSize = 200;
        database_ = std::make_unique<TestDatabase>();
    }

    Database& db() { return **database_; }
    NameListState& list() { return *NameListOf(db()); }

    std::int32_t AddPerson(const char* editText, const char* note = "")
    {
        PersonRecord person(db());
        person.LoadLinked();
        person.Name()->ParseEditText(editText);
        person.Note()->SetText(note);
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return person.Save(); }));
        return person.Id();
    }

    std::int32_t NameIdOf(std::int32_t personId)
    {
        PersonRecord person(personId, db());
        return person.row.nameId;
    }

    // Runs a search of one criterion (the others none) under OR; the display texts found.
    std::vector<std::string> Search(std::uint32_t field, const char* text, std::uint32_t mode)
    {
        list().ClearSelection();
        list().search = SearchSettings();
        list().search.SetCriterion(0, field, text, mode);
        EngineTransaction transaction(db().file, TLV_READWRITE);
        list().RunSearch();
        return Texts(list().SelectionRows(), 1);
    }

    ScopedListStates states_;
    std::unique_ptr<TestDatabase> database_;
};

TEST_F(NameList, TheAllPageListsNamesInDisplayOrderAndReadsThemAgainAfterAChange)
{
    const std::int32_t anna = AddPerson("Anna/Berg/");
    AddPerson("Per/Aas/");
    const std::vector<ListRow> rows = list().AllRows();
    EXPECT_EQ(Texts(rows, 0), (std::vector<std::string>{"Aas, Per", "Berg, Anna"}));
    EXPECT_EQ(rows[1].id, anna);
    EXPECT_EQ(rows[1].texts[1], std::to_string(anna));
    EXPECT_TRUE(list().AllNamesRead());

    AddPerson("Ola/Cedergren/");
    EXPECT_FALSE(list().AllNamesRead());
    std::vector<int> percents;
    list().ReadAllNames([&](int percent) { percents.push_back(percent); });
    EXPECT_EQ(list().AllNames().size(), 3u);
    EXPECT_EQ(percents.back(), 100);
}

TEST_F(NameList, TheSelectionHoldsEachNameOnceAndOneLessThanListSize)
{
    CurrentSettings.name.ListSize = 4;
    CurrentSettings.name.IncludeNew = 1;
    std::vector<std::int32_t> persons;
    for (const char* name : {"A/Aa/", "B/Bb/", "C/Cc/", "D/Dd/"})
        persons.push_back(AddPerson(name));
    // Each name enters once, however often it is written; the fourth finds the list full.
    EXPECT_EQ(Texts(list().SelectionRows(), 1), (std::vector<std::string>{"Aa, A", "Bb, B", "Cc, C"}));
    EXPECT_EQ(list().SelectionRows()[0].texts[0], std::to_string(persons[0]));

    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return NameRecord::DeleteById(NameIdOf(persons[1]), db()); }));
    EXPECT_EQ(Texts(list().SelectionRows(), 1), (std::vector<std::string>{"Aa, A", "Cc, C"}));
    EXPECT_EQ(list().RemoveFromSelection(NameIdOf(persons[1])), 0);

    list().AddChosen(persons[3]);
    list().AddChosen(0);
    list().AddChosen(persons[3] + 50);
    EXPECT_EQ(Texts(list().SelectionRows(), 1), (std::vector<std::string>{"Aa, A", "Cc, C", "Dd, D"}));
}

TEST_F(NameList, TwoNamesOfOnePersonAreTwoEntries)
{
    const std::int32_t person = AddPerson("Anna/Berg/");
    NameRecord alias(db());
    alias.ParseEditText("Anne/Bergh/");
    alias.row.number = person;
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return alias.Save(); }));
    list().AddChosen(person);
    list().AddToSelection(alias);
    list().AddToSelection(alias);
    const std::vector<ListRow> rows = list().SelectionRows();
    EXPECT_EQ(Texts(rows, 1), (std::vector<std::string>{"Berg, Anna", "Bergh, Anne"}));
    EXPECT_EQ(rows[0].id, person);
    EXPECT_EQ(rows[1].id, person);
}

TEST_F(NameList, SearchesMatchEveryFieldByItsType)
{
    const std::int32_t smith = AddPerson("John Peter/Smith/", "Emigrated to Minnesota");
    AddPerson("Anna/Smithson/");
    AddPerson("Kari/Smyth/");
    AddPerson("Ola/Olsen/", "Farmer");
    struct Case {
        std::uint32_t field;
        std::string text;
        std::uint32_t mode;
        std::vector<std::string> found;
    };
    const std::vector<Case> cases = {
        {NameListState::FieldSurname, "smi", MatchExact, {"Smith, John Peter", "Smithson, Anna"}},
        {NameListState::FieldSurname, "Smith", MatchExact, {"Smith, John Peter", "Smithson, Anna"}},
        {NameListState::FieldSurname, "son", MatchEnd, {"Smithson, Anna"}},
        {NameListState::FieldSurname, "", MatchBegin, {"Smith, John Peter", "Smithson, Anna", "Smyth, Kari", "Olsen, Ola"}},
        {NameListState::FieldFirstName, "peter", MatchInclude, {"Smith, John Peter"}},
        {NameListState::FieldFirstName, "Anna", MatchBegin, {"Smithson, Anna"}},
        {NameListState::FieldName, "Ola Olsen", MatchExact, {"Olsen, Ola"}},
        {NameListState::FieldNote, "minnesota", MatchInclude, {"Smith, John Peter"}},
        {NameListState::FieldNote, "", MatchEnd, {"Smith, John Peter", "Smithson, Anna", "Smyth, Kari", "Olsen, Ola"}},
        {NameListState::FieldId, std::to_string(smith), MatchExact, {"Smith, John Peter"}},
        {NameListState::FieldSurname, "Smith", 7, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Search(c.field, c.text.c_str(), c.mode), c.found) << c.field << " " << c.text;
}

TEST_F(NameList, SoundexFindsSurnamesThatDifferOnlyInVowelsWhateverTheType)
{
    AddPerson("John/Smith/");
    AddPerson("Kari/Smyth/");
    AddPerson("Anna/Smithson/");
    list().soundex = 1;
    EXPECT_EQ(Search(NameListState::FieldSurname, "Smeth", MatchEnd),
              (std::vector<std::string>{"Smith, John", "Smyth, Kari"}));
    list().soundex = 0;
    EXPECT_TRUE(Search(NameListState::FieldSurname, "Smeth", MatchEnd).empty());
}

TEST_F(NameList, CriteriaWithoutAFieldAddEveryNameUnderAndAndNoneUnderOr)
{
    CurrentSettings.name.ListSize = 3;
    for (const char* name : {"A/Aa/", "B/Bb/", "C/Cc/"})
        AddPerson(name);
    EngineTransaction transaction(db().file, TLV_READWRITE);
    list().RunSearch();
    EXPECT_TRUE(list().SelectionRows().empty());
    list().search.combineAnd = 1;
    list().RunSearch();
    EXPECT_EQ(Texts(list().SelectionRows(), 1), (std::vector<std::string>{"Aa, A", "Bb, B"}));
    // Found again without the clear flag: nothing twice; with it the list starts afresh.
    list().search.combineAnd = 0;
    list().search.clearFirst = 1;
    list().search.SetCriterion(0, NameListState::FieldSurname, "Cc", MatchExact);
    list().RunSearch();
    EXPECT_EQ(Texts(list().SelectionRows(), 1), (std::vector<std::string>{"Cc, C"}));
}

class NameListVariants : public NameList {
protected:
    NameListVariants() : folder_("placeholder")
    {
        const std::string appDir = folder_.str().substr(0, folder_.str().size() - std::strlen("placeholder") - 1);
        CopyBounded(CurrentSettings.AppDir, sizeof CurrentSettings.AppDir, appDir.c_str());
        DatabaseFile* file = OpenGivenNamesDatabase(appDir);
        EXPECT_NE(file, nullptr);
        {
            EngineTransaction transaction(file, TLV_READWRITE);
            const std::int32_t john = AddGivenName(file, "John", 0);
            AddGivenName(file, "Johnny", john);
            AddGivenName(file, "Jack", john);
            AddGivenName(file, "Maria", 0);
        }
        CloseGivenNamesDatabase(file);
    }

    TempPath folder_;
};

TEST_F(NameListVariants, GivenNamesMatchThroughTheirMainNameAndItsVariants)
{
    AddPerson("John/Berg/");
    AddPerson("Johnny/Aas/");
    AddPerson("Jack/Dahl/");
    AddPerson("Maria/Eik/");
    AddPerson("Zed/Fjell/");
    list().variants = 1;
    const std::vector<std::string> all = {"Aas, Johnny", "Berg, John", "Dahl, Jack"};
    auto sorted = [](std::vector<std::string> texts) {
        std::sort(texts.begin(), texts.end());
        return texts;
    };
    EXPECT_EQ(sorted(Search(NameListState::FieldFirstName, "Jack", MatchExact)), all);
    EXPECT_EQ(sorted(Search(NameListState::FieldFirstName, "John", MatchExact)), all);
    // A name the database does not hold has no variants: not every main name.
    EXPECT_EQ(Search(NameListState::FieldFirstName, "Zed", MatchExact), (std::vector<std::string>{"Fjell, Zed"}));
    list().variants = 0;
    EXPECT_EQ(Search(NameListState::FieldFirstName, "Jack", MatchExact), (std::vector<std::string>{"Dahl, Jack"}));
}

} // namespace
