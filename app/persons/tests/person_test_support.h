// What the person and family tests share: assertions about persons stored through their own classes,
// each new link taking the next order value so that a person's links stand in the order they were made.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <utility>

#include "core/date_value.h"
#include "core/place_record.h"
#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "core/event_type.h"
#include "persons/info_assertion.h"
#include "persons/name_assertion.h"
#include "persons/relationship.h"
#include "persons/tests/assertion_test_support.h"
#include "core/write_transaction.h"

namespace person_test {

using namespace assertion_test;

// One participant of an event: the person and the role (0 principal, else a ROLE id).
struct Participant {
    std::int32_t person;
    std::int32_t role = 0;
};

inline DateRange YearDate(int year, int month = 0, int day = 0)
{
    return SingleDate(day, month, year);
}

class PersonTest : public AssertionTest {
protected:
    // An event type with its include-in-reports switch; its id.
    std::int32_t EventTypeId(const char* name, int classCode = 0, std::uint32_t print = 1, int principals = 1)
    {
        return MakeType(name, AttributeKindText, classCode, EventTypeKindEvent, principals, print);
    }
    // A numeric attribute type.
    std::int32_t AttributeTypeId(const char* name)
    {
        return MakeType(name, AttributeKindNumeric, 0, EventTypeKindAttribute, 1, 1);
    }
    std::int32_t MakeType(const char* name, int attributeKind, int classCode, int kind, int principals,
                          std::uint32_t print)
    {
        std::int32_t id = 0;
        EXPECT_TRUE(RunWriteTransaction(db(), [&] {
            id = CreateEventType(name, attributeKind, classCode, -1, kind, principals, print, nullptr, nullptr, db());
            return id != 0;
        }));
        return id;
    }

    std::unique_ptr<AssertionLink> Link(std::uint8_t kind, std::int32_t person, std::int32_t role = 0)
    {
        auto link = NewLink(db(), kind, person, role);
        link->row.order = ++order_;
        return link;
    }

    std::int32_t StoreEvent(std::int32_t type, std::initializer_list<Participant> participants, std::int8_t privacy = 0,
                            const DateRange& date = YearDate(1900), const char* place = nullptr)
    {
        EventAssertion event(db());
        event.LoadLinked();
        event.row.typeId = type;
        event.row.privacy = privacy;
        event.SetDate(date);
        if (place != nullptr)
            event.Place()->Parse(place);
        for (const Participant& p : participants)
            event.Links().Append(Link(AssertionEvent, p.person, p.role));
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return event.Save(); }));
        return event.Id();
    }

    std::int32_t StoreAttribute(std::int32_t type, std::int32_t person, std::int8_t privacy = 0,
                                const DateRange& date = YearDate(1900), std::int32_t value = 0)
    {
        AttributeAssertion attribute(db());
        attribute.LoadLinked();
        attribute.row.typeId = type;
        attribute.row.privacy = privacy;
        attribute.row.value = value;
        attribute.SetDate(date);
        attribute.Links().Append(Link(AssertionAttribute, person));
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return attribute.Save(); }));
        return attribute.Id();
    }

    std::int32_t StoreName(std::int32_t person, std::int8_t privacy = 0)
    {
        NameAssertion alias(db());
        alias.LoadLinked();
        alias.row.privacy = privacy;
        alias.Name()->ParseEditText("Alias/Name/");
        alias.Links().Append(Link(AssertionName, person));
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return alias.Save(); }));
        return alias.Id();
    }

    std::int32_t StoreInfo(std::int32_t person, std::int8_t privacy = 0)
    {
        InfoAssertion info(db());
        info.LoadLinked();
        info.row.privacy = privacy;
        info.Text()->SetText("lived by the sea");
        info.Links().Append(Link(AssertionInfo, person));
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return info.Save(); }));
        return info.Id();
    }

    // The parent's link is made first, so it stands before the child's in the parent's list.
    std::int32_t StoreRelationship(std::int32_t parent, std::int32_t child, std::int8_t relation = RelationBiological,
                                   std::int8_t privacy = 0)
    {
        Relationship relationship(db());
        relationship.LoadLinked();
        relationship.row.relation = relation;
        relationship.row.privacy = privacy;
        relationship.Links().Append(Link(AssertionRelationship, parent, RelationshipParentRole));
        relationship.Links().Append(Link(AssertionRelationship, child, RelationshipChildRole));
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return relationship.Save(); }));
        return relationship.Id();
    }

private:
    std::int32_t order_ = 0;
};

} // namespace person_test
