// What the frame shows about the open database: the enabled database commands, the title, the recent
// databases at the end of the File menu, and the database's property sheet.
#pragma once

#include <windows.h>

class Database;

// After a database was opened or created: enables its commands, puts it at the top of the recent list,
// shows its title and posts WM_DATABASEOPENED to the frame.
void ShowOpenedDatabase(Database& database);
// Greys the database commands and shows the product name as the title.
void ShowNoDatabase();
// Rebuilds the recent-database items at the end of the File menu from the settings.
void RebuildRecentDatabaseMenu();
// The property sheet of the general, records and owner pages.
void ShowDatabaseProperties(Database& database, HWND parent);
// The same sheet without its own message loop, for a caller that drives it (PropSheet messages).
HWND OpenDatabasePropertiesModeless(Database& database, HWND parent);
