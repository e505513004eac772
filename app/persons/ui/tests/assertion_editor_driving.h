// What the tests of the assertion editor's pages share: the notices the editor posts, the page that holds
// a control, and typing into a control as a user does.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/notice_sink.h"

namespace assertion_editor_test {

struct RecordingSink : NoticeSink {
    struct Posted {
        Notice notice;
        std::uint32_t wParam;
        std::int32_t lParam;
        bool operator==(const Posted&) const = default;
    };
    void Post(Notice notice, std::uint32_t wParam, std::int32_t lParam) override
    {
        posted.push_back({notice, wParam, lParam});
    }
    std::vector<Posted> posted;
};

// The child dialog of the editor that holds `item`: the kind page or one of the tab pages.
inline HWND PageWith(HWND editor, int item)
{
    for (HWND child = FindWindowExA(editor, nullptr, "#32770", nullptr); child != nullptr;
         child = FindWindowExA(editor, child, "#32770", nullptr))
        if (GetDlgItem(child, item) != nullptr)
            return child;
    return nullptr;
}

// Types `text` into a control key by key, as a user would; the control's limit applies.
inline void TypeKeys(HWND edit, const std::string& text)
{
    for (char c : text)
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

} // namespace assertion_editor_test
