// The common file dialogs of the program go through ShowSaveFileDialog, so that a test can choose the file
// instead of a person, as ShowMessageBox lets it answer the message boxes.
#pragma once

#include <windows.h>

#include <commdlg.h>

// Shows the save-file dialog (GetSaveFileNameA) unless an answerer is set, which then chooses the file.
// True when a file was chosen: its path is in dialog.lpstrFile.
bool ShowSaveFileDialog(OPENFILENAMEA& dialog);

// Chooses in place of the user: gets the dialog's structure as the program filled it (title, filter, the
// proposed file in lpstrFile) and writes the chosen path into lpstrFile, at most nMaxFile bytes with its
// terminating zero; false stands for Cancel.
using FileDialogAnswerer = bool (*)(OPENFILENAMEA& dialog, void* context);

// Sets the answerer (null brings back the real dialogs).
void SetFileDialogAnswerer(FileDialogAnswerer answerer, void* context);
