// The demonstration database: on a first start a newcomer sees a real family at once. The program folder
// ships a freely usable GEDCOM file (Demo\Kennedy.ged, MIT licensed, with its licence beside it); the
// first start imports it into a database of its own beside it and opens that.
#pragma once

#include <string>

// The shipped GEDCOM file and the database made of it, in the program folder `programFolder`.
std::string DemonstrationGedcomPath(const std::string& programFolder);
std::string DemonstrationDatabasePath(const std::string& programFolder);

// Makes the database at `databasePath` (replacing nothing: false when a file is there already) by importing
// the GEDCOM file at `gedcomPath` headless; its title is the language text DEMO_DATABASE_TITLE. On any
// failure no file is left behind. True when the database is ready to be opened.
bool CreateDemonstrationDatabase(const std::string& gedcomPath, const std::string& databasePath);
