#include "persons/family.h"

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/event_type_cache.h"
#include "persons/event_assertion.h"
#include "persons/person_record.h"

void FamilyGroup::AddChild(std::int32_t id)
{
    if (childCount < FamilyChildCapacity)
        children[childCount++] = id;
}

void PersonRecord::BuildFamilies(const EventTypeCache* filter, int kind, std::int32_t partnerEventType)
{
    if (!families_.Empty())
        return;
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    LoadLinks(filter);
    if (filter == nullptr || filter->Switch(IncludeRelationshipsSwitch) != 0)
        GatherChildIds();

    // One family per partner event in which the person is a principal, in the order of the person's links;
    // the partner is the last other principal of the event.
    for (int i = 0;; ++i) {
        const AssertionLink* link = FindEventOfType(partnerEventType, 0, i);
        if (link == nullptr)
            break;
        auto family = std::make_unique<FamilyGroup>();
        EventAssertion event(link->row.assertionId, *database_);
        event.LoadLinks();
        for (std::size_t p = 0; p < event.Links().Count(); ++p) {
            const AssertionLinkRow& participant = event.Links()[p].row;
            if (participant.roleId == 0 && participant.personId != id_)
                family->partner = participant.personId;
        }
        family->fromEvent = 1;
        families_.Append(std::move(family));
    }

    // Each child joins the first family of its other parent, or a new one made for that parent.
    PersonRecord child(*database_);
    for (int c = 0; c < childIdCount_; ++c) {
        child.Read(childIds_[c]);
        if (child.Id() == 0)
            continue; // a dangling link names no child to place
        child.LoadLinks(nullptr);
        const std::int32_t father = child.FindFather(kind, 0);
        const std::int32_t mother = child.FindMother(kind, 0);
        const std::int32_t otherParent = father == id_ ? mother : father;
        FamilyGroup* family = nullptr;
        for (std::size_t f = 0; f < families_.Count() && family == nullptr; ++f)
            if (families_[f].partner == otherParent)
                family = &families_[f];
        if (family == nullptr) {
            auto made = std::make_unique<FamilyGroup>();
            made->partner = otherParent;
            family = &families_[families_.Append(std::move(made))];
        }
        family->AddChild(child.Id());
    }
}
