#include "report/ui/report_type_file_ui.h"

#include <commdlg.h>

#include <string>

#include "core/bounded_text.h"
#include "core/open_filter.h"
#include "language/language_table.h"
#include "report/output/report_type.h"
#include "ui_common/message_box.h"
#include "ui_common/window_helpers.h"

namespace {

// Scintilla's messages for the length and the whole text of the control.
constexpr UINT SciGetLength = 2006;
constexpr UINT SciGetText = 2182;

} // namespace

int OpenReportTypeFile(ReportType& type, const char* path, HWND owner)
{
    const ReportTypeLoadResult result = type.Open(path);
    if (result == ReportTypeLoadResult::Loaded)
        return 1;
    const char* key = ReportTypeLoadMessageKey(result);
    if (owner != nullptr && key != nullptr)
        ShowMessageBox(owner, GetLanguageText(key), nullptr, MB_OK | MB_ICONSTOP);
    return 0;
}

bool SaveReportTypeFile(ReportType& type, HWND owner)
{
    std::uint32_t error = 0;
    if (type.Save(&error))
        return true;
    ShowSystemError(owner, GetLanguageText("REPORTTYPE_SAVEERROR"), error);
    return false;
}

int ChooseReportTypeSavePath(ReportType& type, HWND owner)
{
    const std::string filter = BuildOpenFilter({GetLanguageText("REPORTTYPE_FILTER")});
    char path[ReportTypePathSize] = {};
    CopyBounded(path, sizeof path, type.Path());
    OPENFILENAMEA dialog {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = GetLanguageText("REPORTTYPE_SAVEASTITLE");
    dialog.lpstrDefExt = "rpt";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&dialog))
        return 0;
    type.SaveAsPath(path);
    return 1;
}

bool CopyScriptFromEditor(ReportType& type, HWND editor)
{
    const auto length = static_cast<std::size_t>(SendMessageA(editor, SciGetLength, 0, 0));
    char* script = type.SetScriptSize(length + 1);
    if (script == nullptr)
        return false;
    SendMessageA(editor, SciGetText, length + 1, reinterpret_cast<LPARAM>(script));
    return true;
}
