#include "records/ui/media_editor.h"

#include <commdlg.h>
#include <richedit.h>
#include <shellapi.h>

#include <cstring>
#include <memory>

#include "core/database.h"
#include "core/note_text.h"
#include "core/ui/note_page.h"
#include "core/write_transaction.h"
#include "language/language_table.h"
#include "platform/file.h"
#include "platform/temp_file.h"
#include "records/media_files.h"
#include "records/media_record.h"
#include "records/media_row.h"
#include "records/record_lists.h"
#include "records/ui/media_preview.h"
#include "res/research_resource.h"
#include "settings/settings.h"
#include "ui_common/dialog_position.h"
#include "ui_common/dialog_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/message_box.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr std::size_t ExportFilterLimit = 63;

struct MediaEditorState {
    MediaRecord* media = nullptr;
    MediaPreviewFile preview;
};

void ShowSize(HWND dialog, const MediaRecord& media)
{
    SetDlgItemTextA(dialog, IDC_MEDIA_SIZE, MediaSizeText(media.DataSize()).c_str());
}

BOOL InitMediaEditor(HWND dialog, LPARAM parameter)
{
    auto* media = reinterpret_cast<MediaRecord*>(parameter);
    if (media == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    auto owned = std::make_unique<MediaEditorState>();
    owned->media = media;
    MediaEditorState& state = AttachDialogState(dialog, std::move(owned));
    TranslateDialog(dialog);
    SendDlgItemMessageA(dialog, IDC_MEDIA_DESCRIPTION, EM_LIMITTEXT, media_row::DescriptionSize - 1, 0);
    SetDlgItemTextA(dialog, IDC_MEDIA_FILENAME, media->FileName().c_str());
    ShowSize(dialog, *media);
    SetDlgItemTextA(dialog, IDC_MEDIA_DESCRIPTION, media->Description().c_str());
    PrepareNoteEdit(GetDlgItem(dialog, IDC_MEDIA_NOTE), media->Note());
    state.preview.Show(GetDlgItem(dialog, IDC_MEDIA_PREVIEW), *media);
    CentreOnOwner(dialog);
    return TRUE;
}

void TakeEdits(HWND dialog, MediaRecord& media)
{
    char description[media_row::DescriptionSize] = {};
    GetDlgItemTextA(dialog, IDC_MEDIA_DESCRIPTION, description, sizeof description);
    media.SetDescription(description);
    HWND note = GetDlgItem(dialog, IDC_MEDIA_NOTE);
    if (SendMessageA(note, EM_GETMODIFY, 0, 0))
        ReadNoteFromEdit(media.EnsureNote(), note);
}

void ShowEditError(HWND dialog)
{
    ShowMessageBox(dialog, GetLanguageText("MEDIA_EDIT_ERROR"), nullptr, MB_OK | MB_ICONSTOP);
}

// Waits for `process` to end while the program's windows go on being painted and served; the dialog itself
// takes no input meanwhile. False when the program is being ended (the quit message is passed on).
bool WaitServingMessages(HWND dialog, HANDLE process)
{
    EnableWindow(dialog, FALSE);
    bool ended = true;
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
        if (woken != WAIT_OBJECT_0 + 1)
            break;
        MSG message;
        bool quit = false;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                quit = true;
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (quit) {
            ended = false;
            break;
        }
    }
    EnableWindow(dialog, TRUE);
    return ended;
}

// Opens the media's bytes in the program associated with them for editing and, once that is done, takes the
// file back and stores the media at once.
void EditExternally(HWND dialog, MediaEditorState& state)
{
    MediaRecord& media = *state.media;
    if (!media.HasData())
        media.LoadData();
    const std::string path = WriteMediaTemporaryFile(media, platform::TemporaryFolder());
    if (path.empty()) {
        ShowEditError(dialog);
        return;
    }
    const std::string folder = platform::TemporaryFolder();
    SHELLEXECUTEINFOA run = {};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    run.hwnd = dialog;
    run.lpVerb = "edit";
    run.lpFile = path.c_str();
    run.lpDirectory = folder.c_str();
    run.nShow = SW_SHOW;
    if (!ShellExecuteExA(&run)) {
        platform::RemoveFile(path);
        ShowEditError(dialog);
        return;
    }
    bool done = true;
    if (run.hProcess != nullptr) {
        done = WaitServingMessages(dialog, run.hProcess);
        CloseHandle(run.hProcess);
    } else {
        // The file went to a program that runs already: there is no process of its own to wait for.
        done = ShowMessageBox(dialog, GetLanguageText("MEDIA_EDIT_WAIT"), GetLanguageText("MEDIA_TITLE"),
                              MB_OKCANCEL | MB_ICONINFORMATION) == IDOK;
    }
    if (done) {
        if (!media.ReadDataFromFile(path)) {
            ShowEditError(dialog);
        } else if (!RunWriteTransaction(media.OwnerDatabase(), [&] { return media.Create(); })) {
            ShowWriteFailure(dialog);
        } else {
            ShowSize(dialog, media);
            state.preview.Show(GetDlgItem(dialog, IDC_MEDIA_PREVIEW), media);
        }
    }
    platform::RemoveFile(path);
}

void MediaEditorCommand(HWND dialog, MediaEditorState& state, int command, int)
{
    switch (command) {
    case IDOK:
        TakeEdits(dialog, *state.media);
        EndDialog(dialog, 1);
        break;
    case IDC_MEDIA_EXPORT:
        ExportMediaFile(*state.media, dialog);
        break;
    case IDC_MEDIA_EDIT:
        EditExternally(dialog, state);
        break;
    default:
        break;
    }
}

INT_PTR MediaEditorMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerStatefulDialog<MediaEditorState>(dialog, message, wParam, lParam, "Window_Attachment.htm",
                                                  InitMediaEditor, MediaEditorCommand);
}

} // namespace

INT_PTR CALLBACK MediaDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<MediaEditorMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

int RunMediaEditor(HWND owner, MediaRecord& media)
{
    const INT_PTR result = DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_MEDIA_EDITOR), owner, MediaDialogProc,
                                           reinterpret_cast<LPARAM>(&media));
    return result == 1 ? 1 : 0;
}

int OpenMediaDialog(HWND owner, std::int32_t id)
{
    if (CurrentDatabase == nullptr)
        return 0;
    Database& database = *CurrentDatabase;
    MediaRecord media(database);
    media.Load(id);
    if (media.Id() == 0)
        return 0;
    if (CurrentSettings.object.IncludeOpened)
        if (MediaListState* list = MediaListOf(database))
            list->AddOpened(media);
    if (RunMediaEditor(owner, media) != 1)
        return 0;
    // Opened from the media list, the media has no owner's save to wait for: OK stores it.
    if (!RunWriteTransaction(database, [&] { return media.Create(); })) {
        ShowWriteFailure(owner);
        return 0;
    }
    return 1;
}

bool ExportMediaToPath(HWND owner, MediaRecord& media, const std::string& path)
{
    if (!media.HasData())
        media.LoadData();
    if (WriteMediaFile(media, path))
        return true;
    ShowMessageBox(owner, GetLanguageText("MEDIA_EXPORT_ERROR"), nullptr, MB_OK | MB_ICONERROR);
    return false;
}

bool ExportMediaFile(MediaRecord& media, HWND owner)
{
    // The proposed name is the stored one made harmless: it may hold folders or characters no file takes.
    char path[MAX_PATH] = {};
    char folder[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    std::string proposed = length > 0 && length < sizeof folder ? std::string(folder) + "\\" : std::string();
    proposed += SanitisedMediaFileName(media.FileName());
    std::strncpy(path, proposed.c_str(), sizeof path - 1);
    const std::string filter = FileDialogFilter(GetLanguageText("MEDIA_EXPORT_FILTER"), ExportFilterLimit);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = GetLanguageText("MEDIA_EXPORT_TITLE");
    dialog.lpstrDefExt = "";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!GetSaveFileNameA(&dialog))
        return false;
    return ExportMediaToPath(owner, media, path);
}
