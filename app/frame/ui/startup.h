// The program's entry and exit: window classes, required libraries, settings and language, the frame,
// the message loop and shut-down.
#pragma once

#include <windows.h>

#include <memory>

class LanguageTable;

inline constexpr const char* FrameClassName = "MoravikWClass";

// Registers the window classes and loads the libraries the program needs; 0 ends the program.
int InitApplication(HINSTANCE instance);
// Loads a library the program cannot run without; tells the user and answers false when it is missing.
bool RequireLibrary(const char* name);
// Starts the common controls and GDI+, loads accelerators, settings and language and shows the frame;
// 0 ends the program.
int InitInstance(HINSTANCE instance, int showCommand);
// Loads the language file of LanguagePath (asking for another while it cannot be used) into
// CurrentLanguageTable; 0 when the user gave up.
int LoadLanguage();
// The same, handing the table it replaces to the caller, who frees it once nothing uses its texts.
int LoadLanguageInto(std::unique_ptr<LanguageTable>* previous);
// The language dialog: stores the chosen file in LanguagePath and the settings; 0 on Cancel.
int ChooseLanguage(HWND owner);
// Opens a file by its extension: a report type, a timeline, an import, a backup or a database.
void OpenFileByExtension(HWND owner, const char* path);
// Runs the message loop until WM_QUIT; answers its exit code.
int RunMessageLoop();
// The frame's WM_CLOSE: closes the database and the children, saves the window state and ends.
void ShutDown(HWND frame);
// Releases what start-up acquired when the program ends before the frame exists.
void ReleaseStartup();
