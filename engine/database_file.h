// The engine's handle of one database file: transactions, the header and page-map blocks, block and
// page-map group allocation, the catalogue of tables and the records. The file is open only while a
// transaction runs; in the default mode the handle keeps every other writer out for its whole life. Operations throw EngineError; the interface functions catch it (see Run).
#pragma once

#include "engine/block_cache.h"
#include "engine/descriptor.h"
#include "engine/errors.h"
#include "engine/journal.h"
#include "engine/tolvane.h"
#include "platform/file.h"
#include "platform/file_lock.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace tolvane {

enum class TreeCheck; // index_tree.h

// One table for the length of an operation: its id, its descriptor slot and its decoded descriptor.
struct Table {
    std::int32_t id = 0;
    std::int32_t slot = 0;
    TableDescriptor d;

    const ColumnDescriptor& Column(int column) const { return d.columns[column - 1]; }
    ColumnDescriptor& Column(int column) { return d.columns[column - 1]; }
};

// Where a record's slot lies: its data block and the byte offset of its slot word there.
struct RecordPlace {
    BlockRef block;
    int offset = 0;

    explicit operator bool() const { return static_cast<bool>(block); }
    std::int32_t SlotWord() const { return GetI32(block.Data() + offset); }
    const std::uint8_t* Data() const { return block.Data() + offset + SlotWordSize; }
};

// What a block holds, as far as the writes of commits are counted.
enum class BlockKind : std::uint8_t {
    Header,
    GroupTable,
    PageMap,
    Descriptor,
    Data,      // records, long texts among them
    IndexNode,
    Free,      // a link of the free-block chain
    Other,     // not located since the handle was opened
    Count,
};
const char* BlockKindName(BlockKind kind);

// Where the writes of a handle's commits and early writes went, summed since it was opened: for measuring.
struct WriteStatistics {
    static constexpr int Kinds = static_cast<int>(BlockKind::Count);
    std::int64_t commits = 0;           // commits that changed the file
    std::int64_t changed[Kinds] = {};   // blocks whose bytes changed, by kind
    std::int64_t unchanged = 0;         // blocks flagged changed that held what the file held: neither journaled nor written
    std::int64_t journaled[Kinds] = {}; // blocks given a journal entry (a block's first change in a transaction)
    std::int64_t pieces[Kinds] = {};    // pieces of WritePiece bytes written to the database file
    std::int64_t databaseBytes = 0;
    std::int64_t databaseFlushes = 0;
    double databaseFlushSeconds = 0;
    JournalCosts journal;
};

} // namespace tolvane

struct DatabaseFile {
public:
    static std::unique_ptr<DatabaseFile> Create(const std::string& path, std::uint32_t flags, std::int32_t& error);
    static std::unique_ptr<DatabaseFile> Open(const std::string& path, std::uint32_t flags, std::int32_t& error);
    ~DatabaseFile();
    DatabaseFile(const DatabaseFile&) = delete;
    DatabaseFile& operator=(const DatabaseFile&) = delete;

    std::int32_t LastError() const { return lastError_; }
    std::int32_t StartTransaction(std::uint32_t access);
    std::int32_t EndTransaction(std::int32_t commit);
    std::int32_t MemoryUsage() const { return cache_.LoadedCount() * (tolvane::BlockSize / 1024); }
    std::int32_t SetMemory(std::int32_t kilobytes);
    // How many more changed blocks a write transaction holds before it writes them early (see Spill); 0 for
    // the default, which grows with the memory limit. Without a limit nothing is written early.
    void SetSpillBatch(std::int32_t blocks) { spillBatch_ = blocks < 0 ? 0 : blocks; }
    std::int32_t SpillBatch() const { return spillBatch_; }
    // Changed blocks written early so far by this handle, and the early writes that did it.
    std::int64_t SpilledBlocks() const { return spilledBlocks_; }
    std::int32_t Spills() const { return spills_; }
    tolvane::WriteStatistics Statistics() const;

    // Runs one operation: sets the last error to 0, runs it, and on an EngineError records the code and
    // answers failure(code). A failure after the operation changed blocks leaves the transaction unable to
    // commit: its end then discards it and answers the code.
    template <typename Body, typename Failure> auto Run(Body&& body, Failure&& failure) -> decltype(body());

    // Catalogue (catalogue.cpp).
    std::int32_t AddTable(TableDefinition& definition);
    void DeleteTable(std::int32_t table);
    std::int32_t GetTableId(const char* name);
    void GetTable(std::int32_t table, TableDefinition& definition);
    void GetColumn(std::int32_t table, std::int32_t column, ColumnInfo& info);
    void AddIndex(std::int32_t table, std::int32_t column);
    void RemoveIndex(std::int32_t table, std::int32_t column);

    // Records (records.cpp).
    std::int32_t NewId(std::int32_t table);
    // The id read: `id` itself, or with skip the first live id from it on.
    std::int32_t ReadRecord(std::int32_t table, std::int32_t id, void* buffer, bool skip);
    void WriteRecord(std::int32_t table, std::int32_t id, const void* data);
    void DeleteRecord(std::int32_t table, std::int32_t id);
    std::int32_t NumberOfRecords(std::int32_t table);
    std::int32_t GetField(std::int32_t table, std::int32_t column, std::int32_t id, void* buffer, std::int32_t length);
    void SetField(std::int32_t table, std::int32_t column, std::int32_t id, const void* data, std::int32_t length);

    // Index walks and search (index_tree.cpp).
    std::int32_t FirstInIndex(std::int32_t table, std::int32_t column, bool last);
    std::int32_t NextInIndex(std::int32_t table, std::int32_t column, std::int32_t id, bool withDuplicates,
                             bool backwards);
    std::int32_t FindNextRecord(std::int32_t previous, std::int32_t table, std::int32_t column, const void* key);
    // Every record whose column holds `key`, in the order FindNextRecord gives them, handed to `take`: the
    // table is loaded once, and the cost is linear in the records met however the file is damaged.
    void FindEveryRecord(std::int32_t table, std::int32_t column, const void* key,
                         const std::function<void(std::int32_t)>& take);

    // Equality search: the table of a search, loaded once (`column` set to the column's number), and the
    // record after `previous` (0: the first) whose column holds `key`.
    tolvane::Table LoadForSearch(std::int32_t table, std::int32_t column, const void* key, int& columnNumber);
    std::int32_t NextEqualRecord(tolvane::Table& table, int column, const std::uint8_t* key,
                                 std::int32_t previous);

    // Pieces shared by the operations.
    // Fails outside a transaction, or with the error that broke this one. A record that tlvNewID issued and
    // that has not been written yet enters its indexes here (see NewId), unless `settle` is false.
    void RequireTransaction(bool settle = true);
    tolvane::Table LoadTable(std::int32_t table);
    void SaveTable(const tolvane::Table& table);
    static std::int32_t ColumnNumber(const tolvane::Table& table, std::int32_t column);
    tolvane::RecordPlace LocateRecord(const tolvane::Table& table, std::int32_t id, bool allocate);
    // The node block of an index node and the node's offset there; an empty block when none exists and
    // `allocate` is false.
    tolvane::RecordPlace LocateNode(std::int32_t group, std::int32_t id, bool allocate);
    // A record's bytes (from its slot word on) or a node's bytes for a read that is over before the next call
    // to the cache, as the block cache's ReadBlock; null when their block was never allocated.
    const std::uint8_t* RecordForReading(const tolvane::Table& table, std::int32_t id);
    const std::uint8_t* NodeForReading(std::int32_t group, std::int32_t id);
    // Where a record's or node's bytes lie when their block and its page map are loaded, else null; only a
    // hint for the processor's cache, nothing is read from the file or counted.
    const std::uint8_t* PeekRecord(const tolvane::Table& table, std::int32_t id) const;
    const std::uint8_t* PeekNode(std::int32_t group, std::int32_t id) const;
    // Makes the slot live and stores the data; with `indexed`, moves the record in every index of its table.
    void PutRecord(tolvane::Table& table, std::int32_t id, const std::uint8_t* data, bool indexed = true);
    bool IsLive(const tolvane::Table& table, std::int32_t id);

    bool InTransaction() const { return depth_ > 0; }
    // Whether a failed operation has left the running transaction unable to commit.
    bool Broken() const { return poison_ != 0; }

    // Consistency checks for tests and fuzzing (consistency.cpp), not part of the interface. Each answers ""
    // when all is well, else the first fault found, and never throws.
    // The block cache (BlockCache::Check, with the references this object holds), the memory figure, and
    // between transactions: no block changed, held or read in place. Whatever the file holds, this must pass.
    std::string CheckCache() const;
    // Every index of every table (IndexTree::Check), and that each holds the table's live records, all but a
    // record issued and not yet written. Needs a transaction, and reads through the cache as the walks do; a
    // transaction broken by a failed operation is not looked at, since its end throws its changes away.
    std::string CheckIndexes(tolvane::TreeCheck rules);

private:
    DatabaseFile(const std::string& path, std::uint32_t flags);

    // Transactions (database_file.cpp).
    bool OpenFile(platform::FileAccess access);
    // Takes the one-writer lock: false when another handle holds it.
    bool TakeWriterLock();
    // For a file that holds an interrupted commit but cannot be written here: copies it and its journal to
    // a temporary file, where the next start puts the old blocks back. The handle then reads the file as it
    // was before that commit and refuses to write. False when no copy can be made.
    bool RecoverIntoCopy();
    std::int32_t BeginOutermost(bool readWrite);
    std::int32_t Commit();
    void Discard();
    void AfterFailedCommit();
    // Writes the changed blocks that nothing holds to the file before the commit, their old contents first
    // made durable in the journal, and lets them go as clean ones; throws InputOutput (breaking the
    // transaction) when the journal or the file cannot be written.
    void Spill();
    // The blocks among `flagged` whose bytes differ from the file's, with the pieces that do; the others are
    // marked clean, since the file holds them already.
    struct Changes {
        std::vector<std::int32_t> blocks;
        std::vector<tolvane::PieceMask> pieces;
        tolvane::BlockCopies fileBytes; // what the file held of the blocks compared, for the journal
    };
    Changes ChangedBlocks(const std::vector<std::int32_t>& flagged);
    // Makes the old contents of the changed blocks durable in the journal (begun when none is open); false on
    // failure.
    bool Journaled(const Changes& changes);
    // Writes the changed pieces to the file; with `flush`, makes them durable. False on failure.
    bool WriteChanges(const Changes& changes, bool flush);
    // Remembers what block n holds, for counting the writes.
    void NoteKind(std::int32_t n, tolvane::BlockKind kind);
    tolvane::BlockKind KindOf(std::int32_t n) const;
    // Puts back what early writes changed in the file; false when the journal must stay for a later start.
    bool UndoSpills();
    void CheckHeader() const;
    void ConvertOldFormat();

    // Blocks and groups (storage.cpp).
    tolvane::BlockRef Block(std::int32_t n, bool pin);
    std::int32_t HeaderField16(int offset) const;
    void SetHeaderField16(int offset, std::int32_t value);
    std::int32_t TakeBlockNumber();
    tolvane::BlockRef AllocateBlock();
    void FreeBlock(std::int32_t n);
    void CheckBlockNumber(std::int32_t n) const;
    std::int32_t GroupSlot(std::int32_t group, int slot) const;
    std::int32_t AllocateGroup(bool forIndex);
    tolvane::ErrorCode CheckGroupsFor(int indexes) const;
    void ReleaseGroup(std::int32_t group);
    // The number of the block that holds a chunk of a group's records or nodes, through the group's page
    // maps; 0 when there is none and `allocate` is false.
    std::int32_t ChunkBlock(std::int32_t group, std::int32_t chunk, bool allocate);
    tolvane::BlockRef LocateBlock(std::int32_t group, std::int32_t chunk, bool allocate);
    const std::uint8_t* PeekBlock(std::int32_t group, std::int32_t chunk) const;
    void ForgetPageMaps(std::int32_t group);
    void ForgetPageMaps();
    tolvane::BlockRef DescriptorBlock(std::int32_t slot, bool allocate);

    // Catalogue and records helpers.
    std::int32_t TableSlots() const { return HeaderField16(tolvane::header::TableSlots); }
    void FillIndex(tolvane::Table& table, int column);
    void DropIndex(tolvane::Table& table, int column);
    std::int32_t LongTextTable();
    void DeleteTextChain(std::int32_t first);
    void WriteLongText(tolvane::Table& table, int column, std::int32_t id, const std::uint8_t* text,
                       std::int32_t length);
    std::int32_t ReadLongText(std::int32_t first, std::uint8_t* buffer, std::int32_t length);
    void EnsureRoomForBlocks(int blocks);
    void SettlePendingRecord();

    std::int32_t lastError_ = 0;
    std::string path_;
    bool shared_ = false;
    // The one-writer lock: held for the handle's whole life in the default mode, whose cache trusts the file
    // between transactions; in shared mode only while an outermost transaction runs.
    platform::FileLock writerLock_;
    // The temporary copy that path_ names after RecoverIntoCopy; "" for the file itself.
    std::string recoveredCopy_;
    int depth_ = 0;
    bool readWrite_ = false;
    platform::File file_;
    std::int32_t textTableId_ = -1; // -1: not looked up in this transaction
    tolvane::BlockRef header_;
    tolvane::BlockRef groups_;
    std::vector<tolvane::BlockRef> pageMaps_ = std::vector<tolvane::BlockRef>(tolvane::MaxGroups * tolvane::GroupSlots);
    int directoryOffset_ = tolvane::header::Directory;
    std::int32_t poison_ = 0;
    // The record issued last whose zero key has not entered the indexes yet, so that the write that usually
    // follows puts it there once, with its real key.
    std::int32_t pendingTable_ = 0;
    std::int32_t pendingId_ = 0;
    std::uint64_t changesBefore_ = 0; // the cache's change counter when the running operation began
    tolvane::BlockCache cache_;
    // The journal of the running write transaction once it has written blocks early (spilled_), and what
    // early writing has done.
    tolvane::Journal journal_;
    bool spilled_ = false;
    std::int32_t spillBatch_ = 0;
    std::int64_t spilledBlocks_ = 0;
    std::int32_t spills_ = 0;
    std::vector<std::uint8_t> blockKinds_; // by block number, once a block was located
    tolvane::WriteStatistics statistics_;
};

template <typename Body, typename Failure> auto DatabaseFile::Run(Body&& body, Failure&& failure) -> decltype(body())
{
    changesBefore_ = cache_.ChangeCounter();
    tolvane::ErrorCode code;
    try {
        lastError_ = 0;
        return body();
    } catch (const tolvane::EngineError& error) {
        code = error.code;
    } catch (const std::bad_alloc&) {
        code = tolvane::OutOfMemory;
    }
    lastError_ = code;
    if (depth_ > 0 && cache_.ChangeCounter() != changesBefore_ && poison_ == 0)
        poison_ = code;
    return failure(code);
}
