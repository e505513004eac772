// The pedigree chart of a family stored through the record classes, its entry texts and its layout.
#include "persons/pedigree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/name_record.h"
#include "core/event_type_row.h"
#include "persons/person_record.h"
#include "persons/tests/person_test_support.h"

namespace {

using namespace person_test;

class Pedigree : public PersonTest {
protected:
    std::int32_t Male(const char* given) { return AddPerson(db(), SexMale, given, "Holm"); }
    std::int32_t Female(const char* given) { return AddPerson(db(), SexFemale, given, "Berg"); }
    void Born(std::int32_t person, const DateRange& date) { StoreEvent(BirthType(), {{person}}, 0, date); }
    void Died(std::int32_t person, int year) { StoreEvent(DeathType(), {{person}}, 0, YearDate(year)); }
    std::int32_t BirthType()
    {
        if (birthType_ == 0)
            birthType_ = EventTypeId("Birth", EventClassBirth);
        return birthType_;
    }
    std::int32_t DeathType()
    {
        if (deathType_ == 0)
            deathType_ = EventTypeId("Death", EventClassDeath);
        return deathType_;
    }
    PedigreeChart ChartOf(std::int32_t id)
    {
        PersonRecord person(db());
        person.ReadAndLoad(id);
        return BuildPedigreeChart(person);
    }
    std::string EntryOf(std::int32_t id)
    {
        PersonRecord person(db());
        person.ReadAndLoad(id);
        return PedigreeEntryText(person);
    }

private:
    std::int32_t birthType_ = 0;
    std::int32_t deathType_ = 0;
};

TEST_F(Pedigree, EntryShowsTheYearsThatAreKnown)
{
    const std::int32_t both = Male("Jakob");
    Born(both, YearDate(1850, 3, 2));
    Died(both, 1910);
    const std::int32_t bornOnly = Male("Nils");
    Born(bornOnly, YearDate(1820));
    const std::int32_t diedOnly = Female("Ida");
    Died(diedOnly, 1901);
    const std::int32_t none = Female("Anna");
    const std::int32_t yearUnknown = Male("Per");
    Born(yearUnknown, YearDate(0, 5, 1));
    const std::int32_t textDate = Male("Ole");
    DateRange text = {};
    text.type = DateRangeText;
    text.SetText("in the spring of 1800");
    Born(textDate, text);

    const std::pair<std::int32_t, const char*> cases[] = {
        {both, "Jakob Holm (1850-1910)"}, {bornOnly, "Nils Holm (1820-)"}, {diedOnly, "Ida Berg (-1901)"},
        {none, "Anna Berg (-)"},          {yearUnknown, "Per Holm (-)"},   {textDate, "Ole Holm (-)"},
    };
    for (const auto& [id, expected] : cases)
        EXPECT_EQ(EntryOf(id), expected) << id;
}

TEST_F(Pedigree, EntryAndTitleKeepTheirLimits)
{
    const std::string given(60, 'g');
    const std::string surname(60, 's');
    const std::int32_t id = AddPerson(db(), SexMale, given.c_str(), surname.c_str());
    Born(id, YearDate(1850));
    Died(id, 1910);
    PersonRecord person(db());
    person.ReadAndLoad(id);
    // The name fits; the years are cut at the end.
    EXPECT_EQ(PedigreeEntryText(person), (given + " " + surname + " (1850-1910)").substr(0, PedigreeEntrySize - 1));
    const std::string title = PedigreeTitle(std::string(250, 't').c_str(), person);
    EXPECT_EQ(title.size(), PedigreeTitleSize - 1);

    const std::int32_t short_ = Male("Jakob");
    PersonRecord named(db());
    named.ReadAndLoad(short_);
    EXPECT_EQ(PedigreeTitle("Pedigree", named), "Pedigree - Jakob Holm [#" + std::to_string(short_) + "]");
    PersonRecord unsaved(db());
    EXPECT_EQ(PedigreeTitle("Pedigree", unsaved), "Pedigree");
}

TEST_F(Pedigree, ThreeGenerationsWithAncestorIndicators)
{
    const std::int32_t centre = Male("Jakob");
    const std::int32_t father = Male("Nils");
    const std::int32_t mother = Female("Ida");
    const std::int32_t fathersFather = Male("Per");
    const std::int32_t fathersMother = Female("Anna");
    const std::int32_t mothersFather = Male("Ole");
    const std::int32_t greatGrandmother = Female("Eva");
    const std::int32_t firstChild = Male("Karl");
    const std::int32_t secondChild = Female("Lena");
    StoreRelationship(father, centre);
    StoreRelationship(mother, centre, RelationAdoptive); // any kind counts
    StoreRelationship(fathersFather, father);
    StoreRelationship(fathersMother, father);
    StoreRelationship(mothersFather, mother);
    StoreRelationship(greatGrandmother, fathersFather); // only the mother of a grandparent is recorded
    StoreRelationship(centre, firstChild);
    StoreRelationship(centre, secondChild);
    Born(centre, YearDate(1850));

    const PedigreeChart chart = ChartOf(centre);
    EXPECT_EQ(chart.person.id, centre);
    EXPECT_EQ(chart.person.text, "Jakob Holm (1850-)");
    ASSERT_EQ(chart.children.size(), 2u);
    EXPECT_EQ(chart.children[0].id, firstChild);
    EXPECT_EQ(chart.children[0].text, "Karl Holm (-)");
    EXPECT_EQ(chart.children[1].id, secondChild);
    EXPECT_EQ(chart.father.id, father);
    EXPECT_EQ(chart.mother.id, mother);
    EXPECT_EQ(chart.mother.text, "Ida Berg (-)");
    const std::int32_t expected[GrandparentCount] = {fathersFather, fathersMother, mothersFather, 0};
    const bool indicators[GrandparentCount] = {true, false, false, false};
    for (int i = 0; i < GrandparentCount; ++i) {
        EXPECT_EQ(chart.grandparents[i].id, expected[i]) << i;
        EXPECT_EQ(chart.hasAncestors[i], indicators[i]) << i;
    }
    EXPECT_TRUE(chart.grandparents[MothersMother].text.empty());
}

TEST_F(Pedigree, PersonWithoutParentsAndAtMost24Children)
{
    const std::int32_t centre = Female("Ida");
    std::vector<std::int32_t> children;
    for (int i = 0; i < 30; ++i) {
        children.push_back(Male("Child"));
        StoreRelationship(centre, children.back());
    }
    const PedigreeChart chart = ChartOf(centre);
    ASSERT_EQ(chart.children.size(), static_cast<std::size_t>(PedigreeChildCapacity));
    for (int i = 0; i < PedigreeChildCapacity; ++i)
        EXPECT_EQ(chart.children[i].id, children[i]);
    EXPECT_EQ(chart.father.id, 0);
    EXPECT_EQ(chart.mother.id, 0);
    for (int i = 0; i < GrandparentCount; ++i) {
        EXPECT_EQ(chart.grandparents[i].id, 0);
        EXPECT_FALSE(chart.hasAncestors[i]);
    }
}

TEST(PedigreeLayout, BoxesIndicatorsAndConnectors)
{
    // w 430, h 280: column 120, second column at 150, third at 290; m 140, q 70, b 210, e 35.
    const PedigreeLayout layout = LayOutPedigree(430, 280);
    EXPECT_EQ(layout.children, (LayoutBox{10, 60, 120, 160}));
    EXPECT_EQ(layout.person, (LayoutBox{150, 130, 120, 20}));
    EXPECT_EQ(layout.father, (LayoutBox{230, 60, 120, 20}));
    EXPECT_EQ(layout.mother, (LayoutBox{230, 200, 120, 20}));
    const int grandparentY[] = {25, 95, 165, 235};
    const int indicatorY[] = {31, 101, 171, 241};
    for (int i = 0; i < GrandparentCount; ++i) {
        EXPECT_EQ(layout.grandparents[i], (LayoutBox{290, grandparentY[i], 120, 20})) << i;
        EXPECT_EQ(layout.indicators[i].x, 412) << i;
        EXPECT_EQ(layout.indicators[i].y, indicatorY[i]) << i;
    }
    const LayoutBox lines[] = {{130, 140, 20, 1}, {220, 71, 1, 140}, {220, 70, 10, 1},  {220, 210, 10, 1},
                               {280, 36, 1, 70},  {280, 176, 1, 70}, {280, 35, 10, 1},  {280, 105, 10, 1},
                               {280, 175, 10, 1}, {280, 245, 10, 1}};
    for (std::size_t i = 0; i < std::size(lines); ++i)
        EXPECT_EQ(layout.lines[i], lines[i]) << i;
    EXPECT_EQ(layout.columnWidth, 116);
}

TEST(PedigreeLayout, SmallAreasAreLaidOutAsTheSmallestOne)
{
    const PedigreeLayout smallest = LayOutPedigree(PedigreeSmallestWidth, PedigreeSmallestHeight);
    const std::pair<int, int> sizes[] = {{0, 0}, {100, 100}, {359, 239}, {360, 10}, {10, 240}};
    for (const auto& [w, h] : sizes) {
        const PedigreeLayout layout = LayOutPedigree(w, h);
        EXPECT_EQ(layout.children, smallest.children) << w << "x" << h;
        EXPECT_EQ(layout.grandparents[MothersMother], smallest.grandparents[MothersMother]) << w << "x" << h;
        EXPECT_EQ(layout.lines[5], smallest.lines[5]) << w << "x" << h;
    }
    // A wider area keeps the smallest height when only the height is too small.
    EXPECT_EQ(LayOutPedigree(430, 10).person.y, smallest.person.y);
    EXPECT_EQ(LayOutPedigree(430, 10).person.width, 120);
}

} // namespace
