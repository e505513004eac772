// Attributes against a real database file: values of the three attribute kinds, template override,
// type reloading, save, delete and the conversion of old rows.
#include "persons/attribute_assertion.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/address_record.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "core/event_type.h"
#include "records/excerpt_ref.h"
#include "persons/sentence_format.h"
#include "persons/tests/assertion_test_support.h"
#include "core/write_transaction.h"
#include "settings/settings.h"

namespace {

using namespace assertion_test;

class Attributes : public AssertionTest {
protected:
    std::int32_t Type(const char* name, int attributeKind, const char* principal = "{V}")
    {
        std::int32_t id = 0;
        EXPECT_TRUE(RunWriteTransaction(db(), [&] {
            id = CreateEventType(name, attributeKind, 0, -1, EventTypeKindAttribute, 1, 0, principal, "", db());
            return id != 0;
        }));
        return id;
    }
    std::string Value(AttributeAssertion& attribute)
    {
        char out[64];
        return attribute.GetValueText(out, sizeof out);
    }
    std::string Field(AttributeAssertion& attribute, char letter)
    {
        char out[128] = "unchanged";
        AssertionLink link(db());
        NameRecord name(db());
        attribute.GetFieldText(out, sizeof out, letter, link, name, false);
        return out;
    }
};

TEST_F(Attributes, NumericFlagAndTextValues)
{
    AttributeAssertion attribute(db());
    AssertionLink link(db());
    attribute.row.typeId = Type("Height", AttributeKindNumeric);
    attribute.row.value = 180;
    const std::tuple<int, const char*, const char*> numeric[] = {{AttributeExact, "180", "180"},
                                                                 {AttributeGreater, ">180", "more than 180"},
                                                                 {AttributeLess, "<180", "less than 180"}};
    for (const auto& [modifier, field, value] : numeric) {
        attribute.row.modifier = static_cast<std::int8_t>(modifier);
        EXPECT_EQ(Field(attribute, 'v'), field);
        EXPECT_EQ(Value(attribute), value);
        EXPECT_EQ(attribute.HasField('v', link), 1);
    }
    attribute.row.value = -4;
    attribute.row.modifier = AttributeExact;
    EXPECT_EQ(Value(attribute), "-4");

    attribute.row.typeId = Type("Smoker", AttributeKindFlag);
    attribute.row.value = 1;
    EXPECT_EQ(attribute.HasField('v', link), 0);
    EXPECT_EQ(Value(attribute), "yes");
    attribute.row.value = 0;
    EXPECT_EQ(Value(attribute), "no");
    EXPECT_EQ(Field(attribute, 'v'), "");

    attribute.row.typeId = Type("Occupation", AttributeKindText);
    EXPECT_EQ(attribute.HasField('v', link), 0);
    EXPECT_EQ(Value(attribute), "");
}

TEST_F(Attributes, SaveReloadAndFieldLetters)
{
    const std::int32_t person = AddPerson(db(), 2, "Eva", "Lind");
    AttributeAssertion attribute(db());
    attribute.LoadLinked();
    attribute.row.typeId = Type("Occupation", AttributeKindText, "{V}[p? {p}]");
    attribute.ValueText()->SetText("weaver");
    attribute.Note()->SetText("note");
    attribute.Place()->Parse("Bergen");
    std::strcpy(attribute.Address()->row.line1, "Bryggen 2");
    std::strcpy(attribute.Address()->row.country, "Norway");
    attribute.Links().Append(NewLink(db(), AssertionAttribute, person));
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return attribute.Save(); }));
    Reopen();

    const std::vector<unsigned char> bytes = RawRow(db(), TableAttribute2, attribute.Id(), 71);
    std::int32_t valueTextId;
    std::memcpy(&valueTextId, &bytes[5], 4);
    EXPECT_NE(valueTextId, 0);

    AttributeAssertion loaded(db());
    loaded.ReadAndLoad(attribute.Id());
    EXPECT_EQ(+loaded.Place()->row.attributeId, attribute.Id());
    EXPECT_EQ(+loaded.Place()->row.eventId, 0);
    EXPECT_EQ(Value(loaded), "weaver");
    EXPECT_EQ(Field(loaded, 'a'), "Bryggen 2, Norway");
    EXPECT_EQ(Field(loaded, 'c'), "Occupation");
    EXPECT_EQ(Field(loaded, 'p'), "Bergen");
    EXPECT_EQ(Field(loaded, 'n'), "note");
    EXPECT_EQ(Field(loaded, 'z'), "unchanged");
    ASSERT_EQ(loaded.Links().Count(), 1u);
    const AssertionLink& link = loaded.Links()[0];
    for (char letter : {'c', 'g', 'h'})
        EXPECT_EQ(loaded.HasField(letter, link), 0) << letter;
    char out[64];
    NameRecord name(db());
    loaded.GetFieldText(out, sizeof out, 'h', link, name, false);
    EXPECT_STREQ(out, "she");
    EXPECT_STREQ(loaded.FormatSentence(out, sizeof out, link, name, 2, false, ScreenDatePicture()), "Weaver Bergen");
    for (int letter = 0; letter < 256; ++letter) {
        const int has = loaded.HasField(static_cast<char>(letter), link);
        EXPECT_TRUE(has == 0 || has == 1) << letter;
    }
}

TEST_F(Attributes, OwnTemplateAndItsRemoval)
{
    AttributeAssertion attribute(db());
    attribute.LoadLinked();
    attribute.row.typeId = Type("Title", AttributeKindText, "type template");
    attribute.Formatting()->SetText("own template");
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return attribute.Save(); }));
    const std::int32_t formatting = attribute.row.formattingId;
    EXPECT_STREQ(attribute.GetSentenceTemplate(1), "own template");
    attribute.Formatting()->SetText("");
    EXPECT_STREQ(attribute.GetSentenceTemplate(0), "type template");
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return attribute.Save(); }));
    EXPECT_FALSE(RowExists(db(), TableFormatting, formatting));
    EXPECT_EQ(+attribute.row.formattingId, 0);

    attribute.row.typeId = Type("Rank", AttributeKindText, "rank template");
    attribute.LoadType();
    EXPECT_STREQ(attribute.Type()->row.name, "Rank");
    AttributeAssertion untyped(db());
    EXPECT_STREQ(untyped.GetSentenceTemplate(0), "");
}

TEST_F(Attributes, DeleteRemovesOwnedRowsButNotTypeOrExcerpts)
{
    AttributeAssertion attribute(db());
    attribute.LoadLinked();
    const std::int32_t type = Type("Occupation", AttributeKindText);
    attribute.row.typeId = type;
    attribute.ValueText()->SetText("smith");
    attribute.Note()->SetText("note");
    attribute.Place()->Parse("Oslo");
    std::strcpy(attribute.Address()->row.city, "Oslo");
    attribute.Formatting()->SetText("{V}");
    attribute.Links().Append(NewLink(db(), AssertionAttribute, AddPerson(db(), 1, "Bo", "Ek")));
    auto ref = std::make_unique<ExcerptRef>(db());
    ref->row.excerptId = AddExcerpt(db(), AddSource(db(), "S", "S"), "1");
    attribute.ExcerptRefs().Append(std::move(ref));
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return attribute.Save(); }));

    AttributeAssertion stored(attribute.Id(), db());
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return stored.Delete(); }));
    for (TableNumber table :
         {TableAttribute2, TablePlace2, TableAddress, TableNote, TableFormatting, TableExcerptRef, TableAssertionLink})
        EXPECT_EQ(CountRows(db(), table), 0) << EngineTableName(table);
    EXPECT_TRUE(RowExists(db(), TableEventType, type));
    EXPECT_EQ(CountRows(db(), TableExcerpt), 1);
}

TEST_F(Attributes, OldRowsKeepEverythingButTheDateLayout)
{
    ASSERT_NO_FATAL_FAILURE(AddOldTable(db(), TableAttributeOld, "ATTRIBUTE", 71));
    unsigned char old[71] = {};
    for (int i = 0; i < 25; ++i)
        old[i] = static_cast<unsigned char>(i + 1);
    old[25] = DateRangeSingle;
    const unsigned char date[7] = {DateModifierNone, CalendarGregorian, 17, 5, 0x3C, 0x07, 0xFF};
    std::memcpy(old + 26, date, 7);
    old[66] = 180;
    old[70] = AttributeGreater;
    std::int32_t id = 0;
    {
        EngineTransaction transaction(db().file, TLV_READWRITE);
        id = tlvNewID(db().TableId(TableAttributeOld), db().file);
        ASSERT_EQ(tlvWriteRecord(db().TableId(TableAttributeOld), id, old, db().file), 0);
    }
    AttributeAssertion attribute(db());
    ASSERT_EQ(attribute.ReadOldRecord(id), 0);
    EXPECT_EQ(std::memcmp(&attribute.row, old, 25), 0);
    EXPECT_EQ(+attribute.row.value, 180);
    EXPECT_EQ(+attribute.row.modifier, AttributeGreater);
    const DateRange range = attribute.Date();
    EXPECT_EQ(range.type, DateRangeSingle);
    EXPECT_EQ(range.dates.first.day, 17);
    EXPECT_EQ(range.dates.first.Year(), 1852);
    EXPECT_EQ(range.dates.first.hour, 0xFF);
}

} // namespace
