#include "exchange/demonstration.h"

#include <memory>

#include "core/bounded_text.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/open_create.h"
#include "exchange/gedcom_import.h"
#include "exchange/import_data.h"
#include "language/language_table.h"
#include "platform/file.h"

std::string DemonstrationGedcomPath(const std::string& programFolder)
{
    return programFolder + "\\Demo\\Kennedy.ged";
}

std::string DemonstrationDatabasePath(const std::string& programFolder)
{
    return programFolder + "\\Demo\\Kennedy.vdb";
}

bool CreateDemonstrationDatabase(const std::string& gedcomPath, const std::string& databasePath)
{
    if (!platform::FileExists(gedcomPath) || platform::FileExists(databasePath))
        return false;
    ImportWizardData block;
    if (!InitImportWizardData(block, gedcomPath.c_str()))
        return false;
    std::unique_ptr<Database> database(CreateDatabase(databasePath.c_str(), true));
    if (!database)
        return false;
    // The demonstration keeps no log: nothing of it is the user's to read.
    block.log = nullptr;
    bool made = ImportGedcomFile(*database, block);
    if (made) {
        StoreField(database->header.title, sizeof database->header.title, GetLanguageText("DEMO_DATABASE_TITLE"));
        EngineTransaction transaction(database->file, TLV_READWRITE);
        made = transaction.Running() &&
               tlvWriteRecord(database->TableId(TableMain2), 1, &database->header, database->file) == 0 &&
               transaction.End(true) == 0;
    }
    database.reset();
    if (!made)
        platform::RemoveFile(databasePath);
    return made;
}
