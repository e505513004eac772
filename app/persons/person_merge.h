// Merging one person into another: the kept person takes the other's name or sex when the user chose
// them, the other's note follows the kept note, everything that belonged to the other (its assertion
// links, excerpt references, research tasks and media) now belongs to the kept person, and the other is
// deleted. The windows hear of it through notices posted once the merge is committed.
#pragma once

#include "core/notice_sink.h"

class PersonRecord;

// What the kept person takes from the other (false: it keeps its own).
struct PersonMergeChoice {
    bool name = false; // the other's name parts; the kept person keeps its own NAME row
    bool sex = false;
};

// Merges `other` into `kept`; both must be stored, differ and have their linked records loaded. Posts,
// after the commit, a link-added notice (kept id, link id) per moved link, a tasks notice (kept id, the
// task's source) per moved task and the deletion of the other (0, other id). Afterwards the kept person
// holds its lists as stored, the moved entries among them. False when nothing was merged: the ids do not
// allow it or the engine refused a write, and then nothing is stored and the kept person is read back
// as stored.
bool MergePersons(PersonRecord& kept, PersonRecord& other, const PersonMergeChoice& take,
                  NoticeSink* sink = CurrentNoticeSink);
