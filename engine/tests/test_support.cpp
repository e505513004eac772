#include "engine/tests/test_support.h"

#ifdef TOLVANE_WHITE_BOX
#include "engine/database_file.h"
#include "engine/index_tree.h"
#endif

#include <atomic>
#include <random>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tolvane_test {

namespace {

std::filesystem::path ScratchFolder()
{
    static const std::filesystem::path folder = [] {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() /
            ("tolvane-tests-" + std::to_string(static_cast<unsigned long>(std::random_device{}())));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

} // namespace

ScratchFile::ScratchFile(const std::string& name)
{
    static std::atomic<int> counter{0};
    path_ = (ScratchFolder() / (std::to_string(++counter) + "-" + name)).string();
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
    std::filesystem::remove(path_ + "-journal", ignored);
}

ScratchFile::~ScratchFile()
{
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
    std::filesystem::remove(path_ + "-journal", ignored);
    std::filesystem::remove(path_ + "-lock", ignored);
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

ColumnDefinition Column(std::uint8_t type, std::uint16_t count, bool indexed)
{
    return ColumnDefinition{type, 0, count, indexed ? 1 : 0, 0};
}

std::int32_t AddTable(DatabaseFile* db, const char* name, std::vector<ColumnDefinition> columns)
{
    Transaction transaction(db);
    TableDefinition definition{name, columns.data(), static_cast<std::uint8_t>(columns.size()), 0};
    return tlvAddTable(&definition, db);
}

Transaction::Transaction(DatabaseFile* db, std::uint32_t access) : db_(db)
{
    tlvStartTransaction(access, db_);
}

Transaction::~Transaction()
{
    if (!ended_)
        tlvEndTransaction(1, db_);
}

std::int32_t Transaction::Commit()
{
    ended_ = true;
    return tlvEndTransaction(1, db_);
}

std::int32_t Transaction::Discard()
{
    ended_ = true;
    return tlvEndTransaction(0, db_);
}

::testing::AssertionResult EngineConsistent(DatabaseFile* db, Indexes indexes)
{
#ifdef TOLVANE_WHITE_BOX
    if (db == nullptr)
        return ::testing::AssertionFailure() << "no database";
    tolvane::TreeCheck rules = indexes == Indexes::Balanced ? tolvane::TreeCheck::Balance : tolvane::TreeCheck::Order;
    std::string cache = db->CheckCache();
    if (!cache.empty())
        return ::testing::AssertionFailure() << "block cache: " << cache;
    bool own = !db->InTransaction();
    if (own && tlvStartTransaction(TLV_READ, db) != 0)
        return ::testing::AssertionFailure() << "no transaction to look at the indexes in";
    std::string index = db->CheckIndexes(rules);
    cache = db->CheckCache();
    if (own && tlvEndTransaction(1, db) == 0 && cache.empty())
        cache = db->CheckCache();
    if (!index.empty())
        return ::testing::AssertionFailure() << index;
    if (!cache.empty())
        return ::testing::AssertionFailure() << "block cache after the index walk: " << cache;
#else
    (void)db;
    (void)indexes;
#endif
    return ::testing::AssertionSuccess();
}

std::int32_t LittleI32(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return static_cast<std::int32_t>(bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
                                     (static_cast<std::uint32_t>(bytes[offset + 3]) << 24));
}

std::int32_t LittleI16(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return static_cast<std::int16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

} // namespace tolvane_test
