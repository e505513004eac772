// Engine refusals met while an assertion or a role saves or deletes the rows it owns (place, address, note
// chains): the save or delete answers false part-way through, the outermost transaction is discarded and
// the file keeps exactly what it held before.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/address_record.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "core/tests/missing_table.h"
#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "core/role.h"
#include "persons/tests/assertion_test_support.h"
#include "core/write_transaction.h"

namespace {

using namespace assertion_test;

// What an event's owned rows hold in the file, to compare before and after a discarded change.
struct StoredEvent {
    int events, links, places, addresses, notes;
    std::string place, city, note;

    bool operator==(const StoredEvent&) const = default;
};

void PrintTo(const StoredEvent& stored, std::ostream* out)
{
    *out << stored.events << " events, " << stored.links << " links, " << stored.places << " places, "
         << stored.addresses << " addresses, " << stored.notes << " notes; place \"" << stored.place
         << "\", city \"" << stored.city << "\", note \"" << stored.note << "\"";
}

class OwnedRowFailures : public AssertionTest, public ::testing::WithParamInterface<TableNumber> {
protected:
    StoredEvent Stored(std::int32_t eventId)
    {
        StoredEvent stored = {CountRows(db(), TableEvent2),  CountRows(db(), TableAssertionLink),
                              CountRows(db(), TablePlace2),  CountRows(db(), TableAddress),
                              CountRows(db(), TableNote),    "",
                              "",                            ""};
        if (eventId == 0)
            return stored;
        EventAssertion event(db());
        event.ReadAndLoad(eventId);
        char place[128];
        stored.place = event.Place()->Format(place, sizeof place);
        stored.city = event.Address()->row.city;
        stored.note = event.Note()->Text() ? event.Note()->Text() : "";
        return stored;
    }

    // A new event whose place, address and note are all to be written.
    void Fill(EventAssertion& event, const char* place, const char* city, const char* note)
    {
        event.Place()->Parse(place);
        std::strcpy(event.Address()->row.city, city);
        event.Note()->SetText(note);
    }

    // Saves under a refused table; `written` tells, inside the failed transaction, whether some row had
    // been written when the refusal came.
    template <typename Written> void SaveRefused(EventAssertion& event, Written written, bool partway)
    {
        MissingTable missing(db(), GetParam());
        bool wrote = false;
        EXPECT_FALSE(RunWriteTransaction(db(), [&] {
            const bool saved = event.Save();
            wrote = written();
            return saved;
        }));
        EXPECT_EQ(wrote, partway) << "refused at " << EngineTableName(GetParam());
    }
};

TEST_P(OwnedRowFailures, ARefusedEventSaveKeepsNothingOfIt)
{
    EventAssertion event(db());
    event.LoadLinked();
    event.Links().Append(NewLink(db(), AssertionEvent, AddPerson(db(), 1, "Bo", "Ek")));
    Fill(event, "Oslo", "Oslo", "a note");
    const StoredEvent before = Stored(0);
    // The links are written before the owned rows.
    SaveRefused(event, [&] { return event.Links()[0].Id() != 0; }, true);
    Reopen();
    EXPECT_EQ(Stored(0), before);
}

TEST_P(OwnedRowFailures, ARefusedEditOfAStoredEventKeepsTheOldRows)
{
    EventAssertion event(db());
    event.LoadLinked();
    event.Links().Append(NewLink(db(), AssertionEvent, AddPerson(db(), 1, "Bo", "Ek")));
    Fill(event, "Oslo", "Oslo", "a note");
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return event.Save(); }));
    const std::int32_t id = event.Id();
    const StoredEvent before = Stored(id);

    EventAssertion edit(db());
    edit.ReadAndLoad(id);
    edit.Place()->ClearParts();
    std::strcpy(edit.Address()->row.city, "Bergen");
    edit.Note()->SetText(std::string(300, 'n').c_str());
    // The emptied place is deleted first of the owned rows.
    SaveRefused(edit, [&] { return edit.Place()->Id() == 0; }, GetParam() != TablePlace2);
    Reopen();
    EXPECT_EQ(Stored(id), before);
}

TEST_P(OwnedRowFailures, ARefusedEventDeleteKeepsEverything)
{
    EventAssertion event(db());
    event.LoadLinked();
    event.Links().Append(NewLink(db(), AssertionEvent, AddPerson(db(), 1, "Bo", "Ek")));
    Fill(event, "Oslo", "Oslo", "a note");
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return event.Save(); }));
    const std::int32_t id = event.Id();
    const StoredEvent before = Stored(id);

    EventAssertion stored(id, db());
    {
        MissingTable missing(db(), GetParam());
        EXPECT_FALSE(RunWriteTransaction(db(), [&] { return stored.Delete(); }));
    }
    Reopen();
    EXPECT_EQ(Stored(id), before);
}

INSTANTIATE_TEST_SUITE_P(EachOwnedTable, OwnedRowFailures,
                         ::testing::Values(TablePlace2, TableAddress, TableNote),
                         [](const ::testing::TestParamInfo<TableNumber>& info) {
                             return std::string(EngineTableName(info.param));
                         });

TEST_F(AssertionTest, ARefusedAttributeDeleteAfterItsChainsKeepsThem)
{
    AttributeAssertion attribute(db());
    attribute.LoadLinked();
    attribute.ValueText()->SetText("smith");
    attribute.Note()->SetText("note");
    attribute.Place()->Parse("Oslo");
    std::strcpy(attribute.Address()->row.city, "Oslo");
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return attribute.Save(); }));
    const int notes = CountRows(db(), TableNote);
    ASSERT_EQ(notes, 2);

    // Place and both chains go before the address meets the refusal.
    AttributeAssertion stored(attribute.Id(), db());
    {
        MissingTable missing(db(), TableAddress);
        EXPECT_FALSE(RunWriteTransaction(db(), [&] { return stored.Delete(); }));
    }
    Reopen();
    EXPECT_TRUE(RowExists(db(), TableAttribute2, attribute.Id()));
    EXPECT_EQ(CountRows(db(), TableNote), notes);
    EXPECT_EQ(CountRows(db(), TablePlace2), 1);
    EXPECT_EQ(CountRows(db(), TableAddress), 1);
}

TEST_F(AssertionTest, ARoleWhoseNoteIsRefusedAnswersTheEngineAndIsNotStored)
{
    RoleRecord role(db());
    role.SetName("Informant");
    role.LoadNote();
    role.Note()->SetText("note");
    {
        MissingTable missing(db(), TableNote);
        std::int32_t error = 0;
        EXPECT_FALSE(RunWriteTransaction(db(), [&] {
            const bool saved = role.Save();
            error = db().LastError();
            return saved;
        }));
        EXPECT_NE(error, 0);
    }
    Reopen();
    EXPECT_EQ(CountRows(db(), TableRole), 0);

    RoleRecord stored(db());
    stored.SetName("Informant");
    stored.LoadNote();
    stored.Note()->SetText("note");
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return stored.Save(); }));
    {
        MissingTable missing(db(), TableNote);
        EXPECT_FALSE(RunWriteTransaction(db(), [&] { return DeleteRole(stored.Id(), db()) == RoleDeletion::Deleted; }));
    }
    Reopen();
    EXPECT_TRUE(RowExists(db(), TableRole, stored.Id()));
    EXPECT_EQ(CountRows(db(), TableNote), 1);
}

} // namespace
