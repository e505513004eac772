#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "core/address_record.h"
#include "core/assertion_link.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "missing_table.h"
#include "tests/support/test_database.h"

namespace {

using test_support::TestDatabase;

class RecordTest : public testing::Test {
protected:
    TestDatabase db;
    EngineTransaction transaction{db.File(), TLV_READWRITE};
};

using AddressRecordTest = RecordTest;
using AssertionLinkTest = RecordTest;

TEST_F(AddressRecordTest, IsStoredAndReadBack)
{
    AddressRecord address(*db);
    std::strcpy(address.row.line1, "Storgata 1");
    std::strcpy(address.row.city, "Oslo");
    std::strcpy(address.row.fax, "555");
    ASSERT_TRUE(address.Save());
    ASSERT_NE(address.Id(), 0);
    AddressRecord read(address.Id(), *db);
    EXPECT_EQ(read.Id(), address.Id());
    EXPECT_STREQ(read.row.line1, "Storgata 1");
    EXPECT_STREQ(read.row.city, "Oslo");
    EXPECT_STREQ(read.row.fax, "555");
}

TEST_F(AddressRecordTest, AnEmptyAddressIsNotStoredAndAnEmptiedOneIsDeleted)
{
    AddressRecord empty(*db);
    EXPECT_TRUE(empty.Save());
    EXPECT_EQ(empty.Id(), 0);
    EXPECT_EQ(tlvNumberOfRecords(db.Table(TableAddress), db.File()), 0);

    AddressRecord address(*db);
    std::strcpy(address.row.phone, "123");
    ASSERT_TRUE(address.Save());
    const std::int32_t id = address.Id();
    ASSERT_NE(id, 0);
    address.row.phone[0] = '\0';
    ASSERT_TRUE(address.Save());
    EXPECT_EQ(address.Id(), 0);
    AddressRecord gone(*db);
    EXPECT_EQ(gone.Read(id), 0);
}

TEST_F(AddressRecordTest, AFaxAloneIsKept)
{
    AddressRecord address(*db);
    std::strcpy(address.row.fax, "+47 22 00 00 00");
    ASSERT_TRUE(address.Save());
    ASSERT_NE(address.Id(), 0);
    EXPECT_STREQ(AddressRecord(address.Id(), *db).row.fax, "+47 22 00 00 00");
}

TEST_F(AddressRecordTest, ReadingADeletedRowClearsTheObject)
{
    AddressRecord address(*db);
    std::strcpy(address.row.country, "Norway");
    ASSERT_TRUE(address.Save());
    const std::int32_t id = address.Id();
    EXPECT_TRUE(AddressRecord::DeleteById(id, *db));
    EXPECT_EQ(address.Read(id), 0);
    EXPECT_EQ(address.Id(), 0);
    EXPECT_STREQ(address.row.country, "");
}

TEST_F(AddressRecordTest, AnAddressWhoseRowWasDeletedMeanwhileIsStoredAgain)
{
    AddressRecord address(*db);
    std::strcpy(address.row.city, "Bergen");
    ASSERT_TRUE(address.Save());
    EXPECT_TRUE(AddressRecord::DeleteById(address.Id(), *db));
    std::strcpy(address.row.city, "Troms\xF8");
    ASSERT_TRUE(address.Save()); // the dead id cannot be written: the address is issued an id again
    ASSERT_NE(address.Id(), 0);
    EXPECT_STREQ(AddressRecord(address.Id(), *db).row.city, "Troms\xF8");
}

TEST_F(AddressRecordTest, ARowGoneAlreadyIsNoFailure)
{
    AddressRecord address(*db);
    std::strcpy(address.row.city, "Oslo");
    ASSERT_TRUE(address.Save());
    const std::int32_t id = address.Id();
    ASSERT_TRUE(AddressRecord::DeleteById(id, *db));
    EXPECT_TRUE(AddressRecord::DeleteById(id, *db));
    address.row.city[0] = '\0';
    EXPECT_TRUE(address.Save());
    EXPECT_EQ(address.Id(), 0);
}

TEST_F(AddressRecordTest, EngineRefusalsAreAnsweredAndKeepTheAddress)
{
    AddressRecord stored(*db);
    std::strcpy(stored.row.city, "Oslo");
    ASSERT_TRUE(stored.Save());
    const std::int32_t id = stored.Id();
    {
        MissingTable missing(*db, TableAddress);
        std::strcpy(stored.row.city, "Bergen");
        EXPECT_FALSE(stored.Save());
        EXPECT_EQ(stored.Id(), id);
        stored.row.city[0] = '\0';
        EXPECT_FALSE(stored.Save()); // the emptied address cannot be deleted
        EXPECT_EQ(stored.Id(), id);
        EXPECT_FALSE(AddressRecord::DeleteById(id, *db));

        AddressRecord fresh(*db);
        std::strcpy(fresh.row.phone, "123");
        EXPECT_FALSE(fresh.Save());
        EXPECT_EQ(fresh.Id(), 0);
    }
    EXPECT_STREQ(AddressRecord(id, *db).row.city, "Oslo");
}

TEST_F(AssertionLinkTest, ANewLinkStoresOrder9999)
{
    AssertionLink link(*db);
    link.row.kind = AssertionEvent;
    link.row.assertionId = 12;
    link.row.personId = 3;
    ASSERT_TRUE(link.Save());
    AssertionLink read(link.Id(), *db);
    EXPECT_EQ(+read.row.order, 9999);
    EXPECT_EQ(+read.row.kind, AssertionEvent);
    EXPECT_EQ(+read.row.assertionId, 12);
    EXPECT_EQ(+read.row.personId, 3);
    EXPECT_EQ(+read.row.roleId, 0);
}

TEST_F(AssertionLinkTest, APersonsLinksAreFoundInTheOrderTheyWereLastWritten)
{
    std::vector<std::int32_t> ids;
    for (int assertion = 1; assertion <= 3; ++assertion) {
        AssertionLink link(*db);
        link.row.kind = AssertionAttribute;
        link.row.assertionId = assertion;
        link.row.personId = assertion == 2 ? 8 : 5;
        ASSERT_TRUE(link.Save());
        ids.push_back(link.Id());
    }
    AssertionLink first(ids[0], *db);
    first.row.order = 2;
    ASSERT_EQ(first.Write(), 0); // rewritten: now the last of person 5's links

    std::int32_t person = 5;
    RecordCollection* links = tlvFindAll(db.Table(TableAssertionLink), AssertionLinkPersonColumn, &person, db.File());
    ASSERT_NE(links, nullptr);
    std::vector<std::int32_t> found;
    for (std::int32_t id = tlvGetFirstCollRecord(links); id != 0; id = tlvGetNextCollRecord(links))
        found.push_back(id);
    tlvDeleteColl(links);
    EXPECT_EQ(found, (std::vector<std::int32_t>{ids[2], ids[0]}));
}

TEST_F(AssertionLinkTest, AFailedReadKeepsTheIdAndAnswersTheEngine)
{
    AssertionLink link(*db);
    link.row.kind = AssertionName;
    ASSERT_TRUE(link.Save());
    const std::int32_t id = link.Id();
    EXPECT_TRUE(AssertionLink::DeleteById(id, *db));
    AssertionLink read(*db);
    EXPECT_EQ(read.ReadAll(id), TLV_ERROR_RECORD);
    EXPECT_EQ(read.Id(), id);
    EXPECT_FALSE(link.Delete());
    EXPECT_EQ(db->LastError(), TLV_ERROR_RECORD);
}

} // namespace
