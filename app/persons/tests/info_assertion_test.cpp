// Information notes against a real database file.
#include "persons/info_assertion.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/note_text.h"
#include "records/excerpt_ref.h"
#include "persons/tests/assertion_test_support.h"
#include "core/write_transaction.h"
#include "settings/settings.h"

namespace {

using namespace assertion_test;

class Infos : public AssertionTest {
protected:
    std::int32_t StoreInfo(const char* text, const char* note)
    {
        InfoAssertion info(db());
        info.LoadLinked();
        info.Text()->SetText(text);
        info.Note()->SetText(note);
        info.Links().Append(NewLink(db(), AssertionInfo, AddPerson(db(), 1, "Bo", "Ek")));
        auto ref = std::make_unique<ExcerptRef>(db());
        ref->row.excerptId = AddExcerpt(db(), AddSource(db(), "Letters", "L"), "no. 4");
        info.ExcerptRefs().Append(std::move(ref));
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return info.Save(); }));
        return info.Id();
    }
};

TEST_F(Infos, TextAndNoteAreSeparateChains)
{
    const std::int32_t id = StoreInfo("emigrated to America", "per his letters");
    Reopen();
    const std::vector<unsigned char> bytes = RawRow(db(), TableInfo, id, 9);
    std::int32_t textId, noteId;
    std::memcpy(&textId, &bytes[1], 4);
    std::memcpy(&noteId, &bytes[5], 4);
    EXPECT_NE(textId, noteId);
    InfoAssertion info(db());
    info.ReadAndLoad(id);
    EXPECT_STREQ(info.Text()->Text(), "emigrated to America");
    EXPECT_STREQ(info.Note()->Text(), "per his letters");

    std::strcpy(CurrentSettings.report.InfoFormatting, "{V}[o? ({o})].");
    char out[128];
    NameRecord name(db());
    EXPECT_STREQ(info.FormatSentence(out, sizeof out, info.Links()[0], name, 1, false, ScreenDatePicture()),
                 "Emigrated to America (L no. 4).");

    // A note shown by a group but substituted only when notes are included.
    CurrentSettings.report.IncludeNotes = 0;
    std::strcpy(CurrentSettings.report.InfoFormatting, "[n?note:{n}]");
    EXPECT_STREQ(info.FormatSentence(out, sizeof out, info.Links()[0], name, 1, false, ScreenDatePicture()), "note:");
    CurrentSettings.report.IncludeSources = 0;
    EXPECT_EQ(info.HasField('o', info.Links()[0]), 0);
    for (int letter = 0; letter < 256; ++letter) {
        const int has = info.HasField(static_cast<char>(letter), info.Links()[0]);
        EXPECT_TRUE(has == 0 || has == 1) << letter;
    }
}

TEST_F(Infos, EmptiedTextIsDeletedAndHasNoValue)
{
    InfoAssertion info(db());
    info.ReadAndLoad(StoreInfo("text", "note"));
    const std::int32_t textId = info.row.textId;
    info.Text()->SetText("");
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return info.Save(); }));
    EXPECT_EQ(+info.row.textId, 0);
    EXPECT_FALSE(RowExists(db(), TableNote, textId));
    EXPECT_EQ(info.HasField('v', info.Links()[0]), 0);
}

TEST_F(Infos, DeleteRemovesBothChainsKeepsExcerpts)
{
    InfoAssertion info(StoreInfo("text", "note"), db());
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return info.Delete(); }));
    for (TableNumber table : {TableInfo, TableNote, TableExcerptRef, TableAssertionLink})
        EXPECT_EQ(CountRows(db(), table), 0) << EngineTableName(table);
    EXPECT_EQ(CountRows(db(), TableExcerpt), 1);
}

} // namespace
