#include "persons/sentence_format.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_database.h"

namespace {

using test_support::TestDatabase;
using test_support::Transaction;

std::int32_t FormattingRows(Database& database)
{
    return tlvNumberOfRecords(database.TableId(TableFormatting), database.file);
}

TEST(FormattingText, EmptyOverrideIsNeverStored)
{
    TestDatabase database;
    auto transaction = Transaction(*database);
    FormattingText text(*database);
    EXPECT_TRUE(text.Save());
    EXPECT_EQ(text.Id(), 0);
    EXPECT_EQ(FormattingRows(*database), 0);
}

TEST(FormattingText, ClearingDeletesTheRowAndNewTextTakesANewOne)
{
    TestDatabase database;
    std::int32_t first = 0;
    {
        auto transaction = Transaction(*database);
        FormattingText text(*database);
        text.SetText("{F} was born");
        ASSERT_TRUE(text.Save());
        first = text.Id();
        EXPECT_NE(first, 0);
        // A second save of a stored text keeps its row.
        text.SetText("{F} was baptised");
        ASSERT_TRUE(text.Save());
        EXPECT_EQ(text.Id(), first);
    }
    database.Reopen();
    auto transaction = Transaction(*database);
    FormattingText stored(first, *database);
    EXPECT_EQ(stored.Id(), first);
    EXPECT_STREQ(stored.Text(), "{F} was baptised");

    stored.SetText("");
    ASSERT_TRUE(stored.Save());
    EXPECT_EQ(stored.Id(), 0);
    FormattingText gone(*database);
    EXPECT_NE(gone.Read(first), 0);
    EXPECT_EQ(gone.Id(), 0);

    // Another override in between takes the freed row, so the revived text gets an id of its own.
    FormattingText other(*database);
    other.SetText("other");
    ASSERT_TRUE(other.Save());
    stored.SetText("again");
    ASSERT_TRUE(stored.Save());
    EXPECT_NE(stored.Id(), 0);
    EXPECT_NE(stored.Id(), other.Id());
    FormattingText reread(stored.Id(), *database);
    EXPECT_STREQ(reread.Text(), "again");
}

TEST(FormattingText, LongTextIsCutTo63Characters)
{
    TestDatabase database;
    auto transaction = Transaction(*database);
    std::string longText(70, 'a');
    FormattingText text(*database);
    text.SetText(longText.c_str());
    EXPECT_EQ(std::string(text.Text()), longText.substr(0, 63));
    ASSERT_TRUE(text.Save());
    FormattingText reread(text.Id(), *database);
    EXPECT_EQ(std::string(reread.Text()), longText.substr(0, 63));
}

TEST(FormattingText, DeleteById)
{
    TestDatabase database;
    auto transaction = Transaction(*database);
    FormattingText text(*database);
    text.SetText("x");
    ASSERT_TRUE(text.Save());
    EXPECT_TRUE(DeleteFormattingText(text.Id(), *database));
    EXPECT_FALSE(DeleteFormattingText(text.Id(), *database));
    EXPECT_EQ(database->LastError(), TLV_ERROR_RECORD);
    FormattingText reread(*database);
    EXPECT_NE(reread.Read(text.Id()), 0);
}

} // namespace
