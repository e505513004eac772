#include "engine/journal.h"
#include "engine/tolvane.h"

#include "engine/format.h"

#include <chrono>
#include <cstring>
#include <memory>
#include <new>

namespace tolvane {

namespace {

constexpr char JournalMagic[8] = {'T', 'L', 'V', 'J', 'R', 'N', 'L', '\0'};
constexpr int HeaderSize = 32;
constexpr int EntryHead = 8;
constexpr int EntrySize = EntryHead + BlockSize;
constexpr int EntriesPerWrite = 32;
// Journals up to this length are cleared and written over; longer ones are deleted, not to hold the disk
// space of a large transaction for the rest of the handle's life.
constexpr std::uint64_t LongestKeptJournal = 1u << 20;

namespace field {
constexpr int Salt = 8;
constexpr int DatabaseLength = 12;
constexpr int Checksum = 20;
constexpr int EntryChecksum = 4;
} // namespace field

// FNV-1a over 32-bit words; any change of a torn or partial entry shows.
class Checksum {
public:
    explicit Checksum(std::uint32_t salt) { Mix(salt); }
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

std::uint32_t HeaderChecksum(const std::uint8_t* header)
{
    Checksum sum(GetU32(header + field::Salt));
    sum.Add(header + field::DatabaseLength, 8);
    return sum.Value();
}

// The checksum of an entry: its block number and bytes, under the journal's salt.
std::uint32_t EntryChecksum(std::uint32_t salt, const std::uint8_t* entry)
{
    Checksum sum(salt);
    sum.Add(entry, 4);
    sum.Add(entry + EntryHead, BlockSize);
    return sum.Value();
}

std::uint32_t NewSalt()
{
    static std::uint32_t counter = 0;
    auto ticks = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                 static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    std::uint32_t salt = static_cast<std::uint32_t>(ticks ^ (ticks >> 32)) + 0x9E3779B9u * ++counter;
    return salt == 0 ? 1 : salt;
}

} // namespace

std::string JournalPath(const std::string& databasePath)
{
    return databasePath + TLV_JOURNAL_SUFFIX;
}

bool Journal::Begin(const std::string& journalPath, platform::File& database)
{
    bool reuse = cleared_ && journalPath == path_;
    Close();
    std::int64_t databaseLength = database.Size();
    if (databaseLength < 0)
        return false;
    if (reuse) {
        // The cleared header must be durable before anything of the new journal can reach the disk.
        file_ = platform::File::Open(journalPath, {platform::FileAccess::ReadWrite, platform::FileShare::None});
        if (file_.IsOpen() && !TimedFlush(false)) {
            Close();
            return false;
        }
    }
    // Its entry in the folder was made durable when it was created.
    folderFlushed_ = file_.IsOpen();
    if (!file_.IsOpen())
        file_ = platform::File::Open(journalPath, {platform::FileAccess::ReadWrite, platform::FileShare::None,
                                                   platform::FileDisposition::CreateAlways});
    cleared_ = false;
    if (!file_.IsOpen())
        return false;
    path_ = journalPath;
    salt_ = NewSalt();
    databaseLength_ = static_cast<std::uint64_t>(databaseLength);
    std::uint8_t header[HeaderSize] = {};
    std::memcpy(header, JournalMagic, sizeof JournalMagic);
    PutU32(header + field::Salt, salt_);
    PutU64(header + field::DatabaseLength, databaseLength_);
    PutU32(header + field::Checksum, HeaderChecksum(header));
    end_ = HeaderSize;
    entries_ = 0;
    unflushed_ = true;
    journaled_.assign(static_cast<std::size_t>(MaxBlocks), false);
    costs_.bytes += HeaderSize;
    if (!file_.WriteAt(0, header, HeaderSize)) {
        Close();
        return false;
    }
    return true;
}

bool Journal::Covers(std::int32_t n) const
{
    return n < 0 || n >= MaxBlocks || journaled_[static_cast<std::size_t>(n)] ||
           static_cast<std::uint64_t>(n) * BlockSize + BlockSize > databaseLength_;
}

bool Journal::Add(platform::File& database, const std::vector<std::int32_t>& blocks, const BlockCopies* copies)
{
    auto batch = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(EntriesPerWrite) * EntrySize);
    int inBatch = 0;
    auto writeBatch = [&] {
        std::size_t bytes = static_cast<std::size_t>(inBatch) * EntrySize;
        costs_.bytes += static_cast<std::int64_t>(bytes);
        bool written = file_.WriteAt(end_, batch.get(), bytes);
        end_ += bytes;
        inBatch = 0;
        unflushed_ = true;
        return written;
    };
    for (std::int32_t n : blocks) {
        if (Covers(n))
            continue;
        std::uint8_t* entry = batch.get() + static_cast<std::size_t>(inBatch) * EntrySize;
        PutI32(entry, n);
        if (const std::uint8_t* copy = copies ? copies->Find(n) : nullptr)
            std::memcpy(entry + EntryHead, copy, BlockSize);
        else if (database.ReadAt(static_cast<std::uint64_t>(n) * BlockSize, entry + EntryHead, BlockSize) != BlockSize)
            return false;
        PutU32(entry + field::EntryChecksum, EntryChecksum(salt_, entry));
        journaled_[static_cast<std::size_t>(n)] = true;
        ++entries_;
        ++costs_.entries;
        if (++inBatch == EntriesPerWrite && !writeBatch())
            return false;
    }
    return inBatch == 0 || writeBatch();
}

bool Journal::Flush()
{
    if (!unflushed_)
        return true;
    if (!TimedFlush(!folderFlushed_))
        return false;
    folderFlushed_ = true;
    unflushed_ = false;
    return true;
}

bool Journal::TimedFlush(bool withFolder)
{
    auto start = std::chrono::steady_clock::now();
    bool flushed = file_.Flush();
    ++costs_.fileFlushes;
    if (flushed && withFolder) {
        flushed = platform::FlushFolderOf(path_);
        ++costs_.folderFlushes;
    }
    costs_.flushSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return flushed;
}

bool Journal::End(bool mayKeep)
{
    if (mayKeep && end_ <= LongestKeptJournal) {
        // Zeros where the header was: no journal that any start would play back. They become durable at the
        // next Begin, or the file goes with the handle; until then a crash may still find the whole journal
        // and undo this transaction, as it may find a deleted one.
        const std::uint8_t zeros[HeaderSize] = {};
        bool written = file_.WriteAt(0, zeros, HeaderSize);
        Close();
        cleared_ = written;
        return written;
    }
    Close();
    return platform::RemoveFile(path_);
}

void Journal::Close()
{
    file_.Close();
    journaled_.clear();
    journaled_.shrink_to_fit();
    entries_ = 0;
}

void Journal::RemoveCleared()
{
    if (cleared_)
        platform::RemoveFile(path_);
    cleared_ = false;
}

RollbackResult RollBack(const std::string& journalPath, platform::File& database)
{
    if (!platform::FileExists(journalPath))
        return RollbackResult::NoJournal;
    try {
        std::uint64_t databaseLength = 0;
        bool restored = true;
        {
            platform::File journal
                = platform::File::Open(journalPath, {platform::FileAccess::Read, platform::FileShare::None});
            if (!journal.IsOpen())
                return RollbackResult::Failed;
            std::int64_t length = journal.Size();
            std::uint8_t header[HeaderSize];
            if (length < HeaderSize || journal.ReadAt(0, header, HeaderSize) != HeaderSize
                || std::memcmp(header, JournalMagic, sizeof JournalMagic) != 0
                || HeaderChecksum(header) != GetU32(header + field::Checksum)) {
                journal.Close(); // Windows deletes no open file
                return platform::RemoveFile(journalPath) ? RollbackResult::Discarded : RollbackResult::Failed;
            }
            std::uint32_t salt = GetU32(header + field::Salt);
            databaseLength = GetU64(header + field::DatabaseLength);
            // Entries are put back in order up to the first that does not check: it and every later one were
            // never flushed, so their blocks were never written either.
            auto batch = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(EntriesPerWrite) * EntrySize);
            // A block's first entry holds its contents before the transaction; a later one would not.
            std::vector<bool> restoredBlock(static_cast<std::size_t>(MaxBlocks), false);
            for (std::uint64_t offset = HeaderSize; restored;) {
                std::int64_t read = journal.ReadAt(offset, batch.get(), static_cast<std::size_t>(EntriesPerWrite) * EntrySize);
                if (read < 0) {
                    restored = false;
                    break;
                }
                std::int64_t whole = read / EntrySize;
                bool valid = true;
                for (std::int64_t i = 0; i < whole && valid && restored; ++i) {
                    const std::uint8_t* entry = batch.get() + static_cast<std::size_t>(i) * EntrySize;
                    std::int32_t block = GetI32(entry);
                    valid = block >= 0 && block < MaxBlocks && EntryChecksum(salt, entry) == GetU32(entry + field::EntryChecksum);
                    if (valid && !restoredBlock[static_cast<std::size_t>(block)]) {
                        restoredBlock[static_cast<std::size_t>(block)] = true;
                        restored = database.WriteAt(static_cast<std::uint64_t>(block) * BlockSize, entry + EntryHead, BlockSize);
                    }
                }
                if (!valid || whole < EntriesPerWrite)
                    break;
                offset += static_cast<std::uint64_t>(whole) * EntrySize;
            }
        }
        if (!restored || !database.Truncate(databaseLength) || !database.Flush() || !platform::RemoveFile(journalPath))
            return RollbackResult::Failed;
        return RollbackResult::RolledBack;
    } catch (const std::bad_alloc&) {
        return RollbackResult::Failed;
    }
}

} // namespace tolvane
