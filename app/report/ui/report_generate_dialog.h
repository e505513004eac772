// The generation dialog, which runs a report's script one line per WM_RUNSTEP so that the program stays
// live and Cancel works, and the program's answers to what a report run asks of the windows.
#pragma once

// Before <windows.h>, whose ReportEvent macro would rename the report value type of that name.
#include "report/run/report_run.h"

#include <windows.h>

#include <cstdint>
#include <string>

// Posted by the generation dialog to itself: run the next line.
inline constexpr UINT WM_RUNSTEP = 8024;

// The dialog procedure of IDD_REPORT_GENERATE; the creation parameter is the ReportRun. Ends with a
// GenerationResult.
INT_PTR CALLBACK ReportGenerateDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The run's windows: the generation dialog owned by the frame, the error boxes of the run, the frame's
// current records.
class ProgramReportRunUi : public ReportRunUi {
public:
    bool AskInputs(ReportRun& run) override;
    int Generate(ReportRun& run) override;
    void ShowFileError(const char* key, std::uint32_t systemError) override;
    void OpenReportWindow(const std::string& path) override;
    std::uint32_t CurrentRecord(int kind) override;
};
