#include "records/excerpt_ref.h"

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/bounded_text.h"
#include "records/excerpt_record.h"
#include "core/record_query.h"

ExcerptRef::ExcerptRef(Database& database) : database_(&database) {}

ExcerptRef::ExcerptRef(std::int32_t id, Database& database) : database_(&database)
{
    Read(id);
}

ExcerptRef::~ExcerptRef() = default;

std::int32_t ExcerptRef::Read(std::int32_t id)
{
    id_ = 0;
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return TLV_ERROR_NOTRANSACTION;
    ExcerptRefRow read = {};
    const std::int32_t result = tlvReadRecord(database_->TableId(TableExcerptRef), id, &read, database_->file);
    if (result == 0) {
        row = read;
        id_ = id;
    }
    return result;
}

void ExcerptRef::LoadExcerpt()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    excerpt_ = std::make_unique<ExcerptRecord>(*database_);
    excerptChanged_ = false;
    if (row.excerptId != 0)
        excerpt_->Read(row.excerptId);
    excerpt_->LoadDetails();
}

void ExcerptRef::ReadAndLoad(std::int32_t id)
{
    Read(id);
    LoadExcerpt();
}

ExcerptRecord* ExcerptRef::EditExcerpt()
{
    if (excerpt_)
        excerptChanged_ = true;
    return excerpt_.get();
}

void ExcerptRef::SetExcerpt(std::unique_ptr<ExcerptRecord> excerpt)
{
    excerpt_ = std::move(excerpt);
    excerptChanged_ = excerpt_ != nullptr;
}

bool ExcerptRef::Save()
{
    const std::int32_t table = database_->TableId(TableExcerptRef);
    if (id_ == 0) {
        const std::int32_t id = tlvNewID(table, database_->file);
        if (id <= 0)
            return false;
        id_ = id;
    }
    if (excerpt_ && excerptChanged_) {
        if (!excerpt_->Save())
            return false;
        excerptChanged_ = false;
    }
    if (excerpt_ && excerpt_->Id() != 0)
        row.excerptId = excerpt_->Id();
    return tlvWriteRecord(table, id_, &row, database_->file) == 0;
}

bool ExcerptRef::Delete()
{
    if (!DeleteById(id_, *database_))
        return false;
    id_ = 0;
    return true;
}

bool ExcerptRef::DeleteById(std::int32_t id, Database& database)
{
    return tlvDeleteRecord(database.TableId(TableExcerptRef), id, database.file) == 0;
}

std::int32_t CreateExcerptRef(std::int32_t excerptId, std::int32_t ownerId, std::uint8_t ownerKind, Database& database)
{
    const std::int32_t table = database.TableId(TableExcerptRef);
    const std::int32_t id = tlvNewID(table, database.file);
    if (id <= 0)
        return 0;
    const ExcerptRefRow row = {excerptId, ownerId, ownerKind, 0};
    return tlvWriteRecord(table, id, &row, database.file) == 0 ? id : 0;
}

void LoadOwnerExcerptRefs(RecordList<ExcerptRef>& list, std::int32_t ownerId, std::uint8_t ownerKind,
                          Database& database)
{
    if (ownerId == 0 || !list.Empty())
        return;
    EngineTransaction transaction(database.file, TLV_READWRITE);
    if (!transaction.Running())
        return;
    const auto ids = FindRecordIds(
        {TableExcerptRef, ExcerptRefOwnerColumn, ownerId, ExcerptRefOwnerKindColumn, ownerKind, ExcerptRefOrderColumn},
        database);
    if (!ids)
        return;
    for (std::int32_t id : *ids) {
        auto ref = std::make_unique<ExcerptRef>(database);
        ref->ReadAndLoad(id);
        list.Append(std::move(ref));
    }
}

bool SaveOwnerExcerptRefs(RecordList<ExcerptRef>& list, std::int32_t ownerId, std::uint8_t ownerKind)
{
    for (std::size_t i = 0; i < list.Count(); ++i) {
        list[i].row.ownerId = ownerId;
        list[i].row.ownerKind = ownerKind;
        list[i].row.order = static_cast<std::int32_t>(i + 1);
    }
    for (std::size_t i = 0; i < list.Count(); ++i) {
        ExcerptRef& ref = list[i];
        if (!list.IsMarked(i)) {
            if (!ref.Save())
                return false;
        } else if (ref.Id() != 0 && !ref.Delete()) {
            return false;
        }
    }
    return true;
}

bool DeleteOwnerExcerptRefs(std::int32_t ownerId, std::uint8_t ownerKind, Database& database)
{
    return DeleteFoundRecords({TableExcerptRef, ExcerptRefOwnerColumn, ownerId, ExcerptRefOwnerKindColumn, ownerKind},
                              database);
}

char* FormatCitations(const RecordList<ExcerptRef>& list, char* buffer, std::size_t size)
{
    CopyBounded(buffer, size, "");
    bool first = true;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        const ExcerptRecord* excerpt = list[i].Excerpt();
        if (!excerpt)
            continue;
        char piece[CitationPieceSize];
        excerpt->FormatCitation(piece, sizeof piece);
        if (!first)
            AppendBounded(buffer, size, ", ");
        AppendBounded(buffer, size, piece);
        first = false;
    }
    return buffer;
}
