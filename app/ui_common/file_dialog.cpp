#include "ui_common/file_dialog.h"

namespace {

FileDialogAnswerer g_answerer = nullptr;
void* g_answererContext = nullptr;

} // namespace

bool ShowSaveFileDialog(OPENFILENAMEA& dialog)
{
    if (g_answerer)
        return g_answerer(dialog, g_answererContext);
    return GetSaveFileNameA(&dialog) != FALSE;
}

void SetFileDialogAnswerer(FileDialogAnswerer answerer, void* context)
{
    g_answerer = answerer;
    g_answererContext = context;
}
