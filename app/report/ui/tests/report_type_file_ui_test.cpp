// Report-type files as the windows read and write them: what the user is told when a file cannot be read or
// written, and the save dialog that gives a report type a new name.
#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report/output/report_type.h"
#include "report/ui/report_type_file_ui.h"
#include "tests/support/dialog_driving.h"
#include "tests/support/message_boxes.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"

namespace {

using test_support::AnsweredBoxes;
using test_support::ScopedLanguage;
using test_support::TempPath;

constexpr char Texts[] = "REPORTTYPE_OPENERROR_INVALIDPATH=cannot open\n"
                         "REPORTTYPE_OPENERROR_NOREPORT=no report type\n"
                         "REPORTTYPE_OPENERROR_WRONGVERSION=too old\n"
                         "REPORTTYPE_OPENERROR_NEWERVERSION=too new\n"
                         "REPORTTYPE_SAVEERROR=not saved\n"
                         "REPORTTYPE_SAVEASTITLE=Save the report type\n"
                         "REPORTTYPE_FILTER=Report types (*.rpt)|*.rpt|\n";

// A report-type file of the current layout and the given version.
void WriteReportType(const std::string& path, std::int32_t version)
{
    std::vector<char> bytes(ReportTypeHeaderSize, 0);
    std::memcpy(bytes.data(), "%VR%", 5);
    for (int n = 0; n < 4; ++n)
        bytes[8 + n] = static_cast<char>(static_cast<std::uint32_t>(version) >> (8 * n));
    std::memcpy(bytes.data() + 12, "Named", 5);
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST(ReportTypeFileWindows, ARefusedFileIsReportedOnlyOverAnOwner)
{
    ScopedLanguage language(Texts);
    TempPath folder("types");
    const std::string good = folder.str() + "good.rpt";
    const std::string old = folder.str() + "old.rpt";
    const std::string newer = folder.str() + "newer.rpt";
    const std::string other = folder.str() + "other.rpt";
    WriteReportType(good, 10403);
    WriteReportType(old, 94);
    WriteReportType(newer, 10404);
    std::ofstream(other, std::ios::binary) << "no report type";
    dialog_test::OwnerWindow owner;
    const struct {
        std::string path;
        HWND owner;
        int result;
        const char* message; // null: no box
    } cases[] = {
        {good, owner.get(), 1, nullptr},
        {folder.str() + "missing.rpt", owner.get(), 0, "cannot open"},
        {other, owner.get(), 0, "no report type"},
        {old, owner.get(), 0, "too old"},
        {newer, owner.get(), 0, "too new"},
        {newer, nullptr, 0, nullptr},
        {folder.str() + "missing.rpt", nullptr, 0, nullptr},
    };
    for (const auto& c : cases) {
        AnsweredBoxes boxes;
        ReportType type;
        EXPECT_EQ(OpenReportTypeFile(type, c.path.c_str(), c.owner), c.result) << c.path;
        ASSERT_EQ(boxes.boxes.size(), c.message ? 1u : 0u) << c.path;
        if (c.message != nullptr) {
            EXPECT_EQ(boxes.boxes[0].text, c.message);
            EXPECT_EQ(boxes.boxes[0].caption, "<null>");
            EXPECT_EQ(boxes.boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
        }
        if (c.result == 1) {
            EXPECT_STREQ(type.Header().name, "Named");
        }
    }
}

TEST(ReportTypeFileWindows, AFailedSaveShowsTheSystemsReasonAndStaysModified)
{
    ScopedLanguage language(Texts);
    TempPath file("saved.rpt");
    dialog_test::OwnerWindow owner;
    ReportType type;
    type.SaveAsPath(file.c_str());
    type.SetModified(true);
    {
        AnsweredBoxes boxes;
        EXPECT_TRUE(SaveReportTypeFile(type, owner.get()));
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_FALSE(type.IsModified());
    }
    type.SaveAsPath((file.str() + ".folder\\none\\x.rpt").c_str());
    type.SetModified(true);
    AnsweredBoxes boxes;
    EXPECT_FALSE(SaveReportTypeFile(type, owner.get()));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, "not saved");
    EXPECT_FALSE(boxes.boxes[0].text.empty()) << "the system's text for its error";
    EXPECT_TRUE(type.IsModified());
}

TEST(ReportTypeFileWindows, TheSaveDialogTakesTheChosenPathAndWritesNothing)
{
    ScopedLanguage language(Texts);
    TempPath file("chosen.rpt");
    dialog_test::OwnerWindow owner;
    ReportType type;
    type.Header().revision = 9;
    std::string title;
    dialog_test::WhenDialogOpens(owner.get(), [&](HWND dialog) {
        title = dialog_test::WindowText(dialog);
        // The file name field: the edit of the explorer dialog's combo box, or the old dialog's edit.
        if (!SetDlgItemTextA(dialog, 0x47C, file.c_str()))
            SetDlgItemTextA(dialog, 0x480, file.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(ChooseReportTypeSavePath(type, owner.get()), 1);
    EXPECT_EQ(title, "Save the report type");
    EXPECT_STREQ(type.Path(), file.c_str());
    EXPECT_EQ(type.Header().revision, 1u);
    EXPECT_FALSE(std::ifstream(file.str()).good()) << "choosing a name writes nothing";

    dialog_test::WhenDialogOpens(owner.get(), [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    ReportType cancelled;
    cancelled.Header().revision = 9;
    EXPECT_EQ(ChooseReportTypeSavePath(cancelled, owner.get()), 0);
    EXPECT_EQ(cancelled.Header().revision, 9u);
    EXPECT_STREQ(cancelled.Path(), "");
}

TEST(ReportTypeFileWindows, TheScriptComesFromTheEditorControl)
{
    HMODULE scintilla = LoadLibraryA("SciLexer.dll");
    ASSERT_NE(scintilla, nullptr);
    dialog_test::OwnerWindow owner;
    HWND editor = CreateWindowExA(0, "Scintilla", "", WS_CHILD, 0, 0, 200, 100, owner.get(), nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(editor, nullptr);
    const std::string script = "DIM name AS STRING\r\nPRINT \"J\xF6rg\"\r\n";
    SendMessageA(editor, 2181, 0, reinterpret_cast<LPARAM>(script.c_str())); // SCI_SETTEXT
    ReportType type;
    type.SetScript("old");
    ASSERT_TRUE(CopyScriptFromEditor(type, editor));
    EXPECT_EQ(std::string(type.Script()), script);

    SendMessageA(editor, 2181, 0, reinterpret_cast<LPARAM>(""));
    ASSERT_TRUE(CopyScriptFromEditor(type, editor));
    EXPECT_STREQ(type.Script(), "");
    DestroyWindow(editor);
}

} // namespace
