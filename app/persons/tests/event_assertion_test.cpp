// Events against a real database file: the stored row, the conversion of old rows, save and load with
// every linked object, deletion, participants, templates and field letters.
#include "persons/event_assertion.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/address_record.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "persons/assertion_fields.h"
#include "core/event_type.h"
#include "records/excerpt_ref.h"
#include "core/role.h"
#include "persons/sentence_format.h"
#include "persons/tests/assertion_test_support.h"
#include "core/write_transaction.h"
#include "settings/settings.h"

namespace {

using namespace assertion_test;

std::int32_t Int32At(const std::vector<unsigned char>& bytes, std::size_t offset)
{
    std::int32_t value;
    std::memcpy(&value, &bytes[offset], 4);
    return value;
}

class Events : public AssertionTest {
protected:
    // A stored event of `type` with a place, an address, a note, a principal override, one citation and
    // one principal per person given.
    std::int32_t StoreEvent(std::int32_t type, std::initializer_list<std::int32_t> persons)
    {
        EventAssertion event(db());
        event.LoadLinked();
        event.row.typeId = type;
        event.SetDate(SingleDate(15, 3, 1900));
        std::strcpy(event.Place()->row.prefix, "in");
        event.Place()->Parse("Oslo, Norway");
        std::strcpy(event.Address()->row.line1, "Storgata 1");
        event.Note()->SetText("a note");
        event.PrincipalFormatting()->SetText("{C}[d? {d}][p? {p}]");
        for (std::int32_t person : persons)
            event.Links().Append(NewLink(db(), AssertionEvent, person));
        auto ref = std::make_unique<ExcerptRef>(db());
        ref->row.excerptId = AddExcerpt(db(), AddSource(db(), "Kirkebok", "KB"), "p. 12");
        event.ExcerptRefs().Append(std::move(ref));
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return event.Save(); }));
        return event.Id();
    }
    std::int32_t Type(const char* name, int classCode = 0, int principals = 1, const char* principal = "",
                      const char* witness = "")
    {
        std::int32_t id = 0;
        EXPECT_TRUE(RunWriteTransaction(db(), [&] {
            id = CreateEventType(name, 0, classCode, -1, 1, principals, 0, principal, witness, db());
            return id != 0;
        }));
        return id;
    }
};

TEST_F(Events, RowLayout)
{
    EventAssertion event(db());
    event.row.typeId = 3;
    event.row.privacy = PrivacyImmediateFamily;
    event.row.noteId = 5;
    event.row.placeId = 6;
    event.row.addressId = 7;
    event.row.principalFormattingId = 8;
    event.row.witnessFormattingId = 9;
    event.SetDate(SingleDate(15, 3, 1900));
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return event.NewId() != 0 && event.Write() == 0; }));
    Reopen();

    const std::vector<unsigned char> bytes = RawRow(db(), TableEvent2, event.Id(), 66);
    EXPECT_EQ(Int32At(bytes, 0), 3);
    EXPECT_EQ(bytes[4], 2);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Int32At(bytes, 5 + 4 * i), 5 + i);
    EXPECT_EQ(bytes[25], DateRangeSingle);
    const unsigned char first[9] = {DateModifierNone, CalendarGregorian, 0xFF, 0xFF, 15, 3, 0x6C, 0x07, 0xFF};
    EXPECT_EQ(std::memcmp(&bytes[26], first, 9), 0);
    const DateValue empty = EmptyDateValue();
    EXPECT_EQ(std::memcmp(&bytes[35], &empty, 9), 0);
    EXPECT_EQ(bytes[65], 0);
}

std::int32_t WriteOld(Database& database, const unsigned char (&old)[67])
{
    return WriteOldRow(database, TableEventOld, old);
}

TEST_F(Events, OldRowsConvertWithTheirDateMoved)
{
    AddOldTable(db(), TableEventOld, "EVENT", 67);
    unsigned char old[67] = {};
    old[0] = 12; // type
    old[4] = PrivacyPrivate;
    old[5] = 0xAA; // the unused byte
    for (int i = 0; i < 5; ++i)
        old[6 + 4 * i] = static_cast<unsigned char>(21 + i); // note, place, address, overrides
    old[26] = DateRangeBetween;
    const unsigned char from[7] = {1, CalendarJulian, 2, 4, 0x6C, 0x06, 0xFF};
    const unsigned char to[7] = {0, CalendarJulian, 3, 5, 0x70, 0x06, 55};
    std::memcpy(old + 27, from, 7);
    std::memcpy(old + 34, to, 7);
    const std::int32_t id = WriteOld(db(), old);

    EventAssertion event(db());
    ASSERT_EQ(event.ReadOldRecord(id), 0);
    EXPECT_EQ(event.Id(), id);
    EXPECT_EQ(+event.row.typeId, 12);
    EXPECT_EQ(+event.row.privacy, PrivacyPrivate);
    EXPECT_EQ(+event.row.noteId, 21);
    EXPECT_EQ(+event.row.placeId, 22);
    EXPECT_EQ(+event.row.addressId, 23);
    EXPECT_EQ(+event.row.principalFormattingId, 24);
    EXPECT_EQ(+event.row.witnessFormattingId, 25);
    const DateRange date = event.Date();
    EXPECT_EQ(date.type, DateRangeBetween);
    const unsigned char first[9] = {1, CalendarJulian, 0xFF, 0xFF, 2, 4, 0x6C, 0x06, 0xFF};
    const unsigned char second[9] = {0, CalendarJulian, 0xFF, 0xFF, 3, 5, 0x70, 0x06, 55};
    EXPECT_EQ(std::memcmp(&date.dates.first, first, 9), 0);
    EXPECT_EQ(std::memcmp(&date.dates.second, second, 9), 0);

    unsigned char textDate[67] = {};
    textDate[26] = DateRangeText;
    std::memset(textDate + 27, 'x', 40); // longer than a text date keeps
    EventAssertion text(db());
    ASSERT_EQ(text.ReadOldRecord(WriteOld(db(), textDate)), 0);
    EXPECT_EQ(text.Date().type, DateRangeText);
    EXPECT_EQ(text.Date().Text(), std::string(39, 'x'));

    EventAssertion missing(db());
    EXPECT_NE(missing.ReadOldRecord(id + 10), 0);
    EXPECT_EQ(missing.Id(), 0);
}

TEST_F(Events, SaveAndReloadEverything)
{
    const std::int32_t alice = AddPerson(db(), 2, "Alice", "Berg");
    const std::int32_t id = StoreEvent(Type("Birth", EventClassBirth), {alice});
    Reopen();

    EventAssertion event(db());
    event.ReadAndLoad(id);
    ASSERT_EQ(event.Id(), id);
    EXPECT_EQ(event.Date().dates.first.day, 15);
    char text[128];
    EXPECT_STREQ(event.Place()->Format(text, sizeof text), "Oslo, Norway");
    EXPECT_EQ(+event.Place()->row.eventId, id);
    EXPECT_EQ(+event.Place()->row.attributeId, 0);
    EXPECT_STREQ(event.Address()->row.line1, "Storgata 1");
    EXPECT_STREQ(event.Note()->Text(), "a note");
    EXPECT_STREQ(event.PrincipalFormatting()->Text(), "{C}[d? {d}][p? {p}]");
    ASSERT_EQ(event.Links().Count(), 1u);
    EXPECT_EQ(+event.Links()[0].row.personId, alice);
    EXPECT_EQ(+event.Links()[0].row.kind, AssertionEvent);
    ASSERT_EQ(event.ExcerptRefs().Count(), 1u);
    EXPECT_EQ(+event.ExcerptRefs()[0].row.ownerKind, OwnerEvent);
    EXPECT_EQ(+event.ExcerptRefs()[0].row.order, 1);
    EXPECT_TRUE(event.IsBirth());
    EXPECT_STREQ(event.GetDatePlaceText(text, sizeof text, "{dd}.{mm}.{yyyy}"), "15.03.1900 in Oslo, Norway");
    EXPECT_STREQ(event.GetDatePlaceText(text, sizeof text, "{yyyy}-{mm}-{dd}"), "1900-03-15 in Oslo, Norway");
    NameRecord name(db());
    EXPECT_STREQ(event.FormatSentence(text, sizeof text, event.Links()[0], name, 2, false, "{dd}.{mm}.{yyyy}"),
                 "Birth 15.03.1900 in Oslo, Norway");
    EXPECT_STREQ(event.FormatSentence(text, sizeof text, event.Links()[0], name, 2, false, "{yyyy}-{mm}-{dd}"),
                 "Birth 1900-03-15 in Oslo, Norway");
    // A field asked for outside a sentence is a screen's text.
    event.GetFieldText(text, sizeof text, 'd', event.Links()[0], name, false);
    EXPECT_STREQ(text, "15.03.1900");
}

TEST_F(Events, NewEventWithNothingLinkedWritesNoRowsForThem)
{
    EventAssertion event(db());
    event.LoadLinked();
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return event.Save(); }));
    EXPECT_EQ(+event.row.placeId, 0);
    EXPECT_EQ(+event.row.addressId, 0);
    EXPECT_EQ(+event.row.noteId, 0);
    EXPECT_EQ(CountRows(db(), TablePlace2) + CountRows(db(), TableAddress) + CountRows(db(), TableNote) +
                  CountRows(db(), TableFormatting),
              0);
    EXPECT_EQ(CountRows(db(), TableEvent2), 1);
}

TEST_F(Events, SaveWithoutLoadedObjectsKeepsThem)
{
    const std::int32_t id = StoreEvent(0, {AddPerson(db(), 1, "Bo", "Ek")});
    EventAssertion event(id, db());
    const EventRow before = event.row;
    event.row.privacy = PrivacyFamily;
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return event.Save(); }));
    EventAssertion after(db());
    after.ReadAndLoad(id);
    EXPECT_EQ(+after.row.privacy, PrivacyFamily);
    EXPECT_EQ(+after.row.placeId, +before.placeId);
    EXPECT_EQ(+after.row.noteId, +before.noteId);
    EXPECT_STREQ(after.Note()->Text(), "a note");
    EXPECT_STREQ(after.Address()->row.line1, "Storgata 1");
    EXPECT_STREQ(after.PrincipalFormatting()->Text(), "{C}[d? {d}][p? {p}]");
    EXPECT_EQ(after.Links().Count(), 1u);
}

TEST_F(Events, EmptiedOverrideFallsBackToTheTypeTemplate)
{
    const std::int32_t id =
        StoreEvent(Type("Baptism", 0, 1, "baptised", "{R} at a baptism"), {AddPerson(db(), 1, "Bo", "Ek")});
    EventAssertion event(db());
    event.ReadAndLoad(id);
    const std::int32_t formatting = event.row.principalFormattingId;
    event.PrincipalFormatting()->SetText("");
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return event.Save(); }));
    EXPECT_EQ(+event.row.principalFormattingId, 0);
    EXPECT_FALSE(RowExists(db(), TableFormatting, formatting));
    EXPECT_STREQ(event.GetSentenceTemplate(0), "baptised");
    EXPECT_STREQ(event.GetSentenceTemplate(1), "{R} at a baptism");

    EventAssertion untyped(db());
    EXPECT_STREQ(untyped.GetSentenceTemplate(0), "");
    EXPECT_STREQ(untyped.GetSentenceTemplate(1), "");
}

TEST_F(Events, IsBirthNeedsOnePrincipal)
{
    EventAssertion event(db());
    event.row.typeId = Type("Twin birth", EventClassBirth, 2);
    EXPECT_FALSE(event.IsBirth());
    event.row.typeId = Type("Birth", EventClassBirth, 1);
    EXPECT_TRUE(event.IsBirth()) << "a changed type id is read again";
    EXPECT_FALSE(event.IsDeath());
}

TEST_F(Events, RemovingTheOnlyParticipantDeletesTheWholeEvent)
{
    const std::int32_t id = StoreEvent(0, {AddPerson(db(), 1, "Bo", "Ek")});
    EventAssertion event(id, db());
    const EventRow row = event.row;
    event.LoadLinks();
    const std::int32_t link = event.Links()[0].Id();
    const int refs = CountRows(db(), TableExcerptRef);
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return event.RemoveLink(link); }));
    EXPECT_FALSE(RowExists(db(), TableEvent2, id));
    EXPECT_FALSE(RowExists(db(), TableAssertionLink, link));
    EXPECT_FALSE(RowExists(db(), TablePlace2, row.placeId));
    EXPECT_FALSE(RowExists(db(), TableAddress, row.addressId));
    EXPECT_FALSE(RowExists(db(), TableNote, row.noteId));
    EXPECT_FALSE(RowExists(db(), TableFormatting, row.principalFormattingId));
    EXPECT_EQ(CountRows(db(), TableExcerptRef), refs - 1);
    EXPECT_EQ(CountRows(db(), TableExcerpt), 1) << "the cited excerpt stays";
}

TEST_F(Events, RemovingOneOfTwoParticipantsDeletesOnlyItsLink)
{
    const std::int32_t id = StoreEvent(0, {AddPerson(db(), 1, "Bo", "Ek"), AddPerson(db(), 2, "Eva", "Ek")});
    EventAssertion event(id, db());
    event.LoadLinks();
    const std::int32_t first = event.Links()[0].Id();
    const std::int32_t second = event.Links()[1].Id();
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return event.RemoveLink(first); }));
    EXPECT_TRUE(RowExists(db(), TableEvent2, id));
    EXPECT_FALSE(RowExists(db(), TableAssertionLink, first));
    EXPECT_TRUE(RowExists(db(), TableAssertionLink, second));
}

TEST_F(Events, FailedSaveKeepsNothingOfIt)
{
    const int links = CountRows(db(), TableAssertionLink);
    EventAssertion event(db());
    event.LoadLinked();
    event.Links().Append(NewLink(db(), AssertionEvent, AddPerson(db(), 1, "Bo", "Ek")));
    event.Place()->Parse("Oslo");
    event.Note()->SetText("note");
    event.PrincipalFormatting()->SetText("{C}");
    const int notes = CountRows(db(), TableNote);
    // Links, place and note are written before the override meets a table the file lacks.
    const std::int32_t formattingTable = db().tableIds[TableFormatting];
    db().tableIds[TableFormatting] = 0x7FFF;
    EXPECT_FALSE(RunWriteTransaction(db(), [&] { return event.Save(); }));
    db().tableIds[TableFormatting] = formattingTable;
    Reopen();
    EXPECT_EQ(CountRows(db(), TableAssertionLink), links);
    EXPECT_EQ(CountRows(db(), TableNote), notes);
    EXPECT_EQ(CountRows(db(), TablePlace2), 0);
    EXPECT_EQ(CountRows(db(), TableEvent2), 0);
}

TEST_F(Events, FailedDeleteKeepsEverything)
{
    const std::int32_t id = StoreEvent(0, {AddPerson(db(), 1, "Bo", "Ek")});
    EventAssertion event(id, db());
    const int before = CountRows(db(), TableAssertionLink) + CountRows(db(), TableExcerptRef) +
                       CountRows(db(), TableNote) + CountRows(db(), TablePlace2);
    // Links, citations and owned rows go before the event's own row meets a table the file lacks.
    const std::int32_t eventTable = db().tableIds[TableEvent2];
    db().tableIds[TableEvent2] = 0x7FFF;
    EXPECT_FALSE(RunWriteTransaction(db(), [&] { return event.Delete(); }));
    db().tableIds[TableEvent2] = eventTable;
    Reopen();
    EXPECT_TRUE(RowExists(db(), TableEvent2, id));
    EXPECT_EQ(CountRows(db(), TableAssertionLink) + CountRows(db(), TableExcerptRef) + CountRows(db(), TableNote) +
                  CountRows(db(), TablePlace2),
              before);
}

TEST_F(Events, PlaceFieldFollowsTheSetting)
{
    const std::int32_t id = StoreEvent(0, {AddPerson(db(), 1, "Bo", "Ek")});
    EventAssertion event(db());
    event.ReadAndLoad(id);
    event.PrincipalFormatting()->SetText("[p?{p}]");
    NameRecord name(db());
    char out[128];
    EXPECT_STREQ(event.FormatSentence(out, sizeof out, event.Links()[0], name, 1, false, ScreenDatePicture()),
                 "in Oslo, Norway");
    CurrentSettings.report.IncludePlaces = 0;
    EXPECT_STREQ(event.FormatSentence(out, sizeof out, event.Links()[0], name, 1, false, ScreenDatePicture()), "");
    EventAssertion placeless(db());
    placeless.LoadLinked();
    placeless.PrincipalFormatting()->SetText("[p?in {p}]");
    CurrentSettings.report.IncludePlaces = 1;
    EXPECT_STREQ(placeless.FormatSentence(out, sizeof out, event.Links()[0], name, 1, false, ScreenDatePicture()), "");
}

TEST_F(Events, FieldLettersForParticipants)
{
    const std::int32_t bo = AddPerson(db(), 1, "Bo", "Ek");
    const std::int32_t eva = AddPerson(db(), 2, "Eva", "Lind");
    const std::int32_t ola = AddPerson(db(), 1, "Ola", "Dahl");
    const std::int32_t id = StoreEvent(Type("Marriage"), {bo, eva, ola});
    std::int32_t witnessRole = 0;
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return (witnessRole = CreateRole("Best man", db())) != 0; }));
    EventAssertion event(db());
    event.ReadAndLoad(id);
    event.Links()[2].row.roleId = witnessRole;
    std::uint8_t sex = 0;
    std::int32_t nameId = 0;
    ASSERT_TRUE(ReadPersonSummary(bo, db(), sex, nameId));
    NameRecord boName(nameId, db());
    char out[256];
    const AssertionLink& boLink = event.Links()[0];
    const AssertionLink& evaLink = event.Links()[1];
    const AssertionLink& olaLink = event.Links()[2];
    struct Case {
        const AssertionLink* link;
        char letter;
        const char* expected;
    } cases[] = {
        {&boLink, 's', "Eva Lind"},   {&olaLink, 's', "Bo Ek and Eva Lind"},
        {&boLink, 'g', "his"},        {&evaLink, 'g', "her"},
        {&evaLink, 'h', "she"},       {&boLink, 'r', "principal"},
        {&olaLink, 'r', "Best man"},  {&boLink, 'c', "Marriage"},
        {&boLink, 'a', "Storgata 1"}, {&boLink, 'o', "KB p. 12"},
        {&boLink, 'n', "a note"},     {&boLink, 'd', "15.03.1900"},
        {&boLink, 'f', "Bo"},         {&boLink, 'x', "unchanged"},
    };
    for (const Case& c : cases) {
        std::strcpy(out, "unchanged");
        event.GetFieldText(out, sizeof out, c.letter, *c.link, boName, false);
        EXPECT_STREQ(out, c.expected) << c.letter;
    }
    EXPECT_EQ(event.HasField('s', boLink), 1);
    for (int letter = 0; letter < 256; ++letter) {
        const int has = event.HasField(static_cast<char>(letter), boLink);
        EXPECT_TRUE(has == 0 || has == 1) << letter;
    }
    CurrentSettings.report.IncludeSources = 0;
    EXPECT_EQ(event.HasField('o', boLink), 0);
    std::strcpy(out, "x");
    event.GetFieldText(out, sizeof out, 'o', boLink, boName, false);
    EXPECT_STREQ(out, "");
}

} // namespace

namespace {

using namespace assertion_test;

TEST(AddressField, JoinsOnlyTheLinesThatHoldSomething)
{
    Database database;
    AddressRecord address(database);
    char out[64];
    std::strcpy(address.row.city, "Oslo");
    EXPECT_STREQ((WriteAddressField(out, sizeof out, address), out), "Oslo");
    std::strcpy(address.row.line1, "Storgata 1");
    std::strcpy(address.row.country, "Norway");
    EXPECT_STREQ((WriteAddressField(out, sizeof out, address), out), "Storgata 1, Oslo, Norway");
    EXPECT_STREQ((WriteAddressField(out, 8, address), out), "Storgat");
}

} // namespace
