#include "exchange/gedcom_family_map.h"

#include <algorithm>

bool GedcomFamily::HasChild(std::int32_t person) const
{
    return std::find(children.begin(), children.end(), person) != children.end();
}

bool GedcomFamily::HasEvent(std::int32_t event) const
{
    return std::find(events.begin(), events.end(), event) != events.end();
}

GedcomFamily& FamilyMap::GetFamily(std::int32_t father, std::int32_t mother)
{
    const auto [found, added] = numbers_.try_emplace(Key(father, mother), Count() + 1);
    if (added)
        families_.push_back(std::make_unique<GedcomFamily>(found->second, father, mother));
    GedcomFamily* family = families_[found->second - 1].get();
    if (family == nullptr) {
        // Asked for again after its record was written: a fresh object under the same number.
        families_[found->second - 1] = std::make_unique<GedcomFamily>(found->second, father, mother);
        family = families_[found->second - 1].get();
    }
    return *family;
}

GedcomFamily* FamilyMap::Family(std::uint32_t number)
{
    return number >= 1 && number <= Count() ? families_[number - 1].get() : nullptr;
}

void FamilyMap::Release(std::uint32_t number)
{
    if (number >= 1 && number <= Count())
        families_[number - 1].reset();
}

void FamilyMap::Clear()
{
    numbers_.clear();
    families_.clear();
}
