// A stand-in for the frame window that records the notices posted to it, for tests of windows that tell
// the frame of their changes. While the object lives it is the program's FrameWindow.
#pragma once

#include <windows.h>

#include <vector>

#include "ui_common/frame_globals.h"

namespace test_support {

struct Notice {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Notice& other) const
    {
        return message == other.message && wParam == other.wParam && lParam == other.lParam;
    }
};

class RecordedNotices {
public:
    RecordedNotices()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Record;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "RecordedNoticesFrame";
        RegisterClassA(&windowClass); // fails harmlessly when a test before registered it
        window_ = CreateWindowA("RecordedNoticesFrame", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        previous_ = FrameWindow;
        FrameWindow = window_;
    }
    ~RecordedNotices()
    {
        FrameWindow = previous_;
        DestroyWindow(window_);
    }
    RecordedNotices(const RecordedNotices&) = delete;
    RecordedNotices& operator=(const RecordedNotices&) = delete;

    // Delivers what was posted so far and answers every notice recorded (WM_USER and above).
    const std::vector<Notice>& Received()
    {
        MSG message;
        while (PeekMessageA(&message, window_, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        return notices_;
    }
    void Clear() { Received(), notices_.clear(); }

private:
    static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<RecordedNotices*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self != nullptr && message >= WM_USER) {
            self->notices_.push_back({message, wParam, lParam});
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    HWND previous_ = nullptr;
    std::vector<Notice> notices_;
};

} // namespace test_support
