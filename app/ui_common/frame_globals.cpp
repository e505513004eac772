#include "ui_common/frame_globals.h"

HINSTANCE AppInstance = nullptr;
HWND FrameWindow = nullptr;
HWND MdiClient = nullptr;
HACCEL FrameAccelerators = nullptr;
HWND RebarWindow = nullptr;
HWND TooltipWindow = nullptr;
HWND StatusBarWindow = nullptr;
Database* CurrentDatabase = nullptr;
char LanguagePath[LanguagePathSize] = {};
HWND ActiveChild = nullptr;
HWND ActiveDialogHost = nullptr;
HWND FindReplaceDialog = nullptr;
UINT FindReplaceMessage = 0;
HWND EditorWindow = nullptr;
ULONG_PTR GdiplusToken = 0;
