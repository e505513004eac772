// Merging a record into another of its kind: the kept record takes the fields the user chose from the
// other, the other's note follows the kept note, everything that pointed at the other now points at the
// kept record, and the other is deleted. The windows that showed or listed either hear of it through
// notices posted once the merge is committed.
#pragma once

#include <cstdint>
#include <string>

#include "core/notice_sink.h"

class NoteText;
class RepositoryRecord;
class SourceRecord;
struct SourceRow;

// Appends `other`'s text to `kept`, after an empty line when both have text.
void AppendMergedNote(NoteText& kept, const NoteText* other);

// The serial number as the merge shows it: "ISSN " or "ISBN " and the number; empty without a number.
std::string SerialNumberText(const SourceRow& row);

// Which fields the kept source takes from the other (false: it keeps its own).
struct SourceMergeChoice {
    bool author = false;
    bool title = false;
    bool shortTitle = false;
    bool published = false;
    bool serialNumber = false; // with its type
    bool sourceClass = false;
    bool kind = false;
    bool media = false;
    bool superior = false;
};

// Merges `other` into `kept`; both must have their children loaded and ids of their own. The other's
// repository references, excerpts and tasks move to the kept source, the notes and texts are joined,
// the kept source is saved, the other deleted (its subordinate sources become top-level sources). A
// superior that would be either source itself becomes 0: a source is never its own superior nor part of
// a deleted one. Posts a repository-references notice per moved reference, a tasks notice per moved
// task and the deletion of the other, after the commit. False when the engine refused a write: nothing
// is stored and the kept source's fields and notes are as they were.
bool MergeSources(SourceRecord& kept, SourceRecord& other, const SourceMergeChoice& take,
                  NoticeSink* sink = CurrentNoticeSink);

// Which fields the kept repository takes from the other.
struct RepositoryMergeChoice {
    bool name = false;
    bool line1 = false;
    bool line2 = false;
    bool city = false;
    bool country = false;
    bool phone = false;
    bool fax = false;
    bool email = false;
    bool url = false;
};

// Merges `other` into `kept`; both must have their linked records loaded. The other's references move
// to the kept repository, the notes are joined, the kept repository is saved and the other deleted and
// taken out of the repository selection. Posts a repository-references notice per moved reference and
// the deletion of the other after the commit. False when the engine refused a write: nothing is stored
// and the kept repository is as it was.
bool MergeRepositories(RepositoryRecord& kept, RepositoryRecord& other, const RepositoryMergeChoice& take,
                       NoticeSink* sink = CurrentNoticeSink);
