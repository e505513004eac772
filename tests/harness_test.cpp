// Proves the Windows test harness: the Scintilla control and the grid library load under Wine, a window with
// a Scintilla control answers its messages, and a message box is answered by the test, not by a person.
#include "tests/support/message_boxes.h"
#include "ui_common/message_box.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// Scintilla's messages for the whole text of the control.
constexpr UINT kSciSetText = 2181;
constexpr UINT kSciGetText = 2182;

class Library {
public:
    explicit Library(const char* name) : module_(LoadLibraryA(name)) {}
    ~Library()
    {
        if (module_)
            FreeLibrary(module_);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

TEST(Harness, ScintillaControlSetsAndReturnsItsText)
{
    Library scintilla("SciLexer.dll");
    ASSERT_NE(scintilla.get(), nullptr);

    HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    HWND editor = CreateWindowExA(0, "Scintilla", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, host, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(editor, nullptr);

    const std::string script = "report \"Ancestors\"\r\nprint \"J\xF6rg\"\r\n";
    SendMessageA(editor, kSciSetText, 0, reinterpret_cast<LPARAM>(script.c_str()));
    std::string read(script.size() + 1, '\0');
    LRESULT length = SendMessageA(editor, kSciGetText, read.size(), reinterpret_cast<LPARAM>(read.data()));
    read.resize(static_cast<size_t>(length));
    EXPECT_EQ(read, script);

    DestroyWindow(host);
}

TEST(Harness, GridLibraryLoads)
{
    Library grid("QGRID.dll");
    EXPECT_NE(grid.get(), nullptr);
}

TEST(Harness, MessageBoxIsAnsweredByTheTest)
{
    test_support::AnsweredBoxes seen(IDNO);
    int answer = ShowMessageBox(nullptr, "Save the changes?", "Vestrada", MB_YESNO | MB_ICONQUESTION);

    EXPECT_EQ(answer, IDNO);
    ASSERT_EQ(seen.boxes.size(), 1u);
    EXPECT_EQ(seen.boxes[0].text, "Save the changes?");
    EXPECT_EQ(seen.boxes[0].caption, "Vestrada");
    EXPECT_EQ(seen.boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
}

} // namespace

namespace {

int CALLBACK NoteFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FontFamilyInstalled(const char* face)
{
    HDC screen = GetDC(nullptr);
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExA(screen, &wanted, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// Wine's own fonts are installed: without Marlett the caption buttons show letters, without Tahoma the
// dialogs fall back to another font.
TEST(Harness, WinesOwnFontsAreInstalled)
{
    for (const char* face : {"Marlett", "Tahoma"})
        EXPECT_TRUE(FontFamilyInstalled(face)) << face;
}

} // namespace
