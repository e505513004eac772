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

// Asks for a file name and creates the database there; null when the user cancels or creation fails.
Database* NewDatabase(bool withStandardData);
