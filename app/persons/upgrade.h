// The upgrade of databases written by older versions: before 10000 the name, attribute and event
// assertions lived in the tables ALIAS, ATTRIBUTE and EVENT, before 10200 the places in PLACE. Their live
// rows move into ALIAS2, ATTRIBUTE2, EVENT2 and PLACE2 under the same ids, so every reference to them
// stays valid, and the old tables are dropped.
#pragma once

class Database;

// Each step runs inside the caller's read-write transaction and raises the header's version (10000,
// 10200); false when anything failed, after which the caller must discard the transaction.
bool UpgradeAssertionTables(Database& database);
bool UpgradePlaceTable(Database& database);

// Runs the steps the database's version needs in one read-write transaction: either the database is
// brought to version 10200 and true is answered, or the file is left exactly as it was (the Database's
// header and table ids too) and false is answered.
bool UpgradeOlderDatabase(Database& database);
