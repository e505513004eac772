// The families of the GEDCOM writers. The database keeps no family records: a family is a (father,
// mother) pair that shares a couple event or a child. The writers ask for the family of a pair while they
// write the persons; the map returns the family met before or makes the next one, numbered 1, 2, 3 ... in
// the order first asked for, and those numbers become the family ids of the file.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class GedcomFamily {
public:
    GedcomFamily(std::uint32_t number, std::int32_t husband, std::int32_t wife)
        : number(number), husband(husband), wife(wife)
    {
    }

    // Append without looking for duplicates; callers ask Has... first.
    void AddChild(std::int32_t person) { children.push_back(person); }
    void AddEvent(std::int32_t event) { events.push_back(event); }
    bool HasChild(std::int32_t person) const;
    bool HasEvent(std::int32_t event) const;

    const std::uint32_t number;
    const std::int32_t husband; // the father of the pair, 0 unknown
    const std::int32_t wife;    // the mother of the pair, 0 unknown
    std::vector<std::int32_t> children;
    std::vector<std::int32_t> events; // couple events, in the order added
    bool husbandLinked = false;       // the husband's record has its FAMS link to this family
    bool wifeLinked = false;
};

class FamilyMap {
public:
    // The family of the pair, made when new. Either id may be 0; (a, b) and (b, a) are different pairs.
    GedcomFamily& GetFamily(std::int32_t father, std::int32_t mother);
    std::uint32_t Count() const { return static_cast<std::uint32_t>(families_.size()); }
    // Family `number` (1-based); null outside 1 .. Count() or once released.
    GedcomFamily* Family(std::uint32_t number);
    // Frees a family whose record has been written; its pair keeps its number, so that a late request
    // cannot make a second family of it.
    void Release(std::uint32_t number);
    void Clear();

private:
    static std::uint64_t Key(std::int32_t father, std::int32_t mother)
    {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(mother)) << 32) |
               static_cast<std::uint32_t>(father);
    }

    std::unordered_map<std::uint64_t, std::uint32_t> numbers_;
    std::vector<std::unique_ptr<GedcomFamily>> families_; // entry n - 1 holds family n
};
