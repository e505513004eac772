#include "persons/person_record.h"

#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/event_type_cache.h"
#include "platform/little_endian.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/notice_sink.h"
#include "persons/assertion.h"
#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "records/excerpt_ref.h"
#include "persons/info_assertion.h"
#include "persons/name_assertion.h"
#include "persons/owned_rows.h"
#include "core/record_query.h"
#include "persons/relationship.h"
#include "core/write_transaction.h"
#include "records/media_row.h"
#include "records/task_row.h"

namespace {

// The filter's switch for an event type. Ids the cache does not cover (0, or a type made after the cache
// was loaded) count as included: a report must not silently lose events it cannot judge.
bool EventTypeIncluded(const EventTypeCache& filter, std::int32_t typeId)
{
    if (typeId < 1 || static_cast<std::size_t>(typeId) > filter.TypeCount())
        return true;
    return filter.TypeIncluded(typeId) != 0;
}

bool PrivacyAllowed(const EventTypeCache& filter, std::int8_t privacy)
{
    return privacy <= filter.Switch(PrivacyLevelSwitch);
}

// Whether a report filter keeps the link: events, attributes and names by their privacy and include
// switches (events also by their type's switch); relationships and information notes always.
bool LinkPassesFilter(const AssertionLink& link, const EventTypeCache* filter, Database& database)
{
    if (filter == nullptr)
        return true;
    switch (link.row.kind) {
    case AssertionEvent: {
        EventAssertion event(link.row.assertionId, database);
        return PrivacyAllowed(*filter, event.row.privacy) && EventTypeIncluded(*filter, event.row.typeId) &&
               filter->Switch(IncludeEventsSwitch) != 0;
    }
    case AssertionAttribute: {
        AttributeAssertion attribute(link.row.assertionId, database);
        return PrivacyAllowed(*filter, attribute.row.privacy) && filter->Switch(IncludeAttributesSwitch) != 0;
    }
    case AssertionName: {
        NameAssertion name(link.row.assertionId, database);
        return PrivacyAllowed(*filter, name.row.privacy) && filter->Switch(IncludeAliasSwitch) != 0;
    }
    default:
        return true;
    }
}


std::uint8_t ReadPersonSex(std::int32_t personId, Database& database)
{
    PersonRecord person(personId, database);
    return person.Id() != 0 ? person.row.sex : static_cast<std::uint8_t>(SexUnknown);
}

} // namespace

const AssertionLink* OtherParticipant(Relationship& relationship, const AssertionLink& own)
{
    RecordList<AssertionLink>& links = relationship.Links();
    if (links.Empty())
        return nullptr;
    if (links[0].Id() == own.Id())
        return links.Count() > 1 ? &links[1] : nullptr;
    return &links[0];
}

bool RemoveLinkedAssertion(const AssertionLink& link, Database& database, PendingNotices& notices)
{
    const std::int32_t assertionId = link.row.assertionId;
    std::unique_ptr<Assertion> assertion;
    switch (link.row.kind) {
    case AssertionEvent: {
        EventAssertion event(assertionId, database);
        if (event.Id() != 0)
            return event.RemoveLink(link.Id());
        break;
    }
    case AssertionRelationship: {
        Relationship relationship(assertionId, database);
        if (relationship.Id() == 0)
            break;
        relationship.LoadLinked();
        for (std::size_t i = 0; i < relationship.Links().Count(); ++i)
            notices.Add(NoticeAssertionLinkRemoved, static_cast<std::uint32_t>(relationship.Links()[i].row.personId),
                        relationship.Links()[i].Id());
        return relationship.Delete();
    }
    case AssertionAttribute:
        assertion = std::make_unique<AttributeAssertion>(assertionId, database);
        break;
    case AssertionInfo:
        assertion = std::make_unique<InfoAssertion>(assertionId, database);
        break;
    case AssertionName:
        assertion = std::make_unique<NameAssertion>(assertionId, database);
        break;
    default:
        break;
    }
    if (assertion && assertion->Id() != 0)
        return assertion->Delete();
    // The assertion is gone, maybe with this link when it was linked to the person twice.
    return link.Id() == 0 || AssertionLink::DeleteById(link.Id(), database) ||
           database.LastError() == TLV_ERROR_RECORD;
}

namespace {

// The person's stored links in the person's order, each kept when the filter (null: none) lets it pass.
// Inside the caller's transaction.
void LoadPersonLinks(RecordList<AssertionLink>& links, std::int32_t personId, const EventTypeCache* filter,
                     Database& database)
{
    const auto ids = FindRecordIds(
        {TableAssertionLink, AssertionLinkPersonColumn, personId, 0, 0, AssertionLinkOrderColumn}, database);
    if (!ids)
        return;
    for (std::int32_t linkId : *ids) {
        auto link = std::make_unique<AssertionLink>(database);
        if (link->Read(linkId) != 0)
            continue;
        if (LinkPassesFilter(*link, filter, database))
            links.Append(std::move(link));
    }
}

// Hands `visit` the person id of each relative the person's links reach through a relationship of `kind`
// (any with AnyRelationKind) in which the person takes `ownRole` and the relative `relativeRole`, in link
// order, until `visit` answers false.
template <class Visit>
void VisitRelatives(RecordList<AssertionLink>& links, Database& database, int kind, std::int32_t ownRole,
                    std::int32_t relativeRole, Visit visit)
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    for (std::size_t i = 0; i < links.Count(); ++i) {
        const AssertionLink& own = links[i];
        if (own.row.kind != AssertionRelationship || own.row.roleId != ownRole)
            continue;
        Relationship relationship(own.row.assertionId, database);
        if (relationship.Id() == 0)
            continue;
        if (kind != AnyRelationKind && relationship.row.relation != kind)
            continue;
        relationship.LoadLinked();
        const AssertionLink* other = OtherParticipant(relationship, own);
        if (other != nullptr && other->row.roleId == relativeRole && !visit(std::int32_t {other->row.personId}))
            return;
    }
}

// Deletes every media object of the person with its note and its stored bytes.
bool DeletePersonMedia(std::int32_t personId, Database& database)
{
    const auto ids = FindRecordIds({TableMedia, media_row::OwnerColumn, personId}, database);
    if (!ids)
        return false;
    bool ok = true;
    for (std::int32_t id : *ids) {
        MediaRecord media(database);
        if (media.Read(id) != 0) {
            ok = false;
            continue;
        }
        if (media.OwnerKind() != OwnerPerson)
            continue;
        ok = media.Delete() && ok;
    }
    return ok;
}

// Research tasks outlive the person: they keep everything but the person, which becomes none.
bool DetachPersonTasks(std::int32_t personId, Database& database)
{
    const auto ids = FindRecordIds({TableTask, task_row::PersonColumn, personId}, database);
    if (!ids)
        return false;
    const std::int32_t table = database.TableId(TableTask);
    std::vector<std::uint8_t> task(TLV_MAX_RECORD_LENGTH);
    bool ok = true;
    for (std::int32_t id : *ids) {
        ok = tlvReadRecord(table, id, task.data(), database.file) == 0 && ok;
        platform::PutI32(task.data() + task_row::PersonOffset, 0);
        ok = tlvWriteRecord(table, id, task.data(), database.file) == 0 && ok;
    }
    return ok;
}

} // namespace

PersonRecord::PersonRecord(Database& database) : EntityRecord(database)
{
    row.reserved1 = PersonReservedByte;
    row.reserved2 = PersonReservedByte;
    // A new person's citations are a person's list from the start: its page serves the frame's commands.
    excerptRefs_.ownerKind = OwnerPerson;
    // The task page gives a task it adds the list's owner as its person.
    tasks_.ownerKind = OwnerPerson;
}

PersonRecord::PersonRecord(std::int32_t id, Database& database) : PersonRecord(database)
{
    Read(id);
}

PersonRecord::~PersonRecord() = default;

std::int32_t PersonRecord::NewId()
{
    return NewRowId(TablePerson);
}

std::int32_t PersonRecord::Read(std::int32_t id)
{
    Clear();
    const std::int32_t answer = ReadRow(TablePerson, id, &row, sizeof row);
    tasks_.keyId = id_;
    return answer;
}

void PersonRecord::ReadAndLoad(std::int32_t id)
{
    Read(id);
    LoadLinked();
}

std::int32_t PersonRecord::Write()
{
    return WriteRow(TablePerson, &row);
}

void PersonRecord::Clear()
{
    name_.reset();
    note_.reset();
    links_.Clear();
    excerptRefs_.Clear();
    media_.Clear();
    tasks_.Clear();
}

std::int32_t PersonRecord::ReadNext(std::int32_t id)
{
    Clear();
    id_ = 0;
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return 0;
    // Keeps the id of the row read, not of the one asked for: the exporters take the person's links by it.
    return ReadNextRow(TablePerson, id, &row, sizeof row);
}

void PersonRecord::LoadAll(const EventTypeCache* filter)
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    name_ = row.nameId != 0 ? std::make_unique<NameRecord>(row.nameId, *database_)
                            : std::make_unique<NameRecord>(*database_);
    LoadLinks(filter);
    if (filter == nullptr || filter->Switch(IncludeSourcesSwitch) != 0)
        LoadExcerptRefs();
    LoadMedia();
    LoadTasks();
    note_ = std::make_unique<NoteText>();
    if (row.noteId != 0 && (filter == nullptr || filter->Switch(IncludeNotesSwitch) != 0))
        note_->Load(row.noteId, *database_);
}

void PersonRecord::LoadLinks(const EventTypeCache* filter)
{
    if (id_ == 0 || !links_.Empty())
        return;
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (transaction.Running())
        LoadPersonLinks(links_, id_, filter, *database_);
}

void PersonRecord::LoadExcerptRefs()
{
    if (id_ == 0)
        return;
    LoadOwnerExcerptRefs(excerptRefs_, id_, OwnerPerson, *database_);
    excerptRefs_.keyId = id_;
    excerptRefs_.ownerKind = OwnerPerson;
}

void PersonRecord::LoadMedia()
{
    // In the order the person's save gave them.
    RecordQuery query {TableMedia, media_row::OwnerColumn, id_};
    query.sortColumn = media_row::OrderColumn;
    LoadOwnedRecords(media_, query, *database_, [](MediaRecord& media, std::int32_t id) { media.Load(id); });
}

void PersonRecord::LoadTasks()
{
    LoadOwnedRecords(tasks_, TableTask, task_row::PersonColumn, id_, *database_,
                     [](TaskRecord& task, std::int32_t id) { task.ReadAndLoad(id); });
}

void PersonRecord::Reload()
{
    Clear();
    LoadLinked();
}

bool PersonRecord::Save()
{
    if (id_ == 0 && NewId() == 0)
        return false;
    tasks_.keyId = id_;
    bool ok = true;
    if (name_) {
        name_->row.number = id_;
        ok = name_->Save() && ok;
        row.nameId = name_->Id();
    }
    for (std::size_t i = 0; i < links_.Count(); ++i) {
        AssertionLink& link = links_[i];
        link.row.personId = id_;
        link.row.order = static_cast<std::int32_t>(i + 1);
        if (!links_.IsMarked(i)) {
            ok = link.Save() && ok;
        } else if (link.Id() != 0) {
            ok = link.Delete() && ok;
            // The freed id may be issued again: a later save must not delete someone else's link.
            link.SetId(0);
        }
    }
    ok = SaveOwnerExcerptRefs(excerptRefs_, id_, OwnerPerson) && ok;
    excerptRefs_.keyId = id_;
    excerptRefs_.ownerKind = OwnerPerson;
    for (std::size_t i = 0; i < media_.Count(); ++i) {
        MediaRecord& media = media_[i];
        if (!media_.IsMarked(i)) {
            media.SetOwnerId(id_);
            media.SetOwnerKind(OwnerPerson);
            media.SetOrder(static_cast<std::uint32_t>(i + 1));
            ok = media.Create() && ok;
        } else if (media.Id() != 0) {
            ok = media.Delete() && ok;
            media.SetId(0);
        }
    }
    for (std::size_t i = 0; i < tasks_.Count(); ++i)
        tasks_[i].row.personId = id_;
    ok = SaveListEntries(tasks_) && ok;
    const std::optional<std::int32_t> noteId = SaveNoteChain(note_.get(), id_, OwnerPerson, row.noteId, *database_);
    if (noteId)
        row.noteId = *noteId;
    ok = noteId.has_value() && ok;
    return Write() == 0 && ok;
}

bool PersonRecord::Delete()
{
    return Delete(CurrentNoticeSink);
}

bool PersonRecord::Delete(NoticeSink* sink)
{
    if (id_ == 0)
        return false;
    PendingNotices notices;
    return RunWriteTransaction(
        *database_,
        [&] {
            if (row.nameId != 0)
                NameRecord::DeleteById(row.nameId, *database_);
            // Every stored link, whatever the loaded list holds: one loaded through a report filter lacks
            // some, and their assertions must not outlive the person.
            RecordList<AssertionLink> stored;
            LoadPersonLinks(stored, id_, nullptr, *database_);
            bool ok = true;
            for (std::size_t i = 0; i < stored.Count(); ++i)
                ok = RemoveLinkedAssertion(stored[i], *database_, notices) && ok;
            // Every reference the person owns, loaded or not: a freed person id is issued again, and the
            // next person must not inherit citations.
            ok = DeleteOwnerExcerptRefs(id_, OwnerPerson, *database_) && ok;
            ok = DeletePersonMedia(id_, *database_) && ok;
            ok = DetachPersonTasks(id_, *database_) && ok;
            if (row.noteId != 0)
                NoteText::DeleteChain(row.noteId, *database_);
            return tlvDeleteRecord(database_->TableId(TablePerson), id_, database_->file) == 0 && ok;
        },
        &notices, sink);
}

std::int32_t PersonRecord::FindFather(int kind, int index)
{
    return FindParent(SexMale, kind, index);
}

std::int32_t PersonRecord::FindMother(int kind, int index)
{
    return FindParent(SexFemale, kind, index);
}

std::int32_t PersonRecord::FindParent(std::uint8_t sex, int kind, int index)
{
    int counted = 0;
    std::int32_t found = 0;
    VisitRelatives(links_, *database_, kind, RelationshipChildRole, RelationshipParentRole,
                   [&](std::int32_t parentId) {
                       if (ReadPersonSex(parentId, *database_) != sex || counted++ != index)
                           return true;
                       found = parentId;
                       return false;
                   });
    return found;
}

int PersonRecord::GatherChildIds()
{
    if (!childIdsGathered_) {
        childIdCount_ = CollectChildIds(AnyRelationKind, childIds_, FamilyChildCapacity);
        childIdsGathered_ = true;
    }
    return childIdCount_;
}

int PersonRecord::CollectChildIds(int kind, std::int32_t* ids, int max)
{
    int stored = 0;
    if (max <= 0)
        return stored;
    VisitRelatives(links_, *database_, kind, RelationshipParentRole, RelationshipChildRole, [&](std::int32_t childId) {
        ids[stored++] = childId;
        return stored < max;
    });
    return stored;
}

AssertionLink* PersonRecord::FindEventOfType(std::int32_t type, std::int32_t role, int index)
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    int counted = 0;
    for (std::size_t i = 0; i < links_.Count(); ++i) {
        AssertionLink& link = links_[i];
        if (link.row.kind != AssertionEvent || (role != AnyRole && link.row.roleId != role))
            continue;
        EventAssertion event(link.row.assertionId, *database_);
        if (event.Id() == 0 || event.row.typeId != type)
            continue;
        if (counted++ == index)
            return &link;
    }
    return nullptr;
}

AssertionLink* PersonRecord::FindBirthLink()
{
    return FindEventOfClass(true);
}

AssertionLink* PersonRecord::FindDeathLink()
{
    return FindEventOfClass(false);
}

AssertionLink* PersonRecord::FindEventOfClass(bool birth)
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    for (std::size_t i = 0; i < links_.Count(); ++i) {
        AssertionLink& link = links_[i];
        if (link.row.kind != AssertionEvent)
            continue;
        EventAssertion event(link.row.assertionId, *database_);
        if (event.Id() != 0 && (birth ? event.IsBirth() : event.IsDeath()))
            return &link;
    }
    return nullptr;
}
