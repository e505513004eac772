#include "records/given_names.h"

#include "core/bounded_text.h"
#include "core/engine_transaction.h"
#include "platform/file.h"

std::string GivenNamesPath(const std::string& folder)
{
#ifdef _WIN32
    const char separator = '\\';
#else
    const char separator = '/';
#endif
    return folder + separator + GivenNamesFileName;
}

DatabaseFile* OpenGivenNamesDatabase(const std::string& folder)
{
    const std::string path = GivenNamesPath(folder);
    if (DatabaseFile* file = tlvOpenDatabaseEx(path.c_str(), 0))
        return file;
    if (platform::FileExists(path))
        return nullptr;
    return CreateGivenNamesDatabase(path);
}

DatabaseFile* CreateGivenNamesDatabase(const std::string& path)
{
    DatabaseFile* file = tlvCreateDatabaseEx(path.c_str(), 0);
    if (file == nullptr)
        return nullptr;
    ColumnDefinition columns[3] = {};
    columns[0] = {TLV_TEXT, 0, static_cast<std::uint16_t>(GivenNameSize), 1, 0};
    columns[1] = {TLV_INT32, 0, 1, 1, 0};
    columns[2] = {TLV_LONGTEXT, 0, 1, 0, 0};
    TableDefinition table = {};
    table.name = "NAMES";
    table.columns = columns;
    table.columnCount = 3;
    bool made = false;
    {
        EngineTransaction transaction(file, TLV_READWRITE);
        made = transaction.Running() && (tlvAddTable(&table, file) & 0xFFFF) == GivenNamesTable;
        made = transaction.End(made) == 0 && made;
    }
    if (!made) {
        tlvCloseDatabase(file);
        platform::RemoveFile(path);
        return nullptr;
    }
    return file;
}

void CloseGivenNamesDatabase(DatabaseFile* file)
{
    if (file != nullptr)
        tlvCloseDatabase(file);
}

std::int32_t AddGivenName(DatabaseFile* file, const char* name, std::int32_t mainId)
{
    GivenNameRow row = {};
    StoreField(row.name, sizeof row.name, name);
    row.mainId = mainId;
    const std::int32_t id = tlvNewID(GivenNamesTable, file);
    return id > 0 && tlvWriteRecord(GivenNamesTable, id, &row, file) == 0 ? id : 0;
}

int GivenNameRecord::FindNext(const char* name)
{
    char key[GivenNameSize] = {};
    CopyBounded(key, sizeof key, name);
    const std::int32_t found = tlvFindNextRecord(0, GivenNamesTable, GivenNameColumn, key, file_);
    if (found <= 0 || tlvReadRecord(GivenNamesTable, found, &row, file_) != 0) {
        id_ = 0;
        return 0;
    }
    id_ = found;
    return 1;
}

void GivenNameRecord::LoadVariants()
{
    variants_.clear();
    EngineTransaction transaction(file_, TLV_READ);
    if (!transaction.Running())
        return;
    RecordCollection* collection = tlvFindAll(GivenNamesTable, GivenNameMainColumn, &id_, file_);
    if (collection == nullptr)
        return;
    for (id_ = tlvGetFirstCollRecord(collection); id_ > 0; id_ = tlvGetNextCollRecord(collection)) {
        GivenNameRow variant = {};
        if (tlvReadRecord(GivenNamesTable, id_, &variant, file_) == 0)
            variants_.push_back(variant);
    }
    id_ = 0;
    tlvDeleteColl(collection);
}

std::vector<std::string> GivenNameGroup(DatabaseFile* file, const char* name)
{
    std::vector<std::string> group;
    if (file == nullptr)
        return group;
    GivenNameRecord found(file);
    if (found.FindNext(name) == 0)
        return group;
    // A main name stands for itself; a variant for its main name.
    std::int32_t mainId = found.row.mainId != 0 ? found.row.mainId : found.Id();
    GivenNameRecord main(file);
    if (tlvReadRecord(GivenNamesTable, mainId, &main.row, file) != 0)
        return group;
    group.emplace_back(main.row.name);
    main.SetId(mainId);
    main.LoadVariants();
    for (const GivenNameRow& variant : main.Variants())
        group.emplace_back(variant.name);
    return group;
}
