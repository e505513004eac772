// The export wizard and the progress dialog of an export: six pages that fill the export block, then the
// writer of the chosen format stepped one record at a time in its dialog. Which page follows which, the
// extensions and the texts are the portable model's (exchange/export_data.h); the writing is
// exchange/gedcom_writer.h's. These dialogs only show and step them.
#pragma once

#include <windows.h>

#include "exchange/export_data.h"

class Database;

// The whole export of the open database: the wizard, the writer and the result.
void RunExportWizard(HWND parent);

// The wizard as a modeless sheet over `parent` for tests: the sheet's window. `block` must outlive it.
HWND OpenExportWizardModeless(HWND parent, ExportWizardData& block);

// What follows a wizard that ended with Finish: the writer of the block's format in its progress dialog over
// `parent`, then "EXPORT_DONE", or a message when the file could not be written or the format has no writer
// here. True when the file was written.
bool RunExportAfterWizard(HWND parent, Database& database, ExportWizardData& block);

enum class ExportOutcome {
    Written,
    Cancelled, // by the user; nothing is left
    Failed,    // the file could not be created or written; nothing is left
};
ExportOutcome RunGedcomExportDialog(HWND owner, Database& database, ExportWizardData& block);

// The GEDCOM writers' entry: the export in its progress dialog; 1 when the file was written, 0 when it
// could not be created or written or the user cancelled (no file is left then).
int ExportGedcomWithProgress(HWND owner, Database& database, ExportWizardData& block);
// The exporters of the three GEDCOM formats over the frame and the open database, each with the block as its
// only argument (its format is set to theirs); 1 when the file was written, else 0.
int ExportGedcom55(ExportWizardData* block);
int ExportGedcom551(ExportWizardData* block);
int ExportGedcom4(ExportWizardData* block);
