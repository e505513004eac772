/* Tolvane, the record database engine: the functions of Tolvane.dll.
 *
 * Every function is extern "C" with the calling convention TLVAPI (__stdcall in the Windows build), exported
 * under its plain name. A database is one file of 8192-byte blocks holding numbered tables of fixed-length
 * records. Every table, record, index, field and collection call runs inside a transaction
 * (tlvStartTransaction ... tlvEndTransaction); the file is open only while one runs, and only the outermost
 * transaction of nested ones writes or discards the changes. A commit is atomic: after a failure or a crash
 * the file holds either all of the transaction or none of it.
 *
 * Failures answer as each function says and leave a code for tlvGetLastError. A null database or collection
 * gets the function's failure answer. Nothing is thrown and no message is shown. */
#ifndef TOLVANE_H
#define TOLVANE_H

#include <stdint.h>

#ifdef _WIN32
#define TLVAPI __stdcall
#else
#define TLVAPI
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The engine's handle of an open database file, and a list of record ids with a cursor. */
typedef struct DatabaseFile DatabaseFile;
typedef struct RecordCollection RecordCollection;

#define TLV_ENGINE_VERSION 0x20002

/* Access of tlvStartTransaction. */
#define TLV_READ 0x80000000u
#define TLV_READWRITE 0xC0000000u

/* Flags of tlvCreateDatabaseEx and tlvOpenDatabaseEx: shared mode reads the file afresh in every transaction
   and waits for a file that another process holds. */
#define TLV_SHARED 1u

/* Last-error codes. */
#define TLV_OK 0
/* The rollback journal of an interrupted commit lies beside its database, named by this suffix; it belongs to
   the file, so whoever moves or copies a database moves its journal with it. */
#define TLV_JOURNAL_SUFFIX "-journal"

#define TLV_ERROR_CREATE 1  /* the file cannot be created */
#define TLV_ERROR_OPEN 2    /* the file cannot be opened */
#define TLV_ERROR_MAGIC 3   /* the file is not a database */
#define TLV_ERROR_VERSION 4 /* the format version is outside 200 to 220 */
#define TLV_ERROR_NOTRANSACTION 10
#define TLV_ERROR_TABLE 11      /* no such table */
#define TLV_ERROR_COLUMN 12     /* no such column */
#define TLV_ERROR_RECORD 13     /* record id outside 1 to the highest id, or the record is not live */
#define TLV_ERROR_TABLEGROUP 14 /* no page-map group left for a new table */
#define TLV_ERROR_INDEXGROUP 15 /* no page-map group left for a new index */
#define TLV_ERROR_IO 16         /* a read or write of the file failed, or its contents are damaged */
#define TLV_ERROR_LIMIT 17      /* beyond what the file format holds (blocks, records, columns, lengths) */
#define TLV_ERROR_MEMORY 18     /* out of memory */

/* Column types. */
#define TLV_BYTE 0
#define TLV_TEXT 1 /* NUL-terminated text of up to count bytes */
#define TLV_UINT16 2
#define TLV_INT16 3
#define TLV_UINT32 4
#define TLV_INT32 5
#define TLV_UINT64 6
#define TLV_INT64 7
#define TLV_NOTHING 8  /* nothing is stored */
#define TLV_LONGTEXT 9 /* id of a chain of text pieces; read and written with tlvGetField and tlvSetField */
#define TLV_FLOAT 10
#define TLV_DOUBLE 11

/* The longest record a table may have: the 4-byte slot word and the columns, so at most 8188 bytes of
   columns. tlvAddTable refuses a longer one with TLV_ERROR_LIMIT. */
#define TLV_MAX_RECORD_LENGTH 8192

typedef struct ColumnDefinition {
    uint8_t type;
    uint8_t zero;
    uint16_t count;   /* elements; 0 is taken as 1 and written back */
    int32_t indexed;  /* non-zero: the column gets an index */
    int32_t reserved; /* not read */
} ColumnDefinition;

typedef struct TableDefinition {
    /* tlvAddTable reads the name; tlvGetTable copies the name (at most 16 bytes with its NUL) into the
       buffer this points to when it is not null. */
    const char* name;
    ColumnDefinition* columns; /* tlvGetTable sets it to null */
    uint8_t columnCount;
    int32_t highestId; /* filled in by tlvGetTable */
} TableDefinition;

typedef struct ColumnInfo {
    uint8_t type;
    uint16_t count;
    int32_t indexed; /* 1 or 0 */
    uint16_t offset; /* within the record buffer */
} ColumnInfo;

int32_t TLVAPI tlvGetVersion(void);
int32_t TLVAPI tlvGetLastError(DatabaseFile* db);
DatabaseFile* TLVAPI tlvCreateDatabaseEx(const char* path, uint32_t flags);
DatabaseFile* TLVAPI tlvOpenDatabaseEx(const char* path, uint32_t flags);
void TLVAPI tlvCloseDatabase(DatabaseFile* db);
int32_t TLVAPI tlvGetMemoryUsage(DatabaseFile* db);
int32_t TLVAPI tlvSetMemory(int32_t kilobytes, DatabaseFile* db);
/* Under a memory limit, how many changed blocks a write transaction holds before it writes them to the file
   early, from the next transaction on; 0 for the default, which grows with the limit. Fewer blocks hold less
   memory and cost more flushes of the journal. Answers the number set. */
int32_t TLVAPI tlvSetSpillBatch(int32_t blocks, DatabaseFile* db);
int32_t TLVAPI tlvStartTransaction(uint32_t access, DatabaseFile* db);
int32_t TLVAPI tlvEndTransaction(int32_t commit, DatabaseFile* db);

int32_t TLVAPI tlvAddTable(TableDefinition* definition, DatabaseFile* db);
int32_t TLVAPI tlvDeleteTable(int32_t table, DatabaseFile* db);
int32_t TLVAPI tlvGetTableID(const char* name, DatabaseFile* db);
int32_t TLVAPI tlvGetTable(int32_t table, TableDefinition* definition, DatabaseFile* db);
int32_t TLVAPI tlvAddIndex(int32_t table, int32_t column, DatabaseFile* db);
int32_t TLVAPI tlvRemoveIndex(int32_t table, int32_t column, DatabaseFile* db);
int32_t TLVAPI tlvGetColumn(int32_t table, int32_t column, ColumnInfo* info, DatabaseFile* db);

int32_t TLVAPI tlvReadRecord(int32_t table, int32_t id, void* buffer, DatabaseFile* db);
int32_t TLVAPI tlvReadNextRecord(int32_t table, int32_t id, int32_t skip, void* buffer, DatabaseFile* db);
int32_t TLVAPI tlvGetField(int32_t table, int32_t column, int32_t id, void* buffer, int32_t length, DatabaseFile* db);
int32_t TLVAPI tlvSetField(int32_t table, int32_t column, int32_t id, const void* data, int32_t length,
                           DatabaseFile* db);
int32_t TLVAPI tlvGetFirstRecord(int32_t table, int32_t column, DatabaseFile* db);
int32_t TLVAPI tlvGetLastRecord(int32_t table, int32_t column, DatabaseFile* db);
int32_t TLVAPI tlvGetNextRecord(int32_t table, int32_t column, int32_t id, int32_t mode, DatabaseFile* db);
int32_t TLVAPI tlvGetPreviousRecord(int32_t table, int32_t column, int32_t id, int32_t mode, DatabaseFile* db);
int32_t TLVAPI tlvFindNextRecord(int32_t previous, int32_t table, int32_t column, const void* key, DatabaseFile* db);
int32_t TLVAPI tlvWriteRecord(int32_t table, int32_t id, const void* buffer, DatabaseFile* db);
int32_t TLVAPI tlvNewID(int32_t table, DatabaseFile* db);
int32_t TLVAPI tlvDeleteRecord(int32_t table, int32_t id, DatabaseFile* db);
int32_t TLVAPI tlvNumberOfRecords(int32_t table, DatabaseFile* db);

RecordCollection* TLVAPI tlvFindAll(int32_t table, int32_t column, const void* key, DatabaseFile* db);
RecordCollection* TLVAPI tlvSelectAll(RecordCollection* collection, int32_t column, const void* key);
void TLVAPI tlvDeleteColl(RecordCollection* collection);
int32_t TLVAPI tlvGetFirstCollRecord(RecordCollection* collection);
int32_t TLVAPI tlvGetLastCollRecord(RecordCollection* collection);
int32_t TLVAPI tlvGetNextCollRecord(RecordCollection* collection);
int32_t TLVAPI tlvGetPreviousCollRecord(RecordCollection* collection);
int32_t TLVAPI tlvNumberOfCollRecords(RecordCollection* collection);
int32_t TLVAPI tlvSortColl(int32_t column, RecordCollection* collection);

#ifdef __cplusplus
}

/* Bytes one element of a column type takes (a column takes its count times this; TLV_NOTHING takes none), or
   -1 for a type the engine does not know, which tlvAddTable refuses. Answered here, not by Tolvane.dll. */
constexpr int tlvColumnTypeBytes(int type)
{
    switch (type) {
    case TLV_BYTE:
    case TLV_TEXT:
        return 1;
    case TLV_UINT16:
    case TLV_INT16:
        return 2;
    case TLV_UINT32:
    case TLV_INT32:
    case TLV_LONGTEXT:
    case TLV_FLOAT:
        return 4;
    case TLV_UINT64:
    case TLV_INT64:
    case TLV_DOUBLE:
        return 8;
    case TLV_NOTHING:
        return 0;
    default:
        return -1;
    }
}
#endif

#endif /* TOLVANE_H */
