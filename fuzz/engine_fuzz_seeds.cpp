// Writes the seed databases of engine_fuzz into the folder named by its argument: a small database with
// indexed, plain and long-text columns, deleted records and a dropped table, and the same as a version-210
// file (directory at offset 64).
#include "engine/tolvane.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool MakeDatabase(const std::string& path)
{
    DatabaseFile* db = tlvCreateDatabaseEx(path.c_str(), 0);
    if (!db)
        return false;
    tlvStartTransaction(TLV_READWRITE, db);
    ColumnDefinition person[] = {{TLV_TEXT, 0, 24, 1, 0},
                                 {TLV_INT32, 0, 1, 1, 0},
                                 {TLV_LONGTEXT, 0, 1, 0, 0},
                                 {TLV_INT64, 0, 2, 0, 0},
                                 {TLV_DOUBLE, 0, 1, 1, 0}};
    TableDefinition personTable{"PERSON", person, 5, 0};
    std::int32_t table = tlvAddTable(&personTable, db);
    ColumnDefinition scratch[] = {{TLV_INT16, 0, 1, 1, 0}};
    TableDefinition scratchTable{"SCRATCH", scratch, 1, 0};
    std::int32_t dropped = tlvAddTable(&scratchTable, db);
    for (int i = 0; i < 60; ++i) {
        std::uint8_t row[24 + 4 + 4 + 16 + 8] = {};
        std::snprintf(reinterpret_cast<char*>(row), 24, "Name %d", i % 17);
        std::int32_t number = i * 7 % 23;
        std::memcpy(row + 24, &number, 4);
        double value = i * 0.5;
        std::memcpy(row + 48, &value, 8);
        std::int32_t id = tlvNewID(table, db);
        tlvWriteRecord(table, id, row, db);
        if (i % 6 == 0) {
            std::string note(100 + i * 9, static_cast<char>('a' + i % 26));
            tlvSetField(table, 3, id, note.data(), static_cast<std::int32_t>(note.size()), db);
        }
        tlvNewID(dropped, db);
    }
    for (std::int32_t id = 5; id <= 60; id += 11)
        tlvDeleteRecord(table, id, db);
    tlvDeleteTable(dropped, db);
    tlvEndTransaction(1, db);
    tlvCloseDatabase(db);
    return true;
}

std::vector<char> Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    std::filesystem::create_directories(argv[1]);
    std::string small = (std::filesystem::path(argv[1]) / "small.vdb").string();
    if (!MakeDatabase(small))
        return 1;
    std::vector<char> bytes = Read(small);
    if (bytes.size() < 8192)
        return 1;
    std::memmove(bytes.data() + 64, bytes.data() + 1024, 7168);
    std::memset(bytes.data() + 64 + 7168, 0, 8192 - 64 - 7168);
    bytes[8] = static_cast<char>(210);
    std::ofstream old((std::filesystem::path(argv[1]) / "version210.vdb").string(), std::ios::binary);
    old.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return old ? 0 : 1;
}
