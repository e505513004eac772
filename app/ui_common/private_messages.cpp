#include "ui_common/private_messages.h"

#include "core/notice_sink.h"
#include "ui_common/frame_command_state.h"

namespace {

class PostToFrame : public NoticeSink {
public:
    void Post(Notice notice, std::uint32_t wParam, std::int32_t lParam) override
    {
        PostNoticeToFrame(static_cast<UINT>(notice), static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    }
};

} // namespace

NoticeSink& FrameNoticeSink()
{
    static PostToFrame sink;
    return sink;
}

void InstallFrameNoticeSink()
{
    CurrentNoticeSink = &FrameNoticeSink();
}

bool IsRelayedNotice(UINT message)
{
    switch (message) {
    case WM_DATABASEOPENED:
    case WM_DATABASECLOSED:
    case WM_EDITORSETTINGSCHANGED:
    case WM_ASSERTIONLINKCHANGED:
    case WM_ASSERTIONLINKADDED:
    case WM_ASSERTIONLINKREMOVED:
    case WM_PERSONDELETED:
    case WM_SOURCEDELETED:
    case WM_REPOSITORYDELETED:
    case WM_OBJECTIVEDELETED:
    case WM_DATEFORMATCHANGED:
    case WM_TASKSCHANGED:
    case WM_REPREFSCHANGED:
    case WM_SOURCESAVED:
    case WM_RECORDSIMPORTED:
        return true;
    default:
        return false;
    }
}

void RelayNotice(HWND mdiClient, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Posting lets every child see the notice after the sender's own work has finished.
    for (HWND child = GetWindow(mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!GetWindow(child, GW_OWNER))
            PostMessageA(child, message, wParam, lParam);
    }
}

LRESULT AskChildrenForCurrentRecord(HWND mdiClient, WPARAM kind)
{
    for (HWND child = GetWindow(mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindow(child, GW_OWNER))
            continue;
        if (LRESULT id = SendMessageA(child, WM_GETCURRENTRECORD, kind, 0))
            return id;
    }
    return 0;
}
