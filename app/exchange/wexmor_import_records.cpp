// The section importers of the header, repositories, sources, excerpts, event types, research and media.
#include <cstring>
#include <string>

#include "core/address_record.h"
#include "core/bounded_text.h"
#include "core/database.h"
#include "core/event_type.h"
#include "core/event_type_tables.h"
#include "core/note_text.h"
#include "exchange/wexmor_import.h"
#include "records/excerpt_record.h"
#include "records/excerpt_ref.h"
#include "records/media_record.h"
#include "records/objective_record.h"
#include "records/repository_record.h"
#include "records/source_record.h"
#include "records/task_record.h"

namespace {

constexpr int MaxPrincipals = 2;

bool IsAbsolutePath(const char* path)
{
    if (path[0] == '\\' || path[0] == '/')
        return true;
    const char drive = path[0];
    return ((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z')) && path[1] == ':';
}

// The leading decimal digits of text[from, end) as a number, at most `maxDigits` of them; -1 when there
// are none.
int ReadNumber(const char* text, std::size_t length, std::size_t& position, int maxDigits)
{
    int value = 0;
    int digits = 0;
    while (position < length && text[position] >= '0' && text[position] <= '9') {
        if (digits < maxDigits)
            value = value * 10 + (text[position] - '0');
        ++digits;
        ++position;
    }
    return digits == 0 ? -1 : value;
}

} // namespace

void ImportIdMap::Set(std::int64_t fileId, std::int32_t recordId)
{
    if (fileId < 1 || fileId > INT32_MAX)
        return;
    map_[static_cast<std::int32_t>(fileId)] = recordId;
}

std::int32_t ImportIdMap::Get(std::int64_t fileId) const
{
    if (fileId < 1 || fileId > INT32_MAX)
        return 0;
    const auto found = map_.find(static_cast<std::int32_t>(fileId));
    return found == map_.end() ? 0 : found->second;
}

std::uint8_t ExcerptGradeOfQuality(int quality)
{
    if (quality < 0)
        return ExcerptQualityUnknown;
    if (quality <= 70)
        return ExcerptQualityPoor;
    if (quality <= 90)
        return ExcerptQualityQuestionable;
    if (quality <= 95)
        return ExcerptQualityGood;
    return ExcerptQualityVeryGood;
}

ResearchDate ParseResearchDate(const char* text)
{
    ResearchDate date = {};
    if (text == nullptr)
        return date;
    const std::size_t length = std::strlen(text);
    std::size_t position = 0;
    const int year = ReadNumber(text, length, position, 5);
    if (year < 1 || year > 65535)
        return date;
    date.year = static_cast<std::uint16_t>(year);
    position = 5;
    const int month = ReadNumber(text, length, position, 3);
    if (month < 1 || month > 12)
        return date;
    date.month = static_cast<std::uint16_t>(month);
    position = 8;
    const int day = ReadNumber(text, length, position, 3);
    if (day >= 1 && day <= 31)
        date.day = static_cast<std::uint16_t>(day);
    return date;
}

WexmorImportContext::WexmorImportContext(Database& database, ImportWizardData& block)
    : database_(database), block_(block)
{
}

void WexmorImportContext::Check(std::int32_t engineAnswer)
{
    if (engineAnswer != 0)
        Fail();
}

void WexmorImportContext::Fail()
{
    if (!writeFailed_)
        engineError_ = database_.LastError();
    writeFailed_ = true;
}

std::int32_t WexmorImportContext::NewRowId(int table)
{
    const std::int32_t id = tlvNewID(database_.TableId(static_cast<TableNumber>(table)), database_.file);
    if (id <= 0) {
        Fail();
        return 0;
    }
    return id;
}

std::int32_t WexmorImportContext::StoreNote(const char* text, std::int32_t ownerId, std::uint8_t ownerType)
{
    if (text == nullptr || text[0] == '\0')
        return 0;
    const std::int32_t id = NoteText::StoreNew(text, ownerId, ownerType, database_);
    if (id == 0)
        Fail();
    return id;
}

void WexmorImportContext::ImportHeader(WZHeader* header)
{
    DatabaseHeader& target = database_.header;
    bool changed = false;
    const char* owner = GetHeaderOwnerName(header);
    if (target.ownerName[0] == '\0' && owner[0] != '\0') {
        StoreField(target.ownerName, sizeof target.ownerName, owner);
        changed = true;
    }
    if (WZAddress* address = GetHeaderOwnerAddress(header)) {
        char* lines[3] = {target.ownerAddress1, target.ownerAddress2, target.ownerCity};
        std::string built[3];
        int line = 0;
        char part[128];
        for (int type = GetAddressPart(part, sizeof part, 0, address); type != WZ_ADDRESS_END && line < 3;
             type = GetAddressPart(part, sizeof part, 1, address)) {
            if (type == WZ_ADDRESS_LINE_BREAK) {
                ++line;
                continue;
            }
            built[line] += part;
            if (built[line].size() > 127)
                built[line].resize(127);
        }
        for (int i = 0; i < 3; ++i) {
            if (lines[i][0] == '\0' && !built[i].empty()) {
                StoreField(lines[i], 128, built[i].c_str());
                changed = true;
            }
        }
        const char* phone = GetAddressPhone(address);
        if (target.ownerPhone[0] == '\0' && phone[0] != '\0') {
            StoreField(target.ownerPhone, sizeof target.ownerPhone, phone);
            changed = true;
        }
    }
    if (changed)
        Check(tlvWriteRecord(database_.TableId(TableMain2), 1, &target, database_.file));
}

void WexmorImportContext::ImportAddress(AddressRecord& address, WZAddress* source)
{
    char line[64];
    char* fields[4] = {address.row.line1, address.row.line2, address.row.city, address.row.country};
    for (int i = 0; i < 4; ++i) {
        line[0] = '\0';
        if (GetAddressLine(line, sizeof line, i == 0 ? 0 : 1, source) == 0)
            line[0] = '\0';
        StoreField(fields[i], 64, line);
    }
    StoreField(address.row.phone, sizeof address.row.phone, GetAddressPhone(source));
    StoreField(address.row.fax, sizeof address.row.fax, GetAddressFax(source));
}

void WexmorImportContext::ImportRepository(WZRepository* repository)
{
    if (block_.importRepositories == 0)
        return;
    RepositoryRecord record(database_);
    if (record.NewId() == 0)
        return Fail();
    StoreField(record.row.name, sizeof record.row.name, GetRepositoryName(repository));
    StoreField(record.row.email, sizeof record.row.email, GetRepositoryEmail(repository));
    StoreField(record.row.url, sizeof record.row.url, GetRepositoryURI(repository));
    if (WZAddress* source = GetRepositoryAddress(repository)) {
        AddressRecord address(database_);
        ImportAddress(address, source);
        if (!address.Save())
            return Fail();
        record.row.addressId = address.Id();
    }
    record.row.noteId = StoreNote(GetRepositoryNote(repository), record.Id(), TableRepository);
    Check(record.Write());
    repositoryMap.Set(GetRepositoryId(repository), record.Id());
}

void WexmorImportContext::ImportSource(WZSource* source)
{
    if (block_.importSources == 0)
        return;
    SourceRecord record(database_);
    if (record.NewId() == 0)
        return Fail();
    SourceRow& row = record.row;
    StoreField(row.author, sizeof row.author, GetSourceAuthor(source));
    StoreField(row.title, sizeof row.title, GetSourceTitle(source));
    StoreField(row.shortTitle, sizeof row.shortTitle, GetSourceShortTitle(source));
    StoreField(row.published, sizeof row.published, GetSourcePublished(source));
    const int kind = GetSourceKind(source);
    const int media = GetSourceMedia(source);
    row.kind = static_cast<std::uint8_t>(kind >= 0 && kind <= 2 ? kind : 0);
    row.media = static_cast<std::uint8_t>(media >= 0 && media <= 9 ? media : 0);
    const char* isbn = GetSourceIsbn(source);
    const char* issn = GetSourceIssn(source);
    if (isbn[0] != '\0') {
        StoreField(row.serialNumber, sizeof row.serialNumber, isbn);
        row.serialType = SerialIsbn;
    } else if (issn[0] != '\0') {
        StoreField(row.serialNumber, sizeof row.serialNumber, issn);
        row.serialType = SerialIssn;
    }
    row.textId = StoreNote(GetSourceText(source), record.Id(), TableSource);
    row.noteId = StoreNote(GetSourceNote(source), record.Id(), TableSource);
    Check(record.Write());
    sourceMap.Set(GetSourceId(source), record.Id());
    if (block_.importRepositories == 0)
        return;
    for (WZRepref* reference = GetSourceFirstRepref(source); reference != nullptr;
         reference = GetReprefNext(reference)) {
        RepositoryRef stored(database_);
        stored.row.repositoryId = repositoryMap.Get(GetReprefRef(reference));
        stored.row.sourceId = record.Id();
        StoreField(stored.row.callNumber, sizeof stored.row.callNumber, GetReprefCallnumber(reference));
        const char* note = GetReprefNote(reference);
        if (note[0] != '\0')
            stored.EnsureNote().SetText(note);
        if (!stored.Save())
            return Fail();
    }
}

void WexmorImportContext::ImportExcerpt(WZExcerpt* excerpt)
{
    if (block_.importSources == 0)
        return;
    ExcerptRecord record(database_);
    const std::int32_t id = NewRowId(TableExcerpt);
    if (id == 0)
        return;
    record.SetId(id);
    StoreField(record.row.page, sizeof record.row.page, GetExcerptPage(excerpt));
    record.row.quality = ExcerptGradeOfQuality(GetExcerptQuality(excerpt));
    record.row.sourceId = sourceMap.Get(GetExcerptSourceref(excerpt));
    record.row.textId = StoreNote(GetExcerptText(excerpt), id, OwnerExcerpt);
    record.row.noteId = StoreNote(GetExcerptNote(excerpt), id, OwnerExcerpt);
    Check(record.Write());
    excerptMap.Set(GetExcerptId(excerpt), id);
}

void WexmorImportContext::ImportExcerptRefs(WZExcerptref* first, std::int32_t ownerId, std::uint8_t ownerType)
{
    if (block_.importSources == 0)
        return;
    for (WZExcerptref* reference = first; reference != nullptr; reference = GetExcerptrefNext(reference)) {
        const std::int32_t excerpt = excerptMap.Get(GetExcerptrefExcerptId(reference));
        if (excerpt != 0 && CreateExcerptRef(excerpt, ownerId, ownerType, database_) == 0)
            return Fail();
    }
}

void WexmorImportContext::ImportEventType(WZEventtype* eventtype)
{
    int principals = GetEventtypeRoles(eventtype);
    // A type that names no number of principals has one, as every new event type.
    if (principals < 1)
        principals = 1;
    if (principals > MaxPrincipals)
        principals = MaxPrincipals;
    char tag[WZ_GEDCOMTAG_SIZE] = {};
    GetEventtypeGedcomtag(tag, eventtype);
    const int tagIndex = tag[0] != '\0' ? FindGedcomTag(tag) : -1;
    int eventClass = GetEventtypeClass(eventtype);
    if (eventClass < 0 || eventClass > 25)
        eventClass = 0;
    const char* name = GetEventtypeDescription(eventtype);
    std::int32_t id = FindEventTypeId(name, 0, eventClass, principals, tagIndex, EventTypeKindEvent, database_);
    if (id == 0) {
        id = CreateEventType(name, 0, eventClass, tagIndex, EventTypeKindEvent, principals, 1, nullptr, nullptr,
                             database_);
        if (id == 0)
            return Fail();
    }
    eventTypeMap.Set(GetEventtypeId(eventtype), id);
}

void WexmorImportContext::ImportObjective(WZObjective* objective)
{
    if (block_.importResearch == 0)
        return;
    ObjectiveRecord record(database_);
    if (record.NewId() == 0)
        return Fail();
    StoreField(record.row.title, sizeof record.row.title, GetObjectiveTitle(objective));
    record.row.problemId = StoreNote(GetObjectiveProblem(objective), record.Id(), TableObjective);
    record.row.solutionId = StoreNote(GetObjectiveSolution(objective), record.Id(), TableObjective);
    const int priority = GetObjectivePriority(objective);
    record.row.priority = static_cast<std::int8_t>(priority >= PriorityLow && priority <= PriorityHigh ? priority
                                                                                                        : PriorityMedium);
    record.row.created = ParseResearchDate(GetObjectiveCreated(objective));
    Check(record.Write());
    objectiveMap.Set(GetObjectiveId(objective), record.Id());
}

void WexmorImportContext::ImportTask(WZTask* task)
{
    if (block_.importResearch == 0)
        return;
    TaskRecord record(database_);
    const std::int32_t id = NewRowId(TableTask);
    if (id == 0)
        return;
    record.SetId(id);
    StoreField(record.row.title, sizeof record.row.title, GetTaskTitle(task));
    record.row.problemId = StoreNote(GetTaskProblem(task), id, TableTask);
    record.row.solutionId = StoreNote(GetTaskSolution(task), id, TableTask);
    record.row.objectiveId = objectiveMap.Get(GetTaskObjectiveref(task));
    record.row.personId = personMap.Get(GetTaskPersonref(task));
    record.row.sourceId = sourceMap.Get(GetTaskSourceref(task));
    const int status = GetTaskStatus(task);
    record.row.status = static_cast<std::int8_t>(status >= TaskStatusNew && status <= TaskStatusRejected ? status
                                                                                                        : TaskStatusNew);
    record.row.statusDate = ParseResearchDate(GetTaskStatusdate(task));
    if (!record.Save())
        Fail();
}

std::string WexmorImportContext::MediaPath(const char* name) const
{
    if (IsAbsolutePath(name))
        return name;
    return std::string(block_.mediaFolder) + name;
}

void WexmorImportContext::ImportObjects(WZObject* first, std::int32_t ownerId, std::uint8_t ownerType)
{
    if (block_.importObjects == 0)
        return;
    std::uint32_t order = 0;
    for (WZObject* object = first; object != nullptr; object = GetObjectNext(object)) {
        MediaRecord media(database_);
        const char* external = GetObjectExtFile(object);
        const char* original = GetObjectOrgFile(object);
        const unsigned char* bytes = GetObjectBin(object);
        const int size = GetObjectSize(object);
        // The bytes the file carries win; only an object without them is looked for on the disk.
        const char* name = external[0] != '\0' ? external : original;
        if (bytes != nullptr && size > 0)
            media.SetData(bytes, static_cast<std::size_t>(size));
        else if (name[0] != '\0')
            media.ReadDataFromFile(MediaPath(name));
        media.SetFileName(name);
        media.SetDescription(GetObjectTitle(object));
        const char* note = GetObjectNote(object);
        if (note[0] != '\0')
            media.EnsureNote().SetText(note);
        media.SetOwnerId(ownerId);
        media.SetOwnerKind(ownerType);
        media.SetOrder(++order);
        if (!media.Create())
            return Fail();
    }
}
