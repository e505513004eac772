#include "records/record_merge.h"

#include <cstring>

#include "core/address_record.h"
#include "core/bounded_text.h"
#include "core/database.h"
#include "core/note_text.h"
#include "core/write_transaction.h"
#include "records/record_lists.h"
#include "records/repository_record.h"
#include "records/source_record.h"

namespace {

constexpr const char* EmptyLine = "\r\n\r\n";

bool HasText(const NoteText* note)
{
    return note != nullptr && note->Text() != nullptr && note->Text()[0] != '\0';
}

template <std::size_t N> void TakeField(bool take, char (&kept)[N], const char (&other)[N])
{
    if (take)
        StoreField(kept, N, other);
}

template <typename T> void TakeValue(bool take, T& kept, const T& other)
{
    if (take)
        kept = other;
}

void TakeSourceFields(SourceRow& kept, const SourceRow& other, const SourceMergeChoice& take)
{
    TakeField(take.author, kept.author, other.author);
    TakeField(take.title, kept.title, other.title);
    TakeField(take.shortTitle, kept.shortTitle, other.shortTitle);
    TakeField(take.published, kept.published, other.published);
    TakeField(take.serialNumber, kept.serialNumber, other.serialNumber);
    TakeValue(take.serialNumber, kept.serialType, other.serialType);
    TakeValue(take.sourceClass, kept.sourceClass, other.sourceClass);
    TakeValue(take.kind, kept.kind, other.kind);
    TakeValue(take.media, kept.media, other.media);
    TakeValue(take.superior, kept.superiorId, other.superiorId);
}

void TakeRepositoryFields(RepositoryRecord& kept, RepositoryRecord& other, const RepositoryMergeChoice& take)
{
    TakeField(take.name, kept.row.name, other.row.name);
    TakeField(take.email, kept.row.email, other.row.email);
    TakeField(take.url, kept.row.url, other.row.url);
    AddressRecord* keptAddress = kept.Address();
    const AddressRecord* otherAddress = other.Address();
    if (keptAddress == nullptr || otherAddress == nullptr)
        return;
    AddressRow& into = keptAddress->row;
    const AddressRow& from = otherAddress->row;
    TakeField(take.line1, into.line1, from.line1);
    TakeField(take.line2, into.line2, from.line2);
    TakeField(take.city, into.city, from.city);
    TakeField(take.country, into.country, from.country);
    TakeField(take.phone, into.phone, from.phone);
    TakeField(take.fax, into.fax, from.fax);
}

// The merge changed the kept record in memory before its transaction; when that was discarded, the
// record is read back as stored (the editor saved it before merging, so nothing of the user's is lost).
template <typename Record> void ReloadAsStored(Record& kept)
{
    kept.Read(kept.Id());
    kept.ReloadChildren();
}

} // namespace

std::string SerialNumberText(const SourceRow& row)
{
    if (row.serialNumber[0] == '\0')
        return {};
    return std::string(row.serialType == SerialIssn ? "ISSN " : "ISBN ") + row.serialNumber;
}

void AppendMergedNote(NoteText& kept, const NoteText* other)
{
    if (!HasText(other))
        return;
    if (HasText(&kept))
        kept.Append(EmptyLine);
    kept.Append(other->Text());
}

bool MergeSources(SourceRecord& kept, SourceRecord& other, const SourceMergeChoice& take, NoticeSink* sink)
{
    const std::int32_t keptId = kept.Id();
    const std::int32_t otherId = other.Id();
    if (keptId == 0 || otherId == 0 || keptId == otherId)
        return false;
    kept.LoadNotes();
    other.LoadNotes();

    TakeSourceFields(kept.row, other.row, take);
    // A source that would be its own superior, or part of the source about to be deleted, stands alone.
    if (kept.row.superiorId == keptId || kept.row.superiorId == otherId)
        kept.row.superiorId = 0;
    AppendMergedNote(*kept.Note(), other.Note());
    AppendMergedNote(*kept.Text(), other.Text());

    PendingNotices notices;
    Database& database = kept.OwnerDatabase();
    const bool merged = RunWriteTransaction(
        database,
        [&] {
            RecordList<RepositoryRef>& references = other.RepositoryRefs();
            for (std::size_t i = 0; i < references.Count(); ++i) {
                RepositoryRef& reference = references[i];
                reference.row.sourceId = keptId;
                if (reference.Write() != 0)
                    return false;
                notices.Add(NoticeRepRefsChanged, static_cast<std::uint32_t>(reference.row.repositoryId), otherId);
            }
            RecordList<ExcerptRecord>& excerpts = other.Excerpts();
            for (std::size_t i = 0; i < excerpts.Count(); ++i) {
                excerpts[i].row.sourceId = keptId;
                if (excerpts[i].Write() != 0)
                    return false;
            }
            RecordList<TaskRecord>& tasks = other.Tasks();
            for (std::size_t i = 0; i < tasks.Count(); ++i) {
                tasks[i].row.sourceId = keptId;
                if (!tasks[i].Save())
                    return false;
                notices.Add(NoticeTasksChanged, static_cast<std::uint32_t>(tasks[i].row.personId), otherId);
            }
            if (!kept.Save())
                return false;
            kept.ReloadChildren();
            other.ReloadChildren();
            if (!other.Delete())
                return false;
            notices.Add(NoticeSourceDeleted, 0, otherId);
            return true;
        },
        &notices, sink);
    if (!merged)
        ReloadAsStored(kept);
    return merged;
}

bool MergeRepositories(RepositoryRecord& kept, RepositoryRecord& other, const RepositoryMergeChoice& take,
                       NoticeSink* sink)
{
    const std::int32_t keptId = kept.Id();
    const std::int32_t otherId = other.Id();
    if (keptId == 0 || otherId == 0 || keptId == otherId)
        return false;
    if (kept.Note() == nullptr || kept.Address() == nullptr)
        kept.ReloadChildren();
    if (other.Note() == nullptr || other.Address() == nullptr)
        other.ReloadChildren();

    TakeRepositoryFields(kept, other, take);
    AppendMergedNote(*kept.Note(), other.Note());

    PendingNotices notices;
    Database& database = kept.OwnerDatabase();
    const bool merged = RunWriteTransaction(
        database,
        [&] {
            RecordList<RepositoryRef>& references = other.References();
            for (std::size_t i = 0; i < references.Count(); ++i) {
                RepositoryRef& reference = references[i];
                reference.row.repositoryId = keptId;
                if (reference.Write() != 0)
                    return false;
                notices.Add(NoticeRepRefsChanged, static_cast<std::uint32_t>(otherId), reference.row.sourceId);
            }
            if (!kept.Save())
                return false;
            // The moved references are the kept repository's now: the other must not delete them.
            other.ReloadChildren();
            if (!other.Delete())
                return false;
            notices.Add(NoticeRepositoryDeleted, 0, otherId);
            return true;
        },
        &notices, sink);
    if (!merged) {
        ReloadAsStored(kept);
        return false;
    }
    kept.References().Clear();
    kept.LoadReferences();
    if (RepositoryListState* list = RepositoryListOf(database))
        list->RemoveOpened(otherId);
    return true;
}
