// A person: one row of PERSON (primary name, note, sex) and everything hanging from it, loaded into objects
// the person owns: the primary name, the note, the links to the assertions about the person in the
// person's order, and the person's excerpt references. Families and the children's ids are derived on
// demand. The person window, the pedigree, the person list, the report language and the exporters read
// and write persons through this class.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/assertion_link.h"
#include "core/entity_record.h"
#include "persons/family.h"
#include "core/record_list.h"
#include "records/media_record.h"
#include "records/task_record.h"

class EventTypeCache;
class ExcerptRef;
class NameRecord;
class NoteText;
class NoticeSink;
class PendingNotices;
class Relationship;
class Timeline;

inline constexpr std::uint8_t PersonReservedByte = 255;
inline constexpr int AnyRelationKind = -1;
inline constexpr std::int32_t AnyRole = -1;

enum PersonSex : std::uint8_t {
    SexUnknown = 0,
    SexMale = 1,
    SexFemale = 2,
};

#pragma pack(push, 1)
struct PersonRow {
    std::int32_t nameId;    // NAME row of the primary name, 0 none yet
    std::int32_t noteId;    // first NOTE row, 0 none
    std::uint8_t sex;       // PersonSex
    std::uint8_t reserved1; // PersonReservedByte in every person made here; never read
    std::uint8_t reserved2;
};
#pragma pack(pop)
static_assert(sizeof(PersonRow) == 11, "a PERSON row is 11 bytes");

// What BuildTimeline writes as each entry's text.
enum TimelineTextMode : int {
    TimelineTypeAndPlace = 0, // the type's name and the event's place, or the attribute's value
    TimelineSentence = 1,     // the assertion's sentence for this person
    TimelineTypeName = 2,     // the type's name only
};

// Takes the assertion behind one of a person's links away: names, attributes and information notes go
// with what they own; a relationship goes with both links (each removal gathered as a notice); an event
// keeps its other participants and goes only when this person was its last. A link whose assertion is
// gone already is deleted by itself. In the caller's read-write transaction; true when all was deleted.
bool RemoveLinkedAssertion(const AssertionLink& link, Database& database, PendingNotices& notices);
// The other participant of a relationship seen from a person's link `own`: its second link when its first
// is `own`, else its first; null when it has no other (no links, or `own` is its only one).
const AssertionLink* OtherParticipant(Relationship& relationship, const AssertionLink& own);

class PersonRecord : public EntityRecord {
public:
    // A new person: id 0, sex unknown, empty lists.
    explicit PersonRecord(Database& database);
    // The person of `id`, its row read at once; nothing linked is loaded.
    PersonRecord(std::int32_t id, Database& database);
    ~PersonRecord() override;

    std::int32_t NewId() override;
    void LoadLinked() override { LoadAll(nullptr); }
    // Clear, then reads the row; the id becomes 0 when the read fails.
    std::int32_t Read(std::int32_t id) override;
    void ReadAndLoad(std::int32_t id) override;
    std::int32_t Write() override;
    // Inside the caller's read-write transaction: the name, the links and the excerpt references with
    // their order renumbered from 1 in list order (marked entries included; their stored rows deleted),
    // the media (each unmarked one owned by the person at its 1-based place in the list), the tasks, the
    // note, then the row.
    bool Save() override;

    // Frees the name, the note and the lists; the families and the child-id cache stay.
    void Clear();
    // Clear, then reads the first person at or after `id` in id order; the object takes the id of the row
    // read, which is returned (0 when none is left).
    std::int32_t ReadNext(std::int32_t id);
    // Loads the name, the links, the excerpt references, the media with their bytes, the tasks and the
    // note in one transaction; a report's data
    // filter (or null for everything) decides which links and records are taken.
    void LoadAll(const EventTypeCache* filter);
    // Each loads its list only when the person is stored and the list is still empty.
    void LoadLinks(const EventTypeCache* filter);
    void LoadExcerptRefs();
    void LoadMedia();
    void LoadTasks();
    // Clear, then LoadLinked.
    void Reload();
    // Deletes the person with everything that depends on it, in one read-write transaction that keeps
    // everything or nothing: its name, its assertions as stored, whatever the lists hold (an event shared
    // with others loses only this person's link), every excerpt reference it owns, its media, its note and its row; its
    // research tasks stay with no person. The removal of a relationship's links is posted to `sink` once the delete is
    // committed. True when everything was deleted.
    bool Delete(NoticeSink* sink);
    bool Delete();

    // The index-th (from 0) father or mother through relationships of `kind` (AnyRelationKind: any) in
    // which this person is the child; 0 when there is none. The links must be loaded.
    std::int32_t FindFather(int kind, int index);
    std::int32_t FindMother(int kind, int index);
    // Fills the child-id list (ChildIds) once per object from relationships of any kind; the links must be
    // loaded. The number of children held.
    int GatherChildIds();
    // Stores the ids of at most `max` children (relationships of `kind`, in link order) and answers how
    // many it stored.
    int CollectChildIds(int kind, std::int32_t* ids, int max);
    // The index-th event link of the event type `type` with the role `role` (AnyRole: any); null when
    // there is none. The link belongs to the person.
    AssertionLink* FindEventOfType(std::int32_t type, std::int32_t role, int index);
    AssertionLink* FindBirthLink();
    AssertionLink* FindDeathLink();
    // The person's families (family.cpp); built once per object.
    void BuildFamilies(const EventTypeCache* filter, int kind, std::int32_t partnerEventType);
    // A new timeline of the person's dated events and attributes, whose sentences (TimelineSentence) write
    // their dates in `datePicture`; the caller owns it.
    std::unique_ptr<Timeline> BuildTimeline(int mode, const char* datePicture);

    // The loaded name and note; null before LoadAll.
    NameRecord* Name() { return name_.get(); }
    const NameRecord* Name() const { return name_.get(); }
    NoteText* Note() { return note_.get(); }
    RecordList<AssertionLink>& Links() { return links_; }
    RecordList<ExcerptRef>& ExcerptRefs() { return excerptRefs_; }
    RecordList<MediaRecord>& Media() { return media_; }
    RecordList<TaskRecord>& Tasks() { return tasks_; }
    RecordList<FamilyGroup>& Families() { return families_; }
    int ChildIdCount() const { return childIdCount_; }
    const std::int32_t* ChildIds() const { return childIds_; }

    PersonRow row = {};

private:
    std::int32_t FindParent(std::uint8_t sex, int kind, int index);
    AssertionLink* FindEventOfClass(bool birth);

    std::unique_ptr<NameRecord> name_;
    std::unique_ptr<NoteText> note_;
    RecordList<AssertionLink> links_;
    RecordList<ExcerptRef> excerptRefs_;
    RecordList<MediaRecord> media_;
    RecordList<TaskRecord> tasks_;
    RecordList<FamilyGroup> families_;
    std::int32_t childIds_[FamilyChildCapacity] = {};
    int childIdCount_ = 0;
    bool childIdsGathered_ = false;
};
