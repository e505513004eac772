// The windows side of opening and creating databases: the message boxes behind DatabasePrompts and the
// save-file dialog that names a new database.
#pragma once

#include <windows.h>

class Database;

// Makes OpenDatabase speak through ShowMessageBox and the wait cursor. Called once at start-up.
void InstallDatabasePrompts();

// The save-file dialog for a new database, owned by the frame window; `path` (260 characters) starts
// empty and holds the chosen name. True when the user chose one.
bool AskNewDatabaseFileName(char* path);

// Creates the database at `path`; when that fails, says so once over `owner`, naming the file, and
// answers null.
Database* CreateDatabaseAt(HWND owner, const char* path, bool withStandardData);

// Asks for a file name and creates the database there; null when the user cancels or creation fails
// (which the user has then been told).
Database* NewDatabase(bool withStandardData);
