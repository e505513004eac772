// The participants' change notices of an editor's save: gathered while the save runs and posted only once
// it is committed; nothing is posted for a save that is discarded. The sink asks whether the save's
// transaction has ended and the link reads back in a transaction of its own: between transactions the
// database's handle holds exactly what was committed (a discard reads the changed blocks back).
#include "persons/assertion_links.h"

#include <gtest/gtest.h>

#include <vector>

#include "persons/event_assertion.h"
#include "persons/tests/assertion_test_support.h"
#include "core/write_transaction.h"

namespace {

using namespace assertion_test;

class CommittedLinkSink : public NoticeSink {
public:
    explicit CommittedLinkSink(DatabaseFile* file) : file_(file) {}
    void Post(Notice notice, std::uint32_t wParam, std::int32_t lParam) override
    {
        posted.push_back({notice, wParam, lParam, LinkCommitted(lParam)});
    }
    struct Posted {
        Notice notice;
        std::uint32_t person;
        std::int32_t link;
        bool committed;
    };
    std::vector<Posted> posted;

private:
    bool LinkCommitted(std::int32_t link) const
    {
        // Outside a transaction the engine refuses to count records, with error 10.
        if (tlvNumberOfRecords(1, file_) >= 0 || tlvGetLastError(file_) != 10)
            return false;
        bool found = false;
        if (tlvStartTransaction(TLV_READ, file_) == 0) {
            unsigned char row[17];
            found = tlvReadRecord(tlvGetTableID("ASSERTIONLINK", file_) & 0xFFFF, link, row, file_) == 0;
            tlvEndTransaction(0, file_);
        }
        return found;
    }
    DatabaseFile* file_;
};

class LinkNotices : public AssertionTest {
protected:
    void SetUp() override
    {
        stays = AddPerson(db(), 1, "Bo", "Ek");
        leaves = AddPerson(db(), 2, "Eva", "Ek");
        joins = AddPerson(db(), 1, "Ola", "Dahl");
        EventAssertion event(db());
        event.LoadLinked();
        event.Links().Append(NewLink(db(), AssertionEvent, stays));
        event.Links().Append(NewLink(db(), AssertionEvent, leaves));
        ASSERT_TRUE(RunWriteTransaction(db(), [&] { return event.Save(); }));
        id = event.Id();
    }
    // The editor's save: the stored event with one participant removed and one added.
    bool EditorSave(EventAssertion& event, PendingNotices& notices, NoticeSink& sink)
    {
        event.ReadAndLoad(id);
        event.Links().SetMark(1, 1);
        event.Links().Append(NewLink(db(), AssertionEvent, joins));
        return RunWriteTransaction(
            db(), [&] { return GatherLinkNotices(event.Links(), db(), notices) && event.Save(); }, &notices, &sink);
    }

    std::int32_t id = 0, stays = 0, leaves = 0, joins = 0;
};

TEST_F(LinkNotices, PostedAfterTheCommitInListOrder)
{
    CommittedLinkSink sink(db().file);
    PendingNotices notices;
    EventAssertion event(db());
    const std::int32_t removedLink = [&] {
        EventAssertion stored(db());
        stored.ReadAndLoad(id);
        return stored.Links()[1].Id();
    }();
    ASSERT_TRUE(EditorSave(event, notices, sink));
    ASSERT_EQ(sink.posted.size(), 3u);
    EXPECT_EQ(sink.posted[0].notice, NoticeAssertionLinkChanged);
    EXPECT_EQ(sink.posted[0].person, static_cast<std::uint32_t>(stays));
    EXPECT_TRUE(sink.posted[0].committed);
    EXPECT_EQ(sink.posted[1].notice, NoticeAssertionLinkRemoved);
    EXPECT_EQ(sink.posted[1].person, static_cast<std::uint32_t>(leaves));
    EXPECT_EQ(sink.posted[1].link, removedLink);
    EXPECT_EQ(sink.posted[2].notice, NoticeAssertionLinkAdded);
    EXPECT_EQ(sink.posted[2].person, static_cast<std::uint32_t>(joins));
    EXPECT_EQ(sink.posted[2].link, event.Links()[2].Id());
    EXPECT_TRUE(sink.posted[2].committed) << "the added link is stored by the time its notice is posted";
    EXPECT_TRUE(notices.Empty());
}

TEST_F(LinkNotices, NothingIsPostedForADiscardedSave)
{
    CommittedLinkSink sink(db().file);
    PendingNotices notices;
    EventAssertion event(db());
    const std::int32_t noteTable = db().tableIds[TableNote];
    db().tableIds[TableNote] = 0x7FFF;
    event.ReadAndLoad(id);
    event.Note()->SetText("cannot be written");
    event.Links().Append(NewLink(db(), AssertionEvent, joins));
    EXPECT_FALSE(RunWriteTransaction(
        db(), [&] { return GatherLinkNotices(event.Links(), db(), notices) && event.Save(); }, &notices, &sink));
    db().tableIds[TableNote] = noteTable;
    EXPECT_TRUE(sink.posted.empty());
    EXPECT_TRUE(notices.Empty());
    EXPECT_EQ(CountRows(db(), TableAssertionLink), 2);
}

} // namespace
