// The rollback journal that makes a commit atomic. Before the first changed block reaches the database
// file, the old contents of every changed block that already exists there are written beside it (the
// database's name plus "-journal") and flushed; the journal is deleted once the new blocks are flushed.
// Whoever finds a complete journal puts the old blocks back, so the file holds either the whole
// transaction or none of it. An incomplete journal means the database file was never touched.
//
// Layout (little-endian): "TLVJRNL" and a NUL, u32 entry count, u64 length of the database file before
// the commit, u32 checksum of everything else, 8 zero bytes; then the entries: i32 block number and the
// block's 8192 old bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class File;
}

namespace tolvane {

std::string JournalPath(const std::string& databasePath);

// Writes and flushes the journal of the given changed blocks, reading their old contents from `database`.
bool WriteJournal(const std::string& journalPath, platform::File& database, const std::vector<std::int32_t>& blocks);

enum class RollbackResult {
    NoJournal,
    RolledBack,  // the old blocks are back and the journal is gone
    Discarded,   // an incomplete journal was deleted; the database had not been touched
    Failed,      // the journal is still there, to be tried again
};

// Puts back the blocks of a complete journal into `database` (open for writing), flushes and deletes it.
RollbackResult RollBack(const std::string& journalPath, platform::File& database);

} // namespace tolvane
