#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "settings/settings.h"
#include "tests/support/test_database.h"

namespace {

struct Part {
    std::uint8_t type;
    const char* text;
};

NameRecord Name(Database& database, std::vector<Part> parts)
{
    NameRecord name(database);
    for (const Part& part : parts)
        EXPECT_TRUE(name.AppendPart(part.type, part.text));
    return name;
}

std::string Display(const NameRecord& name)
{
    char out[128];
    return name.ComputeDisplayText(out, sizeof out);
}
std::string Edit(const NameRecord& name)
{
    char out[128];
    return name.FormatEditText(out, sizeof out);
}
std::string Given(const NameRecord& name)
{
    char out[128];
    return name.GetGivenNames(out, sizeof out);
}
std::string Surname(const NameRecord& name)
{
    char out[128];
    return name.GetSurname(out, sizeof out);
}
std::string After(const NameRecord& name)
{
    char out[128];
    return name.GetAfterSurname(out, sizeof out);
}

class NameRecordText : public testing::Test {
protected:
    Database database; // no file: the text operations need none
};

TEST_F(NameRecordText, DisplayGivenSurnameAndRest)
{
    struct Case {
        std::vector<Part> parts;
        const char* display;
        const char* edit;
        const char* given;
        const char* surname;
        const char* after;
    };
    const Case cases[] = {
        {{}, " -", "", "", "", ""},
        {{{6, "Anna"}, {4, "Berg"}, {15, "Sr"}}, "Berg Sr, Anna", "Anna/Berg/Sr", "Anna", "Berg", "Sr"},
        {{{4, "Berg"}}, "Berg, -", "/Berg/", "", "Berg", ""},
        {{{6, "Anna"}}, " Anna", "Anna", "Anna", "", ""},
        {{{6, "Anna"}, {6, "Maria"}, {4, "Berg"}}, "Berg, Anna Maria", "Anna Maria/Berg/", "Anna Maria", "Berg", ""},
        {{{1, "John Paul"}, {4, "Smith"}, {1, "Jr"}},
         "Smith Jr, John Paul",
         "John Paul/Smith/Jr",
         "John Paul",
         "Smith",
         "Jr"},
        // Only the first surname part is between slashes; the part after the slash follows it directly.
        {{{1, "Ola"}, {4, "Dahl"}, {4, "Lie"}, {1, "d.y."}},
         "Dahl Lie d.y., Ola",
         "Ola/Dahl/Lie d.y.",
         "Ola",
         "Dahl",
         "Lie d.y."},
    };
    for (const Case& c : cases) {
        NameRecord name = Name(database, c.parts);
        EXPECT_EQ(Display(name), c.display);
        EXPECT_EQ(Edit(name), c.edit);
        EXPECT_EQ(Given(name), c.given);
        EXPECT_EQ(Surname(name), c.surname);
        EXPECT_EQ(After(name), c.after);
    }
}

TEST_F(NameRecordText, ParsesAnEditText)
{
    struct Case {
        const char* text;
        std::vector<Part> parts;
    };
    const Case cases[] = {
        {"Anna/Berg/Sr", {{1, "Anna"}, {4, "Berg"}, {1, "Sr"}}},
        {"Anna Maria", {{1, "Anna Maria"}}},
        {"Anna /Berg", {{1, "Anna"}, {4, "Berg"}}},
        {"/Berg/", {{4, "Berg"}}},
        {" ; Anna, / Berg : / ,Jr; ", {{1, "Anna"}, {4, "Berg"}, {1, "Jr"}}},
        {"a/b/c/d", {{1, "a"}, {4, "b"}, {1, "c/d"}}},
        {"Anna\tMaria/Berg\r\n/", {{1, "Anna Maria"}, {4, "Berg"}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        NameRecord name(database);
        name.ParseEditText(c.text);
        ASSERT_EQ(name.CountParts(), static_cast<int>(c.parts.size())) << c.text;
        for (int i = 0; i < name.CountParts(); ++i) {
            EXPECT_EQ(name.GetPartType(i), c.parts[i].type) << c.text;
            EXPECT_STREQ(name.GetPartText(i), c.parts[i].text) << c.text;
        }
        EXPECT_EQ(name.GetPartType(name.CountParts()), 0);
        EXPECT_STREQ(name.GetPartText(name.CountParts()), "");
    }
}

TEST_F(NameRecordText, ALongEditTextIsCutSoThatItsPartsFit)
{
    std::string given(60, 'g'), surname(60, 's'), rest(60, 'r');
    NameRecord name(database);
    name.ParseEditText((given + "/" + surname + "/" + rest).c_str());
    // 127 characters are taken; the rest piece is cut so that three type bytes and the end fit.
    ASSERT_EQ(name.CountParts(), 3);
    EXPECT_EQ(std::string(name.GetPartText(0)), given);
    EXPECT_EQ(std::string(name.GetPartText(1)), surname);
    EXPECT_EQ(std::string(name.GetPartText(2)), std::string(4, 'r'));
    EXPECT_EQ(strnlen(name.row.parts, sizeof name.row.parts), 127u);

    NameRecord single(database);
    single.ParseEditText(std::string(300, 'x').c_str());
    EXPECT_EQ(std::string(single.GetPartText(0)), std::string(126, 'x'));
    EXPECT_EQ(single.row.parts[127], '\0');
}

TEST_F(NameRecordText, ControlCharactersNeverPassForTypeBytes)
{
    NameRecord name(database);
    EXPECT_TRUE(name.AppendPart(6, "An\x04na"));
    EXPECT_TRUE(name.AppendPart(4, "Berg"));
    ASSERT_EQ(name.CountParts(), 2);
    EXPECT_STREQ(name.GetPartText(0), "An na");
    EXPECT_FALSE(name.AppendPart(0, "x"));
    EXPECT_FALSE(name.AppendPart(17, "x"));
    EXPECT_FALSE(name.AppendPart(1, std::string(126, 'y').c_str())); // 7 + 1 + 126 + 1 > 128
}

TEST_F(NameRecordText, FormatAndIsSimple)
{
    NameRecord name = Name(database, {{1, "Kari"}, {4, "Nordmann"}});
    char out[64];
    EXPECT_STREQ(name.Format(out, sizeof out), "Kari Nordmann");
    EXPECT_STREQ(name.Format(out, sizeof out, 42), "Kari Nordmann [#42]");
    EXPECT_STREQ(name.Format(out, 6, 42), "Kari ");
    EXPECT_TRUE(name.IsSimple());
    EXPECT_FALSE(Name(database, {{6, "Kari"}}).IsSimple());
    EXPECT_FALSE(Name(database, {{4, "A"}, {4, "B"}}).IsSimple());
    EXPECT_TRUE(NameRecord(database).IsSimple());
}

// Records what the person list is told.
class RecordingNameList : public NameListEvents {
public:
    static inline int discards = 0;
    static inline std::vector<std::int32_t> added;
    static inline std::vector<std::int32_t> removed;
    void DiscardAllNames() override { ++discards; }
    void AddToSelection(const NameRecord& name) override { added.push_back(name.Id()); }
    int RemoveFromSelection(std::int32_t nameId) override
    {
        removed.push_back(nameId);
        return 1;
    }
};

class NameRecordStore : public testing::Test {
protected:
    void SetUp() override
    {
        savedMakers_ = CurrentDatabaseStateMakers();
        DatabaseStateMakers makers;
        makers.names = [](Database&) -> std::unique_ptr<NameListEvents> {
            return std::make_unique<RecordingNameList>();
        };
        SetDatabaseStateMakers(makers);
        savedInclude_ = CurrentSettings.name.IncludeNew;
        RecordingNameList::discards = 0;
        RecordingNameList::added.clear();
        RecordingNameList::removed.clear();
        db = std::make_unique<test_support::TestDatabase>();
    }
    void TearDown() override
    {
        db.reset();
        SetDatabaseStateMakers(savedMakers_);
        CurrentSettings.name.IncludeNew = savedInclude_;
    }

    std::int32_t Store(std::vector<Part> parts)
    {
        NameRecord name = Name(**db, parts);
        EngineTransaction transaction((*db)->file, TLV_READWRITE);
        EXPECT_TRUE(name.Save());
        return name.Id();
    }

    std::unique_ptr<test_support::TestDatabase> db;
    DatabaseStateMakers savedMakers_;
    std::int32_t savedInclude_ = 0;
};

TEST_F(NameRecordStore, WritesTheDisplayTextAndWalksInItsOrder)
{
    CurrentSettings.name.IncludeNew = 1;
    const std::int32_t berg = Store({{6, "Anna"}, {4, "Berg"}});
    const std::int32_t aas = Store({{6, "Per"}, {4, "Aas"}});
    const std::int32_t bare = Store({{6, "Ola"}});
    EXPECT_EQ(RecordingNameList::added, (std::vector<std::int32_t>{berg, aas, bare}));
    EXPECT_EQ(RecordingNameList::discards, 6); // create and write of each

    NameRecord read(berg, **db);
    ASSERT_EQ(read.Id(), berg);
    char out[128];
    EXPECT_STREQ(read.GetDisplayText(out, sizeof out), "Berg, Anna");
    EXPECT_STREQ(read.GetDisplayText(out, 5), "Berg");

    std::vector<std::int32_t> order;
    NameRecord walk(**db);
    for (walk.ReadFirst(); walk.Id() != 0; walk.ReadNext(walk.Id()))
        order.push_back(walk.Id());
    // The index compares as the user's locale does, ignoring symbols and blanks, so " Ola" sorts as "Ola".
    EXPECT_EQ(order, (std::vector<std::int32_t>{aas, berg, bare}));
}

TEST_F(NameRecordStore, DeletingTellsThePersonListAndAFailedReadLeavesIdZero)
{
    CurrentSettings.name.IncludeNew = 0;
    const std::int32_t id = Store({{1, "X"}});
    EXPECT_TRUE(RecordingNameList::added.empty());
    {
        EngineTransaction transaction((*db)->file, TLV_READWRITE);
        NameRecord::DeleteById(id, **db);
    }
    EXPECT_EQ(RecordingNameList::removed, (std::vector<std::int32_t>{id}));
    NameRecord read(id, **db);
    EXPECT_EQ(read.Id(), 0);
    NameRecord empty(**db);
    empty.ReadFirst();
    EXPECT_EQ(empty.Id(), 0);
}

} // namespace
