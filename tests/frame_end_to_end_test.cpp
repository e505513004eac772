// Vestrada.exe started as a user starts it, with a database named on its command line: it shows the
// database in its title, and when it is closed it records the database as the last and most recent one.
#include "core/database.h"
#include "core/open_create.h"
#include "tests/support/source_tree.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* VersionKey = "Software\\Halmyr\\Vestrada\\1.4.3";
constexpr const char* BackupKey = "Software\\Halmyr\\VestradaEndToEndBackup";

std::string ProgramFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

std::string MasterLanguageFile()
{
    return test_support::SourceFile("lang/English.lan");
}

void SetString(const std::string& section, const char* name, const std::string& value)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(VersionKey) + "\\" + section).c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

void SetDword(const std::string& section, const char* name, DWORD value)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(VersionKey) + "\\" + section).c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

std::string GetString(const std::string& section, const char* name)
{
    char value[MAX_PATH] = {};
    DWORD size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, (std::string(VersionKey) + "\\" + section).c_str(), name, RRF_RT_REG_SZ, nullptr,
                 value, &size);
    return value;
}

// The user's own settings of this prefix are put aside for the run and brought back after it.
class SettingsAside {
public:
    SettingsAside()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, BackupKey);
        HKEY version;
        had_ = RegOpenKeyExA(HKEY_CURRENT_USER, VersionKey, 0, KEY_READ, &version) == ERROR_SUCCESS;
        if (had_) {
            HKEY backup;
            RegCreateKeyExA(HKEY_CURRENT_USER, BackupKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &backup, nullptr);
            RegCopyTreeA(version, nullptr, backup);
            RegCloseKey(backup);
            RegCloseKey(version);
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, VersionKey);
    }
    ~SettingsAside()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, VersionKey);
        if (had_) {
            HKEY backup, version;
            RegOpenKeyExA(HKEY_CURRENT_USER, BackupKey, 0, KEY_READ, &backup);
            RegCreateKeyExA(HKEY_CURRENT_USER, VersionKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &version, nullptr);
            RegCopyTreeA(backup, nullptr, version);
            RegCloseKey(version);
            RegCloseKey(backup);
            RegDeleteTreeA(HKEY_CURRENT_USER, BackupKey);
        }
    }

private:
    bool had_ = false;
};

struct FindFrame {
    DWORD processId;
    HWND frame;
};

BOOL CALLBACK FindProcessFrame(HWND window, LPARAM lParam)
{
    auto* find = reinterpret_cast<FindFrame*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner == find->processId && std::string(name) == "MoravikWClass") {
        find->frame = window;
        return FALSE;
    }
    return TRUE;
}

std::string WindowTitle(HWND window)
{
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

TEST(VestradaProgram, OpensTheDatabaseOfItsCommandLineAndRecordsItOnExit)
{
    SettingsAside aside;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "vestrada_e2e_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string database = folder + "\\Lind family.vdb";
    delete CreateDatabase(database.c_str(), false);

    std::string language = folder + "\\English.lan";
    ASSERT_TRUE(CopyFileA(MasterLanguageFile().c_str(), language.c_str(), FALSE));
    SetString("Language", nullptr, language);
    SetDword("General", "BakChkOpen", 0); // no backup question to answer
    SetDword("Edit", "ReopenDatabase", 1);
    SetString("Edit", "LastDatabase", folder + "\\elsewhere.vdb"); // not reopened: a file is named

    std::string program = ProgramFolder() + "\\Vestrada.exe";
    std::string commandLine = "\"" + program + "\" \"" + database + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                               &startup, &process));

    FindFrame find{process.dwProcessId, nullptr};
    std::string title;
    for (int wait = 0; wait < 300 && title != "Vestrada - Lind family"; ++wait) {
        Sleep(100);
        find.frame = nullptr;
        EnumWindows(FindProcessFrame, reinterpret_cast<LPARAM>(&find));
        if (find.frame)
            title = WindowTitle(find.frame);
    }
    ASSERT_NE(find.frame, nullptr) << "no frame window appeared";
    EXPECT_EQ(title, "Vestrada - Lind family");

    PostMessageA(find.frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, 0u);

    EXPECT_EQ(GetString("Edit", "LastDatabase"), database);
    EXPECT_EQ(GetString("General", "LastDatabase1"), database);
    EXPECT_EQ(GetString("General", "CurrentDir"), folder);

    DeleteFileA(database.c_str());
    DeleteFileA(language.c_str());
    RemoveDirectoryA(folder.c_str());
}

struct FindBox {
    DWORD processId;
    HWND box;
};

BOOL CALLBACK FindProcessBox(HWND window, LPARAM lParam)
{
    auto* find = reinterpret_cast<FindBox*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner == find->processId && std::string(name) == "#32770" && IsWindowVisible(window)) {
        find->box = window;
        return FALSE;
    }
    return TRUE;
}

// The program folder without one of the libraries the program cannot run without: it says which one is
// missing and ends without a frame.
TEST(VestradaProgram, EndsWithADllLoadingErrorWhenALibraryIsMissing)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    for (const char* missing : {"SciLexer.dll", "QGRID.dll"}) {
        std::string folder = std::string(temp) + "vestrada_dll_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
        std::vector<std::string> copied;
        for (const char* file :
             {"Vestrada.exe", "Tolvane.dll", "Wexmor20.dll", "Pendrax.dll", "QGRID.dll", "SciLexer.dll"}) {
            if (std::string(file) == missing)
                continue;
            std::string to = folder + "\\" + file;
            ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\" + file).c_str(), to.c_str(), FALSE)) << file;
            copied.push_back(to);
        }

        std::string program = folder + "\\Vestrada.exe";
        std::string commandLine = "\"" + program + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   folder.c_str(), &startup, &process));
        FindBox find{process.dwProcessId, nullptr};
        for (int wait = 0; wait < 300 && !find.box; ++wait) {
            Sleep(100);
            EnumWindows(FindProcessBox, reinterpret_cast<LPARAM>(&find));
        }
        ASSERT_NE(find.box, nullptr) << missing;
        EXPECT_EQ(WindowTitle(find.box), "Dll Loading Error");
        char text[256] = {};
        GetDlgItemTextA(find.box, 0xFFFF, text, sizeof text); // the message box's text
        EXPECT_EQ(std::string(text),
                  std::string("The file ") + missing + " could not be found. Please reinstall Vestrada");
        FindFrame frame{process.dwProcessId, nullptr};
        EnumWindows(FindProcessFrame, reinterpret_cast<LPARAM>(&frame));
        EXPECT_EQ(frame.frame, nullptr);

        PostMessageA(find.box, WM_COMMAND, IDOK, 0);
        ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
        DWORD exitCode = 1;
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        EXPECT_EQ(exitCode, 0u);
        for (const std::string& file : copied)
            DeleteFileA(file.c_str());
        RemoveDirectoryA(folder.c_str());
    }
}

} // namespace
