// The export wizard and the progress dialog of an export, driven as a user would drive them.
#include "exchange/ui/export_wizard.h"

#include <prsht.h>

#include <cstdlib>
#include <string>

#include "exchange/export_data.h"
#include "exchange/tests/gedcom_test_support.h"
#include "exchange/tests/import_test_support.h"
#include "language/language_table.h"
#include "platform/file.h"
#include "res/export_resource.h"
#include "exchange/ui/tests/wizard_sheet_test_support.h"
#include "tests/support/dialog_test_support.h"

namespace {

using namespace dialog_test;
using namespace import_test;
using namespace wizard_test;
using test_support::ScopedLanguage;
using test_support::TempPath;
using test_support::TestDatabase;

// With VESTRADA_SHOTS naming a folder, each page is saved there as a bitmap, to be looked at.
void SaveShot(HWND window, const char* name)
{
    const char* folder = std::getenv("VESTRADA_SHOTS");
    if (folder == nullptr)
        return;
    RECT box;
    GetWindowRect(window, &box);
    const int width = box.right - box.left, height = box.bottom - box.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, box.left, box.top, SRCCOPY);
    BITMAPINFOHEADER info {sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride) * height, '\0');
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    BITMAPFILEHEADER file {0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info + pixels.size()), 0, 0,
                           sizeof(BITMAPFILEHEADER) + sizeof info};
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    bytes += pixels;
    WriteWholeFile(std::string(folder) + "\\" + name + ".bmp", bytes);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

class ExportWizardTest : public WizardSheetTest {
protected:
    HWND OpenWizard()
    {
        InitExportWizardData(block_);
        sheet_ = OpenExportWizardModeless(nullptr, block_);
        EXPECT_NE(sheet_, nullptr);
        Pump();
        return sheet_;
    }
    void ChooseFormat(std::uint32_t format)
    {
        ChooseComboEntry(Page(), IDC_EXPORT_FORMAT, static_cast<int>(format - 1));
        Pump();
    }
    void TypePath(const std::string& path)
    {
        SetDlgItemTextA(Page(), IDC_EXPORT_PATH, path.c_str());
        Pump();
    }

    ScopedLanguage language_ {ScopedLanguage::Master()};
    TestDatabase database_ {true};
    ExportWizardData block_;
};

TEST_F(ExportWizardTest, FormatPageOffersOnlyWhatCanBeWritten)
{
    OpenWizard();
    HWND format = Page();
    ASSERT_EQ(ComboCount(format, IDC_EXPORT_FORMAT), 8);
    for (std::uint32_t code = 1; code <= ExportFormatCount; ++code)
        EXPECT_EQ(ComboText(format, IDC_EXPORT_FORMAT, static_cast<int>(code - 1)), GetLanguageText(ExportFormatKey(code)));
    EXPECT_EQ(ComboSelection(format, IDC_EXPORT_FORMAT), 0);
    EXPECT_EQ(ItemText(format, IDC_EXPORT_INTRO), GetLanguageText("EXPORT_FORMAT_INTRO"));
    EXPECT_FALSE(ButtonEnabled(WizardNext)) << "no path yet";
    SaveShot(sheet_, "export_format_empty");

    TypePath("C:\\Data\\family");
    EXPECT_STREQ(block_.outputPath, "C:\\Data\\family");
    EXPECT_FALSE(ButtonEnabled(WizardNext)) << "Wexmor 2.0 has no writer in this build";
    EXPECT_EQ(ItemText(format, IDC_EXPORT_NOTAVAILABLE), GetLanguageText("EXPORT_FORMAT_NOTAVAILABLE"));
    SaveShot(sheet_, "export_format_notavailable");

    ChooseFormat(ExportFormatGedcom55);
    EXPECT_EQ(block_.format, ExportFormatGedcom55);
    EXPECT_STREQ(block_.outputPath, "C:\\Data\\family.ged");
    EXPECT_EQ(ItemText(format, IDC_EXPORT_PATH), "C:\\Data\\family.ged");
    EXPECT_EQ(ItemText(format, IDC_EXPORT_NOTAVAILABLE), "");
    EXPECT_TRUE(ButtonEnabled(WizardNext));
    SaveShot(sheet_, "export_format_gedcom");
    ChooseFormat(ExportFormatCsv);
    EXPECT_STREQ(block_.outputPath, "C:\\Data\\family.csv");
    EXPECT_FALSE(ButtonEnabled(WizardNext));
}

TEST_F(ExportWizardTest, PagesFollowTheFormatAndAreSetAgainOnEveryVisit)
{
    OpenWizard();
    TypePath("C:\\Data\\tree.ged");
    ChooseFormat(ExportFormatGedcom55);
    Press(PSBTN_NEXT);
    HWND data = Page();
    ASSERT_NE(GetDlgItem(data, IDC_EXPORT_SOURCE), nullptr) << "GEDCOM goes to the data page";
    EXPECT_FALSE(IsItemEnabled(data, IDC_EXPORT_RESEARCH));
    EXPECT_TRUE(IsItemEnabled(data, IDC_EXPORT_SOURCE));
    EXPECT_TRUE(IsItemEnabled(data, IDC_EXPORT_OBJECT));
    CheckDlgButton(data, IDC_EXPORT_SOURCE, BST_CHECKED);
    Click(data, IDC_EXPORT_SOURCE);
    CheckDlgButton(data, IDC_EXPORT_OBJECT, BST_CHECKED);
    Click(data, IDC_EXPORT_OBJECT);
    EXPECT_EQ(block_.includeSources, 1u);
    EXPECT_EQ(block_.includeObjects, 1u);
    SaveShot(sheet_, "export_data");

    Press(PSBTN_NEXT);
    HWND options = Page();
    ASSERT_NE(GetDlgItem(options, IDC_EXPORT_CHARSET), nullptr);
    EXPECT_EQ(ComboCount(options, IDC_EXPORT_CHARSET), 2);
    EXPECT_EQ(ComboSelection(options, IDC_EXPORT_CHARSET), 0);
    EXPECT_EQ(ComboCount(options, IDC_EXPORT_ATTACHMENTS), 2);
    EXPECT_EQ(ComboSelection(options, IDC_EXPORT_ATTACHMENTS), 1);
    EXPECT_TRUE(IsItemEnabled(options, IDC_EXPORT_ATTACHMENTS));
    ChooseComboEntry(options, IDC_EXPORT_CHARSET, 1);
    ChooseComboEntry(options, IDC_EXPORT_ATTACHMENTS, 0);
    EXPECT_EQ(block_.gedcomCharacterSet, GedcomCharsetAnsel);
    EXPECT_EQ(block_.gedcomAttachments, GedcomAttachmentsInternal);
    SaveShot(sheet_, "export_gedcom");

    Press(PSBTN_NEXT);
    EXPECT_EQ(ItemText(Page(), IDC_EXPORT_FINISHTEXT), "Press Finish to export the database to tree.ged.");
    EXPECT_TRUE(ButtonEnabled(WizardFinish) || ButtonEnabled(WizardNext));
    SaveShot(sheet_, "export_finish");

    // Back to the start and GEDCOM 4: the data page takes the new format, the ticks it cannot honour go.
    Press(PSBTN_BACK);
    Press(PSBTN_BACK);
    Press(PSBTN_BACK);
    ASSERT_NE(GetDlgItem(Page(), IDC_EXPORT_FORMAT), nullptr);
    ChooseFormat(ExportFormatGedcom4);
    TypePath("C:\\Data\\old.ged");
    Press(PSBTN_NEXT);
    data = Page();
    for (const int item : {IDC_EXPORT_RESEARCH, IDC_EXPORT_SOURCE, IDC_EXPORT_REPOSITORY, IDC_EXPORT_OBJECT}) {
        EXPECT_FALSE(IsItemEnabled(data, item));
        EXPECT_EQ(IsDlgButtonChecked(data, item), BST_UNCHECKED);
    }
    EXPECT_EQ(block_.includeSources + block_.includeObjects, 0u);
    Press(PSBTN_NEXT);
    options = Page();
    EXPECT_EQ(ComboCount(options, IDC_EXPORT_ATTACHMENTS), 0) << "GEDCOM 4 has no media";
    EXPECT_FALSE(IsItemEnabled(options, IDC_EXPORT_ATTACHMENTS));
    EXPECT_EQ(ComboSelection(options, IDC_EXPORT_CHARSET), 1) << "the choice made before stays";
    Press(PSBTN_NEXT);
    EXPECT_EQ(ItemText(Page(), IDC_EXPORT_FINISHTEXT), "Press Finish to export the database to old.ged.");
    Press(PSBTN_FINISH);
    EXPECT_EQ(block_.finished, 1u);
}

TEST_F(ExportWizardTest, CsvGoesThroughItsOwnPages)
{
    OpenWizard();
    ChooseFormat(ExportFormatCsv);
    TypePath("C:\\Data\\list.csv");
    // The CSV writer is not in this build: the pages are there, but the format page stops before them.
    EXPECT_FALSE(ButtonEnabled(WizardNext));
    PropSheet_SetCurSel(sheet_, nullptr, ExportPageCsvData);
    Pump();
    HWND csv = Page();
    ASSERT_NE(GetDlgItem(csv, IDC_EXPORT_CSV_PERSON), nullptr);
    EXPECT_EQ(IsDlgButtonChecked(csv, IDC_EXPORT_CSV_PERSON), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(csv, IDC_EXPORT_CSV_HEADER), BST_CHECKED);
    EXPECT_EQ(ItemText(csv, IDC_EXPORT_CSV_DELIMITER), ",");
    block_.csvSelectedCount = 3;
    CheckRadioButton(csv, IDC_EXPORT_CSV_PERSON, IDC_EXPORT_CSV_OBJECTIVE, IDC_EXPORT_CSV_EXCERPT);
    Click(csv, IDC_EXPORT_CSV_EXCERPT);
    EXPECT_EQ(block_.csvRecordKind, 5u);
    EXPECT_EQ(block_.csvSelectedCount, 0) << "a new kind discards the column choice";
    SetDlgItemTextA(csv, IDC_EXPORT_CSV_DELIMITER, "");
    SaveShot(sheet_, "export_csvdata");
    Press(PSBTN_NEXT);
    EXPECT_EQ(block_.csvDelimiter, '\0');
    HWND details = Page();
    ASSERT_NE(GetDlgItem(details, IDC_EXPORT_CSV_AVAILABLE), nullptr);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(details, IDC_EXPORT_CSV_FILTER))) << "the filter is for excerpts";
    SaveShot(sheet_, "export_csvdetails");
}

TEST_F(ExportWizardTest, GedcomEntriesWriteTheOpenDatabase)
{
    TempPath file("old.ged", "vestrada_export_entries_");
    ExportWizardData block;
    std::snprintf(block.outputPath, sizeof block.outputPath, "%s", file.c_str());
    EXPECT_EQ(ExportGedcom4(&block), 0) << "no database open";
    CurrentDatabase = database_.get();
    EXPECT_EQ(ExportGedcom4(&block), 1);
    EXPECT_EQ(block.format, ExportFormatGedcom4);
    EXPECT_EQ(ReadWholeFile(file.str()).rfind("0 HEAD\r\n1 SOUR Vestrada 1.4.3\r\n1 DEST PAF\r\n", 0), 0u);
    block.gedcomAttachments = GedcomAttachmentsInternal;
    EXPECT_EQ(ExportGedcom551(&block), 1);
    EXPECT_EQ(block.gedcomAttachments, GedcomAttachmentsExternal);
    EXPECT_NE(ReadWholeFile(file.str()).find("2 VERS 5.5.1\r\n"), std::string::npos);
    EXPECT_EQ(ExportGedcom55(&block), 1);
    EXPECT_TRUE(boxes_.boxes.empty()) << "the entries show no message of their own";
}

// The progress dialog writes the file; Cancel leaves none; a file that cannot be written is said so.
TEST_F(ExportWizardTest, ExportRunsInItsDialogAndReports)
{
    TempPath folder("x", "vestrada_export_wizard_");
    const std::string here(ImportFolderOf(folder.str()));
    ExportWizardData block;
    block.format = ExportFormatGedcom55;
    block.finished = 1;
    std::snprintf(block.outputPath, sizeof block.outputPath, "%s", (here + "out.ged").c_str());
    EXPECT_TRUE(RunExportAfterWizard(nullptr, *database_, block));
    EXPECT_TRUE(platform::FileExists(block.outputPath));
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, GetLanguageText("EXPORT_DONE"));
    EXPECT_EQ(boxes_.boxes[0].caption, "");

    std::snprintf(block.outputPath, sizeof block.outputPath, "%s", (here + "missing\\out.ged").c_str());
    EXPECT_FALSE(RunExportAfterWizard(nullptr, *database_, block));
    ASSERT_EQ(boxes_.boxes.size(), 2u);
    EXPECT_EQ(boxes_.boxes[1].text, GetLanguageText("EXPORT_FAILED"));

    block.format = ExportFormatHtml;
    EXPECT_FALSE(RunExportAfterWizard(nullptr, *database_, block));
    ASSERT_EQ(boxes_.boxes.size(), 3u);
    EXPECT_EQ(boxes_.boxes[2].text, GetLanguageText("EXPORT_FORMAT_NOTAVAILABLE"));

    // Cancel in the progress dialog: nothing is left and nothing is reported. The database is large enough
    // (five copies of a 3,000-person file) for the export to take many 40 ms slices, far more than the
    // 50 ms the test's driver needs to find the dialog.
    for (int copy = 0; copy < 5; ++copy) {
        GedcomRun run(*database_, (TestDataFolder() / "royal92.ged").string(), here + "royal.log");
        ASSERT_TRUE(run.stored);
    }
    block.format = ExportFormatGedcom55;
    std::snprintf(block.outputPath, sizeof block.outputPath, "%s", (here + "cancel.ged").c_str());
    WhenDialogOpens(nullptr, [](HWND dialog) {
        SaveShot(dialog, "export_execute");
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(RunGedcomExportDialog(nullptr, *database_, block), ExportOutcome::Cancelled);
    EXPECT_FALSE(platform::FileExists(block.outputPath));
    EXPECT_EQ(boxes_.boxes.size(), 3u);
}

} // namespace
