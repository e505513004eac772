// The roles dialog over a real database, driven as a user would drive it.
#include "persons/ui/roles_dialog.h"

#include <string>

#include "platform/little_endian.h"
#include "core/role.h"
#include "tests/support/dialog_test_support.h"
#include "res/persons_resource.h"

namespace {

using namespace dialog_test;
using test_support::ScopedLanguage;
using test_support::TestDatabase;
using test_support::Transaction;

constexpr const char* Texts = "STANDARD_ROLES=Witness, Godparent\n"
                              "ROLES_NEW=(new role)\n"
                              "ROLES_TITLE=Roles\n"
                              "ROLES_INUSE=in use\n";

class RolesDialogTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        CurrentDatabase = database_.get();
    }
    HWND OpenRoles() { return Open(MAKEINTRESOURCEA(IDD_ROLES), RolesDlgProc); }

    std::string StoredName(std::int32_t id)
    {
        auto transaction = Transaction(*database_, TLV_READ);
        RoleRecord role(*database_);
        return role.Read(id) == 0 ? role.row.name : "<missing>";
    }
    int RoleCount()
    {
        auto transaction = Transaction(*database_, TLV_READ);
        int count = 0;
        RoleRecord role(*database_);
        for (std::int32_t id = 1; id <= tlvNumberOfRecords(database_->TableId(TableRole), database_->file); ++id)
            count += role.Read(id) == 0 ? 1 : 0;
        return count;
    }
    // Shows the entry of the list whose text is `name`.
    void Choose(HWND dialog, const std::string& name)
    {
        for (int i = 0; i < ComboCount(dialog, IDC_ROLES_LIST); ++i) {
            if (ComboText(dialog, IDC_ROLES_LIST, i) == name) {
                ChooseComboEntry(dialog, IDC_ROLES_LIST, i);
                return;
            }
        }
        ADD_FAILURE() << name << " is not listed";
    }

    ScopedLanguage language_{Texts};
    TestDatabase database_{true};
};

TEST_F(RolesDialogTest, ListsTheRolesAndCreatesANewOne)
{
    HWND dialog = OpenRoles();
    ASSERT_EQ(ComboCount(dialog, IDC_ROLES_LIST), 3);
    EXPECT_EQ(ComboText(dialog, IDC_ROLES_LIST, 0), "(new role)");
    EXPECT_EQ(ComboText(dialog, IDC_ROLES_LIST, 1), "Witness");
    EXPECT_EQ(ComboText(dialog, IDC_ROLES_LIST, 2), " Godparent");
    EXPECT_EQ(ComboSelection(dialog, IDC_ROLES_LIST), 0);
    EXPECT_FALSE(IsItemEnabled(dialog, IDC_ROLES_APPLY));

    SetDlgItemTextA(dialog, IDC_ROLES_NAME, "Officiant");
    EXPECT_TRUE(IsItemEnabled(dialog, IDC_ROLES_APPLY));
    SetDlgItemTextA(dialog, IDC_ROLES_NOTE, "leads the service");
    Click(dialog, IDC_ROLES_APPLY);

    EXPECT_EQ(StoredName(3), "Officiant");
    ASSERT_EQ(ComboCount(dialog, IDC_ROLES_LIST), 4);
    EXPECT_EQ(ComboText(dialog, IDC_ROLES_LIST, 3), "Officiant");
    EXPECT_EQ(ComboSelection(dialog, IDC_ROLES_LIST), 0);
    EXPECT_EQ(ItemText(dialog, IDC_ROLES_NAME), "");
    EXPECT_FALSE(IsItemEnabled(dialog, IDC_ROLES_APPLY));

    Choose(dialog, "Officiant");
    EXPECT_EQ(ItemText(dialog, IDC_ROLES_NAME), "Officiant");
    EXPECT_EQ(ItemText(dialog, IDC_ROLES_NOTE), "leads the service");
    EXPECT_FALSE(IsItemEnabled(dialog, IDC_ROLES_APPLY));
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(RolesDialogTest, RenamingKeepsTheFirst30CharactersAndTheNote)
{
    HWND dialog = OpenRoles();
    Choose(dialog, "Witness");
    SetDlgItemTextA(dialog, IDC_ROLES_NOTE, "first note");
    Click(dialog, IDC_ROLES_APPLY);
    std::int32_t noteId = 0;
    {
        auto transaction = Transaction(*database_, TLV_READ);
        RoleRecord role(*database_);
        ASSERT_EQ(role.Read(1), 0);
        noteId = role.row.noteId;
        EXPECT_NE(noteId, 0);
    }

    Choose(dialog, "Witness");
    SetDlgItemTextA(dialog, IDC_ROLES_NAME, std::string(40, 'w').c_str());
    Click(dialog, IDC_ROLES_APPLY);
    EXPECT_EQ(StoredName(1), std::string(30, 'w'));
    // The note chain is rewritten in place, not stored again beside the old one.
    auto transaction = Transaction(*database_, TLV_READ);
    RoleRecord role(*database_);
    ASSERT_EQ(role.Read(1), 0);
    EXPECT_EQ(role.row.noteId, noteId);
    EXPECT_EQ(tlvNumberOfRecords(database_->TableId(TableNote), database_->file), 1);
}

TEST_F(RolesDialogTest, EmptyNameDeletesTheRoleWithItsNote)
{
    HWND dialog = OpenRoles();
    Choose(dialog, " Godparent");
    SetDlgItemTextA(dialog, IDC_ROLES_NOTE, "note");
    Click(dialog, IDC_ROLES_APPLY);
    Choose(dialog, " Godparent");
    SetDlgItemTextA(dialog, IDC_ROLES_NAME, "");
    Click(dialog, IDC_ROLES_APPLY);

    EXPECT_EQ(StoredName(2), "<missing>");
    EXPECT_EQ(ComboCount(dialog, IDC_ROLES_LIST), 2);
    auto transaction = Transaction(*database_, TLV_READ);
    NoteRow note;
    EXPECT_NE(note.Read(1, *database_), 0);
}

TEST_F(RolesDialogTest, ARoleThatAnEventUsesIsNotDeleted)
{
    {
        auto transaction = Transaction(*database_);
        std::uint8_t link[17] = {1};
        platform::PutI32(link + 13, 1);
        std::int32_t table = database_->TableId(TableAssertionLink);
        std::int32_t id = tlvNewID(table, database_->file);
        ASSERT_EQ(tlvWriteRecord(table, id, link, database_->file), 0);
    }
    HWND dialog = OpenRoles();
    Choose(dialog, "Witness");
    SetDlgItemTextA(dialog, IDC_ROLES_NAME, "");
    Click(dialog, IDC_ROLES_APPLY);

    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "in use");
    EXPECT_EQ(boxes_.boxes[0].caption, "Roles");
    EXPECT_EQ(StoredName(1), "Witness");
    EXPECT_EQ(ItemText(dialog, IDC_ROLES_NAME), "Witness");
    EXPECT_EQ(ComboCount(dialog, IDC_ROLES_LIST), 3);
}

TEST_F(RolesDialogTest, NewRoleWithEmptyNameIsCreated)
{
    HWND dialog = OpenRoles();
    SetDlgItemTextA(dialog, IDC_ROLES_NOTE, "nameless");
    Click(dialog, IDC_ROLES_APPLY);
    EXPECT_EQ(RoleCount(), 3);
    EXPECT_EQ(StoredName(3), "");
}

} // namespace

namespace {

// Both dialogs say so in one and the same box when the database file cannot be written, and keep what
// was typed, so that it can be applied again once the file can be written.
TEST_F(RolesDialogTest, AFailedWriteSaysSoAndKeepsWhatWasTyped)
{
    ScopedLanguage master{ScopedLanguage::Master()};
    HWND dialog = OpenRoles();
    SetDlgItemTextA(dialog, IDC_ROLES_NAME, "Officiant");
    SetDlgItemTextA(dialog, IDC_ROLES_NOTE, "leads the service");
    WhileFileIsHeld(database_.path().str(), [&] { Click(dialog, IDC_ROLES_APPLY); });
    ExpectOnlyWriteFailureBox(boxes_);
    EXPECT_EQ(RoleCount(), 2);
    EXPECT_EQ(ItemText(dialog, IDC_ROLES_NAME), "Officiant");
    EXPECT_EQ(ItemText(dialog, IDC_ROLES_NOTE), "leads the service");
    EXPECT_TRUE(IsItemEnabled(dialog, IDC_ROLES_APPLY));

    Click(dialog, IDC_ROLES_APPLY);
    EXPECT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(RoleCount(), 3);
    EXPECT_EQ(StoredName(3), "Officiant");
}

} // namespace
