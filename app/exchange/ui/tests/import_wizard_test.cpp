// The import wizard, its progress dialog and its result, driven as a user would drive them.
#include "exchange/ui/import_wizard.h"

#include <prsht.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "exchange/import_data.h"
#include "exchange/import_log.h"
#include "exchange/tests/import_test_support.h"
#include "exchange/ui/tests/wizard_sheet_test_support.h"
#include "tests/support/dialog_test_support.h"
#include "tests/support/gedcom_generate.h"
#include "res/exchange_resource.h"
#include "ui_common/file_dialog.h"
#include "res/frame_resource.h"

namespace {

using namespace dialog_test;
using namespace import_test;
using namespace wizard_test;
using test_support::CountRows;
using test_support::ScopedLanguage;
using test_support::TempPath;
using test_support::TestDatabase;

// A file of `count` persons, enough for an import to take several steps of its dialog.
void WritePersons(const std::string& path, int count)
{
    WexmorWriter writer(path);
    for (int id = 1; id <= count; ++id)
        ExportPerson(writer.get(), id, 1 + id % 2, MakeName({{"Given", 6}, {"Surname", 4}}));
}

// Runs `onDialog` for every dialog of this thread that `owner` owns, once, as it comes up: the modal
// dialogs of an import run their own message loops, which serve this timer.
struct OwnedDialogs {
    static inline std::function<void(HWND)> onDialog;
    static inline HWND owner = nullptr;
    static inline std::vector<HWND> seen;
    static inline UINT_PTR timer = 0;

    static BOOL CALLBACK Visit(HWND window, LPARAM)
    {
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == "#32770" && GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window) &&
            std::find(seen.begin(), seen.end(), window) == seen.end()) {
            seen.push_back(window);
            onDialog(window);
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        EnumThreadWindows(GetCurrentThreadId(), Visit, 0);
    }
    OwnedDialogs(HWND ownerWindow, std::function<void(HWND)> action)
    {
        owner = ownerWindow;
        onDialog = std::move(action);
        seen.clear();
        timer = SetTimer(nullptr, 0, 30, Tick);
    }
    ~OwnedDialogs()
    {
        KillTimer(nullptr, timer);
        onDialog = nullptr;
    }
};

// The frame's close-database command, as the frame answers it: closes, or a window refuses.
struct FakeFrame {
    static inline bool refuse = false;
    static inline bool asked = false;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_COMMAND && LOWORD(wParam) == IDM_FILE_CLOSEDB) {
            asked = true;
            if (!refuse)
                CurrentDatabase = nullptr;
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    FakeFrame()
    {
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ImportTestFrame";
        RegisterClassA(&windowClass);
        window = CreateWindowA("ImportTestFrame", "frame", WS_OVERLAPPEDWINDOW, 100, 100, 600, 400, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        FrameWindow = window;
        asked = false;
    }
    ~FakeFrame()
    {
        FrameWindow = nullptr;
        DestroyWindow(window);
    }
    HWND window;
};

class ImportWizardTest : public WizardSheetTest {
protected:
    HWND OpenWizard(const std::string& path)
    {
        EXPECT_TRUE(InitImportWizardData(block_, path.c_str()));
        sheet_ = OpenImportWizardModeless(nullptr, block_);
        EXPECT_NE(sheet_, nullptr);
        return sheet_;
    }

    ScopedLanguage language_ {ScopedLanguage::Master()};
    TestDatabase database_ {true};
    TempPath file_ {"family.wmx", "vestrada_import_wizard_"};
    ImportWizardData block_;
};

TEST_F(ImportWizardTest, WexmorPagesFillTheBlockAndSkipTheGedcomOptions)
{
    CurrentDatabase = database_.get();
    OpenWizard(file_.str());
    EXPECT_EQ(ItemText(Page(), IDC_IMPORT_PATH), file_.str());
    EXPECT_EQ(ItemText(Page(), IDC_IMPORT_FORMAT), GetLanguageText("IMPORT_FILE_WEXMOR20"));
    EXPECT_EQ(ItemText(Page(), IDC_IMPORT_INTRO), GetLanguageText("IMPORT_FILE_INTRO"));
    EXPECT_TRUE(ButtonEnabled(WizardNext));

    Press(PSBTN_NEXT);
    HWND database = Page();
    EXPECT_TRUE(IsItemEnabled(database, IDC_IMPORT_EXISTING));
    EXPECT_EQ(IsDlgButtonChecked(database, IDC_IMPORT_NEW), BST_CHECKED);
    EXPECT_EQ(ItemText(database, IDC_IMPORT_OPENPATH), database_->path);
    EXPECT_FALSE(ButtonEnabled(WizardNext)) << "no new file named yet";
    CheckRadioButton(database, IDC_IMPORT_EXISTING, IDC_IMPORT_NEW, IDC_IMPORT_EXISTING);
    Click(database, IDC_IMPORT_EXISTING);
    EXPECT_TRUE(ButtonEnabled(WizardNext));
    EXPECT_EQ(block_.createNewDatabase, 0u);

    Press(PSBTN_NEXT);
    EXPECT_EQ(ItemText(Page(), IDC_IMPORT_LOGPATH), block_.logPath);
    Press(PSBTN_NEXT);
    HWND data = Page();
    CheckDlgButton(data, IDC_IMPORT_RESEARCH, BST_CHECKED);
    Click(data, IDC_IMPORT_RESEARCH);
    CheckDlgButton(data, IDC_IMPORT_OBJECT, BST_CHECKED);
    Click(data, IDC_IMPORT_OBJECT);
    EXPECT_EQ(block_.importResearch, 0u);
    EXPECT_EQ(block_.importObjects, 0u);
    EXPECT_EQ(block_.importSources, 1u);

    Press(PSBTN_NEXT);
    HWND finish = Page();
    EXPECT_NE(GetDlgItem(finish, IDC_IMPORT_FINISHTEXT), nullptr) << "a Wexmor import skips the GEDCOM options";
    const std::string text = ItemText(finish, IDC_IMPORT_FINISHTEXT);
    EXPECT_NE(text.find("family.wmx"), std::string::npos) << text;
    EXPECT_NE(text.find("test.vdb"), std::string::npos) << text;
    EXPECT_TRUE(ButtonEnabled(WizardFinish) || ButtonEnabled(WizardNext));
    Press(PSBTN_BACK);
    EXPECT_NE(GetDlgItem(Page(), IDC_IMPORT_RESEARCH), nullptr) << "Back leads to the data page again";
    Press(PSBTN_NEXT);
    Press(PSBTN_FINISH);
    EXPECT_EQ(block_.finished, 1u);
}

// Browse on the log page: the save-file dialog proposes the derived log, and the file chosen becomes the
// log; Cancel keeps the log as it was, and the imported file itself is never taken as its log.
TEST_F(ImportWizardTest, BrowseChoosesTheLogFile)
{
    struct Choice {
        static bool Answer(OPENFILENAMEA& dialog, void* context)
        {
            auto* self = static_cast<Choice*>(context);
            self->proposed = dialog.lpstrFile;
            self->title = dialog.lpstrTitle != nullptr ? dialog.lpstrTitle : "";
            self->defaultExtension = dialog.lpstrDefExt != nullptr ? dialog.lpstrDefExt : "";
            self->asksBeforeReplacing = (dialog.Flags & OFN_OVERWRITEPROMPT) != 0;
            if (self->chosen.empty())
                return false;
            std::snprintf(dialog.lpstrFile, dialog.nMaxFile, "%s", self->chosen.c_str());
            return true;
        }
        std::string chosen, proposed, title, defaultExtension;
        bool asksBeforeReplacing = false;
    } choice;
    SetFileDialogAnswerer(Choice::Answer, &choice);
    CurrentDatabase = database_.get();
    OpenWizard(file_.str());
    const std::string derived = block_.logPath;
    Press(PSBTN_NEXT);
    Press(PSBTN_NEXT);
    HWND logPage = Page();
    ASSERT_NE(GetDlgItem(logPage, IDC_IMPORT_LOGBROWSE), nullptr);
    EXPECT_EQ(ItemText(logPage, IDC_IMPORT_LOGBROWSE), GetLanguageText("BUTTON_BROWSE"));

    Click(logPage, IDC_IMPORT_LOGBROWSE); // cancelled
    EXPECT_EQ(choice.proposed, derived);
    EXPECT_EQ(choice.title, GetLanguageText("IMPORT_LOGFILE_BROWSE"));
    EXPECT_EQ(choice.defaultExtension, "log");
    EXPECT_TRUE(choice.asksBeforeReplacing);
    EXPECT_EQ(std::string(block_.logPath), derived);

    const std::string elsewhere = (std::filesystem::temp_directory_path() / "elsewhere.log").string();
    choice.chosen = elsewhere;
    Click(logPage, IDC_IMPORT_LOGBROWSE);
    EXPECT_EQ(std::string(block_.logPath), elsewhere);
    EXPECT_EQ(ItemText(logPage, IDC_IMPORT_LOGPATH), elsewhere);

    choice.chosen = file_.str();
    Click(logPage, IDC_IMPORT_LOGBROWSE);
    EXPECT_EQ(choice.proposed, elsewhere) << "the next Browse starts from the chosen log";
    EXPECT_EQ(std::string(block_.logPath), file_.str() + ".log");
    SetFileDialogAnswerer(nullptr, nullptr);
    Press(PSBTN_NEXT);
    EXPECT_NE(GetDlgItem(Page(), IDC_IMPORT_RESEARCH), nullptr) << "Next goes on to the data page";
}

TEST_F(ImportWizardTest, GedcomOptionsAndNoOpenDatabase)
{
    CurrentDatabase = nullptr;
    TempPath gedcom("tree.GED", "vestrada_import_wizard_ged_");
    OpenWizard(gedcom.str());
    EXPECT_EQ(ItemText(Page(), IDC_IMPORT_FORMAT), GetLanguageText("IMPORT_FILE_GEDCOM"));
    Press(PSBTN_NEXT);
    HWND database = Page();
    EXPECT_FALSE(IsItemEnabled(database, IDC_IMPORT_EXISTING));
    EXPECT_FALSE(IsItemEnabled(database, IDC_IMPORT_NEW));
    EXPECT_EQ(IsDlgButtonChecked(database, IDC_IMPORT_NEW), BST_CHECKED);
    EXPECT_FALSE(ButtonEnabled(WizardNext)) << "only a new database can take the import";
    EXPECT_TRUE(ButtonEnabled(WizardBack));
    // As if a name had been browsed.
    std::snprintf(block_.newDatabasePath, sizeof block_.newDatabasePath, "%s", "C:\\trees\\new.vdb");
    Click(database, IDC_IMPORT_NEW);
    EXPECT_TRUE(ButtonEnabled(WizardNext));
    EXPECT_EQ(block_.createNewDatabase, 1u);
    Press(PSBTN_NEXT);
    Press(PSBTN_NEXT);
    Press(PSBTN_NEXT);
    HWND options = Page();
    ASSERT_NE(GetDlgItem(options, IDC_IMPORT_GIVENNAME), nullptr) << "a GEDCOM import shows its options";
    EXPECT_EQ(IsDlgButtonChecked(options, IDC_IMPORT_USERDEFINED), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(options, IDC_IMPORT_GREGORIAN), BST_UNCHECKED);
    EXPECT_EQ(ComboCount(options, IDC_IMPORT_PERSONADD), 3);
    EXPECT_EQ(ComboText(options, IDC_IMPORT_EVENTADD, 2), GetLanguageText("IMPORT_GEDCOM_EVENTADD2"));
    CheckDlgButton(options, IDC_IMPORT_GREGORIAN, BST_CHECKED);
    Click(options, IDC_IMPORT_GREGORIAN);
    ChooseComboEntry(options, IDC_IMPORT_PERSONADD, 2);
    ChooseComboEntry(options, IDC_IMPORT_EVENTADD, 1);
    EXPECT_EQ(block_.gedcomGregorian, 1u);
    EXPECT_EQ(block_.gedcomPersonAdd, 2u);
    EXPECT_EQ(block_.gedcomEventAdd, 1u);
    Press(PSBTN_NEXT);
    const std::string text = ItemText(Page(), IDC_IMPORT_FINISHTEXT);
    EXPECT_NE(text.find("tree.GED"), std::string::npos);
    EXPECT_NE(text.find("new.vdb"), std::string::npos);
}

// Serves this thread's messages for 300 ms: whether the progress dialog's bar stayed where it was meanwhile.
bool ProgressStaysWhileServing(HWND progress)
{
    const LRESULT before = SendDlgItemMessageA(progress, IDC_IMPORT_PROGRESS, PBM_GETPOS, 0, 0);
    const DWORD until = GetTickCount() + 300;
    MSG message;
    while (GetTickCount() < until)
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    return SendDlgItemMessageA(progress, IDC_IMPORT_PROGRESS, PBM_GETPOS, 0, 0) == before;
}

// The progress dialog: Cancel asks, and nothing is read while the question is open; No goes on, Yes keeps
// nothing; Enter never ends the import early.
TEST_F(ImportWizardTest, ProgressDialogPausesForItsQuestion)
{
    WritePersons(file_.str(), 4000);
    struct Case {
        const char* name;
        int answer;
        bool sendEnter;
        bool stored;
    } cases[] = {{"No", IDNO, true, true}, {"Yes", IDYES, false, false}};
    for (const Case& c : cases) {
        TestDatabase database(true);
        FakeFrame owner;
        ImportWizardData block;
        ASSERT_TRUE(InitImportWizardData(block, file_.c_str()));
        boxes_.answer = c.answer;
        boxes_.boxes.clear();
        bool stillWhileAsked = false;
        HWND progress = nullptr;
        boxes_.whileShown = [&](const test_support::AnsweredBoxes::Box&) {
            stillWhileAsked = ProgressStaysWhileServing(progress);
        };
        OwnedDialogs driver(owner.window, [&](HWND dialog) {
            progress = dialog;
            EXPECT_EQ(WindowText(dialog), GetLanguageText("IMPORT_EXECUTE_TITLE"));
            if (c.sendEnter)
                SendMessageA(dialog, WM_COMMAND, IDOK, 0);
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        const bool stored = RunWexmorImportDialog(owner.window, *database, block);
        EXPECT_EQ(stored, c.stored) << c.name;
        ASSERT_EQ(boxes_.boxes.size(), 1u) << c.name;
        EXPECT_EQ(boxes_.boxes[0].text, GetLanguageText("WEXMOR_IMPORT_WARNING"));
        EXPECT_EQ(boxes_.boxes[0].caption, GetLanguageText("WEXMOR_IMPORT_WTITLE"));
        EXPECT_TRUE(stillWhileAsked) << c.name;
        EXPECT_EQ(CountRows(*database, TablePerson), c.stored ? 4000 : 0) << c.name;
        EXPECT_EQ(block.failed, c.stored ? 0u : 1u) << c.name;
    }
    boxes_.whileShown = nullptr;
}

// The converted files of the temporary folder (the conversion names them VES*.tmp).
std::vector<std::string> ConvertedFiles()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::temp_directory_path())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("VES", 0) == 0)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Cancel during a GEDCOM conversion asks first, and the converter waits meanwhile; No lets the conversion
// and the import run on, Yes stops it and keeps nothing: no record in the database, no converted file.
TEST_F(ImportWizardTest, CancelDuringAConversionAsksAndKeepsNothing)
{
    const std::string folder = std::string(VESTRADA_TESTDATA) + "/gedcom/";
    const std::string gedcom = bench::MakeLargeFile(ReadWholeFile(folder + "royal92.ged"),
                                                    ReadWholeFile(folder + "pres2020.ged"), 20'000);
    TempPath file("large.ged", "vestrada_import_convert_");
    WriteWholeFile(file.str(), gedcom);
    struct Case {
        const char* name;
        int answer;
        bool stored;
    } cases[] = {{"No", IDNO, true}, {"Yes", IDYES, false}};
    for (const Case& c : cases) {
        TestDatabase database(true);
        FakeFrame owner;
        ImportWizardData block;
        ASSERT_TRUE(InitImportWizardData(block, file.c_str()));
        ImportLog log;
        ASSERT_TRUE(log.Create(block.logPath));
        block.log = &log;
        const std::vector<std::string> convertedBefore = ConvertedFiles();
        boxes_.answer = c.answer;
        boxes_.boxes.clear();
        HWND conversion = nullptr;
        bool stillWhileAsked = false;
        boxes_.whileShown = [&](const test_support::AnsweredBoxes::Box& box) {
            if (box.text != GetLanguageText("WEXMOR_IMPORT_WARNING"))
                return;
            stillWhileAsked = ProgressStaysWhileServing(conversion);
        };
        OwnedDialogs driver(owner.window, [&](HWND dialog) {
            // Only the conversion is cancelled; the import that follows a No runs to its end.
            if (ItemText(dialog, IDC_IMPORT_MESSAGE) != GetLanguageText("GEDCOM_IMPORT_MESSAGE"))
                return;
            conversion = dialog;
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        const bool stored = RunGedcomImportDialogs(owner.window, *database, block);
        block.log = nullptr;
        log.Close();
        boxes_.whileShown = nullptr;
        ASSERT_NE(conversion, nullptr) << c.name << ": the conversion was over before its dialog was seen";
        EXPECT_EQ(stored, c.stored) << c.name;
        ASSERT_GE(boxes_.boxes.size(), 1u) << c.name;
        EXPECT_EQ(boxes_.boxes[0].text, GetLanguageText("WEXMOR_IMPORT_WARNING")) << c.name;
        EXPECT_EQ(boxes_.boxes[0].caption, GetLanguageText("WEXMOR_IMPORT_WTITLE")) << c.name;
        EXPECT_TRUE(stillWhileAsked) << c.name << ": the conversion went on under its question";
        if (c.stored) {
            EXPECT_EQ(boxes_.boxes.size(), 1u) << c.name;
            EXPECT_EQ(static_cast<std::size_t>(CountRows(*database, TablePerson)), bench::CountPersons(gedcom));
        } else {
            ASSERT_EQ(boxes_.boxes.size(), 2u) << c.name;
            EXPECT_EQ(boxes_.boxes[1].text, GetLanguageText("GEDCOM_IMPORT_ABORT"));
            EXPECT_EQ(CountRows(*database, TablePerson), 0);
        }
        EXPECT_EQ(block.failed, c.stored ? 0u : 1u) << c.name;
        EXPECT_EQ(ConvertedFiles(), convertedBefore) << c.name << ": the converted file is left behind";
    }
}

TEST_F(ImportWizardTest, NewDatabaseOnlyWhenTheOpenOneCloses)
{
    WritePersons(file_.str(), 3);
    TempPath target("imported.vdb", "vestrada_import_target_");
    for (bool refuse : {true, false}) {
        TestDatabase open(true, "open.vdb");
        CurrentDatabase = open.get();
        FakeFrame frame;
        FakeFrame::refuse = refuse;
        ImportWizardData block;
        ASSERT_TRUE(InitImportWizardData(block, file_.c_str()));
        std::snprintf(block.newDatabasePath, sizeof block.newDatabasePath, "%s", target.c_str());
        block.createNewDatabase = 1;
        block.finished = 1;
        boxes_.boxes.clear();
        std::string result;
        OwnedDialogs driver(frame.window, [&](HWND dialog) {
            if (GetDlgItem(dialog, IDC_IMPORT_RESULTTEXT) != nullptr) {
                result = ItemText(dialog, IDC_IMPORT_RESULTTEXT);
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            }
        });
        static Database* shown = nullptr;
        shown = nullptr;
        const bool imported = RunImportAfterWizard(frame.window, block, [](Database& database) { shown = &database; });
        EXPECT_TRUE(FakeFrame::asked);
        if (refuse) {
            EXPECT_FALSE(imported);
            ASSERT_EQ(boxes_.boxes.size(), 1u);
            EXPECT_EQ(boxes_.boxes[0].text, GetLanguageText("IMPORT_DATABASE_NOTCLOSED"));
            EXPECT_EQ(CurrentDatabase, open.get());
            EXPECT_FALSE(std::filesystem::exists(target.str()));
            continue;
        }
        EXPECT_TRUE(imported);
        ASSERT_NE(CurrentDatabase, nullptr);
        EXPECT_EQ(shown, CurrentDatabase);
        EXPECT_EQ(CountRows(*CurrentDatabase, TablePerson), 3);
        EXPECT_EQ(result, GetLanguageText("IMPORT_OK"));
        EXPECT_TRUE(std::filesystem::exists(block.logPath));
        delete CurrentDatabase;
        CurrentDatabase = nullptr;
    }
}

void CALLBACK CloseResult(HWND result, UINT, UINT_PTR, DWORD)
{
    PostMessageA(result, WM_COMMAND, IDOK, 0);
}

// Shows each page, the progress dialog and the result for a while, so that screenshots can be taken of
// them: run by hand with --gtest_also_run_disabled_tests.
TEST_F(ImportWizardTest, DISABLED_ShowForScreenshots)
{
    CurrentDatabase = database_.get();
    TempPath gedcom("kennedy.ged", "vestrada_import_screens_");
    OpenWizard(gedcom.str());
    auto pause = [](DWORD milliseconds) {
        const DWORD until = GetTickCount() + milliseconds;
        MSG message;
        while (GetTickCount() < until) {
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(20);
        }
    };
    for (int page = 0; page < 6; ++page) {
        pause(2500);
        if (page == 1) {
            CheckRadioButton(Page(), IDC_IMPORT_EXISTING, IDC_IMPORT_NEW, IDC_IMPORT_EXISTING);
            Click(Page(), IDC_IMPORT_EXISTING);
        }
        Press(PSBTN_NEXT);
    }
    DestroyWindow(sheet_);
    sheet_ = nullptr;
    WritePersons(file_.str(), 30000);
    FakeFrame owner;
    ImportWizardData block;
    ASSERT_TRUE(InitImportWizardData(block, file_.c_str()));
    OwnedDialogs closer(owner.window, [](HWND dialog) {
        if (GetDlgItem(dialog, IDC_IMPORT_RESULTTEXT) != nullptr)
            SetTimer(dialog, 77, 3000, CloseResult);
    });
    RunWexmorImportDialog(owner.window, *database_, block);
    ShowImportResult(owner.window, block);
}

} // namespace
