// Drives a modal dialog that the code under test shows: a timer finds the first visible dialog box of
// the thread while the dialog's own message loop runs, and hands it to the test's action.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace test_support {

// Runs `action` on the first dialog box of this thread that appears while a modal loop runs.
class DialogDriver {
public:
    explicit DialogDriver(std::function<void(HWND)> action) : DialogDriver(nullptr, std::move(action)) {}
    // Waits, tick after tick, until `ready` holds for the dialog (a dialog that steps by itself, say).
    DialogDriver(std::function<bool(HWND)> ready, std::function<void(HWND)> action)
    {
        Current() = this;
        ready_ = std::move(ready);
        action_ = std::move(action);
        timer_ = SetTimer(nullptr, 0, 30, Tick);
    }
    ~DialogDriver()
    {
        KillTimer(nullptr, timer_);
        Current() = nullptr;
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    bool Acted() const { return acted_; }

private:
    static DialogDriver*& Current()
    {
        static DialogDriver* current = nullptr;
        return current;
    }
    static BOOL CALLBACK FindDialog(HWND window, LPARAM found)
    {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) == "#32770" && IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        DialogDriver* driver = Current();
        if (!driver || driver->acted_)
            return;
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog || (driver->ready_ && !driver->ready_(dialog)))
            return;
        driver->acted_ = true;
        driver->action_(dialog);
    }

    std::function<bool(HWND)> ready_;
    std::function<void(HWND)> action_;
    UINT_PTR timer_ = 0;
    bool acted_ = false;
};

} // namespace test_support
