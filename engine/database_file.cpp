// Creating and opening a database file, and transactions: the outermost start opens the file (putting back
// an interrupted commit first), the outermost end commits through the rollback journal or discards.
#include "engine/database_file.h"

#include "engine/journal.h"
#include "platform/temp_file.h"

#include <algorithm>
#include <chrono>
#include <cstring>

using namespace tolvane;

namespace {

// The fewest changed blocks written early at a time (48 MB). A batch must hold the blocks that nearly every
// change touches again (the index nodes of a large table are spread over thousands of blocks), or they are
// written over and over; and fewer, larger batches flush the journal less often.
constexpr std::int32_t MinimumSpillBatch = 6144;

// The most changed blocks a commit or early write compares with the file, to write only what differs.
constexpr std::size_t MostComparedBlocks = 256;
constexpr PieceMask WholeBlock = (PieceMask {1} << (BlockSize / WritePiece)) - 1;

// Block reads of a write transaction before the file is mapped (1 MB).
constexpr int ReadsBeforeMapping = 128;

bool IsWriteAccess(std::uint32_t access)
{
    return (access & 0x40000000u) != 0; // GENERIC_WRITE
}

} // namespace

DatabaseFile::DatabaseFile(const std::string& path, std::uint32_t flags) : path_(path), shared_((flags & 1u) != 0)
{
}

DatabaseFile::~DatabaseFile()
{
    while (depth_ > 0)
        EndTransaction(0);
    journal_.RemoveCleared();
    if (!recoveredCopy_.empty()) {
        platform::RemoveFile(JournalPath(recoveredCopy_));
        platform::RemoveFile(recoveredCopy_);
    }
}

std::unique_ptr<DatabaseFile> DatabaseFile::Create(const std::string& path, std::uint32_t flags, std::int32_t& error)
{
    error = CannotCreate;
    std::unique_ptr<DatabaseFile> db(new (std::nothrow) DatabaseFile(path, flags));
    // A file that another handle has open is never replaced under it. A journal left beside an older file of
    // this name must never be played into the new one.
    if (!db || !db->TakeWriterLock() || !platform::RemoveFile(JournalPath(path)))
        return nullptr;
    db->file_ = platform::File::Open(path, {platform::FileAccess::ReadWrite, platform::FileShare::None,
                                            platform::FileDisposition::CreateAlways});
    if (!db->file_.IsOpen())
        return nullptr;
    try {
        BlockRef header = db->cache_.GetBlock(db->file_, 0, true, true);
        std::uint8_t* h = header.Mutable();
        std::memcpy(h + header::Magic, header::MagicText, sizeof header::MagicText);
        PutU16(h + header::Version, FormatVersion);
        PutI16(h + header::BlockCount, 2);
        BlockRef groups = db->cache_.GetBlock(db->file_, 1, true, true);
        header.Reset();
        groups.Reset();
        if (!db->cache_.WriteDirtyBlocks(db->file_) || !db->file_.Flush())
            return nullptr;
        db->cache_.FinishFlush(db->shared_);
    } catch (const EngineError&) {
        return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    db->file_.Close();
    if (db->shared_)
        db->writerLock_.Release();
    db->textTableId_ = -1;
    error = NoError;
    return db;
}

std::unique_ptr<DatabaseFile> DatabaseFile::Open(const std::string& path, std::uint32_t flags, std::int32_t& error)
{
    std::unique_ptr<DatabaseFile> db(new (std::nothrow) DatabaseFile(path, flags));
    if (!db) {
        error = OutOfMemory;
        return nullptr;
    }
    // The default mode trusts its cache from one transaction to the next, so nobody else may write the file
    // while this handle lives: a second handle is refused here, not allowed to lose the first one's changes.
    if (!db->shared_ && !db->TakeWriterLock()) {
        error = CannotOpen;
        return nullptr;
    }
    error = db->StartTransaction(TLV_READ);
    if (error != NoError)
        return nullptr;
    db->EndTransaction(1);
    return db;
}

std::int32_t DatabaseFile::SetMemory(std::int32_t kilobytes)
{
    cache_.SetLimit(kilobytes < 0 ? 0 : kilobytes / (BlockSize / 1024));
    return cache_.Limit();
}

bool DatabaseFile::OpenFile(platform::FileAccess access)
{
    // In shared mode another process may hold the file for a moment: about five seconds of retries.
    // Block misses are read through a mapping of the file: scattered index reads then cost no system call.
    // A write transaction maps the file once it has read more than a short one does: for a one-row commit,
    // setting up and taking down the mapping's page tables cost more than its few reads.
    platform::FileOpenOptions options {access, platform::FileShare::None, platform::FileDisposition::OpenExisting,
                                       shared_ ? 10 : 0, 500, true,
                                       access == platform::FileAccess::ReadWrite ? ReadsBeforeMapping : 0};
    file_ = platform::File::Open(path_, options);
    return file_.IsOpen();
}

bool DatabaseFile::TakeWriterLock()
{
    if (writerLock_.Held())
        return true;
    writerLock_ = platform::FileLock::Take(path_, shared_ ? 10 : 0, 500);
    // Where the companion file cannot be made no journal can be either, so nobody can change the file.
    return writerLock_.State() != platform::FileLockState::HeldElsewhere;
}

std::int32_t DatabaseFile::StartTransaction(std::uint32_t access)
{
    if (depth_ > 0) {
        ++depth_;
        return NoError;
    }
    // In shared mode the lock is taken for the transaction only (the default mode holds it throughout).
    // A recovered copy is never written: changes made to it would be lost with it.
    bool readWrite = IsWriteAccess(access);
    std::int32_t code =
        (readWrite && !recoveredCopy_.empty()) || !TakeWriterLock() ? CannotOpen : BeginOutermost(readWrite);
    if (code != NoError) {
        lastError_ = code;
        if (shared_)
            writerLock_.Release();
    }
    return code;
}

std::int32_t DatabaseFile::BeginOutermost(bool readWrite)
{
    if (!OpenFile(readWrite ? platform::FileAccess::ReadWrite : platform::FileAccess::Read))
        return CannotOpen;
    std::string journal = JournalPath(path_);
    // The journal this handle cleared needs nothing put back: nobody else writes while the handle lives.
    if (!journal_.LeftCleared() && platform::FileExists(journal)) {
        // A commit was cut short: the old blocks go back before anything is read.
        if (!readWrite) {
            file_.Close();
            if (!OpenFile(platform::FileAccess::ReadWrite)) {
                // Not writable here (read-only media, say): read it as it was, from a recovered copy.
                if (!recoveredCopy_.empty() || !RecoverIntoCopy())
                    return CannotOpen;
                return BeginOutermost(readWrite);
            }
        }
        RollbackResult result = RollBack(journal, file_);
        if (result == RollbackResult::Failed) {
            file_.Close();
            return InputOutput;
        }
        cache_.ReleaseAll();
    }
    depth_ = 1;
    readWrite_ = readWrite;
    // Nothing a read transaction changes is ever written, so its misses can be read in place; a write
    // transaction reads in place what it only compares.
    cache_.ServeFromViews(readWrite ? BlockCache::Views::ShortReads : BlockCache::Views::All);
    poison_ = 0;
    pendingTable_ = 0;
    pendingId_ = 0;
    textTableId_ = -1;
    try {
        header_ = cache_.GetBlock(file_, 0, false, true);
        groups_ = cache_.GetBlock(file_, 1, false, true);
        CheckHeader();
        // A file cut short (a copy that stopped half-way, say) lacks blocks its header counts: read, its
        // tables would look empty, and the next write would lose them for good.
        std::int64_t blocks = GetI16(header_.Data() + header::BlockCount);
        CheckStored(file_.Size() >= blocks * BlockSize);
        int version = GetU16(header_.Data() + header::Version);
        if (readWrite && version < FormatVersion) {
            ConvertOldFormat();
            version = FormatVersion;
        }
        directoryOffset_ = version == FormatVersion ? header::Directory : header::OldDirectory;
        spilled_ = false;
        // Under a memory limit a write transaction's changes go to the file early, in large batches: each
        // costs a flush of the journal.
        if (readWrite && cache_.Limit() > 0) {
            std::int32_t batch = spillBatch_ > 0 ? spillBatch_ : std::max(MinimumSpillBatch, 2 * cache_.Limit());
            cache_.SpillWhenDirty(batch, [this] { Spill(); });
        }
        return NoError;
    } catch (const EngineError& error) {
        ForgetPageMaps();
        header_.Reset();
        groups_.Reset();
        depth_ = 0;
        cache_.ReleaseAll();
        file_.Close();
        return error.code;
    } catch (const std::bad_alloc&) {
        ForgetPageMaps();
        header_.Reset();
        groups_.Reset();
        depth_ = 0;
        cache_.ReleaseAll();
        file_.Close();
        return OutOfMemory;
    }
}

namespace {

bool CopyWholeFile(const std::string& from, const std::string& to)
{
    platform::File source = platform::File::Open(from, {platform::FileAccess::Read, platform::FileShare::Read});
    platform::File target = platform::File::Open(to, {platform::FileAccess::ReadWrite, platform::FileShare::None,
                                                      platform::FileDisposition::CreateAlways});
    if (!source.IsOpen() || !target.IsOpen())
        return false;
    std::vector<std::uint8_t> buffer(64 * BlockSize);
    for (std::uint64_t offset = 0;;) {
        std::int64_t read = source.ReadAt(offset, buffer.data(), buffer.size());
        if (read < 0)
            return false;
        if (read == 0)
            return true;
        if (!target.WriteAt(offset, buffer.data(), static_cast<std::size_t>(read)))
            return false;
        offset += static_cast<std::uint64_t>(read);
    }
}

} // namespace

bool DatabaseFile::RecoverIntoCopy()
{
    std::string copy = platform::NewTemporaryPath("tlv");
    if (copy.empty())
        return false;
    if (!CopyWholeFile(path_, copy) || !CopyWholeFile(JournalPath(path_), JournalPath(copy))) {
        platform::RemoveFile(JournalPath(copy));
        platform::RemoveFile(copy);
        return false;
    }
    recoveredCopy_ = copy;
    path_ = copy;
    return true;
}

void DatabaseFile::CheckHeader() const
{
    const std::uint8_t* h = header_.Data();
    if (std::strncmp(reinterpret_cast<const char*>(h), header::MagicText, sizeof header::MagicText) != 0)
        Fail(NotADatabase);
    int version = GetU16(h + header::Version);
    if (version < OldestFormatVersion || version > FormatVersion)
        Fail(UnknownVersion);
    std::int32_t blocks = GetI16(h + header::BlockCount);
    std::int32_t slots = GetI16(h + header::TableSlots);
    std::int32_t groups = GetI16(h + header::GroupCount);
    CheckStored(blocks >= 2 && slots >= 0 && slots <= MaxTableSlots && groups >= 0 && groups <= MaxGroups);
    if (version == FormatVersion) {
        std::int32_t freeHead = GetI32(h + header::FreeBlockHead);
        CheckStored(freeHead == 0 || (freeHead >= 2 && freeHead < blocks));
    }
}

void DatabaseFile::ConvertOldFormat()
{
    std::uint8_t* h = header_.Mutable();
    std::memmove(h + header::Directory, h + header::OldDirectory, header::DirectoryBytes);
    std::memset(h + header::FreeBlockHead, 0, header::Directory - header::FreeBlockHead);
    PutU16(h + header::Version, FormatVersion);
}

std::int32_t DatabaseFile::EndTransaction(std::int32_t commit)
{
    if (depth_ == 0) {
        lastError_ = NoTransaction;
        return NoTransaction;
    }
    if (--depth_ > 0)
        return NoError;
    if (pendingId_ != 0 && poison_ == 0 && commit && readWrite_) {
        try {
            SettlePendingRecord();
        } catch (const EngineError& error) {
            poison_ = error.code;
        } catch (const std::bad_alloc&) {
            poison_ = OutOfMemory;
        }
    }
    pendingTable_ = 0;
    pendingId_ = 0;
    cache_.SpillWhenDirty(0, {});
    ForgetPageMaps();
    header_.Reset();
    groups_.Reset();
    // Blocks read in place point into the mapping that the commit's first write ends.
    cache_.ReleaseViews();
    cache_.ServeFromViews(BlockCache::Views::None);
    std::int32_t result = NoError;
    if (poison_ != 0) {
        // An operation failed half-way: what it left must not reach the file.
        Discard();
        if (commit)
            result = poison_;
    } else if (commit && readWrite_) {
        result = Commit();
    } else {
        Discard();
    }
    if (shared_)
        cache_.ReleaseAll();
    else
        cache_.Trim();
    cache_.ReleaseSpareMemory();
    file_.Close();
    if (shared_)
        writerLock_.Release();
    textTableId_ = -1;
    poison_ = 0;
    if (result != NoError)
        lastError_ = result;
    return result;
}

std::int32_t DatabaseFile::Commit()
{
    Changes changes = ChangedBlocks(cache_.DirtyBlocks());
    if (changes.blocks.empty() && !spilled_) {
        cache_.FinishFlush(shared_);
        return NoError;
    }
    if (!Journaled(changes)) {
        // Without early writes the database file is untouched, and a journal left behind holds nothing that
        // needs putting back.
        if (spilled_) {
            AfterFailedCommit();
        } else {
            std::string journal = journal_.Path();
            journal_.Close();
            platform::RemoveFile(journal);
            Discard();
        }
        return InputOutput;
    }
    if (!WriteChanges(changes, true)) {
        AfterFailedCommit();
        return InputOutput;
    }
    // A handle of the shared mode leaves no journal behind for the others to find.
    if (!journal_.End(!shared_)) {
        AfterFailedCommit();
        return InputOutput;
    }
    spilled_ = false;
    ++statistics_.commits;
    cache_.FinishFlush(shared_);
    return NoError;
}

DatabaseFile::Changes DatabaseFile::ChangedBlocks(const std::vector<std::int32_t>& flagged)
{
    Changes changes;
    // Comparing costs a read of each block's old bytes: worth it for the few blocks of a short transaction,
    // whose changes are a few bytes here and there, not for a large batch, most of whose blocks change
    // throughout; those are written whole.
    std::vector<PieceMask> pieces = flagged.size() <= MostComparedBlocks
                                        ? cache_.ChangedPieces(file_, flagged, &changes.fileBytes)
                                        : std::vector<PieceMask>(flagged.size(), WholeBlock);
    std::vector<std::int32_t> unchanged;
    for (std::size_t i = 0; i < flagged.size(); ++i) {
        if (pieces[i] == 0) {
            unchanged.push_back(flagged[i]);
            continue;
        }
        changes.blocks.push_back(flagged[i]);
        changes.pieces.push_back(pieces[i]);
        ++statistics_.changed[static_cast<int>(KindOf(flagged[i]))];
    }
    cache_.MarkClean(unchanged);
    statistics_.unchanged += static_cast<std::int64_t>(unchanged.size());
    return changes;
}

bool DatabaseFile::WriteChanges(const Changes& changes, bool flush)
{
    for (std::size_t i = 0; i < changes.blocks.size(); ++i) {
        int pieces = __builtin_popcount(changes.pieces[i]);
        statistics_.pieces[static_cast<int>(KindOf(changes.blocks[i]))] += pieces;
        statistics_.databaseBytes += static_cast<std::int64_t>(pieces) * WritePiece;
    }
    if (!cache_.WriteBlocks(file_, changes.blocks, &changes.pieces))
        return false;
    if (!flush)
        return true;
    auto start = std::chrono::steady_clock::now();
    bool flushed = file_.Flush();
    ++statistics_.databaseFlushes;
    statistics_.databaseFlushSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return flushed;
}

void DatabaseFile::NoteKind(std::int32_t n, BlockKind kind)
{
    if (n < 0 || n >= MaxBlocks)
        return;
    if (blockKinds_.empty())
        blockKinds_.assign(static_cast<std::size_t>(MaxBlocks), static_cast<std::uint8_t>(BlockKind::Other));
    blockKinds_[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(kind);
}

BlockKind DatabaseFile::KindOf(std::int32_t n) const
{
    if (n == 0)
        return BlockKind::Header;
    if (n == 1)
        return BlockKind::GroupTable;
    if (n < 0 || static_cast<std::size_t>(n) >= blockKinds_.size())
        return BlockKind::Other;
    return static_cast<BlockKind>(blockKinds_[static_cast<std::size_t>(n)]);
}

WriteStatistics DatabaseFile::Statistics() const
{
    WriteStatistics statistics = statistics_;
    statistics.journal = journal_.Costs();
    return statistics;
}

const char* tolvane::BlockKindName(BlockKind kind)
{
    switch (kind) {
    case BlockKind::Header: return "header";
    case BlockKind::GroupTable: return "page-map groups";
    case BlockKind::PageMap: return "page map";
    case BlockKind::Descriptor: return "table descriptor";
    case BlockKind::Data: return "data";
    case BlockKind::IndexNode: return "index node";
    case BlockKind::Free: return "free";
    case BlockKind::Other: return "other";
    case BlockKind::Count: break;
    }
    return "?";
}

void DatabaseFile::AfterFailedCommit()
{
    // Put the old blocks back now; when even that fails the journal stays, and the next start or open puts
    // them back. Either way nothing cached can be trusted any more.
    UndoSpills();
    cache_.ReleaseAll();
}

bool DatabaseFile::UndoSpills()
{
    journal_.Close();
    spilled_ = false;
    return RollBack(JournalPath(path_), file_) != RollbackResult::Failed;
}

void DatabaseFile::Discard()
{
    if (spilled_) {
        // Blocks written early go back from the journal; what the cache holds of them is gone with them.
        UndoSpills();
        cache_.ReleaseAll();
        return;
    }
    if (journal_.IsOpen()) {
        // Started for an early write that never came to writing the file.
        std::string journal = journal_.Path();
        journal_.Close();
        platform::RemoveFile(journal);
    }
    if (shared_)
        cache_.ReleaseAll();
    else
        cache_.Reload(file_);
}

bool DatabaseFile::Journaled(const Changes& changes)
{
    try {
        if (!journal_.IsOpen() && !journal_.Begin(JournalPath(path_), file_))
            return false;
        for (std::int32_t n : changes.blocks)
            if (!journal_.Covers(n))
                ++statistics_.journaled[static_cast<int>(KindOf(n))];
        return journal_.Add(file_, changes.blocks, &changes.fileBytes) && journal_.Flush();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void DatabaseFile::Spill()
{
    Changes changes = ChangedBlocks(cache_.SpillableBlocks());
    if (changes.blocks.empty())
        return;
    if (!Journaled(changes)) {
        poison_ = InputOutput;
        Fail(InputOutput);
    }
    // Blocks read in place stay valid, and show what is written, unless the file grows past its mapping,
    // which the first write beyond it then ends.
    std::uint64_t end = static_cast<std::uint64_t>(changes.blocks.back() + 1) * BlockSize;
    if (end > file_.MappedBytes())
        cache_.ReleaseViews();
    spilled_ = true;
    if (!WriteChanges(changes, false)) {
        poison_ = InputOutput;
        Fail(InputOutput);
    }
    cache_.MarkClean(changes.blocks);
    ++spills_;
    spilledBlocks_ += static_cast<std::int64_t>(changes.blocks.size());
}

void DatabaseFile::RequireTransaction(bool settle)
{
    if (depth_ == 0)
        Fail(NoTransaction);
    if (poison_ != 0)
        Fail(static_cast<ErrorCode>(poison_));
    if (settle && pendingId_ != 0)
        SettlePendingRecord();
}
