// What the windows do with report-type files: read one, telling the user why it cannot be read; write one,
// telling the user the system's reason when that fails; and the save dialog that chooses a new name.
#pragma once

#include <windows.h>

class ReportType;

// Takes `path` into the report type and reads the file there (ReportType::Open). A refused file is reported
// over `owner` with the load's message (stop icon, no caption of its own) only when an owner is given: the
// frame reads the names of its report menus without one. 1 on success, else 0.
int OpenReportTypeFile(ReportType& type, const char* path, HWND owner);

// Writes the report type to its path (ReportType::Save); a failure is shown over `owner` with the system's
// text for it under the caption REPORTTYPE_SAVEERROR, and the report type stays modified. True when written.
bool SaveReportTypeFile(ReportType& type, HWND owner);

// The save dialog for a report type under a new name (filter REPORTTYPE_FILTER, title
// REPORTTYPE_SAVEASTITLE, extension "rpt", the present path as the file name, a question before an existing
// file is replaced). On OK the path becomes the report type's and its revision starts again
// (ReportType::SaveAsPath); nothing is written. 1 when a path was chosen, 0 when cancelled.
int ChooseReportTypeSavePath(ReportType& type, HWND owner);

// Replaces the report type's script by the text of the script editor (a Scintilla control). False when the
// memory for it cannot be had; the script is then empty.
bool CopyScriptFromEditor(ReportType& type, HWND editor);
