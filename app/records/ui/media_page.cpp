// The media page of a person: the person's media in the list the person keeps, beside a preview of the
// selected one. Changes stay in the list until the person is saved; the page tells its host of each one.
#include "records/ui/media_editor.h"

#include <commctrl.h>
#include <commdlg.h>

#include <memory>

#include "core/database.h"
#include "language/language_table.h"
#include "records/media_files.h"
#include "records/media_record.h"
#include "records/ui/media_preview.h"
#include "records/ui/record_list_view.h"
#include "res/frame_resource.h"
#include "res/research_resource.h"
#include "ui_common/dialog_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/message_box.h"
#include "ui_common/private_messages.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr std::size_t OpenFilterLimit = 255;
constexpr std::size_t FileTitleSize = 128;

struct MediaPageState {
    RecordList<MediaRecord>* media = nullptr;
    MediaPreviewFile preview;
};

HWND PageList(HWND page)
{
    return GetDlgItem(page, IDC_MEDIA_PAGE_LIST);
}

int SelectedEntry(HWND page, const MediaPageState& state)
{
    return state.media != nullptr ? SelectedListEntry(PageList(page), *state.media) : -1;
}

void UpdateFrameCommands(HWND page, const MediaPageState& state)
{
    EnableFrameEditAndDelete(IsWindowVisible(page) && SelectedEntry(page, state) >= 0);
}

void ShowSelectedPreview(HWND page, MediaPageState& state)
{
    HWND preview = GetDlgItem(page, IDC_MEDIA_PREVIEW);
    const int entry = SelectedEntry(page, state);
    if (entry < 0)
        state.preview.Clear(preview);
    else
        state.preview.Show(preview, (*state.media)[static_cast<std::size_t>(entry)]);
}

void FillMedia(HWND page, MediaPageState& state)
{
    HWND list = PageList(page);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    if (state.media != nullptr) {
        for (std::size_t i = 0; i < state.media->Count(); ++i) {
            if (state.media->IsMarked(i))
                continue;
            const MediaRecord& media = (*state.media)[i];
            AppendListRow(list, i, {media.FileName(), media.Description()});
        }
    }
    ShowSelectedPreview(page, state);
    UpdateFrameCommands(page, state);
}

void TellHost(HWND page)
{
    PostMessageA(GetParent(page), WM_PAGECHANGED, 0, 0);
}

void EditSelected(HWND page, MediaPageState& state)
{
    const int entry = SelectedEntry(page, state);
    if (entry < 0)
        return;
    if (RunMediaEditor(page, (*state.media)[static_cast<std::size_t>(entry)]) != 1)
        return;
    FillMedia(page, state);
    TellHost(page);
}

void RemoveSelected(HWND page, MediaPageState& state)
{
    const int entry = SelectedEntry(page, state);
    if (entry < 0)
        return;
    // The person's save deletes it; until then closing the person without saving keeps it.
    state.media->SetMark(static_cast<std::size_t>(entry), 1);
    FillMedia(page, state);
    TellHost(page);
}

BOOL InitMediaPage(HWND page, LPARAM parameter)
{
    auto owned = std::make_unique<MediaPageState>();
    owned->media = reinterpret_cast<RecordList<MediaRecord>*>(parameter);
    MediaPageState& state = AttachDialogState(page, std::move(owned));
    SetUpListColumns(PageList(page), {{"PERSON_MEDIAHEADING1", 80}, {"PERSON_MEDIAHEADING2", 120}});
    FillMedia(page, state);
    return TRUE;
}

INT_PTR MediaPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return InitMediaPage(page, lParam);
    MediaPageState* state = DialogStateOf<MediaPageState>(page);
    if (message == WM_NCDESTROY) {
        DestroyDialogState<MediaPageState>(page);
        return FALSE;
    }
    if (state == nullptr)
        return FALSE;
    switch (message) {
    case WM_SIZE: {
        const int width = LOWORD(lParam) < 100 ? 100 : LOWORD(lParam);
        const int height = HIWORD(lParam) < 50 ? 50 : HIWORD(lParam);
        MoveWindow(PageList(page), 0, 0, width / 2, height, TRUE);
        MoveWindow(GetDlgItem(page, IDC_MEDIA_PREVIEW), width / 2 + 10, 0, width / 2 - 10, height, TRUE);
        return TRUE;
    }
    case WM_SHOWWINDOW:
        EnableFrameEditAndDelete(wParam != FALSE && SelectedEntry(page, *state) >= 0);
        return FALSE;
    case WM_PAGEREFRESH:
        FillMedia(page, *state);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDM_INSERT_ATTACHMENT:
            if (state->media != nullptr)
                AddMediaFromFile(page, *state->media);
            return TRUE;
        case IDM_VIEW_DATA:
            EditSelected(page, *state);
            return TRUE;
        case IDM_EDIT_DELETE:
            RemoveSelected(page, *state);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_NOTIFY:
        return AnswerListPageNotice(page, IDC_MEDIA_PAGE_LIST, lParam, [&](const NMLISTVIEW& change) {
            if (((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0)
                return;
            ShowSelectedPreview(page, *state);
            UpdateFrameCommands(page, *state);
        });
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK MediaPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<MediaPageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}

HWND CreateMediaPage(HWND host, RecordList<MediaRecord>& media)
{
    return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_MEDIA_PAGE), host, MediaPageDlgProc,
                              reinterpret_cast<LPARAM>(&media));
}

bool AddMediaFile(HWND page, RecordList<MediaRecord>& list, const std::string& path)
{
    if (CurrentDatabase == nullptr)
        return false;
    auto media = std::make_unique<MediaRecord>(*CurrentDatabase);
    media->LoadData();
    if (!media->ReadDataFromFile(path)) {
        ShowMessageBox(page, GetLanguageText("MEDIA_OPEN_ERROR"), nullptr, MB_OK | MB_ICONERROR);
        return false;
    }
    const std::size_t slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    media->SetFileName(name.substr(0, FileTitleSize - 1).c_str());
    if (RunMediaEditor(page, *media) != 1)
        return false;
    list.Append(std::move(media));
    if (MediaPageState* state = DialogStateOf<MediaPageState>(page))
        FillMedia(page, *state);
    TellHost(page);
    return true;
}

bool AddMediaFromFile(HWND page, RecordList<MediaRecord>& list)
{
    char path[MAX_PATH] = {};
    const std::string filter = FileDialogFilter(GetLanguageText("MEDIA_OPEN_FILTER"), OpenFilterLimit);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = page;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = GetLanguageText("MEDIA_OPEN_TITLE");
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!GetOpenFileNameA(&dialog))
        return false;
    return AddMediaFile(page, list, path);
}
