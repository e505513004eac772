// The import wizard and the dialogs of an import: six pages that fill the import block, the progress
// dialogs that step the converter and the Wexmor import, and the result. The import itself is the
// portable model's (exchange/wexmor_import.h, exchange/gedcom_import.h); these dialogs only step it.
#pragma once

#include <windows.h>

#include "exchange/import_data.h"

class Database;
class GedcomImport;

// What the frame does when a database became the open one (enables its commands, shows its title ...).
using ShowDatabaseFunction = void (*)(Database& database);

// The whole import of the file at `path` (.ged, .wmx or any other extension as Wexmor): the wizard, the
// new database when one was chosen, the import with its log and the result. Nothing happens for a path
// whose file name has no extension.
void RunImportWizard(HWND parent, const char* path, ShowDatabaseFunction showOpened);

// The wizard as a modeless sheet over `parent` for tests: the sheet's window. `block` must outlive it.
HWND OpenImportWizardModeless(HWND parent, ImportWizardData& block);

// What follows a wizard that ended with Finish: the new database (the open one closed first through the
// frame's command; when a window refuses to close, the import stops with a message), the log, the import
// and the result. False when nothing was imported.
bool RunImportAfterWizard(HWND parent, ImportWizardData& block, ShowDatabaseFunction showOpened);

// The Wexmor import of the block's file into `database` in its progress dialog over `owner`; true when
// the records are stored. Messages of files that cannot be opened are shown here.
bool RunWexmorImportDialog(HWND owner, Database& database, ImportWizardData& block);
// The conversion of the block's GEDCOM file in its progress dialog, then the Wexmor import of the result;
// true when the records are stored.
bool RunGedcomImportDialogs(HWND owner, Database& database, ImportWizardData& block);

// The result: "IMPORT_OK" or "IMPORT_FAILED", with a button that opens the log in Notepad.
void ShowImportResult(HWND owner, ImportWizardData& block);

// The private messages of the progress dialogs.
inline constexpr UINT StartConversionMessage = 9024;
