// Turning a database file into a Database: opening with the version gates, creating a new file with its
// schema, header and (on request) the standard event types, attribute types and roles.
//
// The model shows no windows: what opening tells or asks the user goes through DatabasePrompts, which the
// ui installs with message boxes (InstallDatabasePrompts, core/ui/open_create_ui.h) and tests answer
// directly. The owner window is passed through untouched (an HWND in the Windows build).
#pragma once

#include <cstdint>

class Database;

// The oldest database version that can still be upgraded; older ones are refused. Versions above
// DatabaseVersionNewest (core/schema.h) are refused too, and those below DatabaseVersionCreated need the
// upgrade.
inline constexpr int OldestOpenableDatabaseVersion = 97;

class DatabasePrompts {
public:
    virtual ~DatabasePrompts() = default;
    // A box over `owner` with `text`, no caption and the error icon.
    virtual void ShowError(void* owner, const char* text) = 0;
    // A Yes/No question with the question icon; true for Yes.
    virtual bool AskYesNo(void* owner, const char* text, const char* caption) = 0;
    // An information box with an empty caption.
    virtual void ShowInformation(void* owner, const char* text) = 0;
    // The wait cursor around long work: on, then off again.
    virtual void ShowWaitCursor(bool on) = 0;
    // The backup reminder of an opened database, run when General/BakChkOpen is on. `setting` is the
    // settings field that a do-not-ask-again answer clears, stored under `section`/`valueName`.
    virtual void CheckBackupReminder(Database& database, void* owner, std::int32_t* setting, const char* section,
                                     const char* valueName) = 0;
};

// Installs the prompts used by OpenDatabase (null: errors pass silently and every question is answered No,
// so nothing is changed unasked). Returns the previous ones.
DatabasePrompts* SetDatabasePrompts(DatabasePrompts* prompts);

// Brings a database of an older version to the current one in one read-write transaction of its own;
// false when any step failed, and then the file is as it was. The upgrade builds records of layers above
// this one, so the caller of OpenDatabase hands it in (UpgradeOlderDatabase, persons/upgrade.h).
using DatabaseUpgrade = bool (*)(Database& database);

// Opens the database file at `path`; null after telling the user why (unreadable file, damaged header,
// version outside 97 .. 10403, an upgrade refused or not done). A database that needs the upgrade is
// refused as too old when `upgrade` is null. The caller owns the answer.
Database* OpenDatabase(void* owner, const char* path, DatabaseUpgrade upgrade);

// Creates a new database file at `path` (which must hold a backslash) with its schema and header, and with
// the built-in event and attribute types and the standard roles of the language in use when
// `withStandardData`. Null on any failure, and then no half-made file is left behind. No message is shown.
Database* CreateDatabase(const char* path, bool withStandardData);
