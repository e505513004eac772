// The participants of an assertion: the ASSERTIONLINK rows of its kind whose assertion id is its id.
#pragma once

#include <cstdint>

#include "core/assertion_link.h"
#include "core/record_list.h"

class Database;
class PendingNotices;

// Loads the participants in collection order (only for a stored assertion). In a transaction of its own.
void LoadAssertionLinks(RecordList<AssertionLink>& list, std::uint8_t kind, std::int32_t assertionId,
                        Database& database);
// Gives every entry the assertion id (and `kind`, unless it is 0), writes the unmarked ones and deletes
// the stored marked ones, whose id becomes 0. In the caller's transaction; true when every write
// succeeded.
bool SaveAssertionLinks(RecordList<AssertionLink>& list, std::uint8_t kind, std::int32_t assertionId);
// Deletes every link row of the assertion. In the caller's transaction.
bool DeleteAssertionLinks(std::uint8_t kind, std::int32_t assertionId, Database& database);
// What an editor's save tells the windows about its participants: removed for a marked entry, added for
// a new link (which gets its id here, so the notice can name it), changed for any other. The notices
// wait in `notices` until the save is committed. In the caller's transaction; false when no id could be
// issued.
bool GatherLinkNotices(RecordList<AssertionLink>& list, Database& database, PendingNotices& notices);
