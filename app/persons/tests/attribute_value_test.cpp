// The value of an attribute as its kind page edits it: controls and choices per attribute kind, the typed
// number, what OK stores into a real attribute row, and the type the type list chooses.
#include "persons/attribute_value.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "core/engine_transaction.h"
#include "core/event_type.h"
#include "core/note_text.h"
#include "core/write_transaction.h"
#include "persons/attribute_assertion.h"
#include "persons/tests/assertion_test_support.h"

namespace {

using namespace assertion_test;

std::vector<std::string> Keys(int attributeKind)
{
    std::vector<std::string> keys;
    for (const char* key : ValueChoiceKeys(attributeKind))
        keys.emplace_back(key);
    return keys;
}

TEST(AttributeValueForm, EachKindHasItsControlsAndChoices)
{
    using Keys_ = std::vector<std::string>;
    const std::tuple<int, AttributeValueControls, Keys_> cases[] = {
        {AttributeKindText, {true, false, false}, {}},
        {AttributeKindNumeric,
         {false, true, true},
         {"ATTRIBUTE_MODIFIER_EXACT", "ATTRIBUTE_MODIFIER_GREATER", "ATTRIBUTE_MODIFIER_LESS"}},
        {AttributeKindFlag, {false, true, false}, {"ATTRIBUTE_FLAG_NO", "ATTRIBUTE_FLAG_YES"}},
        // A kind this program does not know is edited as a flag.
        {7, {false, true, false}, {"ATTRIBUTE_FLAG_NO", "ATTRIBUTE_FLAG_YES"}},
    };
    for (const auto& [kind, controls, keys] : cases) {
        EXPECT_EQ(ValueControlsOf(kind), controls) << kind;
        EXPECT_EQ(Keys(kind), keys) << kind;
    }
}

TEST(AttributeValueForm, TheNumberEditIsReadAsASigned32BitNumber)
{
    const std::tuple<const char*, std::int32_t> cases[] = {
        {"180", 180},
        {"-42", -42},
        {"0", 0},
        {"", 0},
        {"abc", 0},
        {"12abc", 0},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", 0},
        {"99999999999999999999", 0},
        {"  15 ", 15},
    };
    for (const auto& [text, number] : cases)
        EXPECT_EQ(ParseAttributeNumber(text), number) << text;
    EXPECT_EQ(ParseAttributeNumber(nullptr), 0);
}

TEST(AttributeValueForm, TheTypeListKeepsTheOwnTypeTakesTheLowestForANewOneAndNeverInventsOne)
{
    const std::vector<std::int32_t> listed = {4, 9, 2, 7}; // id order of a walk is ascending, but any works
    const std::tuple<std::vector<std::int32_t>, std::int32_t, std::optional<std::int32_t>> cases[] = {
        {listed, 9, 9},
        {listed, 0, 2},            // a new attribute takes the lowest id
        {listed, 5, std::nullopt}, // a deleted type or one of another kind: keep it, select nothing
        {{}, 0, std::nullopt},     // no attribute types at all
        {{}, 3, std::nullopt},
    };
    for (const auto& [ids, own, chosen] : cases)
        EXPECT_EQ(ChooseAttributeType(ids, own), chosen) << own;
}

class AttributeValues : public AssertionTest {
protected:
    std::int32_t Type(const char* name, int attributeKind)
    {
        std::int32_t id = 0;
        EXPECT_TRUE(RunWriteTransaction(db(), [&] {
            id = CreateEventType(name, attributeKind, 0, -1, EventTypeKindAttribute, 1, 0, "{V}", "", db());
            return id != 0;
        }));
        return id;
    }
    // A stored attribute of the type with a value text, modifier and value as a page may find them.
    std::int32_t Stored(std::int32_t type, const char* text, std::int8_t modifier, std::int32_t value)
    {
        AttributeAssertion attribute(db());
        attribute.LoadLinked();
        attribute.row.typeId = type;
        attribute.ValueText()->SetText(text);
        attribute.row.modifier = modifier;
        attribute.row.value = value;
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return attribute.Save(); }));
        return attribute.Id();
    }
    // The stored row's bytes from the value on: the 32-bit value and the modifier.
    std::vector<unsigned char> ValueBytes(std::int32_t id)
    {
        EngineTransaction transaction(db().file, TLV_READ);
        unsigned char row[sizeof(AttributeRow)] = {};
        EXPECT_EQ(tlvReadRecord(db().TableId(TableAttribute2), id, row, db().file), 0);
        return {row + 66, row + 71};
    }
    std::string Field(AttributeAssertion& attribute, char letter)
    {
        char out[64] = "";
        AssertionLink link(db());
        NameRecord name(db());
        attribute.GetFieldText(out, sizeof out, letter, link, name, false);
        return out;
    }
};

TEST_F(AttributeValues, ANumberGreaterThan180IsStoredAsItsBytesAndToldWithItsSign)
{
    const std::int32_t id = Stored(Type("Height", AttributeKindNumeric), "stale text", 0, 0);
    {
        AttributeAssertion attribute(id, db());
        attribute.LoadLinked();
        StoreAttributeValue(attribute, AttributeKindNumeric, AttributeGreater, "180");
        ASSERT_TRUE(RunWriteTransaction(db(), [&] { return attribute.Save(); }));
    }
    EXPECT_EQ(ValueBytes(id), (std::vector<unsigned char>{0xB4, 0x00, 0x00, 0x00, 0x01}));
    AttributeAssertion attribute(id, db());
    attribute.LoadLinked();
    EXPECT_EQ(Field(attribute, 'v'), ">180");
    // A number keeps no value text.
    EXPECT_EQ(std::int32_t{attribute.row.valueTextId}, 0);
}

TEST_F(AttributeValues, WhatOkStoresDependsOnTheKind)
{
    struct Case {
        int kind;
        int choice;
        const char* number;
        std::int8_t modifier;
        std::int32_t value;
        bool keepsText;
    };
    const Case cases[] = {
        {AttributeKindNumeric, AttributeLess, "-7", AttributeLess, -7, false},
        {AttributeKindNumeric, AttributeExact, "", AttributeExact, 0, false},
        // No choice made: the stored modifier stays.
        {AttributeKindNumeric, -1, "12", AttributeGreater, 12, false},
        {AttributeKindFlag, 1, "55", AttributeExact, 1, false},
        {AttributeKindFlag, 0, "", AttributeExact, 0, false},
        // The text of a text kind is the page's to take; number and modifier are cleared.
        {AttributeKindText, 2, "99", AttributeExact, 0, true},
        // A kind this program does not know: nothing changes.
        {5, 0, "1", AttributeGreater, 3, true},
    };
    for (const Case& c : cases) {
        AttributeAssertion attribute(db());
        attribute.LoadLinked();
        attribute.ValueText()->SetText("weaver");
        attribute.row.modifier = AttributeGreater;
        attribute.row.value = 3;
        StoreAttributeValue(attribute, c.kind, c.choice, c.number);
        EXPECT_EQ(attribute.row.modifier, c.modifier) << c.kind << " " << c.choice;
        EXPECT_EQ(std::int32_t{attribute.row.value}, c.value) << c.kind << " " << c.choice;
        const char* text = attribute.ValueText()->Text();
        EXPECT_EQ(text != nullptr && std::strcmp(text, "weaver") == 0, c.keepsText) << c.kind;
    }
}

TEST_F(AttributeValues, TheChoiceShownFollowsWhatTheRowHolds)
{
    const std::tuple<int, std::int8_t, std::int32_t, int> cases[] = {
        {AttributeKindNumeric, AttributeExact, 5, 0},
        {AttributeKindNumeric, AttributeLess, 5, 2},
        {AttributeKindNumeric, 9, 5, -1}, // a modifier no choice stands for
        {AttributeKindFlag, 0, 0, 0},
        {AttributeKindFlag, 0, 1, 1},
        {AttributeKindFlag, 0, 4, 1}, // any value but 0 is told as yes
        {AttributeKindText, 0, 0, -1},
    };
    for (const auto& [kind, modifier, value, choice] : cases) {
        AttributeAssertion attribute(db());
        attribute.row.modifier = modifier;
        attribute.row.value = value;
        EXPECT_EQ(ValueChoiceOf(attribute, kind), choice) << kind << " " << int(modifier) << " " << value;
    }
}

} // namespace
