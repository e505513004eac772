// A frame started in the test process as the program starts it, on a program folder of its own with a
// language file, sandboxed settings and message boxes answered by the test.
#pragma once

#include "core/database.h"
#include "core/open_create.h"
#include "language/language_table.h"
#include "settings/settings.h"
#include "ui_common/frame_globals.h"
#include "ui_common/message_box.h"
#include "frame/ui/startup.h"
#include "platform/settings_store.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/message_boxes.h"
#include "tests/support/scoped_language.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace frame_test {

inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteWholeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

using test_support::DialogDriver;

// A report-type file of the current layout with the given name and description.
inline void WriteReportType(const std::string& path, const std::string& name, const std::string& description)
{
    std::string bytes(7188 + 10, '\0');
    bytes.replace(0, 4, "%VR%");
    const int version = 10403;
    for (int i = 0; i < 4; ++i)
        bytes[8 + i] = static_cast<char>(version >> (8 * i));
    bytes.replace(12, name.size(), name);
    bytes.replace(44, description.size(), description);
    bytes.replace(7188, 10, "print \"x\"\n");
    WriteWholeFile(path, bytes);
}

// Handles every message waiting in the queue; a WM_QUIT among them is swallowed.
inline void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

inline void RegisterClassesOnce()
{
    static bool registered = [] { return InitApplication(GetModuleHandleA(nullptr)) != 0; }();
    ASSERT_TRUE(registered);
}

class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterClassesOnce();
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "vestrada_frame_" + std::to_string(GetCurrentProcessId()) + "_" +
                  std::to_string(++counter_);
        CreateDirectoryA(folder_.c_str(), nullptr);
        CreateDirectoryA((folder_ + "\\Report").c_str(), nullptr);
        GetCurrentDirectoryA(sizeof previousDirectory_, previousDirectory_);
        SetCurrentDirectoryA(folder_.c_str());
    }

    void TearDown() override
    {
        if (FrameWindow) {
            // Nothing may stay behind: a test's children and database go with the frame.
            CurrentSettings.edit.ReopenDatabase = 0;
            SendMessageA(FrameWindow, WM_CLOSE, 0, 0);
            if (FrameWindow)
                DestroyWindow(FrameWindow);
        }
        delete CurrentDatabase;
        CurrentDatabase = nullptr;
        PumpMessages();
        delete CurrentLanguageTable;
        CurrentLanguageTable = nullptr;
        ReleaseStartup();
        SetCurrentDirectoryA(previousDirectory_);
        RemoveTree(folder_);
    }

    static void RemoveTree(const std::string& folder)
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string path = folder + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    // Writes the master language file into the program folder, with `extra` lines in front (the
    // first occurrence of a key counts), and names it as the language in use.
    std::string InstallLanguage(const std::string& extra = "", const std::string& name = "English.lan",
                                bool choose = true)
    {
        std::string path = folder_ + "\\" + name;
        WriteWholeFile(path, extra + ReadWholeFile(test_support::MasterLanguageFile()));
        if (choose)
            Settings::WriteString("Language", nullptr, path.c_str());
        return path;
    }

    // Hidden unless a test looks at the screen: Wine waits for a shown window to be unmapped when it is
    // destroyed, which costs every test seconds without a window manager.
    bool StartFrame(int showCommand = SW_HIDE) { return InitInstance(GetModuleHandleA(nullptr), showCommand) != 0; }

    // A new, empty database file in the program folder.
    std::string MakeDatabase(const std::string& name)
    {
        std::string path = folder_ + "\\" + name;
        Database* database = CreateDatabase(path.c_str(), false);
        EXPECT_NE(database, nullptr) << path;
        delete database;
        return path;
    }

    std::string MenuText(HMENU menu, int position)
    {
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
        return text;
    }

    std::string WindowText(HWND window)
    {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        return text;
    }

    bool MenuItemEnabled(UINT command)
    {
        UINT state = GetMenuState(GetMenu(FrameWindow), command, MF_BYCOMMAND);
        return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
    }

    platform::SettingsSandbox sandbox_;
    // Boxes shown while a test runs, answered with `boxes_.answer`.
    test_support::AnsweredBoxes boxes_;
    std::string folder_;
    char previousDirectory_[MAX_PATH] = {};
    static inline int counter_ = 0;
};

} // namespace frame_test
