#include "core/role.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/little_endian.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"

namespace {

using test_support::ScopedLanguage;
using test_support::TestDatabase;
using test_support::Transaction;

std::string RoleName(Database& database, std::int32_t id)
{
    RoleRecord role(database);
    if (role.Read(id) != 0)
        return "<missing>";
    return role.row.name;
}

// An ASSERTIONLINK row of the given kind and role (its other fields do not matter here).
void AddLink(Database& database, std::uint8_t kind, std::int32_t role)
{
    std::uint8_t row[17] = {};
    row[0] = kind;
    platform::PutI32(row + 13, role);
    std::int32_t table = database.TableId(TableAssertionLink);
    std::int32_t id = tlvNewID(table, database.file);
    ASSERT_NE(id, 0);
    ASSERT_EQ(tlvWriteRecord(table, id, row, database.file), 0);
}

TEST(StandardRoles, EveryNonEmptyPieceInOrderUntrimmed)
{
    ScopedLanguage language("STANDARD_ROLES=Witness, Godparent,,Officiant,\n");
    TestDatabase database;
    auto transaction = Transaction(*database);
    ASSERT_TRUE(SeedStandardRoles(*database));
    EXPECT_EQ(tlvNumberOfRecords(database->TableId(TableRole), database->file), 3);
    EXPECT_EQ(RoleName(*database, 1), "Witness");
    EXPECT_EQ(RoleName(*database, 2), " Godparent");
    EXPECT_EQ(RoleName(*database, 3), "Officiant");
}

TEST(StandardRoles, TextIsCutTo255CharactersAndAMissingKeyGivesNoRoles)
{
    {
        // 254 characters of the first role, a comma, then a role that lies beyond the 255th character.
        std::string text(254, 'a');
        ScopedLanguage language("STANDARD_ROLES=" + text + ",Beyond\n");
        TestDatabase database;
        auto transaction = Transaction(*database);
        ASSERT_TRUE(SeedStandardRoles(*database));
        EXPECT_EQ(tlvNumberOfRecords(database->TableId(TableRole), database->file), 1);
        EXPECT_EQ(RoleName(*database, 1), std::string(31, 'a'));
    }
    {
        ScopedLanguage language("OTHER=x\n");
        TestDatabase database;
        auto transaction = Transaction(*database);
        ASSERT_TRUE(SeedStandardRoles(*database));
        EXPECT_EQ(tlvNumberOfRecords(database->TableId(TableRole), database->file), 0);
    }
}

TEST(FindOrCreateRole, TrimsAndComparesExactly)
{
    TestDatabase database;
    auto transaction = Transaction(*database);
    ASSERT_EQ(CreateRole("Witness", *database), 1);
    ASSERT_EQ(CreateRole("Godparent", *database), 2);

    char padded[] = " \t Godparent\r\n";
    EXPECT_EQ(FindOrCreateRole(padded, *database), 2);
    EXPECT_STREQ(padded, "Godparent");

    char otherCase[] = "witness";
    EXPECT_EQ(FindOrCreateRole(otherCase, *database), 3);
    EXPECT_EQ(RoleName(*database, 3), "witness");

    char blank[] = "   ";
    EXPECT_EQ(FindOrCreateRole(blank, *database), 4);
    EXPECT_EQ(RoleName(*database, 4), "");
}

TEST(FindOrCreateRole, LongNameFindsTheRoleItCreated)
{
    TestDatabase database;
    auto transaction = Transaction(*database);
    std::string name(40, 'r');
    std::string first = name;
    std::int32_t id = FindOrCreateRole(first.data(), *database);
    ASSERT_NE(id, 0);
    EXPECT_EQ(RoleName(*database, id), name.substr(0, 31));
    std::string second = name;
    EXPECT_EQ(FindOrCreateRole(second.data(), *database), id);
    EXPECT_EQ(tlvNumberOfRecords(database->TableId(TableRole), database->file), 1);
}

TEST(RoleRecord, SaveWithNoteAndLoadItBack)
{
    TestDatabase database;
    std::int32_t id = 0;
    std::int32_t noteId = 0;
    std::string note(300, 'n');
    {
        auto transaction = Transaction(*database);
        RoleRecord role(*database);
        role.SetName("Informant");
        role.LoadNote();
        ASSERT_NE(role.Note(), nullptr);
        role.Note()->SetText(note.c_str());
        ASSERT_TRUE(role.Save());
        id = role.Id();
        noteId = role.row.noteId;
        EXPECT_NE(id, 0);
        EXPECT_NE(noteId, 0);
    }
    database.Reopen();
    RoleRecord role(*database);
    {
        auto transaction = Transaction(*database, TLV_READ);
        ASSERT_EQ(role.Read(id), 0);
    }
    EXPECT_STREQ(role.row.name, "Informant");
    EXPECT_EQ(role.row.noteId, noteId);
    role.LoadNote();
    ASSERT_NE(role.Note()->Text(), nullptr);
    EXPECT_EQ(std::string(role.Note()->Text()), note);

    auto transaction = Transaction(*database, TLV_READ);
    NoteRow first;
    ASSERT_EQ(first.Read(noteId, *database), 0);
    EXPECT_EQ(first.row.ownerId, id);
    EXPECT_EQ(first.row.ownerType, RoleNoteOwnerType);
}

TEST(RoleRecord, FailedReadLeavesIdZero)
{
    TestDatabase database;
    auto transaction = Transaction(*database);
    RoleRecord role(*database);
    role.SetId(5);
    EXPECT_NE(role.Read(1), 0);
    EXPECT_EQ(role.Id(), 0);
}

TEST(DeleteRole, DeletesRowAndNote)
{
    TestDatabase database;
    auto transaction = Transaction(*database);
    RoleRecord role(*database);
    role.SetName("Sponsor");
    role.LoadNote();
    role.Note()->SetText("note");
    ASSERT_TRUE(role.Save());
    std::int32_t noteId = role.row.noteId;

    EXPECT_EQ(DeleteRole(role.Id(), *database), RoleDeletion::Deleted);
    EXPECT_EQ(RoleName(*database, role.Id()), "<missing>");
    NoteRow note;
    EXPECT_NE(note.Read(noteId, *database), 0);
    EXPECT_EQ(DeleteRole(role.Id(), *database), RoleDeletion::Failed);
}

// A role still named by an event's participant must stay: its freed id would go to the next new role,
// and those participants would silently play that one.
TEST(DeleteRole, RefusesARoleThatAnEventLinkUses)
{
    TestDatabase database;
    auto transaction = Transaction(*database);
    std::int32_t witness = CreateRole("Witness", *database);
    std::int32_t godparent = CreateRole("Godparent", *database);
    AddLink(*database, 1, witness);
    // In relationship links the role field means parent (1) or child (0), not a ROLE row.
    AddLink(*database, 3, godparent);

    EXPECT_TRUE(IsRoleInUse(witness, *database));
    EXPECT_FALSE(IsRoleInUse(godparent, *database));
    EXPECT_EQ(DeleteRole(witness, *database), RoleDeletion::InUse);
    EXPECT_EQ(RoleName(*database, witness), "Witness");
    EXPECT_EQ(DeleteRole(godparent, *database), RoleDeletion::Deleted);
}

TEST(RoleRowCodec, FieldsSitAtTheirColumns)
{
    RoleRow row{};
    std::strcpy(row.name, "Witness");
    row.noteId = 0x01020304;
    std::uint8_t bytes[RoleRowSize];
    EncodeRoleRow(row, bytes);
    EXPECT_EQ(std::memcmp(bytes, "Witness", 8), 0);
    EXPECT_EQ(bytes[32], 0x04);
    EXPECT_EQ(bytes[35], 0x01);
    std::memset(bytes, 'x', 32);
    RoleRow decoded{};
    DecodeRoleRow(bytes, decoded);
    EXPECT_EQ(std::strlen(decoded.name), 31u);
    EXPECT_EQ(decoded.noteId, 0x01020304);
}

} // namespace
