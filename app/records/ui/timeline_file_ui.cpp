#include "records/ui/timeline_file_ui.h"

#include <commdlg.h>

#include <vector>

#include "core/bounded_text.h"
#include "core/open_filter.h"
#include "language/language_table.h"
#include "records/timeline.h"
#include "settings/settings.h"
#include "ui_common/message_box.h"
#include "ui_common/window_helpers.h"

int LoadTimelineFile(Timeline& timeline, const char* path, HWND owner)
{
    switch (timeline.Load(path)) {
    case TimelineLoadResult::Loaded:
        return 1;
    case TimelineLoadResult::UnknownSize:
        return 0;
    case TimelineLoadResult::CannotOpen:
    case TimelineLoadResult::CannotRead:
    case TimelineLoadResult::TooManyEvents:
        break;
    }
    if (owner != nullptr)
        ShowMessageBox(owner, GetLanguageText("TIMELINE_OPENERROR_INVALIDPATH"), nullptr, MB_OK | MB_ICONSTOP);
    return 0;
}

bool SaveTimelineFile(const Timeline& timeline, HWND owner)
{
    std::uint32_t error = 0;
    if (timeline.Save(&error))
        return true;
    ShowSystemError(owner, GetLanguageText("TIMELINE_SAVEERROR"), error);
    return false;
}

std::string TimelineFolder()
{
    return std::string(CurrentSettings.AppDir) + "\\Timeline";
}

int ChooseTimelineFile(Timeline& timeline, HWND owner)
{
    const std::string filter = BuildOpenFilter({GetLanguageText("TIMELINE_FILTER")});
    const std::string folder = TimelineFolder();
    char path[TimelinePathSize] = {};
    CopyBounded(path, sizeof path, timeline.Path());
    OPENFILENAMEA dialog {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = GetLanguageText("TIMELINE_OPEN_TITLE");
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrDefExt = TimelineFileExtension;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&dialog))
        return 0;
    timeline.SetPath(path);
    return LoadTimelineFile(timeline, path, owner);
}
