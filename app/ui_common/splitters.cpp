#include "ui_common/splitters.h"

#include "ui_common/guarded_procedure.h"

#include <windowsx.h>

namespace {

constexpr int DraggingSlot = 0; // window extra data: 1 while the bar is dragged

bool Dragging(HWND bar)
{
    return GetWindowLongA(bar, DraggingSlot) != 0;
}

void SetDragging(HWND bar, bool dragging)
{
    SetWindowLongA(bar, DraggingSlot, dragging ? 1 : 0);
}

template <bool Vertical> LRESULT SplitterMessage(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        SetDragging(bar, false);
        return 0;
    case WM_LBUTTONDOWN:
        SetDragging(bar, true);
        SetCapture(bar);
        return 0;
    case WM_MOUSEMOVE:
        if (Dragging(bar)) {
            int coordinate = Vertical ? GET_X_LPARAM(lParam) : GET_Y_LPARAM(lParam);
            SendMessageA(GetParent(bar), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(bar), 0),
                         static_cast<LPARAM>(coordinate));
        }
        return 0;
    case WM_LBUTTONUP:
        // Only a drag of this bar ends here: another window's capture is not the bar's to release.
        if (Dragging(bar)) {
            SetDragging(bar, false);
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        // The capture went elsewhere (a box came up, the user switched windows): the drag is over, or
        // the next move over the bar without a button would still drag.
        SetDragging(bar, false);
        return 0;
    default:
        return DefWindowProcA(bar, message, wParam, lParam);
    }
}

template <bool Vertical> LRESULT CALLBACK SplitterProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<SplitterMessage<Vertical>, WindowSafeAnswer>(bar, message, wParam, lParam);
}

bool Register(HINSTANCE instance, const char* name, WNDPROC procedure, const char* cursor)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_PARENTDC;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = sizeof(LONG);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0;
}

} // namespace

bool RegisterSplitters(HINSTANCE instance)
{
    constexpr WORD SizeWestEast = 32644, SizeNorthSouth = 32645; // IDC_SIZEWE, IDC_SIZENS
    return Register(instance, VerticalSplitterClass, SplitterProc<true>, MAKEINTRESOURCEA(SizeWestEast)) &&
           Register(instance, HorizontalSplitterClass, SplitterProc<false>, MAKEINTRESOURCEA(SizeNorthSouth));
}
