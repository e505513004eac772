#include "persons/assertion_factory.h"

#include <gtest/gtest.h>

#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "persons/info_assertion.h"
#include "persons/tests/assertion_test_support.h"
#include "core/write_transaction.h"

namespace {

using namespace assertion_test;

class Factory : public AssertionTest {};

TEST_F(Factory, MakesEventsAttributesAndInformationNotesOnly)
{
    EventAssertion event(db());
    AttributeAssertion attribute(db());
    InfoAssertion info(db());
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return event.Save() && attribute.Save() && info.Save(); }));
    const std::pair<int, std::int32_t> made[] = {
        {AssertionEvent, event.Id()}, {AssertionAttribute, attribute.Id()}, {AssertionInfo, info.Id()}};
    for (const auto& [kind, id] : made) {
        std::unique_ptr<Assertion> assertion = CreateAssertionByKind(id, kind, db());
        ASSERT_NE(assertion, nullptr) << kind;
        EXPECT_EQ(assertion->Kind(), kind);
        EXPECT_EQ(assertion->Id(), id);
    }
    for (int kind : {0, 3, 5, 6, 255})
        EXPECT_EQ(CreateAssertionByKind(1, kind, db()), nullptr) << kind;
    std::unique_ptr<Assertion> missing = CreateAssertionByKind(99, AssertionEvent, db());
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->Id(), 0);
    const std::pair<int, int> tables[] = {{1, 26}, {2, 25},         {3, 11},        {4, 12},
                                          {5, 24}, {0, TableCount}, {6, TableCount}};
    for (const auto& [kind, table] : tables)
        EXPECT_EQ(AssertionKindTable(kind), table) << kind;
}

} // namespace
