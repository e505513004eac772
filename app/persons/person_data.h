// What the personal-data page shows and does without a window: the row of each of a person's assertion
// links (kind image, kind text, date, description), the deletion of the assertion behind a link, and how
// the link notices of other windows change the person's loaded link list.
#pragma once

#include <cstdint>
#include <string>

#include "core/assertion_link.h"
#include "core/notice_sink.h"
#include "core/record_list.h"

class Database;

// The images of the page's list, in the order of its image list.
enum PersonDataImage : int {
    PersonDataImageEvent = 0,
    PersonDataImageAttribute = 1,
    PersonDataImageRelationship = 2,
    PersonDataImageInfo = 3,
    PersonDataImageName = 4,
};

struct PersonDataRow {
    int image = PersonDataImageEvent;
    std::string kind;
    std::string date;
    std::string description;
};

// The row of `link` as read from the database now (an assertion that cannot be read gives empty texts).
// Within the caller's transaction when it holds one.
PersonDataRow DescribePersonDataLink(const AssertionLink& link, Database& database);

// Deletes the assertion behind `link` in one read-write transaction, and posts the removal of every link of
// a deleted relationship once committed. True when everything was deleted.
bool DeleteAssertion(const AssertionLink& link, Database& database, NoticeSink* sink = CurrentNoticeSink);

// The entry of the link of `linkId`; -1 when the list has none.
int FindLinkEntry(const RecordList<AssertionLink>& links, std::int32_t linkId);
// A link of the person was changed elsewhere: its entry is read again. False when the list has none.
bool RereadLink(RecordList<AssertionLink>& links, std::int32_t linkId);
// A link was added to the person elsewhere: it is read and appended, unless the list holds it already (a
// merge loads the moved links with the kept person before their notices arrive). False when it was not
// appended.
bool AppendAddedLink(RecordList<AssertionLink>& links, std::int32_t linkId, Database& database);
// A link of the person was deleted elsewhere: its entry goes, closing the gap (a mark would make the next
// save delete the id again, which may by then name a newer link). False when the list has none.
bool DropRemovedLink(RecordList<AssertionLink>& links, std::int32_t linkId);

// The row selected after the list was filled again: the row at the position selected before, or the last
// row when the list is now shorter; -1 when nothing was selected before or the list is empty.
int RowAfterRefill(int selectedBefore, int rowCount);
