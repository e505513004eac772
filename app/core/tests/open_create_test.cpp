#include "core/open_create.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "language/language_table.h"
#include "settings/settings.h"
#include "platform/file.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_folder.h"

namespace {

// Opening is tested apart from the conversion itself (persons/upgrade.h): an agreed upgrade here fails
// the way one that cannot run does, and must leave the file as it was.
bool FailingUpgrade(Database&) { return false; }

constexpr const char* Texts = "DATABASE_ERROR=error\n"
                              "DATABASE_IN_USE=in use\n"
                              "DATABASE_RECOVERY_READ_ONLY=read-only recovery\n"
                              "DATABASE_VERSION_NEWER=newer\n"
                              "DATABASE_VERSION_OLDER=older\n"
                              "DATABASE_UPGRADE=upgrade?\n"
                              "DATABASE_UPGRADED=upgraded\n"
                              "DATABASE_UPGRADE_FAILED=not upgraded\n"
                              "STANDARD_ROLES=Witness, Godparent,,Officiant\n"
                              "EVENTTYPE1=Birth,1,birth,BIRT,,\n"
                              "EVENTTYPE2=Death,1,death,DEAT,,\n"
                              "ATTRIBUTETYPE1=Age,num,age,,{v},\n";

// What OpenDatabase said and asked, in order, with the answer the test gives to questions.
class RecordingPrompts : public DatabasePrompts {
public:
    void ShowError(void* owner, const char* text) override { Add("error", owner, text); }
    bool AskYesNo(void* owner, const char* text, const char* caption) override
    {
        Add("question", owner, text);
        captions.push_back(caption);
        return answerYes;
    }
    void ShowInformation(void* owner, const char* text) override { Add("information", owner, text); }
    void ShowWaitCursor(bool on) override { events.push_back(on ? "wait on" : "wait off"); }
    void CheckBackupReminder(Database& database, void* owner, std::int32_t* setting, const char* section,
                             const char* valueName) override
    {
        Add("backup", owner, database.path);
        reminderSetting = setting;
        reminderPlace = std::string(section) + "/" + valueName;
    }

    bool answerYes = false;
    std::vector<std::string> events;
    std::vector<std::string> captions;
    std::int32_t* reminderSetting = nullptr;
    std::string reminderPlace;
    void* lastOwner = nullptr;

private:
    void Add(const char* what, void* owner, const char* text)
    {
        events.push_back(std::string(what) + ": " + text);
        lastOwner = owner;
    }
};

class OpenCreateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousPrompts_ = SetDatabasePrompts(&prompts);
        previousBackupCheck_ = CurrentSettings.general.BakChkOpen;
        CurrentSettings.general.BakChkOpen = 0;
    }
    void TearDown() override
    {
        CurrentSettings.general.BakChkOpen = previousBackupCheck_;
        SetDatabasePrompts(previousPrompts_);
        std::error_code ignored;
        for (const std::filesystem::path& folder : folders_)
            std::filesystem::remove_all(folder, ignored);
    }

    std::string NewPath(const std::string& name)
    {
        std::filesystem::path folder = test_support::ClaimTestFolder("vestrada_open_");
        folders_.push_back(folder);
        return (folder / name).string();
    }

    // A new database whose header then says `version`.
    std::string DatabaseOfVersion(std::int16_t version)
    {
        std::string path = NewPath("versioned.vdb");
        std::unique_ptr<Database> database(CreateDatabase(path.c_str(), false));
        EXPECT_NE(database, nullptr);
        if (!database)
            return path;
        EngineTransaction transaction(database->file, TLV_READWRITE);
        database->header.version = version;
        EXPECT_EQ(tlvWriteRecord(database->TableId(TableMain2), 1, &database->header, database->file), 0);
        return path;
    }

    RecordingPrompts prompts;

private:
    test_support::ScopedLanguage language_{Texts};
    DatabasePrompts* previousPrompts_ = nullptr;
    std::int32_t previousBackupCheck_ = 0;
    std::vector<std::filesystem::path> folders_;
};

std::vector<char> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string RoleName(Database& database, std::int32_t id)
{
    char row[36] = {};
    if (tlvReadRecord(database.TableId(TableRole), id, row, database.file) != 0)
        return "<missing>";
    return std::string(row);
}

TEST_F(OpenCreateTest, CreateWritesSchemaHeaderAndStandardData)
{
    std::string path = NewPath("family.vdb");
    std::unique_ptr<Database> database(CreateDatabase(path.c_str(), true));
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(std::string(database->path), path);
    database.reset();

    database.reset(OpenDatabase(nullptr, path.c_str(), FailingUpgrade));
    ASSERT_NE(database, nullptr);
    EXPECT_TRUE(prompts.events.empty());
    EXPECT_STREQ(database->header.title, "family");
    // Copied out first: the header is packed, and a reference to its fields would be misaligned.
    std::uint64_t created = database->header.created;
    std::uint64_t lastBackup = database->header.lastBackup;
    std::int16_t version = database->header.version;
    EXPECT_NE(created, 0u);
    EXPECT_EQ(lastBackup, 0u);
    EXPECT_EQ(version, 10200);
    // Tables are added in schema order, so ALIAS2 (number 24) is the ninth.
    EXPECT_EQ(database->tableIds[TableAlias2], 9);
    EXPECT_EQ(database->tableIds[TableEventOld], 0);

    EngineTransaction transaction(database->file, TLV_READ);
    EXPECT_EQ(tlvNumberOfRecords(database->TableId(TableEventType), database->file), 3);
    EXPECT_EQ(tlvNumberOfRecords(database->TableId(TableRole), database->file), 3);
    EXPECT_EQ(RoleName(*database, 1), "Witness");
    EXPECT_EQ(RoleName(*database, 2), " Godparent");
    EXPECT_EQ(RoleName(*database, 3), "Officiant");
}

TEST_F(OpenCreateTest, CreateWithoutStandardDataLeavesTypesAndRolesEmpty)
{
    std::string path = NewPath("bare.vdb");
    std::unique_ptr<Database> database(CreateDatabase(path.c_str(), false));
    ASSERT_NE(database, nullptr);
    EngineTransaction transaction(database->file, TLV_READ);
    EXPECT_EQ(tlvNumberOfRecords(database->TableId(TableEventType), database->file), 0);
    EXPECT_EQ(tlvNumberOfRecords(database->TableId(TableRole), database->file), 0);
    EXPECT_EQ(tlvNumberOfRecords(database->TableId(TableMain2), database->file), 1);
}

TEST_F(OpenCreateTest, TitleComesFromTheFileName)
{
    struct Case {
        std::string fileName;
        std::string title;
    } cases[] = {
        {"smiths.vdb", "smiths"},
        {std::string(42, 'a'), std::string(38, 'a')},
        {std::string(50, 'b'), std::string(39, 'b')},
        {"abc", "abc"},
        {"abcd", ""},
    };
    for (const Case& c : cases) {
        std::string path = NewPath(c.fileName);
        std::unique_ptr<Database> database(CreateDatabase(path.c_str(), false));
        ASSERT_NE(database, nullptr) << c.fileName;
        EXPECT_EQ(std::string(database->header.title), c.title) << c.fileName;
    }
}

TEST_F(OpenCreateTest, CreateNeedsAFolderInThePath)
{
    EXPECT_EQ(CreateDatabase("nofolder.vdb", true), nullptr);
    EXPECT_FALSE(platform::FileExists("nofolder.vdb"));
    EXPECT_EQ(CreateDatabase(nullptr, true), nullptr);
}

// An engine failure anywhere after the file was made answers null and leaves no half-made file.
TEST_F(OpenCreateTest, FailedCreationRemovesTheFile)
{
#ifdef _WIN32
    GTEST_SKIP() << "Tolvane.dll keeps its own file layer, out of reach of the test's fault seam";
#endif
    std::string probe = NewPath("probe.vdb");
    platform::SetFileFault(platform::FileFaultMode::Off, 0);
    DatabaseFile* file = tlvCreateDatabaseEx(probe.c_str(), 0);
    ASSERT_NE(file, nullptr);
    int engineCreate = platform::MutatingFileOperations();
    tlvCloseDatabase(file);
    platform::SetFileFault(platform::FileFaultMode::Off, 0);
    delete CreateDatabase(probe.c_str(), true);
    int wholeCreate = platform::MutatingFileOperations();
    ASSERT_GT(wholeCreate, engineCreate);

    int refused = 0;
    for (int n = engineCreate + 1; n <= wholeCreate; ++n) {
        std::string path = NewPath("failing.vdb");
        platform::SetFileFault(platform::FileFaultMode::FailOnlyNth, n);
        std::unique_ptr<Database> database(CreateDatabase(path.c_str(), true));
        platform::SetFileFault(platform::FileFaultMode::Off, 0);
        if (database == nullptr) {
            ++refused;
            EXPECT_FALSE(platform::FileExists(path)) << "after failing operation " << n;
            continue;
        }
        // A failure the engine got over must still leave a whole database.
        database.reset();
        database.reset(OpenDatabase(nullptr, path.c_str(), FailingUpgrade));
        ASSERT_NE(database, nullptr) << "after failing operation " << n;
        EngineTransaction transaction(database->file, TLV_READ);
        EXPECT_EQ(tlvNumberOfRecords(database->TableId(TableRole), database->file), 3);
    }
    EXPECT_GT(refused, 0);
}

TEST_F(OpenCreateTest, VersionGates)
{
    struct Case {
        std::int16_t version;
        bool opens;
        std::vector<std::string> events;
    } cases[] = {
        {10403, true, {}},
        {10200, true, {}},
        {10404, false, {"error: newer"}},
        {96, false, {"error: older"}},
        {97, false, {"question: upgrade?"}},
        {10199, false, {"question: upgrade?"}},
    };
    for (const Case& c : cases) {
        std::string path = DatabaseOfVersion(c.version);
        prompts.events.clear();
        std::unique_ptr<Database> database(OpenDatabase(&prompts, path.c_str(), FailingUpgrade));
        EXPECT_EQ(database != nullptr, c.opens) << c.version;
        EXPECT_EQ(prompts.events, c.events) << c.version;
        if (!c.events.empty()) {
            EXPECT_EQ(prompts.lastOwner, &prompts);
        }
        if (database) {
            EXPECT_EQ(std::string(database->path), path);
        }
    }
}

TEST_F(OpenCreateTest, RefusedUpgradeLeavesTheFileAsItWas)
{
    std::string path = DatabaseOfVersion(97);
    std::vector<char> before = FileBytes(path);
    ASSERT_FALSE(before.empty());
    prompts.answerYes = false;
    EXPECT_EQ(OpenDatabase(nullptr, path.c_str(), FailingUpgrade), nullptr);
    ASSERT_EQ(prompts.captions.size(), 1u);
    EXPECT_EQ(prompts.captions[0], "versioned.vdb");
    EXPECT_EQ(prompts.events, std::vector<std::string>({"question: upgrade?"}));
    EXPECT_EQ(FileBytes(path), before);
}

TEST_F(OpenCreateTest, WithoutAnUpgradeAnOlderVersionIsRefusedUnasked)
{
    std::string path = DatabaseOfVersion(10199);
    std::vector<char> before = FileBytes(path);
    prompts.answerYes = true;
    EXPECT_EQ(OpenDatabase(&prompts, path.c_str(), nullptr), nullptr);
    EXPECT_EQ(prompts.events, std::vector<std::string>({"error: older"}));
    EXPECT_EQ(FileBytes(path), before);
    // The current version needs none.
    std::unique_ptr<Database> current(OpenDatabase(&prompts, DatabaseOfVersion(10403).c_str(), nullptr));
    EXPECT_NE(current, nullptr);
}

// The conversion of older tables is not there yet: Yes must not report an upgrade that never ran, nor open
// the old tables as if they were current.
TEST_F(OpenCreateTest, AgreedUpgradeThatCannotRunIsReportedAndChangesNothing)
{
    std::string path = DatabaseOfVersion(9000);
    std::vector<char> before = FileBytes(path);
    prompts.answerYes = true;
    EXPECT_EQ(OpenDatabase(nullptr, path.c_str(), FailingUpgrade), nullptr);
    EXPECT_EQ(prompts.events,
              std::vector<std::string>({"question: upgrade?", "wait on", "wait off", "error: not upgraded"}));
    EXPECT_EQ(FileBytes(path), before);
}

TEST_F(OpenCreateTest, FilesThatAreNoDatabasesAreRefused)
{
    std::string missing = NewPath("missing.vdb");
    EXPECT_EQ(OpenDatabase(nullptr, missing.c_str(), FailingUpgrade), nullptr);

    std::string text = NewPath("text.vdb");
    std::ofstream(text, std::ios::binary) << std::string(20000, 'x');
    EXPECT_EQ(OpenDatabase(nullptr, text.c_str(), FailingUpgrade), nullptr);

    // A database of the engine without the table MAIN2.
    std::string noMain = NewPath("nomain.vdb");
    {
        DatabaseFile* file = tlvCreateDatabaseEx(noMain.c_str(), 0);
        ASSERT_NE(file, nullptr);
        ColumnDefinition column{TLV_TEXT, 0, 32, 0, 0};
        TableDefinition table{"OTHER", &column, 1, 0};
        ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, file), 0);
        EXPECT_GT(tlvAddTable(&table, file), 0);
        tlvEndTransaction(1, file);
        tlvCloseDatabase(file);
    }
    EXPECT_EQ(OpenDatabase(nullptr, noMain.c_str(), FailingUpgrade), nullptr);

    // MAIN2 with 11 columns, and MAIN2 with 12 columns but no header record.
    for (std::uint8_t columns : {11, 12}) {
        std::string path = NewPath("main" + std::to_string(columns) + ".vdb");
        DatabaseFile* file = tlvCreateDatabaseEx(path.c_str(), 0);
        ASSERT_NE(file, nullptr);
        std::vector<ColumnDefinition> definitions(columns, ColumnDefinition{TLV_BYTE, 0, 8, 0, 0});
        TableDefinition table{"MAIN2", definitions.data(), columns, 0};
        ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, file), 0);
        EXPECT_GT(tlvAddTable(&table, file), 0);
        tlvEndTransaction(1, file);
        tlvCloseDatabase(file);
        EXPECT_EQ(OpenDatabase(nullptr, path.c_str(), FailingUpgrade), nullptr) << int(columns);
    }

    EXPECT_EQ(prompts.events, std::vector<std::string>(5, "error: error"));
}

// A database that another handle has open (another copy of the program) is refused as in use, and opens
// once that handle is gone: two writers never share one file.
TEST_F(OpenCreateTest, ADatabaseOpenElsewhereIsInUse)
{
    std::string path = NewPath("shared.vdb");
    std::unique_ptr<Database> first(CreateDatabase(path.c_str(), true));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(OpenDatabase(nullptr, path.c_str(), FailingUpgrade), nullptr);
    EXPECT_EQ(prompts.events, std::vector<std::string>{"error: in use"});
    first.reset();
    std::unique_ptr<Database> second(OpenDatabase(nullptr, path.c_str(), FailingUpgrade));
    EXPECT_NE(second, nullptr);
}

#ifndef _WIN32
// A database with an interrupted save beside it, on media that cannot be written, opens as it was before that
// save, and the user is told why it cannot be changed. (Natively only: the Windows build's engine DLL keeps its
// own copy of the file layer, which the test's refusal to write does not reach.)
TEST_F(OpenCreateTest, AnInterruptedSaveOnReadOnlyMediaOpensReadOnly)
{
    std::string path = NewPath("readonly.vdb");
    std::unique_ptr<Database>(CreateDatabase(path.c_str(), true)).reset();
    // A journal cut short while it was written: the file itself was never touched.
    std::ofstream(path + "-journal", std::ios::binary) << std::string(100, 'j');
    platform::RefuseWritingTo(path);
    std::unique_ptr<Database> database(OpenDatabase(nullptr, path.c_str(), FailingUpgrade));
    platform::RefuseWritingTo("");
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(prompts.events, std::vector<std::string>{"information: read-only recovery"});
    EXPECT_TRUE(platform::FileExists(path + "-journal")) << "left for a recovery where the file can be written";
}
#endif

// The engine hands over a row at the length the file records, into a record buffer sized by the schema: a
// file whose rows are longer than the program's records (a header row far longer than the header, a person
// row with a column too many) is refused before anything is read.
TEST_F(OpenCreateTest, RowsLongerThanTheProgramsRecordsAreRefused)
{
    std::string oversizedHeader = NewPath("oversized.vdb");
    {
        DatabaseFile* file = tlvCreateDatabaseEx(oversizedHeader.c_str(), 0);
        ASSERT_NE(file, nullptr);
        std::vector<ColumnDefinition> definitions(12, ColumnDefinition{TLV_BYTE, 0, 600, 0, 0});
        TableDefinition table{"MAIN2", definitions.data(), 12, 0};
        ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, file), 0);
        std::int32_t id = tlvAddTable(&table, file);
        ASSERT_GT(id, 0);
        std::vector<std::uint8_t> row(12 * 600, 0x41);
        row[168] = 0xA3; // version 10403, little-endian
        row[169] = 0x28;
        ASSERT_EQ(tlvNewID(id, file), 1);
        ASSERT_EQ(tlvWriteRecord(id, 1, row.data(), file), 0);
        tlvEndTransaction(1, file);
        tlvCloseDatabase(file);
    }
    EXPECT_EQ(OpenDatabase(nullptr, oversizedHeader.c_str(), FailingUpgrade), nullptr);

    std::string widePerson = NewPath("wideperson.vdb");
    {
        std::unique_ptr<Database> database(CreateDatabase(widePerson.c_str(), false));
        ASSERT_NE(database, nullptr);
        const SchemaTable* person = FindSchemaTable(TablePerson);
        ASSERT_NE(person, nullptr);
        std::vector<ColumnDefinition> columns;
        for (int c = 0; c < person->columnCount; ++c)
            columns.push_back(ColumnDefinition{person->columns[c].type, 0, person->columns[c].count, 0, 0});
        columns.push_back(ColumnDefinition{TLV_TEXT, 0, 200, 0, 0});
        TableDefinition table{"PERSON", columns.data(), static_cast<std::uint8_t>(columns.size()), 0};
        EngineTransaction transaction(database->file, TLV_READWRITE);
        ASSERT_EQ(tlvDeleteTable(database->TableId(TablePerson), database->file), 0);
        ASSERT_GT(tlvAddTable(&table, database->file), 0);
    }
    EXPECT_EQ(OpenDatabase(nullptr, widePerson.c_str(), FailingUpgrade), nullptr);

    EXPECT_EQ(prompts.events, std::vector<std::string>(2, "error: error"));
}

TEST_F(OpenCreateTest, BackupReminderRunsOnlyWhenTheSettingIsOn)
{
    std::string path = DatabaseOfVersion(10403);
    std::unique_ptr<Database> database(OpenDatabase(&prompts, path.c_str(), FailingUpgrade));
    ASSERT_NE(database, nullptr);
    EXPECT_TRUE(prompts.events.empty());
    database.reset();

    CurrentSettings.general.BakChkOpen = 1;
    database.reset(OpenDatabase(&prompts, path.c_str(), FailingUpgrade));
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(prompts.events, std::vector<std::string>({"backup: " + path}));
    EXPECT_EQ(prompts.lastOwner, &prompts);
    EXPECT_EQ(prompts.reminderSetting, &CurrentSettings.general.BakChkOpen);
    EXPECT_EQ(prompts.reminderPlace, "General/BakChkOpen");
}

} // namespace
