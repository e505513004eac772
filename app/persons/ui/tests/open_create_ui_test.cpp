// Opening and creating databases through the windows side: the message boxes behind the open's prompts and
// the save-file dialog that names a new database.
#include "core/ui/open_create_ui.h"

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "core/open_create.h"
#include "persons/upgrade.h"
#include "settings/settings.h"
#include "tests/support/dialog_test_support.h"

namespace {

using namespace dialog_test;
using test_support::ScopedLanguage;
using test_support::TempPath;
using test_support::TestDatabase;
using test_support::Transaction;

constexpr const char* Texts = "DATABASE_ERROR=error\n"
                              "DATABASE_VERSION_OLDER=older\n"
                              "DATABASE_UPGRADE=upgrade?\n"
                              "DATABASE_UPGRADE_FAILED=not upgraded\n"
                              "IDS_DB_FILTERSTRING=Databases (*.vdb)|*.vdb|\n"
                              "IDS_DB_NEWTITLE=New database\n"
                              "STANDARD_ROLES=Witness\n";

class OpenCreateUiTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        previous_ = SetDatabasePrompts(nullptr);
        InstallDatabasePrompts();
    }
    void TearDown() override
    {
        SetDatabasePrompts(previous_);
        DialogTest::TearDown();
    }

    // A database whose header says `version`, closed again.
    void SetVersion(TestDatabase& database, std::int16_t version)
    {
        auto transaction = Transaction(*database);
        database->header.version = version;
        ASSERT_EQ(tlvWriteRecord(database->TableId(TableMain2), 1, &database->header, database->file), 0);
    }

    ScopedLanguage language_{Texts};
    DatabasePrompts* previous_ = nullptr;
};

TEST_F(OpenCreateUiTest, RefusalsAndTheUpgradeQuestionAreMessageBoxes)
{
    auto older = std::make_unique<TestDatabase>(false, "older.vdb");
    SetVersion(*older, 96);
    std::string olderPath = older->path().str();
    auto upgradable = std::make_unique<TestDatabase>(false, "upgradable.vdb");
    SetVersion(*upgradable, 9000);
    std::string upgradablePath = upgradable->path().str();
    // Closed, but kept on disk for the opens below.
    older->Close();
    upgradable->Close();

    EXPECT_EQ(OpenDatabase(nullptr, olderPath.c_str(), UpgradeOlderDatabase), nullptr);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "older");
    EXPECT_EQ(boxes_.boxes[0].caption, "<null>");
    EXPECT_EQ(boxes_.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));

    boxes_.boxes.clear();
    boxes_.answer = IDNO;
    EXPECT_EQ(OpenDatabase(nullptr, upgradablePath.c_str(), UpgradeOlderDatabase), nullptr);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "upgrade?");
    EXPECT_EQ(boxes_.boxes[0].caption, std::filesystem::path(upgradablePath).filename().string());
    EXPECT_EQ(boxes_.boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));

    boxes_.boxes.clear();
    boxes_.answer = IDYES;
    EXPECT_EQ(OpenDatabase(nullptr, upgradablePath.c_str(), UpgradeOlderDatabase), nullptr);
    ASSERT_EQ(boxes_.boxes.size(), 2u);
    EXPECT_EQ(boxes_.boxes[1].text, "not upgraded");
    EXPECT_EQ(boxes_.boxes[1].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
}

TEST_F(OpenCreateUiTest, NewDatabaseIsNamedInTheSaveDialogAndCreated)
{
    TempPath expected("named.vdb");
    std::string folder = std::filesystem::path(expected.str()).parent_path().string();
    std::strncpy(CurrentSettings.general.DatabaseDir, folder.c_str(), sizeof CurrentSettings.general.DatabaseDir - 1);
    FrameWindow =
        CreateWindowA("STATIC", "frame", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, AppInstance, nullptr);
    std::string title;
    WhenDialogOpens(FrameWindow, [&](HWND dialog) {
        title = WindowText(dialog);
        // The file name without its extension: the dialog adds the default one.
        std::string name = std::filesystem::path(expected.str()).stem().string();
        HWND field = GetDlgItem(dialog, 0x47c); // the file-name box of the common dialog (cmb13)
        if (field == nullptr)
            field = GetDlgItem(dialog, 0x480); // edt1 of the older style
        SetWindowTextA(field, name.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    std::unique_ptr<Database> database(NewDatabase(true));
    DestroyWindow(FrameWindow);
    FrameWindow = nullptr;
    CurrentSettings.general.DatabaseDir[0] = 0;

    EXPECT_EQ(title, "New database");
    ASSERT_NE(database, nullptr);
    EXPECT_TRUE(std::filesystem::equivalent(database->path, expected.str())) << database->path;
    auto transaction = Transaction(*database, TLV_READ);
    EXPECT_EQ(tlvNumberOfRecords(database->TableId(TableRole), database->file), 1);
}

TEST_F(OpenCreateUiTest, ACreationThatFailsSaysWhyOnce)
{
    ScopedLanguage master{ScopedLanguage::Master()};
    TempPath held("held.vdb");
    // Another program holds a file of that name, sharing it with nobody.
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    TempPath folderless("gone");
    const std::string missingFolder = folderless.str() + "\\no such folder\\family.vdb";
    TempPath good("good.vdb");

    struct Case {
        const char* what;
        std::string path;
        bool created;
    };
    const Case cases[] = {
        {"held by another program", held.str(), false},
        {"in a missing folder", missingFolder, false},
        {"where it can be written", good.str(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        boxes_.boxes.clear();
        std::unique_ptr<Database> database(CreateDatabaseAt(nullptr, c.path.c_str(), false));
        EXPECT_EQ(database != nullptr, c.created);
        if (c.created) {
            EXPECT_TRUE(boxes_.boxes.empty());
            continue;
        }
        ASSERT_EQ(boxes_.boxes.size(), 1u);
        std::string expected = GetLanguageText("DATABASE_CREATE_ERROR");
        expected.replace(expected.find("%s"), 2, c.path);
        EXPECT_EQ(boxes_.boxes[0].text, expected);
        EXPECT_EQ(boxes_.boxes[0].caption, "<null>");
        EXPECT_EQ(boxes_.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    }
    CloseHandle(holder);
}

// A database file cut short (a copy that stopped half-way) is refused with the program's message, and
// nothing of it is changed.
TEST_F(OpenCreateUiTest, AFileCutToHalfItsLengthIsRefused)
{
    auto whole = std::make_unique<TestDatabase>(true, "cut.vdb");
    std::string path = whole->path().str();
    whole->Close();
    std::uintmax_t length = std::filesystem::file_size(path);
    ASSERT_GT(length, 4u * 8192u);
    std::filesystem::resize_file(path, (length / 8192 / 2) * 8192);
    const std::uintmax_t cut = std::filesystem::file_size(path);

    EXPECT_EQ(OpenDatabase(nullptr, path.c_str(), UpgradeOlderDatabase), nullptr);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "error");
    EXPECT_EQ(boxes_.boxes[0].caption, "<null>");
    EXPECT_EQ(boxes_.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(std::filesystem::file_size(path), cut);
}

} // namespace
