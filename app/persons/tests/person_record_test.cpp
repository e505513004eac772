// Persons against real database files: the row, loading through a report filter, saving with the order
// renumbered, deleting with every dependant, parents, children, events and the timeline.
#include "persons/person_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/event_type_cache.h"
#include "platform/little_endian.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "records/excerpt_ref.h"
#include "persons/tests/person_test_support.h"
#include "tests/support/recording_notice_sink.h"
#include "records/media_row.h"
#include "records/task_row.h"
#include "records/timeline.h"
#include "settings/settings.h"

namespace {

using namespace person_test;

using test_support::RecordingSink;

// The kinds and assertion ids of a person's loaded links, in list order.
std::vector<std::pair<int, std::int32_t>> LinkKinds(PersonRecord& person)
{
    std::vector<std::pair<int, std::int32_t>> kinds;
    for (std::size_t i = 0; i < person.Links().Count(); ++i)
        kinds.emplace_back(+person.Links()[i].row.kind, +person.Links()[i].row.assertionId);
    return kinds;
}

class Persons : public PersonTest {};

TEST_F(Persons, FirstSaveOfANewPersonWritesItsRow)
{
    PersonRecord person(db());
    person.LoadLinked();
    ASSERT_NE(person.Name(), nullptr);
    ASSERT_NE(person.Note(), nullptr);
    EXPECT_EQ(person.Name()->Id(), 0);
    EXPECT_TRUE(person.Links().Empty());
    EXPECT_TRUE(person.ExcerptRefs().Empty());

    person.Name()->ParseEditText("John/Smith/");
    person.row.sex = SexMale;
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return person.Save(); }));
    EXPECT_EQ(person.Id(), 1);
    Reopen();

    const std::vector<unsigned char> bytes = RawRow(db(), TablePerson, 1, sizeof(PersonRow));
    EXPECT_EQ(bytes, std::vector<unsigned char>({1, 0, 0, 0, 0, 0, 0, 0, 1, 255, 255}));
    PersonRecord stored(db());
    stored.ReadAndLoad(1);
    ASSERT_EQ(stored.Id(), 1);
    char text[128];
    EXPECT_STREQ(stored.Name()->FormatEditText(text, sizeof text), "John/Smith/");
    EXPECT_EQ(+stored.Name()->row.number, 1);
    EXPECT_EQ(CountRows(db(), TableNote), 0);

    PersonRecord missing(7, db());
    EXPECT_EQ(missing.Id(), 0);
}

TEST_F(Persons, SaveStoresTheNoteAndANewIdForEachNewPerson)
{
    PersonRecord person(db());
    person.LoadLinked();
    person.Note()->SetText("emigrated in 1880");
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return person.Save(); }));
    PersonRecord second(db());
    second.LoadLinked();
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return second.Save(); }));
    EXPECT_EQ(second.Id(), person.Id() + 1);
    Reopen();

    PersonRecord stored(db());
    stored.ReadAndLoad(person.Id());
    EXPECT_NE(+stored.row.noteId, 0);
    EXPECT_STREQ(stored.Note()->Text(), "emigrated in 1880");
}

TEST_F(Persons, ReportFilterDecidesWhichLinksAreLoaded)
{
    const std::int32_t me = AddPerson(db(), 1, "Per", "Ask");
    const std::int32_t other = AddPerson(db(), 2, "Kari", "Ask");
    const std::int32_t shown = EventTypeId("Census", 0, 1);
    const std::int32_t hidden = EventTypeId("Vaccination", 0, 0);
    const std::int32_t attributeType = AttributeTypeId("Height");

    const std::int32_t publicEvent = StoreEvent(shown, {{me}}, PrivacyPublic);
    const std::int32_t familyEvent = StoreEvent(shown, {{me}}, PrivacyFamily);
    const std::int32_t privateEvent = StoreEvent(shown, {{me}}, PrivacyImmediateFamily);
    const std::int32_t hiddenType = StoreEvent(hidden, {{me}});
    const std::int32_t noType = StoreEvent(0, {{me}});
    const std::int32_t laterType = StoreEvent(hidden + 50, {{me}});
    const std::int32_t attribute = StoreAttribute(attributeType, me, PrivacyFamily);
    const std::int32_t privateAttribute = StoreAttribute(attributeType, me, PrivacyPrivate);
    const std::int32_t alias = StoreName(me, PrivacyPublic);
    const std::int32_t privateAlias = StoreName(me, PrivacyImmediateFamily);
    const std::int32_t relationship = StoreRelationship(me, other, RelationBiological, PrivacyPrivate);
    const std::int32_t info = StoreInfo(me, PrivacyPrivate);

    const std::vector<std::pair<int, std::int32_t>> everything = {
        {1, publicEvent}, {1, familyEvent},  {1, privateEvent}, {1, hiddenType},
        {1, noType},      {1, laterType},    {2, attribute},    {2, privateAttribute},
        {5, alias},       {5, privateAlias}, {3, relationship}, {4, info}};
    PersonRecord unfiltered(db());
    unfiltered.ReadAndLoad(me);
    EXPECT_EQ(LinkKinds(unfiltered), everything);

    EventTypeCache filter;
    filter.Load(db());
    for (int i = 0; i < PrivacyLevelSwitch; ++i)
        filter.switches[i] = 1;
    filter.switches[PrivacyLevelSwitch] = PrivacyFamily;
    PersonRecord filtered(me, db());
    filtered.LoadAll(&filter);
    // Type ids the cache does not know (0, or beyond its last type) count as included.
    EXPECT_EQ(LinkKinds(filtered), (std::vector<std::pair<int, std::int32_t>>{{1, publicEvent},
                                                                              {1, familyEvent},
                                                                              {1, noType},
                                                                              {1, laterType},
                                                                              {2, attribute},
                                                                              {5, alias},
                                                                              {3, relationship},
                                                                              {4, info}}));

    filter.switches[IncludeEventsSwitch] = 0;
    filter.switches[IncludeAttributesSwitch] = 0;
    filter.switches[IncludeAliasSwitch] = 0;
    PersonRecord narrow(me, db());
    narrow.LoadAll(&filter);
    EXPECT_EQ(LinkKinds(narrow), (std::vector<std::pair<int, std::int32_t>>{{3, relationship}, {4, info}}));
}

TEST_F(Persons, FilterSwitchesForNotesAndSources)
{
    const std::int32_t source = AddSource(db(), "Census 1900", "C1900");
    PersonRecord person(db());
    person.LoadLinked();
    person.Note()->SetText("a note");
    auto ref = std::make_unique<ExcerptRef>(db());
    ref->row.excerptId = AddExcerpt(db(), source, "p. 1");
    person.ExcerptRefs().Append(std::move(ref));
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return person.Save(); }));

    EventTypeCache filter;
    filter.Load(db());
    filter.switches[IncludeNotesSwitch] = 0;
    filter.switches[IncludeSourcesSwitch] = 0;
    PersonRecord without(person.Id(), db());
    without.LoadAll(&filter);
    EXPECT_EQ(without.Note()->Text(), nullptr);
    EXPECT_TRUE(without.ExcerptRefs().Empty());

    filter.switches[IncludeNotesSwitch] = 1;
    filter.switches[IncludeSourcesSwitch] = 1;
    PersonRecord with(person.Id(), db());
    with.LoadAll(&filter);
    EXPECT_STREQ(with.Note()->Text(), "a note");
    ASSERT_EQ(with.ExcerptRefs().Count(), 1u);
    EXPECT_EQ(with.ExcerptRefs().keyId, person.Id());
    EXPECT_EQ(with.ExcerptRefs().ownerKind, OwnerPerson);
}

TEST_F(Persons, SaveRenumbersOrdersAndDropsMarkedEntries)
{
    const std::int32_t me = AddPerson(db(), 2, "Eva", "Lind");
    const std::int32_t type = EventTypeId("Census");
    const std::int32_t first = StoreEvent(type, {{me}});
    const std::int32_t second = StoreEvent(type, {{me}});
    const std::int32_t third = StoreEvent(type, {{me}});
    const std::int32_t source = AddSource(db(), "Parish book", "PB");

    PersonRecord person(db());
    person.ReadAndLoad(me);
    ASSERT_EQ(person.Links().Count(), 3u);
    const std::int32_t removedLink = person.Links()[1].Id();
    person.Links().SetMark(1, 1);
    for (const char* page : {"p. 1", "p. 2", "p. 3"}) {
        auto ref = std::make_unique<ExcerptRef>(db());
        ref->row.excerptId = AddExcerpt(db(), source, page);
        person.ExcerptRefs().Append(std::move(ref));
    }
    person.ExcerptRefs().SetMark(1, 1); // never stored: nothing to delete
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return person.Save(); }));
    EXPECT_EQ(person.Links().Count(), 3u); // marked entries stay in the lists
    EXPECT_EQ(person.ExcerptRefs().Count(), 3u);
    Reopen();

    EXPECT_FALSE(RowExists(db(), TableAssertionLink, removedLink));
    PersonRecord stored(db());
    stored.ReadAndLoad(me);
    EXPECT_EQ(LinkKinds(stored), (std::vector<std::pair<int, std::int32_t>>{{1, first}, {1, third}}));
    EXPECT_EQ(+stored.Links()[0].row.order, 1);
    EXPECT_EQ(+stored.Links()[1].row.order, 3);
    (void)second;
    ASSERT_EQ(stored.ExcerptRefs().Count(), 2u);
    EXPECT_EQ(+stored.ExcerptRefs()[0].row.order, 1);
    EXPECT_EQ(+stored.ExcerptRefs()[1].row.order, 3);
    EXPECT_EQ(CountRows(db(), TableExcerptRef), 2);
}

TEST_F(Persons, MediaAreLoadedInTheOrderTheirPersonGaveThem)
{
    const std::int32_t me = AddPerson(db(), 1, "Ola", "Berg");
    // Stored in an order other than that of their ids; one with a note, whose id shares the order's column.
    const struct {
        const char* name;
        std::uint32_t order;
        bool note;
    } stored[] = {{"third.jpg", 3, true}, {"first.jpg", 1, false}, {"fourth.jpg", 300, false}, {"second.jpg", 2, true}};
    for (const auto& m : stored) {
        MediaRecord media(db());
        media.SetFileName(m.name);
        media.SetOwnerId(me);
        media.SetOwnerKind(OwnerPerson);
        media.SetOrder(m.order);
        if (m.note)
            media.EnsureNote().SetText("note");
        ASSERT_TRUE(RunWriteTransaction(db(), [&] { return media.Create(); }));
    }
    PersonRecord person(db());
    person.ReadAndLoad(me);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < person.Media().Count(); ++i)
        names.push_back(person.Media()[i].FileName());
    EXPECT_EQ(names, (std::vector<std::string> {"first.jpg", "second.jpg", "third.jpg", "fourth.jpg"}));
}

TEST_F(Persons, MediaAndTasksAreLoadedSavedAndDeletedWithThePerson)
{
    const std::int32_t me = AddPerson(db(), 1, "Ola", "Berg");
    PersonRecord person(db());
    person.ReadAndLoad(me);
    const std::uint8_t bytes[] = {1, 2, 3, 4, 5};
    for (const char* name : {"first.jpg", "second.png", "third.tif"}) {
        auto media = std::make_unique<MediaRecord>(db());
        media->SetFileName(name);
        media->SetData(bytes, sizeof bytes);
        person.Media().Append(std::move(media));
    }
    auto task = std::make_unique<TaskRecord>(db());
    task->LoadLinked();
    task->SetTitle("find the baptism");
    person.Tasks().Append(std::move(task));
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return person.Save(); }));
    Reopen();

    PersonRecord stored(db());
    stored.ReadAndLoad(me);
    ASSERT_EQ(stored.Media().Count(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(stored.Media()[i].OwnerId(), me);
        EXPECT_EQ(stored.Media()[i].OwnerKind(), OwnerPerson);
        EXPECT_EQ(stored.Media()[i].Order(), i + 1);
        ASSERT_TRUE(stored.Media()[i].HasData());
        EXPECT_EQ(stored.Media()[i].Data()[4], 5);
    }
    ASSERT_EQ(stored.Tasks().Count(), 1u);
    EXPECT_EQ(stored.Tasks()[0].row.personId, me);

    // A removed media item is deleted once; the id it frees is not deleted again by a later save.
    stored.Media().SetMark(0, 1);
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return stored.Save(); }));
    EXPECT_EQ(stored.Media()[0].Id(), 0);
    EXPECT_EQ(stored.Media()[2].Order(), 3u);
    EXPECT_EQ(CountRows(db(), TableMedia), 2);
    MediaRecord other(db());
    other.SetData(bytes, sizeof bytes);
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return other.Create(); }));
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return stored.Save(); }));
    EXPECT_EQ(CountRows(db(), TableMedia), 3);

    ASSERT_TRUE(stored.Delete());
    EXPECT_EQ(CountRows(db(), TableMedia), 1) << "only the media of no person is left";
    EXPECT_EQ(CountRows(db(), TableMediaData), 1);
    ASSERT_EQ(CountRows(db(), TableTask), 1);
    TaskRecord kept(db());
    {
        EngineTransaction transaction(db().file, TLV_READWRITE);
        kept.Read(stored.Tasks()[0].Id());
    }
    EXPECT_EQ(kept.row.personId, 0) << "the task outlives the person";
}

TEST_F(Persons, ReadNextTakesTheIdOfTheRowRead)
{
    const std::int32_t first = AddPerson(db(), 1, "A", "One");
    const std::int32_t gap = AddPerson(db(), 1, "B", "Two");
    const std::int32_t last = AddPerson(db(), 2, "C", "Three");
    const std::int32_t info = StoreInfo(last);
    {
        auto transaction = test_support::Transaction(db());
        ASSERT_EQ(tlvDeleteRecord(db().TableId(TablePerson), gap, db().file), 0);
    }

    PersonRecord person(db());
    EXPECT_EQ(person.ReadNext(1), first);
    EXPECT_EQ(person.ReadNext(first + 1), last);
    EXPECT_EQ(person.Id(), last);
    EXPECT_EQ(+person.row.sex, 2);
    person.LoadLinked();
    EXPECT_EQ(LinkKinds(person), (std::vector<std::pair<int, std::int32_t>>{{4, info}}));
    EXPECT_EQ(person.ReadNext(last + 1), 0);
    EXPECT_EQ(person.Id(), 0);
    EXPECT_TRUE(person.Links().Empty());
}

TEST_F(Persons, DeleteRemovesEveryDependant)
{
    const std::int32_t me = AddPerson(db(), 1, "Ola", "Dahl");
    const std::int32_t spouse = AddPerson(db(), 2, "Siri", "Dahl");
    const std::int32_t child = AddPerson(db(), 1, "Jon", "Dahl");
    const std::int32_t type = EventTypeId("Marriage", 0, 1, 2);
    const std::int32_t shared = StoreEvent(type, {{me}, {spouse}});
    const std::int32_t own = StoreEvent(type, {{me}}, 0, YearDate(1900), "Oslo, Norway");
    const std::int32_t attribute = StoreAttribute(AttributeTypeId("Height"), me);
    const std::int32_t alias = StoreName(me);
    const std::int32_t info = StoreInfo(me);
    const std::int32_t relationship = StoreRelationship(me, child);
    const std::int32_t source = AddSource(db(), "Parish book", "PB");
    const std::int32_t excerpt = AddExcerpt(db(), source, "p. 4");
    // Two references of the person and one of an event that happens to have the same id.
    for (std::uint8_t kind : {OwnerPerson, OwnerPerson, OwnerEvent}) {
        auto transaction = test_support::Transaction(db());
        ASSERT_NE(CreateExcerptRef(excerpt, me, kind, db()), 0);
    }
    std::int32_t noteId = 0;
    std::int32_t task = 0;
    std::int32_t media = 0;
    std::int32_t chunk = 0;
    {
        auto transaction = test_support::Transaction(db());
        noteId = NoteText::StoreNew("a note", me, OwnerPerson, db());
        // A research task about the person, and a media object of it with its bytes in one chunk.
        std::uint8_t taskRow[task_row::Size] = {};
        std::strcpy(reinterpret_cast<char*>(taskRow), "find the baptism");
        platform::PutI32(taskRow + task_row::PersonOffset, me);
        task = tlvNewID(db().TableId(TableTask), db().file);
        ASSERT_EQ(tlvWriteRecord(db().TableId(TableTask), task, taskRow, db().file), 0);
        std::vector<std::uint8_t> data(media_data_row::Size, 7);
        platform::PutI32(data.data() + media_data_row::NextOffset, 0);
        chunk = tlvNewID(db().TableId(TableMediaData), db().file);
        ASSERT_EQ(tlvWriteRecord(db().TableId(TableMediaData), chunk, data.data(), db().file), 0);
        std::uint8_t mediaRow[media_row::Size] = {};
        platform::PutI32(mediaRow + media_row::OwnerOffset, me);
        mediaRow[media_row::OwnerKindOffset] = OwnerPerson;
        platform::PutI32(mediaRow + media_row::FirstDataOffset, chunk);
        platform::PutI32(mediaRow + media_row::DataSizeOffset, 100);
        media = tlvNewID(db().TableId(TableMedia), db().file);
        ASSERT_EQ(tlvWriteRecord(db().TableId(TableMedia), media, mediaRow, db().file), 0);
    }
    {
        PersonRecord person(me, db());
        person.row.noteId = noteId;
        ASSERT_TRUE(RunWriteTransaction(db(), [&] { return person.Write() == 0; }));
    }
    const std::int32_t nameId = platform::GetI32(RawRow(db(), TablePerson, me, sizeof(PersonRow)).data());

    // Read only: neither links nor references were loaded before the delete.
    PersonRecord person(me, db());
    RecordingSink sink;
    ASSERT_TRUE(person.Delete(&sink));
    Reopen();

    EXPECT_FALSE(RowExists(db(), TablePerson, me));
    EXPECT_FALSE(RowExists(db(), TableName, nameId));
    EXPECT_FALSE(RowExists(db(), TableNote, noteId));
    EXPECT_FALSE(RowExists(db(), TableEvent2, own));
    EXPECT_FALSE(RowExists(db(), TableAttribute2, attribute));
    EXPECT_FALSE(RowExists(db(), TableAlias2, alias));
    EXPECT_FALSE(RowExists(db(), TableInfo, info));
    EXPECT_FALSE(RowExists(db(), TableRelationship, relationship));
    EXPECT_FALSE(RowExists(db(), TableMedia, media));
    EXPECT_FALSE(RowExists(db(), TableMediaData, chunk));
    // The shared event stays with the spouse's link only.
    EventAssertion marriage(db());
    marriage.ReadAndLoad(shared);
    ASSERT_EQ(marriage.Id(), shared);
    ASSERT_EQ(marriage.Links().Count(), 1u);
    EXPECT_EQ(+marriage.Links()[0].row.personId, spouse);
    // The child keeps no link to a relationship that is gone.
    PersonRecord son(db());
    son.ReadAndLoad(child);
    EXPECT_TRUE(son.Links().Empty());
    // The event's reference stays; the person's are gone, loaded or not.
    ASSERT_EQ(CountRows(db(), TableExcerptRef), 1);
    // The task outlives the person, about nobody.
    ASSERT_TRUE(RowExists(db(), TableTask, task));
    EXPECT_EQ(platform::GetI32(RawRow(db(), TableTask, task, task_row::Size).data() + task_row::PersonOffset), 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(RawRow(db(), TableTask, task, task_row::Size).data()),
                 "find the baptism");
    // Both links of the relationship were announced as removed, after the commit.
    ASSERT_EQ(sink.posted.size(), 2u);
    for (const RecordingSink::Entry& entry : sink.posted)
        EXPECT_EQ(entry.notice, NoticeAssertionLinkRemoved);
    EXPECT_EQ(sink.posted[0].wParam, static_cast<std::uint32_t>(me));
    EXPECT_EQ(sink.posted[1].wParam, static_cast<std::uint32_t>(child));

    // The freed id goes to the next new person, which inherits nothing.
    PersonRecord next(db());
    next.LoadLinked();
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return next.Save(); }));
    EXPECT_EQ(next.Id(), me);
    next.Reload();
    EXPECT_TRUE(next.Links().Empty());
    EXPECT_TRUE(next.ExcerptRefs().Empty());
}

// The stored links count, not the loaded list: a person read through a report filter, whose attribute
// is linked to it twice, leaves nothing behind.
TEST_F(Persons, DeleteTakesTheStoredLinksWhateverWasLoaded)
{
    const std::int32_t me = AddPerson(db(), 1, "Ola", "Dahl");
    const std::int32_t hiddenEvent = StoreEvent(EventTypeId("Census"), {{me}}, PrivacyPrivate);
    AttributeAssertion attribute(db());
    attribute.LoadLinked();
    attribute.row.typeId = AttributeTypeId("Height");
    attribute.Links().Append(Link(AssertionAttribute, me));
    attribute.Links().Append(Link(AssertionAttribute, me));
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return attribute.Save(); }));

    EventTypeCache filter;
    filter.Load(db());
    filter.switches[PrivacyLevelSwitch] = PrivacyPublic;
    PersonRecord person(me, db());
    person.LoadAll(&filter);
    EXPECT_TRUE(person.Links().Empty());
    ASSERT_TRUE(person.Delete(nullptr));

    EXPECT_FALSE(RowExists(db(), TableEvent2, hiddenEvent));
    EXPECT_FALSE(RowExists(db(), TableAttribute2, attribute.Id()));
    EXPECT_EQ(CountRows(db(), TableAssertionLink), 0);
    EXPECT_EQ(CountRows(db(), TablePerson), 0);
}

TEST_F(Persons, ParentsByRelationKindAndSex)
{
    const std::int32_t child = AddPerson(db(), 2, "Liv", "Berg");
    const std::int32_t father = AddPerson(db(), 1, "Arne", "Berg");
    const std::int32_t mother = AddPerson(db(), 2, "Anne", "Berg");
    const std::int32_t adoptive = AddPerson(db(), 1, "Knut", "Moe");
    StoreRelationship(father, child);
    StoreRelationship(mother, child);
    StoreRelationship(adoptive, child, RelationAdoptive);
    StoreRelationship(child, AddPerson(db(), 1, "Eirik", "Berg")); // her own child is no parent

    PersonRecord person(db());
    person.ReadAndLoad(child);
    EXPECT_EQ(person.FindFather(AnyRelationKind, 0), father);
    EXPECT_EQ(person.FindFather(AnyRelationKind, 1), adoptive);
    EXPECT_EQ(person.FindFather(AnyRelationKind, 2), 0);
    EXPECT_EQ(person.FindFather(RelationAdoptive, 0), adoptive);
    EXPECT_EQ(person.FindFather(RelationFoster, 0), 0);
    EXPECT_EQ(person.FindMother(AnyRelationKind, 0), mother);
    EXPECT_EQ(person.FindMother(AnyRelationKind, 1), 0);
    EXPECT_EQ(person.FindMother(RelationAdoptive, 0), 0);
}

TEST_F(Persons, ChildIdsStopAtTheCapacityInLinkOrder)
{
    const std::int32_t parent = AddPerson(db(), 1, "Jakob", "Holm");
    std::vector<std::int32_t> children;
    for (int i = 0; i < 40; ++i) {
        children.push_back(AddPerson(db(), 1, "Child", "Holm"));
        StoreRelationship(parent, children.back(), i == 1 ? RelationFoster : RelationBiological);
    }
    PersonRecord person(db());
    person.ReadAndLoad(parent);
    std::int32_t ids[FamilyChildCapacity + 1] = {};
    ASSERT_EQ(person.CollectChildIds(AnyRelationKind, ids, FamilyChildCapacity), FamilyChildCapacity);
    EXPECT_TRUE(std::equal(ids, ids + FamilyChildCapacity, children.begin()));
    EXPECT_EQ(ids[FamilyChildCapacity], 0);
    EXPECT_EQ(person.CollectChildIds(RelationFoster, ids, FamilyChildCapacity), 1);
    EXPECT_EQ(ids[0], children[1]);
}

TEST_F(Persons, EventsByTypeRoleAndClass)
{
    const std::int32_t me = AddPerson(db(), 1, "Nils", "Strand");
    const std::int32_t other = AddPerson(db(), 2, "Ida", "Strand");
    const std::int32_t birth = EventTypeId("Birth", EventClassBirth);
    const std::int32_t death = EventTypeId("Death", EventClassDeath);
    const std::int32_t census = EventTypeId("Census");
    const std::int32_t witnessRole = 3;
    const std::int32_t asWitness = StoreEvent(census, {{other}, {me, witnessRole}});
    const std::int32_t firstCensus = StoreEvent(census, {{me}});
    const std::int32_t born = StoreEvent(birth, {{me}});
    const std::int32_t secondCensus = StoreEvent(census, {{me}});

    PersonRecord person(db());
    EXPECT_EQ(person.FindBirthLink(), nullptr); // nothing loaded
    person.ReadAndLoad(me);
    const auto eventOf = [](const AssertionLink* link) { return link != nullptr ? +link->row.assertionId : 0; };
    EXPECT_EQ(eventOf(person.FindEventOfType(census, AnyRole, 0)), asWitness);
    EXPECT_EQ(eventOf(person.FindEventOfType(census, 0, 0)), firstCensus);
    EXPECT_EQ(eventOf(person.FindEventOfType(census, 0, 1)), secondCensus);
    EXPECT_EQ(person.FindEventOfType(census, 0, 2), nullptr);
    EXPECT_EQ(eventOf(person.FindEventOfType(census, witnessRole, 0)), asWitness);
    const AssertionLink* birthLink = person.FindBirthLink();
    ASSERT_NE(birthLink, nullptr);
    EXPECT_EQ(birthLink, &person.Links()[2]); // the person's own link, not a copy
    EXPECT_EQ(eventOf(birthLink), born);
    EXPECT_EQ(person.FindDeathLink(), nullptr);
    (void)death;
}

TEST_F(Persons, TimelineOfDatedEventsAndAttributes)
{
    const std::string texts = std::string(Language) + "TIMELINE_PERSON=100% of %s, %d\n"
                                                      "STANDARD_PEVENT_PFORMATTING=counted\n"
                                                      "STANDARD_ATTR_FORMATTING=measured\n";
    test_support::ScopedLanguage language(texts);
    std::strcpy(db().header.ownerName, "Owner Name");
    const std::int32_t me = AddPerson(db(), 1, "Hans", "Vik");
    const std::int32_t census = EventTypeId("Census");
    const std::int32_t height = AttributeTypeId("Height");
    StoreEvent(census, {{me}}, 0, YearDate(1910, 5, 1), "Bergen, Norway");
    StoreEvent(census, {{me}}, 0, YearDate(0)); // undated: left out
    DateRange text = {};
    text.SetText("in his youth");
    StoreEvent(census, {{me}}, 0, text); // a text date is no date
    DateRange span = YearDate(1900);
    span.type = DateRangeFromTo;
    span.dates.second = YearDate(1905).dates.first;
    StoreAttribute(height, me, 0, span, 180);
    DateRange openEnd = YearDate(1920);
    openEnd.type = DateRangeBetween; // its second year is 0: no to-date
    StoreEvent(census, {{me}}, 0, openEnd);

    PersonRecord person(db());
    person.ReadAndLoad(me);
    std::unique_ptr<Timeline> timeline = person.BuildTimeline(TimelineTypeAndPlace, ScreenDatePicture());
    ASSERT_NE(timeline, nullptr);
    EXPECT_STREQ(timeline->Title(), "100% of Hans Vik, %d");
    EXPECT_STREQ(timeline->Author(), "Owner Name");
    const std::vector<TimelineEvent>& events = timeline->Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].from.Year(), 1900);
    EXPECT_EQ(events[0].to.Year(), 1905);
    EXPECT_STREQ(events[0].text, "180");
    EXPECT_EQ(events[1].from.Year(), 1910);
    EXPECT_EQ(events[1].to.Year(), 0);
    EXPECT_EQ(events[1].to.modifier, DateFieldNone);
    EXPECT_EQ(events[1].to.hour, DateFieldNone);
    EXPECT_EQ(events[1].to.alternateYear, DateFieldNone);
    EXPECT_STREQ(events[1].text, "Census: Bergen, Norway");
    EXPECT_EQ(events[2].from.Year(), 1920);
    EXPECT_EQ(events[2].to.Year(), 0);

    std::unique_ptr<Timeline> names = person.BuildTimeline(TimelineTypeName, ScreenDatePicture());
    ASSERT_EQ(names->Events().size(), 3u);
    EXPECT_STREQ(names->Events()[0].text, "Height");
    EXPECT_STREQ(names->Events()[1].text, "Census");
    std::unique_ptr<Timeline> sentences = person.BuildTimeline(TimelineSentence, ScreenDatePicture());
    ASSERT_EQ(sentences->Events().size(), 3u);
    EXPECT_STREQ(sentences->Events()[0].text, "measured");
    EXPECT_STREQ(sentences->Events()[1].text, "counted");

    // The person's timeline saved as a file reads back as built.
    test_support::TempPath file("person.vtl");
    timeline->SetPath(file.c_str());
    ASSERT_TRUE(timeline->Save());
    Timeline read;
    ASSERT_EQ(read.Load(file.c_str()), TimelineLoadResult::Loaded);
    EXPECT_STREQ(read.Title(), timeline->Title());
    EXPECT_STREQ(read.Author(), "Owner Name");
    ASSERT_EQ(read.Count(), events.size());
    for (std::size_t i = 0; i < events.size(); ++i)
        EXPECT_EQ(std::memcmp(&read.Events()[i], &events[i], sizeof events[i]), 0) << events[i].text;
}

} // namespace
