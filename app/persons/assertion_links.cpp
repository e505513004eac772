#include "persons/assertion_links.h"

#include <memory>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/notice_sink.h"
#include "core/record_query.h"

namespace {

RecordQuery LinksOf(std::uint8_t kind, std::int32_t assertionId)
{
    return {TableAssertionLink, AssertionLinkAssertionColumn, assertionId, AssertionLinkKindColumn, kind};
}

} // namespace

void LoadAssertionLinks(RecordList<AssertionLink>& list, std::uint8_t kind, std::int32_t assertionId,
                        Database& database)
{
    if (assertionId == 0)
        return;
    EngineTransaction transaction(database.file, TLV_READWRITE);
    if (!transaction.Running())
        return;
    const auto ids = FindRecordIds(LinksOf(kind, assertionId), database);
    if (!ids)
        return;
    for (std::int32_t id : *ids) {
        auto link = std::make_unique<AssertionLink>(database);
        link->ReadAll(id);
        list.Append(std::move(link));
    }
}

bool SaveAssertionLinks(RecordList<AssertionLink>& list, std::uint8_t kind, std::int32_t assertionId)
{
    for (std::size_t i = 0; i < list.Count(); ++i) {
        if (kind != 0)
            list[i].row.kind = kind;
        list[i].row.assertionId = assertionId;
    }
    for (std::size_t i = 0; i < list.Count(); ++i) {
        AssertionLink& link = list[i];
        if (!list.IsMarked(i)) {
            if (!link.Save())
                return false;
        } else if (link.Id() != 0) {
            if (!link.Delete())
                return false;
            link.SetId(0);
        }
    }
    return true;
}

bool DeleteAssertionLinks(std::uint8_t kind, std::int32_t assertionId, Database& database)
{
    return DeleteFoundRecords(LinksOf(kind, assertionId), database);
}

bool GatherLinkNotices(RecordList<AssertionLink>& list, Database& database, PendingNotices& notices)
{
    for (std::size_t i = 0; i < list.Count(); ++i) {
        AssertionLink& link = list[i];
        const auto person = static_cast<std::uint32_t>(link.row.personId);
        if (list.IsMarked(i)) {
            if (link.Id() != 0)
                notices.Add(NoticeAssertionLinkRemoved, person, link.Id());
        } else if (link.Id() == 0) {
            const std::int32_t id = tlvNewID(database.TableId(TableAssertionLink), database.file);
            if (id <= 0)
                return false;
            link.SetId(id);
            notices.Add(NoticeAssertionLinkAdded, person, id);
        } else {
            notices.Add(NoticeAssertionLinkChanged, person, link.Id());
        }
    }
    return true;
}
