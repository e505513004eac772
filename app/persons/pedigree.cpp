#include "persons/pedigree.h"

#include <algorithm>

#include "core/database.h"
#include "core/date_value.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "persons/event_assertion.h"
#include "persons/person_record.h"

namespace {

// The year of the first date of the event the link names; 0 when there is none.
int EventYear(const AssertionLink* link, Database& database)
{
    if (link == nullptr)
        return 0;
    EventAssertion event(link->row.assertionId, database);
    if (event.Id() == 0)
        return 0;
    const DateRange date = event.Date();
    return date.type != DateRangeText ? date.dates.first.Year() : 0;
}

std::string YearText(int year)
{
    return year != 0 ? std::to_string(year) : std::string();
}

PedigreeEntry EntryOf(PersonRecord& person)
{
    return {person.Id(), PedigreeEntryText(person)};
}

bool HasRecordedParent(PersonRecord& person)
{
    return person.FindFather(AnyRelationKind, 0) != 0 || person.FindMother(AnyRelationKind, 0) != 0;
}

// A parent's box and the boxes of the parent's own father and mother.
void AddParent(PedigreeChart& chart, std::int32_t parentId, Database& database, PedigreeEntry& parentEntry,
               PedigreeGrandparent fatherSide, PedigreeGrandparent motherSide)
{
    if (parentId == 0)
        return;
    PersonRecord parent(database);
    parent.ReadAndLoad(parentId);
    if (parent.Id() == 0)
        return;
    parentEntry = EntryOf(parent);
    const std::pair<std::int32_t, PedigreeGrandparent> grandparents[] = {
        {parent.FindFather(AnyRelationKind, 0), fatherSide}, {parent.FindMother(AnyRelationKind, 0), motherSide}};
    for (const auto& [id, box] : grandparents) {
        if (id == 0)
            continue;
        PersonRecord grandparent(database);
        grandparent.ReadAndLoad(id);
        if (grandparent.Id() == 0)
            continue;
        chart.grandparents[box] = EntryOf(grandparent);
        chart.hasAncestors[box] = HasRecordedParent(grandparent);
    }
}

} // namespace

std::string PedigreeEntryText(PersonRecord& person)
{
    char name[PedigreeEntrySize] = {};
    if (const NameRecord* record = person.Name())
        record->Format(name, sizeof name);
    Database& database = person.OwnerDatabase();
    const std::string birth = YearText(EventYear(person.FindBirthLink(), database));
    const std::string death = YearText(EventYear(person.FindDeathLink(), database));
    std::string text = std::string(name) + " (" + birth + "-" + death + ")";
    if (text.size() > PedigreeEntrySize - 1)
        text.resize(PedigreeEntrySize - 1);
    return text;
}

std::string PedigreeTitle(const char* title, PersonRecord& person)
{
    std::string text = title != nullptr ? title : "";
    if (person.Id() != 0) {
        char name[PedigreeTitleSize] = {};
        if (const NameRecord* record = person.Name())
            record->Format(name, sizeof name, person.Id());
        text += " - ";
        text += name;
    }
    if (text.size() > PedigreeTitleSize - 1)
        text.resize(PedigreeTitleSize - 1);
    return text;
}

PedigreeChart BuildPedigreeChart(PersonRecord& centre)
{
    PedigreeChart chart;
    Database& database = centre.OwnerDatabase();
    // One transaction around the many reads of the chart.
    EngineTransaction transaction(database.file, TLV_READWRITE);
    chart.person = EntryOf(centre);
    std::int32_t childIds[PedigreeChildCapacity] = {};
    const int childCount = centre.CollectChildIds(AnyRelationKind, childIds, PedigreeChildCapacity);
    for (int i = 0; i < childCount; ++i) {
        PersonRecord child(database);
        child.ReadAndLoad(childIds[i]);
        if (child.Id() != 0)
            chart.children.push_back(EntryOf(child));
    }
    AddParent(chart, centre.FindFather(AnyRelationKind, 0), database, chart.father, FathersFather, FathersMother);
    AddParent(chart, centre.FindMother(AnyRelationKind, 0), database, chart.mother, MothersFather, MothersMother);
    return chart;
}

PedigreeLayout LayOutPedigree(int clientWidth, int clientHeight)
{
    const int w = std::max(clientWidth, PedigreeSmallestWidth);
    const int h = std::max(clientHeight, PedigreeSmallestHeight);
    const int W = (w - 70) / 3;
    const int x2 = W + 30;
    const int x3 = x2 + W + 20;
    const int m = h / 2;
    const int q = m / 2;
    const int b = h - q;
    const int e = q / 2;
    constexpr int BoxHeight = 20;
    const int parentX = x3 - W / 2;
    const int parentLineX = parentX - 10;
    const int grandparentLineX = x3 - 10;

    PedigreeLayout layout{};
    layout.children = {10, q - 10, W, b - q + 20};
    layout.person = {x2, m - 10, W, BoxHeight};
    layout.father = {parentX, q - 10, W, BoxHeight};
    layout.mother = {parentX, b - 10, W, BoxHeight};
    const int grandparentY[GrandparentCount] = {e, m - e, m + e, h - e};
    for (int i = 0; i < GrandparentCount; ++i) {
        layout.grandparents[i] = {x3, grandparentY[i] - 10, W, BoxHeight};
        layout.indicators[i] = {x3 + W + 2, grandparentY[i] - 4, 0, 0};
    }
    layout.lines = {{
        {x2 - 20, m, 20, 1},
        {parentLineX, q + 1, 1, b - q},
        {parentLineX, q, 10, 1},
        {parentLineX, b, 10, 1},
        {grandparentLineX, e + 1, 1, m - 2 * e},
        {grandparentLineX, m + e + 1, 1, h - m - 2 * e},
        {grandparentLineX, e, 10, 1},
        {grandparentLineX, m - e, 10, 1},
        {grandparentLineX, m + e, 10, 1},
        {grandparentLineX, h - e, 10, 1},
    }};
    layout.columnWidth = W - 4;
    return layout;
}
