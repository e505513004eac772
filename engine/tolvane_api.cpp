// The exported functions: thin entries into the database, index and collection operations. Every
// failure becomes the function's failure answer and a last error; no exception leaves this file.
#include "engine/tolvane.h"

#include "engine/database_file.h"
#include "engine/record_collection.h"

#include <cstring>
#include <new>

using namespace tolvane;

namespace {

std::int32_t Code(ErrorCode code)
{
    return code;
}

template <typename T> auto Answer(T value)
{
    return [value](ErrorCode) { return value; };
}

} // namespace

extern "C" {

int32_t TLVAPI tlvGetVersion(void)
{
    return TLV_ENGINE_VERSION;
}

int32_t TLVAPI tlvGetLastError(DatabaseFile* db)
{
    return db ? db->LastError() : TLV_ERROR_NOTRANSACTION;
}

DatabaseFile* TLVAPI tlvCreateDatabaseEx(const char* path, uint32_t flags)
{
    if (path == nullptr)
        return nullptr;
    try {
        std::int32_t error = 0;
        return DatabaseFile::Create(path, flags, error).release();
    } catch (...) {
        return nullptr;
    }
}

DatabaseFile* TLVAPI tlvOpenDatabaseEx(const char* path, uint32_t flags)
{
    if (path == nullptr)
        return nullptr;
    try {
        std::int32_t error = 0;
        return DatabaseFile::Open(path, flags, error).release();
    } catch (...) {
        return nullptr;
    }
}

void TLVAPI tlvCloseDatabase(DatabaseFile* db)
{
    delete db;
}

int32_t TLVAPI tlvGetMemoryUsage(DatabaseFile* db)
{
    return db ? db->MemoryUsage() : 0;
}

int32_t TLVAPI tlvSetMemory(int32_t kilobytes, DatabaseFile* db)
{
    return db ? db->SetMemory(kilobytes) : 0;
}

int32_t TLVAPI tlvSetSpillBatch(int32_t blocks, DatabaseFile* db)
{
    if (!db)
        return 0;
    db->SetSpillBatch(blocks);
    return db->SpillBatch();
}

int32_t TLVAPI tlvStartTransaction(uint32_t access, DatabaseFile* db)
{
    return db ? db->StartTransaction(access) : TLV_ERROR_OPEN;
}

int32_t TLVAPI tlvEndTransaction(int32_t commit, DatabaseFile* db)
{
    return db ? db->EndTransaction(commit) : TLV_ERROR_NOTRANSACTION;
}

int32_t TLVAPI tlvAddTable(TableDefinition* definition, DatabaseFile* db)
{
    if (!db)
        return -1;
    return db->Run(
        [&] {
            if (definition == nullptr)
                Fail(LimitReached);
            return db->AddTable(*definition);
        },
        Answer(-1));
}

int32_t TLVAPI tlvDeleteTable(int32_t table, DatabaseFile* db)
{
    if (!db)
        return TLV_ERROR_NOTRANSACTION;
    return db->Run([&] { return db->DeleteTable(table), 0; }, Code);
}

int32_t TLVAPI tlvGetTableID(const char* name, DatabaseFile* db)
{
    if (!db)
        return -1;
    return db->Run([&] { return db->GetTableId(name); }, Answer(-1));
}

int32_t TLVAPI tlvGetTable(int32_t table, TableDefinition* definition, DatabaseFile* db)
{
    if (!db)
        return TLV_ERROR_NOTRANSACTION;
    return db->Run(
        [&] {
            if (definition == nullptr)
                Fail(LimitReached);
            return db->GetTable(table, *definition), 0;
        },
        Code);
}

int32_t TLVAPI tlvAddIndex(int32_t table, int32_t column, DatabaseFile* db)
{
    if (!db)
        return TLV_ERROR_NOTRANSACTION;
    return db->Run([&] { return db->AddIndex(table, column), 0; }, Code);
}

int32_t TLVAPI tlvRemoveIndex(int32_t table, int32_t column, DatabaseFile* db)
{
    if (!db)
        return TLV_ERROR_NOTRANSACTION;
    return db->Run([&] { return db->RemoveIndex(table, column), 0; }, Code);
}

int32_t TLVAPI tlvGetColumn(int32_t table, int32_t column, ColumnInfo* info, DatabaseFile* db)
{
    if (!db)
        return TLV_ERROR_NOTRANSACTION;
    return db->Run(
        [&] {
            if (info == nullptr)
                Fail(LimitReached);
            return db->GetColumn(table, column, *info), 0;
        },
        Code);
}

int32_t TLVAPI tlvReadRecord(int32_t table, int32_t id, void* buffer, DatabaseFile* db)
{
    if (!db)
        return TLV_ERROR_NOTRANSACTION;
    return db->Run([&] { return db->ReadRecord(table, id, buffer, false), 0; }, Code);
}

int32_t TLVAPI tlvReadNextRecord(int32_t table, int32_t id, int32_t skip, void* buffer, DatabaseFile* db)
{
    if (!db)
        return 0;
    return db->Run([&] { return db->ReadRecord(table, id, buffer, skip != 0); }, Answer(0));
}

int32_t TLVAPI tlvGetField(int32_t table, int32_t column, int32_t id, void* buffer, int32_t length, DatabaseFile* db)
{
    if (!db)
        return 0;
    return db->Run([&] { return db->GetField(table, column, id, buffer, length); }, Answer(0));
}

int32_t TLVAPI tlvSetField(int32_t table, int32_t column, int32_t id, const void* data, int32_t length,
                           DatabaseFile* db)
{
    if (!db)
        return TLV_ERROR_NOTRANSACTION;
    return db->Run([&] { return db->SetField(table, column, id, data, length), 0; }, Code);
}

int32_t TLVAPI tlvGetFirstRecord(int32_t table, int32_t column, DatabaseFile* db)
{
    if (!db)
        return 0;
    return db->Run([&] { return db->FirstInIndex(table, column, false); }, Answer(0));
}

int32_t TLVAPI tlvGetLastRecord(int32_t table, int32_t column, DatabaseFile* db)
{
    if (!db)
        return 0;
    return db->Run([&] { return db->FirstInIndex(table, column, true); }, Answer(0));
}

int32_t TLVAPI tlvGetNextRecord(int32_t table, int32_t column, int32_t id, int32_t mode, DatabaseFile* db)
{
    if (!db)
        return 0;
    return db->Run([&] { return db->NextInIndex(table, column, id, mode != 0, false); }, Answer(0));
}

int32_t TLVAPI tlvGetPreviousRecord(int32_t table, int32_t column, int32_t id, int32_t mode, DatabaseFile* db)
{
    if (!db)
        return 0;
    return db->Run([&] { return db->NextInIndex(table, column, id, mode != 0, true); }, Answer(0));
}

int32_t TLVAPI tlvFindNextRecord(int32_t previous, int32_t table, int32_t column, const void* key, DatabaseFile* db)
{
    if (!db)
        return -1;
    return db->Run([&] { return db->FindNextRecord(previous, table, column, key); }, Answer(-1));
}

int32_t TLVAPI tlvWriteRecord(int32_t table, int32_t id, const void* buffer, DatabaseFile* db)
{
    if (!db)
        return TLV_ERROR_NOTRANSACTION;
    return db->Run([&] { return db->WriteRecord(table, id, buffer), 0; }, Code);
}

int32_t TLVAPI tlvNewID(int32_t table, DatabaseFile* db)
{
    if (!db)
        return 0;
    return db->Run([&] { return db->NewId(table); }, Answer(0));
}

int32_t TLVAPI tlvDeleteRecord(int32_t table, int32_t id, DatabaseFile* db)
{
    if (!db)
        return TLV_ERROR_NOTRANSACTION;
    return db->Run([&] { return db->DeleteRecord(table, id), 0; }, Code);
}

int32_t TLVAPI tlvNumberOfRecords(int32_t table, DatabaseFile* db)
{
    if (!db)
        return -1;
    return db->Run([&] { return db->NumberOfRecords(table); }, Answer(-1));
}

RecordCollection* TLVAPI tlvFindAll(int32_t table, int32_t column, const void* key, DatabaseFile* db)
{
    if (!db)
        return nullptr;
    return db->Run([&] { return FindAll(*db, table, column, key).release(); },
                   Answer(static_cast<RecordCollection*>(nullptr)));
}

RecordCollection* TLVAPI tlvSelectAll(RecordCollection* collection, int32_t column, const void* key)
{
    if (!collection)
        return nullptr;
    return collection->Database().Run([&] { return SelectAll(*collection, column, key).release(); },
                                      Answer(static_cast<RecordCollection*>(nullptr)));
}

void TLVAPI tlvDeleteColl(RecordCollection* collection)
{
    delete collection;
}

int32_t TLVAPI tlvGetFirstCollRecord(RecordCollection* collection)
{
    return collection ? collection->First() : 0;
}

int32_t TLVAPI tlvGetLastCollRecord(RecordCollection* collection)
{
    return collection ? collection->Last() : 0;
}

int32_t TLVAPI tlvGetNextCollRecord(RecordCollection* collection)
{
    return collection ? collection->Next() : 0;
}

int32_t TLVAPI tlvGetPreviousCollRecord(RecordCollection* collection)
{
    return collection ? collection->Previous() : 0;
}

int32_t TLVAPI tlvNumberOfCollRecords(RecordCollection* collection)
{
    return collection ? collection->Count() : 0;
}

int32_t TLVAPI tlvSortColl(int32_t column, RecordCollection* collection)
{
    if (!collection)
        return TLV_ERROR_NOTRANSACTION;
    return collection->Database().Run([&] { return SortCollection(*collection, column), 0; }, Code);
}

} // extern "C"
