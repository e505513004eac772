#include "core/ui/open_create_ui.h"

#include <cstring>
#include <string>

#include "core/open_create.h"
#include "language/language_table.h"
#include "core/open_filter.h"
#include "settings/settings.h"
#include "ui_common/file_dialog.h"
#include "ui_common/frame_globals.h"
#include "ui_common/message_box.h"

namespace {

constexpr std::size_t FilterTextSize = 128; // at most 127 characters

class MessageBoxPrompts : public DatabasePrompts {
public:
    void ShowError(void* owner, const char* text) override
    {
        ShowMessageBox(static_cast<HWND>(owner), text, nullptr, MB_OK | MB_ICONERROR);
    }
    bool AskYesNo(void* owner, const char* text, const char* caption) override
    {
        return ShowMessageBox(static_cast<HWND>(owner), text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    void ShowInformation(void* owner, const char* text) override
    {
        ShowMessageBox(static_cast<HWND>(owner), text, "", MB_OK | MB_ICONINFORMATION);
    }
    void ShowWaitCursor(bool on) override
    {
        if (on)
            previousCursor_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        else
            SetCursor(previousCursor_);
    }
    // The reminder comes with the backup itself, which offers it; until then opening goes on without it.
    void CheckBackupReminder(Database&, void*, std::int32_t*, const char*, const char*) override {}

private:
    HCURSOR previousCursor_ = nullptr;
};

MessageBoxPrompts Prompts;

} // namespace

void InstallDatabasePrompts()
{
    SetDatabasePrompts(&Prompts);
}

bool AskNewDatabaseFileName(char* path)
{
    char filterText[FilterTextSize];
    CopyLanguageText("IDS_DB_FILTERSTRING", filterText, sizeof filterText);
    std::string filter = BuildOpenFilter({filterText});

    path[0] = 0;
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = FrameWindow;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = GetLanguageText("IDS_DB_NEWTITLE");
    dialog.lpstrInitialDir =
        CurrentSettings.general.DatabaseDir[0] != 0 ? CurrentSettings.general.DatabaseDir : nullptr;
    dialog.lpstrDefExt = "vdb";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN;
    return ShowSaveFileDialog(dialog);
}

Database* CreateDatabaseAt(HWND owner, const char* path, bool withStandardData)
{
    if (Database* database = CreateDatabase(path, withStandardData))
        return database;
    // The text names the file where it says "%s"; a translation without it still says why.
    std::string text = GetLanguageText("DATABASE_CREATE_ERROR");
    if (std::size_t at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, path != nullptr ? path : "");
    ShowMessageBox(owner, text.c_str(), nullptr, MB_OK | MB_ICONERROR);
    return nullptr;
}

Database* NewDatabase(bool withStandardData)
{
    char path[MAX_PATH];
    if (!AskNewDatabaseFileName(path))
        return nullptr;
    return CreateDatabaseAt(FrameWindow, path, withStandardData);
}
