// Name assertions (aliases) against a real database file.
#include "persons/name_assertion.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/note_text.h"
#include "persons/assertion_fields.h"
#include "records/excerpt_ref.h"
#include "persons/tests/assertion_test_support.h"
#include "core/write_transaction.h"
#include "settings/settings.h"

namespace {

using namespace assertion_test;

class Names : public AssertionTest {
protected:
    // A stored alias "Johnny Smith" of the person, with a note and one citation.
    std::int32_t StoreAlias(std::int32_t person)
    {
        NameAssertion alias(db());
        alias.LoadLinked();
        alias.row.privacy = PrivacyFamily;
        alias.Name()->AppendPart(NamePartGiven, "Johnny");
        alias.Name()->AppendPart(NamePartSurname, "Smith");
        alias.Note()->SetText("from the census");
        alias.Links().Append(NewLink(db(), AssertionName, person));
        auto ref = std::make_unique<ExcerptRef>(db());
        ref->row.excerptId = AddExcerpt(db(), AddSource(db(), "Census", "C"), "f. 3");
        alias.ExcerptRefs().Append(std::move(ref));
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return alias.Save(); }));
        return alias.Id();
    }
};

TEST_F(Names, SaveStoresTheRowTheNameAndItsPerson)
{
    const std::int32_t person = AddPerson(db(), 1, "John", "Smith");
    const std::int32_t id = StoreAlias(person);
    Reopen();
    const std::vector<unsigned char> bytes = RawRow(db(), TableAlias2, id, 50);
    EXPECT_EQ(bytes[0], PrivacyFamily);
    std::int32_t noteId, nameId;
    std::memcpy(&noteId, &bytes[1], 4);
    std::memcpy(&nameId, &bytes[5], 4);
    EXPECT_NE(noteId, 0);
    EXPECT_EQ(bytes[9], DateRangeText);

    NameRecord name(nameId, db());
    EXPECT_EQ(+name.row.number, person);
    NameAssertion alias(db());
    alias.ReadAndLoad(id);
    char text[128];
    EXPECT_STREQ(alias.Name()->Format(text, sizeof text), "Johnny Smith");
    EXPECT_STREQ(alias.Note()->Text(), "from the census");
    ASSERT_EQ(alias.Links().Count(), 1u);
    ASSERT_EQ(alias.ExcerptRefs().Count(), 1u);
    EXPECT_EQ(+alias.ExcerptRefs()[0].row.ownerKind, OwnerNameAssertion);
}

TEST_F(Names, SaveWithoutAnyLinkStillSucceeds)
{
    NameAssertion alias(db());
    alias.LoadLinked();
    alias.Name()->AppendPart(NamePartGiven, "Nobody");
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return alias.Save(); }));
    EXPECT_EQ(+NameRecord(alias.row.nameId, db()).row.number, 0);
}

TEST_F(Names, MarkedLinkIsDeletedButStaysListed)
{
    const std::int32_t id = StoreAlias(AddPerson(db(), 1, "John", "Smith"));
    NameAssertion alias(db());
    alias.ReadAndLoad(id);
    const std::int32_t link = alias.Links()[0].Id();
    alias.Links().Append(NewLink(db(), AssertionName, AddPerson(db(), 1, "Jon", "Smed")));
    alias.Links().SetMark(0, 1);
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return alias.Save(); }));
    // The new link may take the freed id: only one link row is left, and it is the new one's.
    EXPECT_EQ(CountRows(db(), TableAssertionLink), 1);
    EXPECT_TRUE(RowExists(db(), TableAssertionLink, alias.Links()[1].Id()));
    EXPECT_NE(link, 0);
    EXPECT_EQ(alias.Links().Count(), 2u);
    EXPECT_EQ(alias.Links()[0].Id(), 0);
    // The name now belongs to the person of the remaining link.
    EXPECT_EQ(+NameRecord(alias.row.nameId, db()).row.number, +alias.Links()[1].row.personId);
}

TEST_F(Names, FieldLetters)
{
    const std::int32_t person = AddPerson(db(), 1, "John", "Smith");
    NameAssertion alias(db());
    alias.ReadAndLoad(StoreAlias(person));
    std::uint8_t sex = 0;
    std::int32_t nameId = 0;
    ASSERT_TRUE(ReadPersonSummary(person, db(), sex, nameId));
    NameRecord name(nameId, db());
    const AssertionLink& link = alias.Links()[0];
    CurrentSettings.report.IncludeNotes = 0;
    EXPECT_EQ(alias.HasField('n', link), 1) << "the note is given whatever IncludeNotes says";
    char out[128];
    const std::pair<char, const char*> cases[] = {
        {'v', "Johnny Smith"}, {'f', "John"}, {'n', "from the census"}, {'o', "C f. 3"}, {'d', "unchanged"}};
    for (const auto& [letter, expected] : cases) {
        std::strcpy(out, "unchanged");
        alias.GetFieldText(out, sizeof out, letter, link, name, false);
        EXPECT_STREQ(out, expected) << letter;
    }
    std::strcpy(CurrentSettings.report.AliasFormatting, "<He|She> was also known as {v}[o? ({o})][!n?.]");
    EXPECT_STREQ(alias.FormatSentence(out, sizeof out, link, name, 1, false, ScreenDatePicture()),
                 "He was also known as Johnny Smith (C f. 3)");
    CurrentSettings.report.IncludeSources = 0;
    EXPECT_EQ(alias.HasField('o', link), 0);
    std::strcpy(out, "x");
    alias.GetFieldText(out, sizeof out, 'o', link, name, false);
    EXPECT_STREQ(out, "");
    for (int letter = 0; letter < 256; ++letter) {
        const int has = alias.HasField(static_cast<char>(letter), link);
        EXPECT_TRUE(has == 0 || has == 1) << letter;
    }

    NameAssertion bare(db());
    bare.LoadLinked();
    EXPECT_EQ(bare.HasField('n', link), 0);
    EXPECT_EQ(bare.HasField('v', link), 0);
}

TEST_F(Names, DeleteRemovesNameNoteReferencesAndLinksButNotExcerpts)
{
    const std::int32_t id = StoreAlias(AddPerson(db(), 1, "John", "Smith"));
    NameAssertion alias(id, db());
    const NameAssertionRow row = alias.row;
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return alias.Delete(); }));
    EXPECT_FALSE(RowExists(db(), TableAlias2, id));
    EXPECT_FALSE(RowExists(db(), TableName, row.nameId));
    EXPECT_FALSE(RowExists(db(), TableNote, row.noteId));
    EXPECT_EQ(CountRows(db(), TableExcerptRef), 0);
    EXPECT_EQ(CountRows(db(), TableAssertionLink), 0);
    EXPECT_EQ(CountRows(db(), TableExcerpt), 1);
}

TEST_F(Names, OldRowsGetDatesWithoutTime)
{
    ASSERT_NO_FATAL_FAILURE(AddOldTable(db(), TableAliasOld, "ALIAS", 50));
    const auto writeOld = [&](const unsigned char(&old)[50]) { return WriteOldRow(db(), TableAliasOld, old); };
    unsigned char old[50] = {};
    old[0] = PrivacyPrivate;
    old[1] = 7; // note id
    old[5] = 8; // name id
    old[9] = DateRangeFrom;
    const unsigned char from[7] = {0, CalendarGregorian, 1, 2, 0x6C, 0x07, 0xFF};
    std::memcpy(old + 10, from, 7);
    NameAssertion alias(db());
    const std::int32_t id = writeOld(old);
    ASSERT_EQ(alias.ReadOldRecord(id), 0);
    EXPECT_EQ(alias.Id(), id);
    EXPECT_EQ(+alias.row.privacy, PrivacyPrivate);
    EXPECT_EQ(+alias.row.noteId, 7);
    EXPECT_EQ(+alias.row.nameId, 8);
    const DateRange date = alias.Date();
    EXPECT_EQ(date.type, DateRangeFrom);
    EXPECT_EQ(date.dates.first.hour, 0xFF);
    EXPECT_EQ(date.dates.first.minute, 0xFF);
    EXPECT_EQ(date.dates.first.Year(), 1900);
    EXPECT_EQ(date.dates.first.day, 1);

    unsigned char textDate[50] = {};
    textDate[9] = DateRangeText;
    std::strcpy(reinterpret_cast<char*>(textDate + 10), "about Easter");
    NameAssertion text(db());
    ASSERT_EQ(text.ReadOldRecord(writeOld(textDate)), 0);
    EXPECT_EQ(text.Date().Text(), "about Easter");
}

} // namespace
