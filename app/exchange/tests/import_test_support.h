// What the import tests share: small Wexmor files written through the library, an import run headless
// into a test database with its log, and the stored rows read back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "exchange/import_data.h"
#include "exchange/import_log.h"
#include "exchange/wexmor_import.h"
#include "tests/support/test_database.h"
#include "wexmor/wexmor.h"

namespace import_test {

inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteWholeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A Wexmor file being written: the header first, then whatever the test adds in section order.
class WexmorWriter {
public:
    explicit WexmorWriter(const std::string& path, const char* owner = "")
    {
        file_ = CreateWZFile(path.c_str(), WZ_MODE_WRITE);
        EXPECT_NE(file_, nullptr);
        WZHeader* header = CreateHeader();
        SetHeaderExportingSystem("test", header);
        SetHeaderVersion("1", header);
        SetHeaderExportedDate("2024-01-01", header);
        SetHeaderOwnerName(owner, header);
        EXPECT_EQ(HeaderExport(file_, header), 0);
        ReleaseHeader(header);
    }
    ~WexmorWriter() { Close(); }
    void Close()
    {
        ReleaseWZFile(file_);
        file_ = nullptr;
    }
    WexmorFile* get() { return file_; }

private:
    WexmorFile* file_ = nullptr;
};

// A name of given and surname parts.
inline WZName* MakeName(std::initializer_list<std::pair<const char*, int>> parts)
{
    WZName* name = CreateName();
    for (const auto& [text, type] : parts)
        AddNamePart(text, type, name);
    return name;
}

inline void ExportPerson(WexmorFile* file, int id, int sex, WZName* name, const char* note = "")
{
    WZPerson* person = CreatePerson();
    SetPersonID(id, person);
    SetPersonSex(sex, person);
    SetPersonName(name, person);
    SetPersonNote(note, person);
    EXPECT_EQ(PersonExport(file, person), 0);
    ReleasePerson(person);
    ReleaseName(name);
}

inline WZPersonref* MakePersonref(int id, int seq = -1)
{
    WZPersonref* reference = CreatePersonref();
    SetPersonrefPersonid(id, reference);
    SetPersonrefSeq(seq, reference);
    return reference;
}

// An import of the file at `path` into `database` with its log beside it; `adjust` may change the block.
struct ImportRun {
    ImportWizardData block;
    ImportLog log;
    bool stored = false;

    ImportRun(Database& database, const std::string& path,
              const std::function<void(ImportWizardData&)>& adjust = {})
    {
        EXPECT_TRUE(InitImportWizardData(block, path.c_str()));
        if (adjust)
            adjust(block);
        log.Create(block.logPath);
        block.log = &log;
        stored = ImportWexmorFile(database, block);
        log.Close();
    }
    std::string Log() const { return ReadWholeFile(block.logPath); }
};

template <typename Row>
Row ReadRow(Database& database, TableNumber table, std::int32_t id)
{
    EngineTransaction transaction(database.file, TLV_READ);
    std::vector<unsigned char> bytes(TLV_MAX_RECORD_LENGTH);
    Row row = {};
    EXPECT_EQ(tlvReadRecord(database.TableId(table), id, bytes.data(), database.file), 0)
        << "table " << table << " id " << id;
    std::memcpy(&row, bytes.data(), sizeof row);
    return row;
}

inline std::string NoteOf(Database& database, std::int32_t firstId)
{
    EngineTransaction transaction(database.file, TLV_READ);
    NoteText note(firstId, database);
    return note.Text() ? note.Text() : "";
}

// The name's parts as "type:text" joined by "|".
inline std::string NameParts(Database& database, std::int32_t nameId)
{
    NameRecord name(nameId, database);
    std::string parts;
    for (int i = 0; i < name.CountParts(); ++i) {
        if (i)
            parts += "|";
        parts += std::to_string(name.GetPartType(i)) + ":" + name.GetPartText(i);
    }
    return parts;
}

} // namespace import_test
