// The splitter bars and the custom controls under Wine, driven by messages: what they report and
// answer, what they paint (into a memory bitmap through WM_PRINTCLIENT) and what they free.
#include "ui_common/custom_controls.h"
#include "ui_common/splitters.h"

#include "core/calendar_date.h"
#include "core/date_value.h"
#include "settings/settings.h"
#include "tests/support/dialog_driver.h"

#include <gtest/gtest.h>
#include <gdiplus.h>
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

using test_support::DialogDriver;

// The parent of the controls: records the WM_COMMANDs it gets.
struct Command {
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Command> ParentCommands;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        ParentCommands.push_back({wParam, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterOnce()
{
    static bool registered = [] {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA parent{};
        parent.lpfnWndProc = ParentProc;
        parent.hInstance = instance;
        parent.lpszClassName = "ControlsTestParent";
        return RegisterClassA(&parent) && RegisterCustomControls(instance) && RegisterSplitters(instance);
    }();
    ASSERT_TRUE(registered);
}

// A 24-bit bitmap file of one colour.
void WriteBitmapFile(const std::string& path, int width, int height, COLORREF color)
{
    int rowBytes = (width * 3 + 3) & ~3;
    std::uint32_t imageBytes = static_cast<std::uint32_t>(rowBytes * height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageBytes;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<unsigned char> pixels(imageBytes);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &pixels[static_cast<std::size_t>(y * rowBytes + x * 3)];
            p[0] = GetBValue(color);
            p[1] = GetGValue(color);
            p[2] = GetRValue(color);
        }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
}

// What a window paints over a grey background, read back pixel by pixel.
class Painted {
public:
    explicit Painted(HWND window)
    {
        RECT client;
        GetClientRect(window, &client);
        width_ = client.right;
        height_ = client.bottom;
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width_, height_);
        ReleaseDC(nullptr, screen);
        previous_ = SelectObject(dc_, bitmap_);
        RECT all{0, 0, width_, height_};
        HBRUSH grey = CreateSolidBrush(Background);
        FillRect(dc_, &all, grey);
        DeleteObject(grey);
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    }
    ~Painted()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

    static constexpr COLORREF Background = RGB(128, 128, 128);

private:
    int width_ = 0, height_ = 0;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterOnce();
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&gdiplus_, &input, nullptr), Gdiplus::Ok);
        parent_ = CreateWindowExA(0, "ControlsTestParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        ParentCommands.clear();
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "vestrada_controls_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(parent_);
        for (const std::string& file : files_)
            DeleteFileA(file.c_str());
        RemoveDirectoryA(folder_.c_str());
        Gdiplus::GdiplusShutdown(gdiplus_);
    }

    HWND Create(const char* className, int id, int x, int y, int width, int height)
    {
        return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, width, height, parent_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    }

    std::string TempFile(const std::string& name)
    {
        files_.push_back(folder_ + "\\" + name);
        return files_.back();
    }

    ULONG_PTR gdiplus_ = 0;
    HWND parent_ = nullptr;
    std::string folder_;
    std::vector<std::string> files_;
};

// ---- splitters ----

TEST_F(ControlsTest, SplittersReportTheirCoordinateOnlyWhileDragged)
{
    struct Case {
        const char* className;
        POINT moved;  // the mouse, in the bar's client coordinates
        LPARAM reported;
    } cases[] = {
        {VerticalSplitterClass, {-7, 30}, -7},    // left of the bar: negative
        {VerticalSplitterClass, {140, -3}, 140},
        {HorizontalSplitterClass, {3, -12}, -12}, // above the bar: negative
        {HorizontalSplitterClass, {-50, 60}, 60},
    };
    for (const Case& c : cases) {
        HWND bar = Create(c.className, 55, 100, 100, 6, 200);
        ASSERT_NE(bar, nullptr) << c.className;
        ParentCommands.clear();
        LPARAM where = MAKELPARAM(static_cast<WORD>(c.moved.x), static_cast<WORD>(c.moved.y));

        SendMessageA(bar, WM_MOUSEMOVE, 0, where); // no button pressed on the bar: nothing
        EXPECT_TRUE(ParentCommands.empty()) << c.className;

        EXPECT_EQ(SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)), 0);
        EXPECT_EQ(GetCapture(), bar) << c.className;
        EXPECT_EQ(SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, where), 0);
        ASSERT_EQ(ParentCommands.size(), 1u) << c.className;
        EXPECT_EQ(ParentCommands[0].wParam, static_cast<WPARAM>(55)) << c.className; // code 0
        EXPECT_EQ(ParentCommands[0].lParam, c.reported) << c.className;

        EXPECT_EQ(SendMessageA(bar, WM_LBUTTONUP, 0, where), 0);
        EXPECT_EQ(GetCapture(), nullptr) << c.className;
        SendMessageA(bar, WM_MOUSEMOVE, 0, where);
        EXPECT_EQ(ParentCommands.size(), 1u) << c.className;
        DestroyWindow(bar);
    }
}

TEST_F(ControlsTest, AReleaseWithoutAPressLeavesAnotherWindowsCapture)
{
    for (const char* className : {VerticalSplitterClass, HorizontalSplitterClass}) {
        HWND bar = Create(className, 56, 10, 10, 6, 100);
        HWND other = Create("STATIC", 57, 200, 10, 50, 50);
        SetCapture(other);
        SendMessageA(bar, WM_LBUTTONUP, 0, 0);
        EXPECT_EQ(GetCapture(), other) << className;
        ReleaseCapture();
        DestroyWindow(other);
        DestroyWindow(bar);
    }
}

TEST_F(ControlsTest, ALostCaptureEndsTheDrag)
{
    HWND bar = Create(VerticalSplitterClass, 58, 10, 10, 6, 100);
    HWND other = Create("STATIC", 59, 200, 10, 50, 50);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SetCapture(other); // a box came up
    ParentCommands.clear();
    SendMessageA(bar, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_TRUE(ParentCommands.empty());
    ReleaseCapture();
    DestroyWindow(other);
    DestroyWindow(bar);
}

// ---- PREVIEW ----

TEST(PreviewPlace, ImagesAreHalvedUntilTheyFitAndCentred)
{
    struct Case {
        int width, height, clientWidth, clientHeight;
        RECT place;
    } cases[] = {
        {400, 300, 150, 150, {25, 37, 125, 112}}, // a half would still not fit: a quarter
        {60, 40, 150, 150, {45, 55, 105, 95}},    // small: its own size, never enlarged
        {150, 150, 150, 150, {0, 0, 150, 150}},
        {151, 10, 150, 150, {37, 72, 112, 77}},
        {10, 700, 150, 150, {74, 31, 75, 118}}, // 700 / 8 = 87
        {400, 300, 0, 0, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        RECT place = PreviewImageRect(c.width, c.height, c.clientWidth, c.clientHeight);
        EXPECT_EQ(place.left, c.place.left) << c.width << "x" << c.height;
        EXPECT_EQ(place.top, c.place.top) << c.width << "x" << c.height;
        EXPECT_EQ(place.right, c.place.right) << c.width << "x" << c.height;
        EXPECT_EQ(place.bottom, c.place.bottom) << c.width << "x" << c.height;
    }
}

TEST_F(ControlsTest, PreviewShowsTheImageScaledAndCentred)
{
    std::string large = TempFile("large.bmp"), small = TempFile("small.bmp");
    WriteBitmapFile(large, 400, 300, RGB(255, 0, 0));
    WriteBitmapFile(small, 60, 40, RGB(0, 0, 255));
    HWND preview = Create(PreviewClass, 60, 10, 10, 150, 150);
    ASSERT_NE(preview, nullptr);
    {
        Painted nothing(preview);
        EXPECT_EQ(nothing.At(75, 75), Painted::Background);
    }

    EXPECT_EQ(SendMessageA(preview, ControlSetMessage, 0, reinterpret_cast<LPARAM>(large.c_str())), 0);
    {
        Painted painted(preview); // 100 x 75 at (25, 37)
        EXPECT_EQ(painted.At(75, 75), RGB(255, 0, 0));
        EXPECT_EQ(painted.At(28, 40), RGB(255, 0, 0));
        EXPECT_EQ(painted.At(121, 109), RGB(255, 0, 0));
        EXPECT_EQ(painted.At(22, 75), Painted::Background);
        EXPECT_EQ(painted.At(128, 75), Painted::Background);
        EXPECT_EQ(painted.At(75, 34), Painted::Background);
        EXPECT_EQ(painted.At(75, 115), Painted::Background);
    }

    SendMessageA(preview, ControlSetMessage, 0, reinterpret_cast<LPARAM>(small.c_str()));
    {
        Painted painted(preview); // 60 x 40 at (45, 55)
        EXPECT_EQ(painted.At(48, 58), RGB(0, 0, 255));
        EXPECT_EQ(painted.At(101, 92), RGB(0, 0, 255));
        EXPECT_EQ(painted.At(42, 75), Painted::Background);
        EXPECT_EQ(painted.At(108, 75), Painted::Background);
    }
    // A resized control draws the image again for its new size.
    SetWindowPos(preview, nullptr, 0, 0, 40, 40, SWP_NOMOVE | SWP_NOZORDER);
    {
        Painted painted(preview); // 30 x 20 at (5, 10)
        EXPECT_EQ(painted.At(20, 20), RGB(0, 0, 255));
        EXPECT_EQ(painted.At(2, 20), Painted::Background);
    }
    SendMessageA(preview, WM_PAINT, 0, 0);
    DestroyWindow(preview);
}

TEST_F(ControlsTest, PreviewHoldsNoImageForWhatItCannotShow)
{
    std::string image = TempFile("image.bmp"), text = TempFile("text.bmp");
    WriteBitmapFile(image, 20, 20, RGB(0, 255, 0));
    std::ofstream(text) << "not an image";
    // The longest name the control takes names the image through ".\" steps; one more character and
    // the name no longer fits: no image, rather than the image of the name cut short.
    std::string fileName = (519 - folder_.size()) % 2 == 0 ? "\\image.bmp" : "\\images.bmp";
    if (fileName != "\\image.bmp")
        WriteBitmapFile(TempFile("images.bmp"), 20, 20, RGB(0, 255, 0));
    std::string longest = folder_;
    while (longest.size() + fileName.size() < 519)
        longest += "\\.";
    longest += fileName;
    ASSERT_EQ(longest.size(), 519u);
    const std::string longName = longest + "x";

    const std::string missing = folder_ + "\\missing.bmp";
    const char* names[] = {text.c_str(), missing.c_str(), longName.c_str(), nullptr};
    HWND preview = Create(PreviewClass, 61, 10, 10, 100, 100);
    SendMessageA(preview, ControlSetMessage, 0, reinterpret_cast<LPARAM>(longest.c_str()));
    EXPECT_EQ(Painted(preview).At(50, 50), RGB(0, 255, 0));
    for (const char* name : names) {
        SendMessageA(preview, ControlSetMessage, 0, reinterpret_cast<LPARAM>(image.c_str()));
        EXPECT_EQ(Painted(preview).At(50, 50), RGB(0, 255, 0));
        SendMessageA(preview, ControlSetMessage, 0, reinterpret_cast<LPARAM>(name));
        EXPECT_EQ(Painted(preview).At(50, 50), Painted::Background) << (name ? name : "null");
    }
    SendMessageA(preview, WM_PAINT, 0, 0);
    DestroyWindow(preview);
}

// ---- COLORVIEW ----

TEST_F(ControlsTest, ColorViewKeepsAndPaintsItsColour)
{
    HWND view = Create(ColorViewClass, 62, 10, 10, 120, 24);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(SendMessageA(view, ControlGetMessage, 0, 0), 0); // black at first
    EXPECT_EQ(SendMessageA(view, ControlSetMessage, 0, RGB(0x66, 0x99, 0x33)), 0);
    EXPECT_EQ(SendMessageA(view, ControlGetMessage, 0, 0), static_cast<LRESULT>(RGB(0x66, 0x99, 0x33)));

    HWND button = GetDlgItem(view, DropDownButtonId);
    ASSERT_NE(button, nullptr);
    RECT place;
    GetWindowRect(button, &place);
    MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 104);
    EXPECT_EQ(place.right - place.left, 16);
    EXPECT_EQ(place.bottom - place.top, 24);

    {
        Painted painted(view);
        EXPECT_EQ(painted.At(2, 2), RGB(255, 255, 255));
        EXPECT_EQ(painted.At(4, 4), RGB(0x66, 0x99, 0x33));
        EXPECT_EQ(painted.At(99, 19), RGB(0x66, 0x99, 0x33));
        EXPECT_EQ(painted.At(101, 12), RGB(255, 255, 255));
        EXPECT_EQ(painted.At(50, 21), RGB(255, 255, 255));
    }
    EXPECT_EQ(SendMessageA(view, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(SendMessageA(view, WM_COMMAND, MAKEWPARAM(1234, 0), 0), 33);
    SetFocus(view);
    SendMessageA(view, WM_PAINT, 0, 0);
    SetFocus(parent_);

    HBITMAP arrow = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(view, ColorViewArrow * sizeof(LONG_PTR)));
    ASSERT_EQ(GetObjectType(arrow), static_cast<DWORD>(OBJ_BITMAP));
    DestroyWindow(view);
    EXPECT_EQ(GetObjectType(arrow), 0u);
}

TEST_F(ControlsTest, ColorViewAsksTheColourDialog)
{
    HWND view = Create(ColorViewClass, 63, 10, 10, 120, 24);
    SendMessageA(view, ControlSetMessage, 0, RGB(10, 20, 30));
    struct Case {
        const char* how;
        UINT message;
        WPARAM wParam;
        int answer;
        COLORREF after;
    } cases[] = {
        {"button, cancelled", WM_COMMAND, MAKEWPARAM(DropDownButtonId, BN_CLICKED), IDCANCEL, RGB(10, 20, 30)},
        {"Down key, cancelled", WM_KEYDOWN, VK_DOWN, IDCANCEL, RGB(10, 20, 30)},
        {"button, chosen", WM_COMMAND, MAKEWPARAM(DropDownButtonId, BN_CLICKED), IDOK, RGB(200, 100, 50)},
    };
    for (const Case& c : cases) {
        bool owned = false;
        DialogDriver driver([&](HWND dialog) {
            owned = GetWindow(dialog, GW_OWNER) == parent_ || GetWindow(dialog, GW_OWNER) == view;
            // The red, green and blue fields of the full dialog.
            SetDlgItemInt(dialog, 706, 200, FALSE);
            SetDlgItemInt(dialog, 707, 100, FALSE);
            SetDlgItemInt(dialog, 708, 50, FALSE);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(c.answer, BN_CLICKED), 0);
        });
        SendMessageA(view, c.message, c.wParam, 0);
        EXPECT_TRUE(driver.Acted()) << c.how;
        EXPECT_TRUE(owned) << c.how;
        EXPECT_EQ(SendMessageA(view, ControlGetMessage, 0, 0), static_cast<LRESULT>(c.after)) << c.how;
    }
    DestroyWindow(view);
}

// ---- DATEPICK ----

CalendarDate PickedDate(HWND picker)
{
    CalendarDate date;
    SendMessageA(picker, ControlGetMessage, 0, reinterpret_cast<LPARAM>(&date));
    return date;
}

HWND CalendarOf(HWND picker)
{
    return reinterpret_cast<HWND>(GetWindowLongPtrA(picker, DatePickCalendar * sizeof(LONG_PTR)));
}

TEST_F(ControlsTest, DatePickKeepsACopyOfItsDate)
{
    HWND picker = Create(DatePickClass, 64, 10, 10, 120, 20);
    ASSERT_NE(picker, nullptr);
    CalendarDate first = PickedDate(picker);
    EXPECT_EQ(first.Calendar(), CalendarGregorian);
    EXPECT_EQ(first.Day(), 1);
    EXPECT_EQ(first.Month(), 1);
    EXPECT_EQ(first.Year(), 1);

    CalendarDate date(17, 10, 2004);
    EXPECT_EQ(SendMessageA(picker, ControlSetMessage, 0, reinterpret_cast<LPARAM>(&date)), 0);
    date.AddDays(5); // the control holds its own copy
    CalendarDate picked = PickedDate(picker);
    EXPECT_EQ(picked.Day(), 17);
    EXPECT_EQ(picked.Month(), 10);
    EXPECT_EQ(picked.Year(), 2004);

    LOGFONTA font{};
    ASSERT_TRUE(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(picker, WM_GETFONT, 0, 0)), sizeof font, &font));
    EXPECT_STREQ(font.lfFaceName, "Small Fonts");
    EXPECT_EQ(SendMessageA(picker, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    {
        Painted painted(picker);
        EXPECT_EQ(painted.At(1, 1), RGB(255, 255, 255)); // the field
        EXPECT_NE(painted.At(112, 10), RGB(255, 255, 255)); // the button
    }
    SendMessageA(picker, WM_PAINT, 0, 0);
    DestroyWindow(picker);
}

TEST_F(ControlsTest, DatePickDropsItsCalendarDownAndUp)
{
    HWND picker = Create(DatePickClass, 65, 200, 50, 120, 20);
    HWND other = Create("BUTTON", 66, 10, 10, 50, 20);
    HWND calendar = CalendarOf(picker);
    ASSERT_NE(calendar, nullptr);
    char name[32] = {};
    GetClassNameA(calendar, name, sizeof name);
    EXPECT_STREQ(name, DatePickCalendarClass);
    EXPECT_FALSE(IsWindowVisible(calendar));

    struct Step {
        const char* what;
        UINT message;
        WPARAM wParam;
        bool shown;
    } steps[] = {
        {"command 777", WM_COMMAND, DropDownButtonId, true},
        {"command 777 again", WM_COMMAND, DropDownButtonId, false},
        {"Down key", WM_KEYDOWN, VK_DOWN, true},
        {"focus to the calendar", WM_KILLFOCUS, 0, true}, // wParam set below
        {"focus elsewhere", WM_KILLFOCUS, 0, false},
        {"click", WM_LBUTTONDOWN, 0, true},
        {"click again", WM_LBUTTONDOWN, 0, false},
    };
    for (Step& step : steps) {
        if (std::string(step.what) == "focus to the calendar")
            step.wParam = reinterpret_cast<WPARAM>(calendar);
        if (std::string(step.what) == "focus elsewhere")
            step.wParam = reinterpret_cast<WPARAM>(other);
        SendMessageA(picker, step.message, step.wParam, 0);
        EXPECT_EQ(IsWindowVisible(calendar) != FALSE, step.shown) << step.what;
    }

    // Shown below the control's right edge, 160 x 200, without taking the activation.
    SendMessageA(picker, WM_COMMAND, DropDownButtonId, 0);
    RECT control, popup;
    GetWindowRect(picker, &control);
    GetWindowRect(calendar, &popup);
    EXPECT_EQ(popup.right, control.right);
    EXPECT_EQ(popup.top, control.bottom);
    EXPECT_EQ(popup.right - popup.left, CalendarWidth);
    EXPECT_EQ(popup.bottom - popup.top, CalendarHeight);
    EXPECT_NE(GetActiveWindow(), calendar);
    EXPECT_EQ(SendMessageA(calendar, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(parent_), 0), MA_NOACTIVATE);
    SendMessageA(picker, WM_COMMAND, DropDownButtonId, 0);
    DestroyWindow(other);
    DestroyWindow(picker);
}

TEST_F(ControlsTest, TheCalendarStepsMonthsAndPicksADay)
{
    HWND picker = Create(DatePickClass, 67, 10, 10, 120, 20);
    CalendarDate date(17, 10, 2004);
    SendMessageA(picker, ControlSetMessage, 0, reinterpret_cast<LPARAM>(&date));
    HWND calendar = CalendarOf(picker);
    SendMessageA(picker, WM_COMMAND, DropDownButtonId, 0);

    struct Click {
        int x, y;
        int month, year;
    } clicks[] = {
        {80, 8, 10, 2004},  // the title between the arrows
        {145, 8, 11, 2004}, // forward
        {159, 15, 12, 2004},
        {150, 0, 1, 2005},  // into the next year
        {2, 2, 12, 2004},   // back
        {15, 15, 11, 2004},
        {144, 8, 11, 2004},  // still the title
        {145, 16, 11, 2004}, // below the title row, above the days
    };
    for (const Click& c : clicks) {
        SendMessageA(calendar, WM_LBUTTONDOWN, 0, MAKELPARAM(c.x, c.y));
        CalendarDate now = PickedDate(picker);
        EXPECT_EQ(now.Day(), 17) << c.x << "," << c.y;
        EXPECT_EQ(now.Month(), c.month) << c.x << "," << c.y;
        EXPECT_EQ(now.Year(), c.year) << c.x << "," << c.y;
        EXPECT_TRUE(IsWindowVisible(calendar)) << c.x << "," << c.y;
    }
    {
        Painted painted(calendar);
        EXPECT_NE(painted.At(80, 100), Painted::Background);
    }

    // November 2004 begins on a Monday: the 20th is a Saturday, in the sixth column of the third week.
    int cellWidth = CalendarWidth / CalendarColumns;
    int top = CalendarTitleHeight + 8, cellHeight = (CalendarHeight - 2 - top) / CalendarRows;
    SendMessageA(calendar, WM_LBUTTONDOWN, 0, MAKELPARAM(6 * cellWidth + cellWidth / 2, top + 2 * cellHeight + 5));
    CalendarDate picked = PickedDate(picker);
    EXPECT_EQ(picked.Day(), 20);
    EXPECT_EQ(picked.Month(), 11);
    EXPECT_FALSE(IsWindowVisible(calendar));
    DestroyWindow(picker);
}

TEST_F(ControlsTest, ADestroyedDatePickFreesWhatItMade)
{
    HWND picker = Create(DatePickClass, 68, 10, 10, 120, 20);
    HWND calendar = CalendarOf(picker);
    auto slot = [&](int index) {
        return reinterpret_cast<HGDIOBJ>(GetWindowLongPtrA(picker, index * static_cast<int>(sizeof(LONG_PTR))));
    };
    HGDIOBJ arrow = slot(DatePickArrow), font = slot(DatePickFont);
    HGDIOBJ left = reinterpret_cast<HGDIOBJ>(GetWindowLongPtrA(calendar, CalendarLeftArrow * sizeof(LONG_PTR)));
    ASSERT_EQ(GetObjectType(arrow), static_cast<DWORD>(OBJ_BITMAP));
    ASSERT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    ASSERT_EQ(GetObjectType(left), static_cast<DWORD>(OBJ_BITMAP));
    SendMessageA(picker, WM_COMMAND, DropDownButtonId, 0);

    DestroyWindow(picker);
    EXPECT_FALSE(IsWindow(calendar));
    EXPECT_EQ(GetObjectType(arrow), 0u);
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(GetObjectType(left), 0u);
}

} // namespace
