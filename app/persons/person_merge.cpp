#include "persons/person_merge.h"

#include <cstring>

#include "core/database.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/write_transaction.h"
#include "persons/person_record.h"
#include "records/excerpt_ref.h"
#include "records/media_record.h"
#include "records/record_merge.h"
#include "records/task_record.h"

namespace {

void TakeChosenFields(PersonRecord& kept, PersonRecord& other, const PersonMergeChoice& take)
{
    if (take.name && kept.Name() != nullptr && other.Name() != nullptr)
        std::memcpy(kept.Name()->row.parts, other.Name()->row.parts, sizeof kept.Name()->row.parts);
    if (take.sex)
        kept.row.sex = other.row.sex;
    if (kept.Note() != nullptr)
        AppendMergedNote(*kept.Note(), other.Note());
}

// Hands the other's links, references, tasks and media to the kept person, gathering the notices.
bool MoveBelongings(PersonRecord& other, std::int32_t keptId, PendingNotices& notices)
{
    RecordList<AssertionLink>& links = other.Links();
    for (std::size_t i = 0; i < links.Count(); ++i) {
        AssertionLink& link = links[i];
        if (link.Id() == 0)
            continue;
        link.row.personId = keptId;
        if (link.Write() != 0)
            return false;
        notices.Add(NoticeAssertionLinkAdded, static_cast<std::uint32_t>(keptId), link.Id());
    }
    RecordList<ExcerptRef>& references = other.ExcerptRefs();
    for (std::size_t i = 0; i < references.Count(); ++i) {
        ExcerptRef& reference = references[i];
        if (reference.Id() == 0)
            continue;
        reference.row.ownerId = keptId;
        if (!reference.Save())
            return false;
    }
    RecordList<TaskRecord>& tasks = other.Tasks();
    for (std::size_t i = 0; i < tasks.Count(); ++i) {
        TaskRecord& task = tasks[i];
        if (task.Id() == 0)
            continue;
        task.row.personId = keptId;
        if (!task.Save())
            return false;
        notices.Add(NoticeTasksChanged, static_cast<std::uint32_t>(keptId), task.row.sourceId);
    }
    RecordList<MediaRecord>& media = other.Media();
    for (std::size_t i = 0; i < media.Count(); ++i) {
        MediaRecord& item = media[i];
        if (item.Id() == 0)
            continue;
        item.SetOwnerId(keptId);
        if (!item.Save())
            return false;
    }
    return true;
}

} // namespace

bool MergePersons(PersonRecord& kept, PersonRecord& other, const PersonMergeChoice& take, NoticeSink* sink)
{
    const std::int32_t keptId = kept.Id();
    const std::int32_t otherId = other.Id();
    if (keptId == 0 || otherId == 0 || keptId == otherId)
        return false;
    if (kept.Name() == nullptr || kept.Note() == nullptr)
        kept.LoadLinked();
    if (other.Name() == nullptr || other.Note() == nullptr)
        other.LoadLinked();
    TakeChosenFields(kept, other, take);

    PendingNotices notices;
    const bool merged = RunWriteTransaction(
        kept.OwnerDatabase(),
        [&] {
            if (!MoveBelongings(other, keptId, notices) || !kept.Save())
                return false;
            kept.Reload();
            // What moved is the kept person's now: the other's delete must find none of it.
            other.Reload();
            if (!other.Delete(nullptr))
                return false;
            notices.Add(NoticePersonDeleted, 0, otherId);
            return true;
        },
        &notices, sink);
    if (!merged) {
        kept.Read(keptId);
        kept.LoadLinked();
    }
    return merged;
}
