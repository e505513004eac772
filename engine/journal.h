// The rollback journal that makes a write transaction atomic. Before a changed block reaches the database
// file, the old contents of that block (when it already exists there) are written beside it (the database's
// name plus "-journal") and flushed; the journal is ended (see below) once the new blocks are flushed. A
// transaction whose changes outgrow the cache writes some of them early: the journal then grows in steps,
// each flushed before the blocks it covers are written. Whoever finds a journal puts the old blocks back and cuts the file
// to its old length, so the file holds either the whole transaction or none of it.
//
// Layout (little-endian): a 32-byte header: "TLVJRNL" and a NUL, u32 salt (new for every journal), u64
// length of the database file before the transaction, u32 checksum of the salt and length, 8 zero bytes;
// then the entries: i32 block number, u32 checksum (of the salt, the number and the bytes), the block's 8192
// old bytes. The header is flushed before the file is first written, each entry before its block is; so an
// entry that does not check (torn, or never written) and all after it cover blocks never written, and a
// header that does not check means the database file was never touched.
//
// A small journal is not deleted at the commit's end but cleared: its header is overwritten with zeros (the
// commit point, as the deletion is for a large one), and the next transaction of the same handle writes its
// journal over it (a handle of the shared mode deletes it, so that no other handle finds it). Creating and
// deleting a file costs the file system more than the writes themselves. The cleared header is made durable before the next journal is written over the old one, so that no mixture
// of an old header with new entries can ever be found; entries left from older journals past the new ones
// do not check under the new salt.
#pragma once

#include "engine/block_copies.h"
#include "platform/file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tolvane {

std::string JournalPath(const std::string& databasePath);

// What the journals of one handle have cost, summed over its transactions: for measuring.
struct JournalCosts {
    std::int64_t entries = 0;
    std::int64_t bytes = 0;         // headers and entries written
    std::int64_t fileFlushes = 0;   // of the journal's contents
    std::int64_t folderFlushes = 0; // of its entry in the folder
    double flushSeconds = 0;        // spent in both kinds of flush
};

// The journal of the running write transaction, grown as blocks are about to be written.
class Journal {
public:
    bool IsOpen() const { return file_.IsOpen(); }
    // Creates the journal of a transaction on `database` (the old length is its length now), or writes it over
    // the one this object left cleared; not flushed yet.
    bool Begin(const std::string& journalPath, platform::File& database);
    // Adds the old contents (read from `database`, which must not hold any of them changed yet) of the blocks
    // that lay within the old length and are not in the journal already. A block of `copies` is taken from
    // there: what the file held when it was read, and still holds.
    bool Add(platform::File& database, const std::vector<std::int32_t>& blocks, const BlockCopies* copies = nullptr);
    // Makes everything added so far durable: the journal itself and, the first time, its entry in the folder.
    bool Flush();
    // Whether block n already has its old contents in the journal (or needs none, lying past the old end).
    bool Covers(std::int32_t n) const;
    // Ends the journal of a committed transaction whose blocks are durable in the database file: a small one
    // is cleared and kept for the next transaction, a larger one deleted. False when that failed (the journal
    // then still holds the old blocks).
    bool End(bool mayKeep);
    // Closes the file and forgets the transaction; the journal stays on the disk.
    void Close();
    // Whether a journal file cleared by End lies beside the database (it needs no rollback).
    bool LeftCleared() const { return cleared_; }
    // Deletes the cleared journal, for a handle that closes.
    void RemoveCleared();
    const std::string& Path() const { return path_; }
    // Entries written since Begin.
    std::uint32_t Entries() const { return entries_; }
    const JournalCosts& Costs() const { return costs_; }

private:
    // Flushes the file and, with `withFolder`, its entry in the folder, counting the time.
    bool TimedFlush(bool withFolder);

    platform::File file_;
    std::string path_;
    std::uint32_t salt_ = 0;
    std::uint64_t databaseLength_ = 0;
    std::uint64_t end_ = 0;
    std::uint32_t entries_ = 0;
    bool unflushed_ = false;
    bool folderFlushed_ = false;
    bool cleared_ = false; // End left the file cleared, its zeros not yet flushed
    std::vector<bool> journaled_; // by block number
    JournalCosts costs_;
};

enum class RollbackResult {
    NoJournal,
    RolledBack,  // the old blocks are back and the journal is gone
    Discarded,   // a journal whose header never became durable was deleted; the database had not been touched
    Failed,      // the journal is still there, to be tried again
};

// Puts back the blocks of a journal into `database` (open for writing), cuts it to its old length, flushes
// and deletes the journal.
RollbackResult RollBack(const std::string& journalPath, platform::File& database);

} // namespace tolvane
