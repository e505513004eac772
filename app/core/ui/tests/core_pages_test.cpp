// The note page and the address page, created in a host window and driven with messages as an editor
// and a user would drive them.
#include <windows.h>
#include <richedit.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "core/address_record.h"
#include "core/engine_transaction.h"
#include "core/note_text.h"
#include "core/ui/address_page.h"
#include "core/ui/note_page.h"
#include "language/language_table.h"
#include "ui_common/private_messages.h"
#include "res/core_resource.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"

namespace {

int PageChanges = 0;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAGECHANGED) {
        ++PageChanges;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A top-level window standing in for an editor that hosts the pages.
class PageHost : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        LoadLibraryA("Riched20.dll");
        WNDCLASSA host = {};
        host.lpfnWndProc = HostProc;
        host.hInstance = GetModuleHandleA(nullptr);
        host.lpszClassName = "CorePageTestHost";
        RegisterClassA(&host);
    }
    void SetUp() override
    {
        PageChanges = 0;
        host_ = CreateWindowA("CorePageTestHost", "host", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(host_, nullptr);
    }
    void TearDown() override
    {
        if (page_)
            DestroyWindow(page_);
        DestroyWindow(host_);
    }

    HWND CreatePage(int dialog, DLGPROC procedure, void* parameter)
    {
        page_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialog), host_, procedure,
                                   reinterpret_cast<LPARAM>(parameter));
        EXPECT_NE(page_, nullptr);
        return page_;
    }
    std::string ControlText(int id)
    {
        HWND control = GetDlgItem(page_, id);
        std::string text(GetWindowTextLengthA(control) + 1, '\0');
        text.resize(GetWindowTextA(control, text.data(), static_cast<int>(text.size())));
        return text;
    }
    void Ok() { SendMessageA(page_, WM_COMMAND, IDOK, 0); }

    HWND host_ = nullptr;
    HWND page_ = nullptr;
};

using NotePageTest = PageHost;
using AddressPageTest = PageHost;

TEST_F(NotePageTest, ShowsTheNoteAndStoresTheEditedTextOnOk)
{
    NoteText note;
    note.SetText("first line\r\nsecond line");
    CreatePage(IDD_NOTE_PAGE, NotePageDlgProc, &note);
    HWND edit = GetDlgItem(page_, IDC_NOTE_TEXT);
    EXPECT_EQ(SendMessageA(edit, EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT, TM_PLAINTEXT);
    EXPECT_GE(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 1048576);
    EXPECT_EQ(PageChanges, 0); // showing the note is no change

    SendMessageA(edit, EM_SETSEL, -1, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\r\nthird"));
    EXPECT_GE(PageChanges, 1);
    EXPECT_STREQ(note.Text(), "first line\r\nsecond line"); // nothing stored before OK
    Ok();
    EXPECT_STREQ(note.Text(), "first line\r\nsecond line\r\nthird");
}

TEST_F(NotePageTest, ATextOfManyShortLinesIsNotCut)
{
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "\r\n";
    text += "end";
    NoteText note;
    note.SetText(text.c_str());
    CreatePage(IDD_NOTE_PAGE, NotePageDlgProc, &note);
    note.Clear();
    Ok();
    ASSERT_NE(note.Text(), nullptr);
    EXPECT_EQ(std::string(note.Text()), text);
}

TEST_F(NotePageTest, RefreshShowsTheCarriedNoteOrItsOwn)
{
    NoteText own;
    own.SetText("own");
    NoteText reloaded;
    reloaded.SetText("reloaded");
    CreatePage(IDD_NOTE_PAGE, NotePageDlgProc, &own);
    SetWindowTextA(GetDlgItem(page_, IDC_NOTE_TEXT), "typed");
    PageChanges = 0;
    SendMessageA(page_, WM_PAGEREFRESH, 0, 0);
    EXPECT_EQ(ControlText(IDC_NOTE_TEXT), "own");
    SendMessageA(page_, WM_PAGEREFRESH, 0, reinterpret_cast<LPARAM>(&reloaded));
    EXPECT_EQ(ControlText(IDC_NOTE_TEXT), "reloaded");
    EXPECT_EQ(PageChanges, 0);
    Ok();
    EXPECT_STREQ(reloaded.Text(), "reloaded");
    EXPECT_STREQ(own.Text(), "own");
}

TEST_F(NotePageTest, TheControlFillsThePageButNeverShrinksBelowItsMinimum)
{
    NoteText note;
    CreatePage(IDD_NOTE_PAGE, NotePageDlgProc, &note);
    HWND edit = GetDlgItem(page_, IDC_NOTE_TEXT);
    RECT box;
    SendMessageA(page_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    GetWindowRect(edit, &box);
    EXPECT_EQ(box.right - box.left, 300);
    EXPECT_EQ(box.bottom - box.top, 200);
    SendMessageA(page_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(40, 20));
    GetWindowRect(edit, &box);
    EXPECT_EQ(box.right - box.left, 100);
    EXPECT_EQ(box.bottom - box.top, 50);
}

TEST_F(NotePageTest, AnEditedNoteIsStoredAndLoadedBack)
{
    test_support::TestDatabase db;
    NoteText note;
    CreatePage(IDD_NOTE_PAGE, NotePageDlgProc, &note);
    std::string text(400, 'n');
    SetWindowTextA(GetDlgItem(page_, IDC_NOTE_TEXT), text.c_str());
    Ok();
    {
        EngineTransaction transaction(db.File(), TLV_READWRITE);
        note.Save(*db);
    }
    EngineTransaction transaction(db.File(), TLV_READ);
    NoteText loaded(note.GetFirstId(), *db);
    EXPECT_EQ(std::string(loaded.Text()), text);
}

class AddressPageWords : public AddressPageTest {
protected:
    test_support::ScopedLanguage words_{"ADDRESS_LINE1=Street\r\nADDRESS_CITY=Town\r\nADDRESS_FAX=Telefax\r\n"};
};

TEST_F(AddressPageWords, ShowsTheLabelsAndTheAddress)
{
    Database database;
    AddressRecord address(database);
    std::strcpy(address.row.line1, "Storgata 1");
    std::strcpy(address.row.country, "Norway");
    std::strcpy(address.row.fax, "555");
    CreatePage(IDD_ADDRESS_PAGE, AddressPageDlgProc, &address);
    EXPECT_EQ(ControlText(IDC_ADDRESS_LINE1_LABEL), "Street");
    EXPECT_EQ(ControlText(IDC_ADDRESS_CITY_LABEL), "Town");
    EXPECT_EQ(ControlText(IDC_ADDRESS_FAX_LABEL), "Telefax");
    EXPECT_EQ(ControlText(IDC_ADDRESS_PHONE_LABEL), "ADDRESS_PHONE"); // a missing key shows itself
    EXPECT_EQ(ControlText(IDC_ADDRESS_LINE1), "Storgata 1");
    EXPECT_EQ(ControlText(IDC_ADDRESS_LINE2), "");
    EXPECT_EQ(ControlText(IDC_ADDRESS_COUNTRY), "Norway");
    EXPECT_EQ(ControlText(IDC_ADDRESS_FAX), "555");
}

TEST_F(AddressPageTest, OkReadsTheFieldsBackCutToTheirWidths)
{
    Database database;
    AddressRecord address(database);
    CreatePage(IDD_ADDRESS_PAGE, AddressPageDlgProc, &address);
    const std::string longText(100, 'x');
    SetDlgItemTextA(page_, IDC_ADDRESS_LINE1, longText.c_str());
    SetDlgItemTextA(page_, IDC_ADDRESS_LINE2, "c/o Hansen");
    SetDlgItemTextA(page_, IDC_ADDRESS_CITY, "Oslo");
    SetDlgItemTextA(page_, IDC_ADDRESS_COUNTRY, "Norway");
    SetDlgItemTextA(page_, IDC_ADDRESS_PHONE, longText.c_str());
    SetDlgItemTextA(page_, IDC_ADDRESS_FAX, "22 00 00 00");

    SendMessageA(page_, WM_COMMAND, IDCANCEL, 0); // other commands change nothing
    EXPECT_STREQ(address.row.city, "");

    Ok();
    EXPECT_EQ(std::string(address.row.line1), std::string(63, 'x'));
    EXPECT_STREQ(address.row.line2, "c/o Hansen");
    EXPECT_STREQ(address.row.city, "Oslo");
    EXPECT_STREQ(address.row.country, "Norway");
    EXPECT_EQ(std::string(address.row.phone), std::string(31, 'x'));
    EXPECT_STREQ(address.row.fax, "22 00 00 00");
}

TEST_F(AddressPageTest, AnAddressEditedOnThePageIsStored)
{
    test_support::TestDatabase db;
    EngineTransaction transaction(db.File(), TLV_READWRITE);
    AddressRecord address(*db);
    CreatePage(IDD_ADDRESS_PAGE, AddressPageDlgProc, &address);
    SetDlgItemTextA(page_, IDC_ADDRESS_CITY, "Bergen");
    Ok();
    address.Save();
    ASSERT_NE(address.Id(), 0);
    EXPECT_STREQ(AddressRecord(address.Id(), *db).row.city, "Bergen");
}

} // namespace
