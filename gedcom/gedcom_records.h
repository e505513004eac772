// The converter's in-memory record stores: what the record reader takes from the GEDCOM file and the
// Wexmor writer turns into the output.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gedcom/gedcom_tags.h"
#include "gedcom/record_spill.h"
#include "gedcom/text_arena.h"

namespace pendrax {

// Parts of a record that most records lack, made when first written to; reading an absent one gives an
// empty one, so that only records that have them pay for them.
template <typename T> class Lazy {
public:
    T& Get()
    {
        if (!value_)
            value_ = std::make_unique<T>();
        return *value_;
    }
    const T& operator*() const
    {
        static const T none;
        return value_ ? *value_ : none;
    }
    const T* operator->() const { return &**this; }
    explicit operator bool() const { return value_ != nullptr; }

private:
    std::unique_ptr<T> value_;
};

enum class Calendar : uint8_t { Hebrew = 0, French = 2, Gregorian = 3, Julian = 4, Unknown = 5 };

// Kept small: a file holds a few dates per person.
struct SimpleDate {
    int32_t year = 0; // negative before the common era
    Calendar calendar = Calendar::Unknown;
    uint8_t day = 0;
    uint8_t month = 0;
    int8_t secondYear = -1; // of a dual year, 0 to 99
    int16_t hour = -1;      // times are read to at most four digits
    int16_t minute = -1;
    int16_t second = -1;
};

enum class DateKind : uint8_t {
    None = 0,
    Text = 1,
    Exact = 2,
    About = 3,
    Estimated = 4,
    From = 5,
    To = 6,
    FromTo = 7,
    Before = 8,
    After = 9,
    Between = 10,
};

struct GedcomDate {
    DateKind kind = DateKind::None;
    SimpleDate first;
    SimpleDate second;
    Text text;
};

struct Address {
    std::vector<Text> lines;
    Text phone, fax, email, web;
};

// A note: a pointer to a NOTE record or a text of its own.
struct Note {
    Text pointer;
    Text text;
    std::vector<int> citations;
};

struct MediaLink {
    Text pointer;
    Text file, format, title;
    int fileLine = 0; // the line of FILE, for the log
    std::vector<Note> notes;
};

struct EventDetails {
    Text typeText;
    Address address;
    Text extras; // the AGE, AGNC, CAUS, STAT and TEMP texts kept as note
    std::vector<Note> notes;
};

struct Event {
    Tag tag = Tag::None;
    int typeNumber = 0;
    GedcomDate date;
    Text place;
    std::vector<int> citations;
    Lazy<EventDetails> details;
};

struct Attribute {
    Tag tag = Tag::None;
    Text value;
    GedcomDate date;
    Text place;
    std::vector<int> citations;
    Lazy<EventDetails> details; // its TYPE text, address and notes
};

// The parts of a name, kept only where names are written from them.
struct NameParts {
    Text prefix, given, nickname, surnamePrefix, surname, suffix;
};

struct Name {
    Text value;
    Lazy<NameParts> parts;
    std::vector<int> citations;
    std::vector<Note> notes;
};

// The kind of a parent-child link, numbered as the Wexmor relation words.
enum class Relation { Biological = 0, Adoptive = 1, Foster = 2, Other = 3 };

// A family the person is a child of (FAMC), with the pedigree it names.
struct ParentFamily {
    Text xref;
    Relation relation = Relation::Biological;
};

// What fewer persons have, kept apart so that the others do not carry it.
struct PersonExtras {
    std::vector<int> citations;
    SimpleDate change;
    std::vector<Attribute> attributes;
    std::vector<Note> notes;
    Text text; // the person numbers kept as note
    std::vector<MediaLink> media;
};

struct Person {
    std::vector<ParentFamily> parentFamilies;
    uint8_t sex = 0; // 0 unknown, 1 male, 2 female
    std::vector<Name> names;
    std::vector<Event> events;
    Lazy<PersonExtras> extras;
};

// A HUSB, WIFE or CHIL line of a family: the pointer, its line, and once the file is read, the person's
// number (0 when the file has no such person) and, for a child, the relation its FAMC line names.
struct FamilyLink {
    Text xref;
    int line = 0;
    int person = 0;
    Relation relation = Relation::Biological;
};

struct Family {
    Text xref;
    int line = 0;
    FamilyLink husband, wife;
    std::vector<FamilyLink> children;
    bool couple = false; // partners and nothing else: written as a couple event
    int coupleType = 0;  // the event type of that couple event
    std::vector<Event> events;
    std::vector<int> citations;
    std::vector<Note> notes;
    SimpleDate change;
};

struct RepositoryCitation {
    std::string pointer, callNumber;
    std::vector<Note> notes;
};

struct Source {
    std::string author, title, shortTitle, published, text;
    RepositoryCitation repository;
    std::vector<Note> notes;
    std::vector<MediaLink> media;
    SimpleDate change;
};

struct Citation {
    Text pointer;    // empty for a source given as text
    Text sourceText; // the text of a source given as text
    Text page, quality, dataDate, dataText;
    std::vector<Note> notes;
    int sourceNumber = 0; // the source that stands for it in the output
};

struct Repository {
    std::string name;
    Address address;
    std::vector<Note> notes;
    SimpleDate change;
};

struct Submitter {
    std::string xref, name, email;
    Address address;
    SimpleDate change;
};

struct EventType {
    Tag tag = Tag::None;
    int eventClass = 1; // 1 an event of one person, 2 a family event
    std::string typeText;
    int descriptionCode = -1; // a getText code for the description of a type without TYPE text, -1 by tag
};

struct NoteRecord {
    std::string text;
};

struct MediaObject {
    std::string file, format, title, blob;
    int fileLine = 0; // the line of FILE, for the log; 0 for decoded inline data
    std::vector<Note> notes;
};

struct Task {
    std::string title, personXref;
    GedcomDate date;
    std::vector<Note> notes;
};

struct Header {
    std::string system, version, product, corporation, destination, fileName, copyright;
    std::string gedcomVersion, gedcomForm, charSetName, charSetVersion, submitter;
    bool hasCharSet = false;
    Address corporationAddress;
    SimpleDate date;
};

// Cross-references of one record kind, numbered from 1 in the order met. Lookup is hashed but gives the
// first entry of equal text, as a search from the first entry would; 0 when absent.
class XrefTable {
public:
    void Add(std::string_view xref)
    {
        ++size_;
        Text stored(xref);
        index_.emplace(stored.view(), static_cast<int>(size_)); // emplace keeps the first number
    }
    int Find(std::string_view xref) const
    {
        auto found = index_.find(xref);
        return found == index_.end() ? 0 : found->second;
    }
    size_t Size() const { return size_; }

private:
    size_t size_ = 0;
    std::unordered_map<std::string_view, int> index_; // the texts lie in the arena
};

// How a child is its family's child when its FAMC line names more than birth: by the child's number and the
// family's cross-reference. Children of birth, by far the most, take no room.
class ChildRelations {
public:
    void Set(int person, std::string_view familyXref, Relation relation)
    {
        if (relation != Relation::Biological)
            relations_.emplace(Key(person, familyXref), relation);
    }
    Relation Get(int person, std::string_view familyXref) const
    {
        if (relations_.empty())
            return Relation::Biological;
        auto found = relations_.find(Key(person, familyXref));
        return found == relations_.end() ? Relation::Biological : found->second;
    }

private:
    static std::string Key(int person, std::string_view familyXref)
    {
        return std::to_string(person) + '@' + std::string(familyXref);
    }
    std::unordered_map<std::string, Relation> relations_;
};

// The records that a file holds by the thousand (persons, families, citations) pass through temporary files
// in the order read, each held in memory only while it is read or written; the others, and the
// cross-references of all, stay in memory for the whole conversion.
struct RecordStore {
    TextArena texts;       // first made, last freed: every Text of the records kept in memory lies in it
    TextArena recordTexts; // the texts of the one spilled record being read or written
    Header header;
    std::vector<Submitter> submitters;
    std::vector<Repository> repositories;
    XrefTable repositoryXrefs;
    std::vector<Source> sources;
    XrefTable sourceXrefs;
    RecordSpill citations;
    RecordSpill persons;
    XrefTable personXrefs;
    ChildRelations childRelations;
    RecordSpill families;
    std::vector<EventType> eventTypes;
    std::vector<NoteRecord> notes;
    XrefTable noteXrefs;
    std::vector<MediaObject> objects;
    XrefTable objectXrefs;
    std::vector<Task> tasks;
};

} // namespace pendrax
