// The bytes of the database file: a new file, the header checks, the conversion of older versions, where
// records and descriptors lie, and the free-block chain.
#include "engine/tests/test_support.h"
#include "engine/tolvane.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace tolvane_test;

namespace {

constexpr std::size_t Block = 8192;

std::vector<std::uint8_t> BlockOf(const std::vector<std::uint8_t>& file, std::int32_t n)
{
    return std::vector<std::uint8_t>(file.begin() + n * Block, file.begin() + (n + 1) * Block);
}

void PutLittle16(std::vector<std::uint8_t>& bytes, std::size_t offset, int value)
{
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

} // namespace

TEST(DatabaseFileFormat, NewFileIsHeaderAndEmptyGroupBlock)
{
    ScratchFile file("new.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    tlvCloseDatabase(db);

    std::vector<std::uint8_t> bytes = ReadWholeFile(file.Path());
    ASSERT_EQ(bytes.size(), 16384u);
    EXPECT_EQ(std::memcmp(bytes.data(), "VDBASE\0\0", 8), 0);
    EXPECT_EQ(LittleI16(bytes, 8), 220);
    EXPECT_EQ(LittleI16(bytes, 10), 2); // block count
    for (std::size_t i = 12; i < bytes.size(); ++i)
        ASSERT_EQ(bytes[i], 0) << "at byte " << i;
}

TEST(DatabaseFileFormat, CreateReplacesAnExistingFile)
{
    ScratchFile file("replace.vdb");
    WriteWholeFile(file.Path(), std::vector<std::uint8_t>(50000, 0xAB));
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    tlvCloseDatabase(db);
    EXPECT_EQ(ReadWholeFile(file.Path()).size(), 16384u);
}

TEST(DatabaseFileFormat, HeaderChecksOfOpen)
{
    ScratchFile file("checks.vdb");
    tlvCloseDatabase(tlvCreateDatabaseEx(file.c_str(), 0));
    const std::vector<std::uint8_t> good = ReadWholeFile(file.Path());

    struct Case {
        const char* what;
        int version;
        const char* magic;
        bool opens;
    };
    const Case cases[] = {
        {"current version", 220, "VDBASE", true}, {"oldest version", 200, "VDBASE", true},
        {"too old", 199, "VDBASE", false},        {"too new", 221, "VDBASE", false},
        {"other magic", 220, "VDBASF", false},    {"magic not ended by NUL", 220, "VDBASEX", false},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = good;
        std::memcpy(bytes.data(), c.magic, std::strlen(c.magic));
        PutLittle16(bytes, 8, c.version);
        WriteWholeFile(file.Path(), bytes);
        DatabaseFile* db = tlvOpenDatabaseEx(file.c_str(), 0);
        EXPECT_EQ(db != nullptr, c.opens) << c.what;
        tlvCloseDatabase(db);
    }
}

TEST(DatabaseFileFormat, OpenFailsOnMissingAndShortFiles)
{
    ScratchFile file("short.vdb");
    EXPECT_EQ(tlvOpenDatabaseEx(file.c_str(), 0), nullptr);
    WriteWholeFile(file.Path(), {'V', 'D', 'B', 'A', 'S', 'E', 0, 0, 220, 0});
    EXPECT_EQ(tlvOpenDatabaseEx(file.c_str(), 0), nullptr);
    EXPECT_EQ(tlvOpenDatabaseEx(nullptr, 0), nullptr);
}

TEST(DatabaseFileFormat, FileShorterThanItsBlockCountIsRefusedAsDamaged)
{
    ScratchFile file("cut.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    std::int32_t table = AddTable(db, "PEOPLE", {Column(TLV_TEXT, 200)});
    {
        Transaction transaction(db);
        std::vector<char> record(200, 0);
        std::memcpy(record.data(), "person", 6);
        for (int i = 0; i < 200; ++i)
            ASSERT_EQ(tlvWriteRecord(table, tlvNewID(table, db), record.data(), db), 0);
    }
    tlvCloseDatabase(db);
    const std::vector<std::uint8_t> whole = ReadWholeFile(file.Path());
    const std::size_t blocks = static_cast<std::size_t>(LittleI16(whole, 10));
    ASSERT_GT(blocks, 4u);
    ASSERT_EQ(whole.size(), blocks * Block);

    struct Case {
        const char* what;
        std::size_t length;
        bool opens;
    };
    const Case cases[] = {
        {"whole", whole.size(), true},
        {"with bytes after the last block", whole.size() + 100, true},
        {"half", (blocks / 2) * Block, false},
        {"one block short", whole.size() - Block, false},
        {"one byte short", whole.size() - 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::uint8_t> bytes = whole;
        bytes.resize(c.length, 0);
        WriteWholeFile(file.Path(), bytes);
        DatabaseFile* opened = tlvOpenDatabaseEx(file.c_str(), 0);
        EXPECT_EQ(opened != nullptr, c.opens);
        if (opened != nullptr) {
            Transaction transaction(opened, TLV_READ);
            EXPECT_EQ(tlvNumberOfRecords(table, opened), 200);
        }
        tlvCloseDatabase(opened);
        // Refusing reads nothing into the file and writes nothing to it.
        EXPECT_EQ(ReadWholeFile(file.Path()), bytes);
    }
}

TEST(DatabaseFileFormat, FileCutWhileOpenFailsItsNextTransaction)
{
    ScratchFile file("cut_open.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    AddTable(db, "PEOPLE", {Column(TLV_TEXT, 200)});
    std::vector<std::uint8_t> bytes = ReadWholeFile(file.Path());
    bytes.resize(bytes.size() - Block);
    tlvCloseDatabase(db);
    db = tlvOpenDatabaseEx(file.c_str(), TLV_SHARED);
    ASSERT_NE(db, nullptr);
    WriteWholeFile(file.Path(), bytes);
    EXPECT_EQ(tlvStartTransaction(TLV_READWRITE, db), 16);
    EXPECT_EQ(tlvGetLastError(db), 16);
    tlvCloseDatabase(db);
    EXPECT_EQ(ReadWholeFile(file.Path()), bytes);
}

TEST(DatabaseFileFormat, OlderVersionConvertsOnFirstReadWriteTransaction)
{
    ScratchFile file("v210.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    std::int32_t table = AddTable(db, "PEOPLE", {Column(TLV_INT32, 1)});
    {
        Transaction t(db);
        std::int32_t id = tlvNewID(table, db);
        std::int32_t value = 77;
        tlvWriteRecord(table, id, &value, db);
    }
    tlvCloseDatabase(db);

    // Make it a version-210 file: the directory at offset 64, no free-block chain.
    std::vector<std::uint8_t> bytes = ReadWholeFile(file.Path());
    std::memmove(bytes.data() + 64, bytes.data() + 1024, 7168);
    std::memset(bytes.data() + 64 + 7168, 0, Block - 64 - 7168);
    PutLittle16(bytes, 8, 210);
    WriteWholeFile(file.Path(), bytes);

    db = tlvOpenDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    {
        Transaction t(db, TLV_READ);
        EXPECT_EQ(tlvGetTableID("people", db), table);
        std::int32_t value = 0;
        EXPECT_EQ(tlvReadRecord(table, 1, &value, db), 0);
        EXPECT_EQ(value, 77);
    }
    std::vector<std::uint8_t> afterRead = ReadWholeFile(file.Path());
    EXPECT_TRUE(afterRead == bytes) << "a read-only transaction changes nothing";

    {
        Transaction t(db);
        EXPECT_EQ(tlvGetTableID("PEOPLE", db), table);
    }
    EXPECT_TRUE(EngineConsistent(db)) << "after the conversion";
    tlvCloseDatabase(db);
    std::vector<std::uint8_t> converted = ReadWholeFile(file.Path());
    EXPECT_EQ(LittleI16(converted, 8), 220);
    EXPECT_EQ(LittleI32(converted, 16), 0);
    EXPECT_EQ(std::memcmp(converted.data() + 1024, bytes.data() + 64, 7168), 0);
    EXPECT_EQ(LittleI32(converted, 64), 0) << "the old directory place is cleared";

    db = tlvOpenDatabaseEx(file.c_str(), 0);
    {
        Transaction t(db, TLV_READ);
        std::int32_t value = 0;
        EXPECT_EQ(tlvReadRecord(table, 1, &value, db), 0);
        EXPECT_EQ(value, 77);
    }
    tlvCloseDatabase(db);
}

TEST(DatabaseFileFormat, DescriptorAndRecordBytes)
{
    ScratchFile file("layout.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    // 850 bytes of data: record length 854, 9 records per block.
    std::int32_t table = AddTable(db, "WIDE", {Column(TLV_TEXT, 846), Column(TLV_INT32, 1, true)});
    ASSERT_EQ(table, 1);
    {
        Transaction t(db);
        std::vector<std::uint8_t> record(850, 0);
        std::memcpy(record.data(), "first", 5);
        record[846] = 5;
        std::int32_t id = tlvNewID(table, db);
        ASSERT_EQ(id, 1);
        ASSERT_EQ(tlvWriteRecord(table, id, record.data(), db), 0);
        EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));
    }
    tlvCloseDatabase(db);

    std::vector<std::uint8_t> bytes = ReadWholeFile(file.Path());
    std::int32_t directoryBlock = LittleI32(bytes, 1024);
    ASSERT_GE(directoryBlock, 2);
    std::vector<std::uint8_t> descriptor = BlockOf(bytes, directoryBlock);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(descriptor.data())), "WIDE");
    EXPECT_EQ(LittleI16(descriptor, 16), 854);
    EXPECT_EQ(LittleI16(descriptor, 18), 9);
    EXPECT_EQ(LittleI32(descriptor, 20), 1);  // highest id
    EXPECT_EQ(descriptor[576], 2);            // columns
    EXPECT_EQ(LittleI16(descriptor, 577), 1); // indexed columns
    EXPECT_EQ(descriptor[32 + 17 + 0], TLV_INT32);
    EXPECT_EQ(LittleI16(descriptor, 32 + 17 + 3), 846); // offset of the second column
    std::int32_t indexGroup = LittleI32(descriptor, 32 + 17 + 5);
    EXPECT_GT(indexGroup, 0);
    EXPECT_EQ(LittleI32(descriptor, 32 + 17 + 13), 1); // the index root is record 1

    std::int32_t group = LittleI32(descriptor, 28);
    std::int32_t pageMap = LittleI32(bytes, Block + 64 * group);
    ASSERT_GE(pageMap, 2);
    std::int32_t dataBlock = LittleI32(BlockOf(bytes, pageMap), 0);
    ASSERT_GE(dataBlock, 2);
    std::vector<std::uint8_t> data = BlockOf(bytes, dataBlock);
    EXPECT_EQ(LittleI32(data, 0), -1);
    EXPECT_EQ(std::memcmp(data.data() + 4, "first", 5), 0);
}

TEST(DatabaseFileFormat, RecordsPerBlockOfLargeRecords)
{
    ScratchFile file("big.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    std::int32_t table = AddTable(db, "HALF", {Column(TLV_BYTE, 4092)}); // record length 4096
    {
        Transaction t(db);
        for (int i = 0; i < 3; ++i)
            tlvNewID(table, db);
    }
    tlvCloseDatabase(db);
    std::vector<std::uint8_t> bytes = ReadWholeFile(file.Path());
    std::vector<std::uint8_t> descriptor = BlockOf(bytes, LittleI32(bytes, 1024));
    EXPECT_EQ(LittleI16(descriptor, 18), 2);
}

TEST(DatabaseFileFormat, FreedBlocksAreReusedFromTheChain)
{
    ScratchFile file("free.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    std::int32_t first = AddTable(db, "A", {Column(TLV_INT32, 1)});
    {
        Transaction t(db);
        tlvNewID(first, db);
    }
    {
        Transaction t(db);
        EXPECT_EQ(tlvDeleteTable(first, db), 0);
    }
    tlvCloseDatabase(db);
    std::vector<std::uint8_t> bytes = ReadWholeFile(file.Path());
    std::int32_t head = LittleI32(bytes, 16);
    ASSERT_GE(head, 2) << "the table's blocks went to the free chain";
    std::int32_t link = LittleI32(BlockOf(bytes, head), 0);
    std::int32_t blockCount = LittleI16(bytes, 10);

    db = tlvOpenDatabaseEx(file.c_str(), 0);
    std::int32_t second = AddTable(db, "B", {Column(TLV_INT32, 1)});
    EXPECT_EQ(second, first) << "the freed slot is used again";
    {
        Transaction t(db);
        tlvNewID(second, db);
        EXPECT_TRUE(EngineConsistent(db));
    }
    tlvCloseDatabase(db);
    bytes = ReadWholeFile(file.Path());
    // The data block came off the chain (the page map always takes a new block number).
    EXPECT_EQ(LittleI32(bytes, 16), link) << "the head advanced to the link the taken block held";
    EXPECT_EQ(LittleI16(bytes, 10), blockCount + 1);
    std::vector<std::uint8_t> taken = BlockOf(bytes, head);
    EXPECT_EQ(LittleI32(taken, 0), -1) << "record 1 lies at the start of the reused block";
    for (std::size_t i = 8; i < Block; ++i)
        ASSERT_EQ(taken[i], 0) << "the reused block was zero-filled, byte " << i;
}

TEST(DatabaseFileFormat, DroppingATableFreesEveryBlockOfItsGroups)
{
    ScratchFile file("gaps.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    std::int32_t table = AddTable(db, "GAPS", {Column(TLV_INT32, 1), Column(TLV_BYTE, 2000)});
    {
        Transaction t(db);
        for (int i = 0; i < 1300; ++i)
            tlvNewID(table, db);
        // The first 818 records go: their index nodes (two node blocks) are never made, so the index's
        // page map starts with empty entries.
        for (std::int32_t id = 1; id <= 818; ++id)
            tlvDeleteRecord(table, id, db);
        ASSERT_EQ(tlvAddIndex(table, 1, db), 0);
        EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced)) << "a new index is built by inserts";
    }
    {
        Transaction t(db);
        ASSERT_EQ(tlvDeleteTable(table, db), 0);
        EXPECT_TRUE(EngineConsistent(db));
    }
    tlvCloseDatabase(db);

    std::vector<std::uint8_t> bytes = ReadWholeFile(file.Path());
    std::int32_t blockCount = LittleI16(bytes, 10);
    int free = 0;
    for (std::int32_t n = LittleI32(bytes, 16); n != 0; n = LittleI32(bytes, static_cast<std::size_t>(n) * Block)) {
        ASSERT_LT(n, blockCount);
        ASSERT_LT(++free, blockCount);
    }
    // Everything but the header, the group block and the directory block is free again.
    EXPECT_EQ(free, blockCount - 3);
}

// A record is copied at its table's row length into a buffer the caller sized by the columns; a damaged
// descriptor whose row length or column offsets disagree with its columns must not decide that copy.
TEST(DatabaseFileFormat, DescriptorWhoseRowDisagreesWithItsColumnsIsRefused)
{
    struct Damage {
        const char* what;
        std::size_t offset;
        int value;
    };
    // Row of 4 + 12 bytes: record length 20 (with the slot word), 409 records a block.
    const Damage damages[] = {
        {"longer row", 16, 120},
        {"column moved", 32 + 17 + 3, 8},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        ScratchFile file("rowlength.vdb");
        DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
        std::int32_t table = AddTable(db, "ROWS", {Column(TLV_INT32, 1), Column(TLV_TEXT, 12)});
        ASSERT_EQ(table, 1);
        {
            Transaction t(db);
            std::uint8_t record[16] = {7, 0, 0, 0, 'a', 'b', 'c'};
            ASSERT_EQ(tlvNewID(table, db), 1);
            ASSERT_EQ(tlvWriteRecord(table, 1, record, db), 0);
        }
        tlvCloseDatabase(db);

        std::vector<std::uint8_t> bytes = ReadWholeFile(file.Path());
        std::size_t descriptor = static_cast<std::size_t>(LittleI32(bytes, 1024)) * Block;
        PutLittle16(bytes, descriptor + damage.offset, damage.value);
        if (damage.offset == 16)
            PutLittle16(bytes, descriptor + 18, static_cast<int>(Block / damage.value));
        WriteWholeFile(file.Path(), bytes);

        db = tlvOpenDatabaseEx(file.c_str(), 0);
        ASSERT_NE(db, nullptr);
        ASSERT_EQ(tlvStartTransaction(TLV_READ, db), 0);
        std::vector<std::uint8_t> exact(16); // sized by the columns, so an overrun shows under the sanitizer
        EXPECT_EQ(tlvReadRecord(table, 1, exact.data(), db), TLV_ERROR_IO);
        tlvEndTransaction(0, db);
        tlvCloseDatabase(db);
    }
}
