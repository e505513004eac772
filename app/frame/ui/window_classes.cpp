// The window classes of the program, registered once at start-up.
#include "frame/ui/frame_window.h"
#include "frame/ui/startup.h"

#include "persons/ui/pedigree_window.h"
#include "persons/ui/person_window.h"
#include "records/ui/repository_window.h"
#include "records/ui/source_window.h"
#include "ui_common/frame_globals.h"
#include "records/ui/objective_window.h"
#include "res/frame_resource.h"

namespace {

struct WindowClass {
    const char* name;
    WNDPROC procedure;
    int icon;
    int extraBytes;
    HBRUSH background;
};

bool Register(HINSTANCE instance, const WindowClass& c)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = 0;
    wc.lpfnWndProc = c.procedure;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = c.extraBytes;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(c.icon));
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // the arrow
    wc.hbrBackground = c.background;
    wc.lpszMenuName = c.icon == IDI_FRAME ? MAKEINTRESOURCEA(IDR_FRAME_MENU) : nullptr;
    wc.lpszClassName = c.name;
    return RegisterClassExA(&wc) != 0;
}

} // namespace

bool RegisterWindowClasses(HINSTANCE instance)
{
    // The document windows' own procedures come with their windows; until a kind of window exists its
    // class behaves as a plain MDI child.
    const WindowClass classes[] = {
        {FrameClassName, FrameWndProc, IDI_FRAME, 0, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))},
        {"PersonWClass", PersonWndProc, 108, 36, nullptr},
        {"SourceWClass", SourceWndProc, 290, 40, nullptr},
        {"RepositoryWClass", RepositoryWndProc, 288, 36, nullptr},
        {"PedigreeWClass", PedigreeWndProc, 259, PedigreeWindowExtraBytes, nullptr},
        {"ReportWClass", DefMDIChildProcA, 114, 20, reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1)},
        {"EditReportWClass", DefMDIChildProcA, 114, 40, nullptr},
        {"TimelineWClass", DefMDIChildProcA, 291, 12, nullptr},
        {ObjectiveWindowClass, ObjectiveWndProc, 197, ObjectiveWindowExtraBytes, nullptr},
        {"GivenNameWClass", DefMDIChildProcA, 198, 8, nullptr},
    };
    for (const WindowClass& c : classes)
        if (!Register(instance, c))
            return false;
    return true;
}
