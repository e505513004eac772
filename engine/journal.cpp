#include "engine/journal.h"
#include "engine/tolvane.h"

#include "engine/format.h"
#include "platform/file.h"

#include <cstring>
#include <memory>
#include <new>

namespace tolvane {

namespace {

constexpr char JournalMagic[8] = {'T', 'L', 'V', 'J', 'R', 'N', 'L', '\0'};
constexpr int HeaderSize = 32;
constexpr int EntrySize = 4 + BlockSize;
constexpr int EntriesPerWrite = 32;

namespace field {
constexpr int Count = 8;
constexpr int DatabaseLength = 12;
constexpr int Checksum = 20;
} // namespace field

// FNV-1a over 32-bit words; any change of a torn or partial journal shows.
class Checksum {
public:
    void Add(const std::uint8_t* bytes, std::size_t length)
    {
        std::size_t i = 0;
        for (; i + 4 <= length; i += 4)
            Mix(GetU32(bytes + i));
        for (; i < length; ++i)
            Mix(bytes[i]);
    }
    std::uint32_t Value() const { return hash_; }

private:
    void Mix(std::uint32_t word) { hash_ = (hash_ ^ word) * 16777619u; }
    std::uint32_t hash_ = 2166136261u;
};

void AddHeaderFields(Checksum& sum, const std::uint8_t* header)
{
    sum.Add(header + field::Count, 12);
}

} // namespace

std::string JournalPath(const std::string& databasePath)
{
    return databasePath + TLV_JOURNAL_SUFFIX;
}

bool WriteJournal(const std::string& journalPath, platform::File& database, const std::vector<std::int32_t>& blocks)
{
    std::int64_t databaseLength = database.Size();
    if (databaseLength < 0)
        return false;
    platform::File journal = platform::File::Open(
        journalPath, {platform::FileAccess::ReadWrite, platform::FileShare::None, platform::FileDisposition::CreateAlways});
    if (!journal.IsOpen())
        return false;

    std::uint8_t header[HeaderSize] = {};
    std::memcpy(header, JournalMagic, sizeof JournalMagic);
    PutU64(header + field::DatabaseLength, static_cast<std::uint64_t>(databaseLength));
    Checksum sum;

    auto batch = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(EntriesPerWrite) * EntrySize);
    std::uint32_t count = 0;
    int inBatch = 0;
    std::uint64_t offset = HeaderSize;
    auto writeBatch = [&] {
        std::size_t bytes = static_cast<std::size_t>(inBatch) * EntrySize;
        sum.Add(batch.get(), bytes);
        bool written = journal.WriteAt(offset, batch.get(), bytes);
        offset += bytes;
        inBatch = 0;
        return written;
    };
    for (std::int32_t n : blocks) {
        std::uint64_t blockOffset = static_cast<std::uint64_t>(n) * BlockSize;
        // Blocks past the old end need no old contents: the rollback cuts the file back to its old length.
        if (blockOffset + BlockSize > static_cast<std::uint64_t>(databaseLength))
            continue;
        std::uint8_t* entry = batch.get() + static_cast<std::size_t>(inBatch) * EntrySize;
        PutI32(entry, n);
        if (database.ReadAt(blockOffset, entry + 4, BlockSize) != BlockSize)
            return false;
        ++count;
        if (++inBatch == EntriesPerWrite && !writeBatch())
            return false;
    }
    if (inBatch > 0 && !writeBatch())
        return false;

    PutU32(header + field::Count, count);
    Checksum headerSum;
    AddHeaderFields(headerSum, header);
    PutU32(header + field::Checksum, headerSum.Value() ^ sum.Value());
    return journal.WriteAt(0, header, HeaderSize) && journal.Flush() && platform::FlushFolderOf(journalPath);
}

namespace {

// Visits the entries of a journal in batches; false when a read fails or `visit` answers false.
template <typename Visit> bool ForEachBatch(platform::File& journal, std::uint32_t count, Visit visit)
{
    auto batch = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(EntriesPerWrite) * EntrySize);
    for (std::uint32_t first = 0; first < count; first += EntriesPerWrite) {
        std::uint32_t inBatch = count - first < EntriesPerWrite ? count - first : EntriesPerWrite;
        std::size_t bytes = static_cast<std::size_t>(inBatch) * EntrySize;
        if (journal.ReadAt(HeaderSize + static_cast<std::uint64_t>(first) * EntrySize, batch.get(), bytes)
                != static_cast<std::int64_t>(bytes)
            || !visit(batch.get(), inBatch))
            return false;
    }
    return true;
}

// Checks that the journal is complete: its length and checksum agree with its header.
bool IsComplete(platform::File& journal, std::uint64_t& databaseLength, std::uint32_t& count)
{
    std::int64_t length = journal.Size();
    std::uint8_t header[HeaderSize];
    if (length < HeaderSize || journal.ReadAt(0, header, HeaderSize) != HeaderSize
        || std::memcmp(header, JournalMagic, sizeof JournalMagic) != 0)
        return false;
    count = GetU32(header + field::Count);
    if (count > static_cast<std::uint32_t>(MaxBlocks)
        || static_cast<std::uint64_t>(length) != HeaderSize + static_cast<std::uint64_t>(count) * EntrySize)
        return false;
    Checksum sum;
    if (!ForEachBatch(journal, count, [&](const std::uint8_t* entries, std::uint32_t n) {
            sum.Add(entries, static_cast<std::size_t>(n) * EntrySize);
            return true;
        }))
        return false;
    Checksum headerSum;
    AddHeaderFields(headerSum, header);
    databaseLength = GetU64(header + field::DatabaseLength);
    return (headerSum.Value() ^ sum.Value()) == GetU32(header + field::Checksum);
}

} // namespace

RollbackResult RollBack(const std::string& journalPath, platform::File& database)
{
    if (!platform::FileExists(journalPath))
        return RollbackResult::NoJournal;
    try {
        std::uint64_t databaseLength = 0;
        std::uint32_t count = 0;
        bool restored = false;
        {
            platform::File journal
                = platform::File::Open(journalPath, {platform::FileAccess::Read, platform::FileShare::None});
            if (!journal.IsOpen())
                return RollbackResult::Failed;
            if (!IsComplete(journal, databaseLength, count)) {
                journal.Close(); // Windows deletes no open file
                return platform::RemoveFile(journalPath) ? RollbackResult::Discarded : RollbackResult::Failed;
            }
            restored = ForEachBatch(journal, count, [&](const std::uint8_t* entries, std::uint32_t n) {
                for (std::uint32_t i = 0; i < n; ++i) {
                    const std::uint8_t* entry = entries + static_cast<std::size_t>(i) * EntrySize;
                    std::int32_t block = GetI32(entry);
                    if (block >= 0 && block < MaxBlocks
                        && !database.WriteAt(static_cast<std::uint64_t>(block) * BlockSize, entry + 4, BlockSize))
                        return false;
                }
                return true;
            });
        }
        if (!restored || !database.Truncate(databaseLength) || !database.Flush() || !platform::RemoveFile(journalPath))
            return RollbackResult::Failed;
        return RollbackResult::RolledBack;
    } catch (const std::bad_alloc&) {
        return RollbackResult::Failed;
    }
}

} // namespace tolvane
