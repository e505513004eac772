// Families are not stored: they are derived on demand for one person from the partner events in which the
// person is a principal and from the parent-child relationships of the person's children. Each family has
// one partner (0 when unknown) and up to 32 children.
#pragma once

#include <cstdint>

inline constexpr int FamilyChildCapacity = 32;

class FamilyGroup {
public:
    // Appends the child while the family holds fewer than FamilyChildCapacity; later children are dropped.
    void AddChild(std::int32_t id);

    std::int32_t partner = 0; // person id of the other partner, 0 unknown
    std::int32_t children[FamilyChildCapacity] = {};
    std::int32_t childCount = 0;
    // 1 when made for a partner event, 0 when made for a child whose other parent had no family yet.
    std::int32_t fromEvent = 0;
};
