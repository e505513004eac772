#include "report/ui/report_generate_dialog.h"

#include <cstdio>
#include <memory>

#include "language/language_table.h"
#include "platform/file.h"
#include "res/report_resource.h"
#include "ui_common/dialog_position.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/message_box.h"
#include "ui_common/private_messages.h"
#include "ui_common/window_helpers.h"

namespace {

// The state of the one generation dialog: the run's steps and what the statements ask of the dialog.
class GenerationDialog : public ReportRunDialog {
public:
    GenerationDialog(HWND dialog, ReportRun& run) : dialog_(dialog), run_(&run), steps_(run, *this) {}

    void ShowStatus(const char* text) override { SetDlgItemTextA(dialog_, IDC_REPORT_GENERATE_STATUS, text); }
    void ShowMessage(std::uint32_t flags, const char* text) override { ShowMessageBox(dialog_, text, "", flags); }
    void PumpMessages() override
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // The program is closing: leave the quit for the main loop and stop the run.
                PostQuitMessage(static_cast<int>(message.wParam));
                steps_.Cancel();
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    bool AskStopAfterError(const char* text) override
    {
        return ShowMessageBox(FrameWindow, text, GetLanguageText("REPORT_ERRORTITLE"),
                              MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
    }

    // One step; -1 while the run goes on.
    int Step()
    {
        int result = steps_.Step();
        char line[64];
        std::snprintf(line, sizeof line, "%s %i", GetLanguageText("STATUSBAR_LINE"),
                      static_cast<int>(run_->Context().state.currentLine + 1));
        SetDlgItemTextA(dialog_, IDC_REPORT_GENERATE_LINE, line);
        return result;
    }
    void Cancel() { steps_.Cancel(); }

private:
    HWND dialog_;
    ReportRun* run_;
    GenerationSteps steps_;
};

GenerationDialog* StateOf(HWND dialog)
{
    return reinterpret_cast<GenerationDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

INT_PTR GenerateMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        TranslateDialog(dialog);
        auto* run = reinterpret_cast<ReportRun*>(lParam);
        // Opening writes the start of the document on the run's first dialog.
        auto state = std::make_unique<GenerationDialog>(dialog, *run);
        SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state.release()));
        CentreOnOwner(dialog);
        PostMessageA(dialog, WM_RUNSTEP, 0, 0);
        return TRUE;
    }
    case WM_RUNSTEP: {
        GenerationDialog* state = StateOf(dialog);
        if (state == nullptr)
            return TRUE;
        int result = state->Step();
        if (result < 0)
            PostMessageA(dialog, WM_RUNSTEP, 0, 0);
        else
            EndDialog(dialog, result);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            if (GenerationDialog* state = StateOf(dialog))
                state->Cancel();
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        delete StateOf(dialog);
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK ReportGenerateDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<GenerateMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

bool ProgramReportRunUi::AskInputs(ReportRun&)
{
    return true;
}

int ProgramReportRunUi::Generate(ReportRun& run)
{
    INT_PTR result = DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_REPORT_GENERATE), FrameWindow,
                                     ReportGenerateDlgProc, reinterpret_cast<LPARAM>(&run));
    if (result < 0) {
        // No dialog: nothing ran, and the document is not kept.
        run.Context().deleteOutput = true;
        return GenerationCancelled;
    }
    return static_cast<int>(result);
}

void ProgramReportRunUi::ShowFileError(const char* key, std::uint32_t systemError)
{
    ShowSystemError(FrameWindow, GetLanguageText(key), systemError);
}

void ProgramReportRunUi::OpenReportWindow(const std::string& path)
{
    platform::RemoveFile(path);
}

std::uint32_t ProgramReportRunUi::CurrentRecord(int kind)
{
    if (FrameWindow == nullptr)
        return 0;
    return static_cast<std::uint32_t>(SendMessageA(FrameWindow, WM_GETCURRENTRECORD, static_cast<WPARAM>(kind), 0));
}
