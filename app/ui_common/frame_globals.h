// The process-wide state of the program's one GUI thread: the frame and its child windows, the open
// database, the chosen language file and the windows that the message loop serves specially.
#pragma once

#include <windows.h>

#include <cstddef>

class Database;

inline constexpr std::size_t LanguagePathSize = 260;

extern HINSTANCE AppInstance;
extern HWND FrameWindow;
extern HWND MdiClient;
extern HACCEL FrameAccelerators;
extern HWND RebarWindow;
extern HWND TooltipWindow;
extern HWND StatusBarWindow;
extern Database* CurrentDatabase;
extern char LanguagePath[LanguagePathSize];
// Set by the MDI children while they are active (and host a modeless dialog).
extern HWND ActiveChild;
extern HWND ActiveDialogHost;
extern HWND FindReplaceDialog;
extern UINT FindReplaceMessage;
// The edit control of the active report-type editor.
extern HWND EditorWindow;
extern ULONG_PTR GdiplusToken;

// The product's name, shown in titles before and after a database is open.
inline constexpr const char* ProductName = "Vestrada";
inline constexpr const char* ProductVersion = "1.4.3";
