#include "core/event_type.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"

namespace {

using test_support::ScopedLanguage;
using test_support::TestDatabase;
using test_support::Transaction;

constexpr const char* StandardTemplates = "STANDARD_PEVENT_PFORMATTING=P one\n"
                                          "STANDARD_PEVENT_WFORMATTING=W one\n"
                                          "STANDARD_FEVENT_PFORMATTING=P two\n"
                                          "STANDARD_FEVENT_WFORMATTING=W two\n"
                                          "STANDARD_ATTR_FORMATTING=A text\n";

std::string Language(const std::string& entries)
{
    return std::string(StandardTemplates) + entries;
}

// Texts that do not load give only the first two fields.
struct EventTextCase {
    const char* text;
    bool loads;
    const char* name = nullptr;
    int principals = 0;
    int classCode = 0;
    int gedcomTag = 0;
    const char* principalTemplate = nullptr;
    const char* witnessTemplate = nullptr;
};

const EventTextCase EventTextCases[] = {
    {"Birth,1,birth,BIRT,,", true, "Birth", 1, 4, 17, "P one", "W one"},
    {"Marriage,2,marriage,MARR,\"a, b\",w", true, "Marriage", 2, 21, 29, "a, b", "w"},
    {"Wedding,2,marriage,MARR,,", true, "Wedding", 2, 21, 29, "P two", "W two"},
    {"Death,1,death,DEAT,p,\"w, with comma\"", true, "Death", 1, 11, 20, "p", "w, with comma"},
    {"Death,1,death,DEAT,p,rest, with comma", true, "Death", 1, 11, 20, "p", "rest, with comma"},
    {"Many,5,other,EVEN,p,w", true, "Many", 2, 0, 105, "p", "w"},
    {"Negative,-3,other,EVEN,p,w", true, "Negative", 0, 0, 105, "p", "w"},
    {"Capital,1,Birth,BIRT,p,w", true, "Capital", 1, 0, 17, "p", "w"},
    {"Untagged,1,birth,birt,p,w", true, "Untagged", 1, 4, -1, "p", "w"},
    {"Birth", false},
    {"Birth,1", false},
    {"Birth,1,birth", false},
    {"Birth,1,birth,BIRT", false},
    {"Birth,1,birth,BIRT,p", false},
    {"Birth,1,birth,BIRT,\"never closed,w", false},
    {"Birth,1,birth,BIRT,\"closed\" no comma,w", false},
    {"Birth,1,birth,BIRT,p,\"never closed", false},
};

class BuiltInEventText : public ::testing::TestWithParam<EventTextCase> {};

TEST_P(BuiltInEventText, IsReadFieldByField)
{
    const EventTextCase& c = GetParam();
    ScopedLanguage language(Language(std::string("EVENTTYPE1=") + c.text + "\n"));
    Database database;
    EventType type(database);
    type.SetId(9);
    ASSERT_EQ(type.LoadBuiltInEvent(1), c.loads);
    if (!c.loads)
        return;
    EXPECT_EQ(type.Id(), 0);
    EXPECT_STREQ(type.row.name, c.name);
    EXPECT_EQ(type.row.principals, c.principals);
    EXPECT_EQ(type.row.classCode, c.classCode);
    EXPECT_EQ(type.row.gedcomTag, c.gedcomTag);
    EXPECT_STREQ(type.row.principalTemplate, c.principalTemplate);
    EXPECT_STREQ(type.row.witnessTemplate, c.witnessTemplate);
    EXPECT_EQ(type.row.kind, EventTypeKindEvent);
    EXPECT_EQ(type.row.print, 1u);
}

INSTANTIATE_TEST_SUITE_P(EventType, BuiltInEventText, ::testing::ValuesIn(EventTextCases));

TEST(EventTypeBuiltIn, LongFieldsAreCut)
{
    std::string name(40, 'n');
    std::string principal(70, 'p');
    std::string witness(70, 'w');
    ScopedLanguage language(Language("EVENTTYPE1=" + name + ",1,birth,BIRT," + principal + "," + witness + "\n"));
    Database database;
    EventType type(database);
    ASSERT_TRUE(type.LoadBuiltInEvent(1));
    EXPECT_EQ(std::string(type.row.name), name.substr(0, 31));
    EXPECT_EQ(std::string(type.row.principalTemplate), principal.substr(0, 63));
    EXPECT_EQ(std::string(type.row.witnessTemplate), witness.substr(0, 63));
}

TEST(EventTypeBuiltIn, MissingKeyDoesNotLoad)
{
    ScopedLanguage language(Language("EVENTTYPE1=Birth,1,birth,BIRT,,\n"));
    Database database;
    EventType type(database);
    EXPECT_FALSE(type.LoadBuiltInEvent(2));
    EXPECT_FALSE(type.LoadBuiltInAttribute(1));
}

// The optional fields of an attribute text: each is taken only when its comma follows, and what is not
// taken keeps what the object held before.
TEST(EventTypeBuiltIn, AttributeTakesOnlyTheFieldsThatAreClosed)
{
    ScopedLanguage language(Language("ATTRIBUTETYPE1=Age,num,age\n"
                                     "ATTRIBUTETYPE2=Age,num,age,\n"
                                     "ATTRIBUTETYPE3=Occupation,,work,OCCU,{F} worked as {v},\n"
                                     "ATTRIBUTETYPE4=Title,text,title,TITL,\"a, b\"\n"
                                     "ATTRIBUTETYPE5=Living,flag,living,,,\n"
                                     "ATTRIBUTETYPE6=Unfinished,,work,OCCU,no comma\n"
                                     "ATTRIBUTETYPE7=Age\n"
                                     "ATTRIBUTETYPE8=Age,num\n"));
    Database database;
    EventType type(database);
    auto reset = [&type] {
        type.row.classCode = 3;
        type.row.gedcomTag = 7;
        std::strcpy(type.row.principalTemplate, "held");
        std::strcpy(type.row.witnessTemplate, "witness held");
        type.row.principals = 1;
        type.row.print = 1;
    };

    reset();
    ASSERT_TRUE(type.LoadBuiltInAttribute(1));
    EXPECT_STREQ(type.row.name, "Age");
    EXPECT_EQ(type.row.kind, EventTypeKindAttribute);
    EXPECT_EQ(type.row.attributeKind, AttributeKindNumeric);
    EXPECT_EQ(type.row.classCode, 3);
    EXPECT_EQ(type.row.gedcomTag, 7);

    reset();
    ASSERT_TRUE(type.LoadBuiltInAttribute(2));
    EXPECT_EQ(type.row.classCode, 1);
    EXPECT_EQ(type.row.gedcomTag, 7);
    EXPECT_STREQ(type.row.principalTemplate, "held");

    reset();
    ASSERT_TRUE(type.LoadBuiltInAttribute(3));
    EXPECT_EQ(type.row.attributeKind, AttributeKindText);
    EXPECT_EQ(type.row.classCode, 11);
    EXPECT_EQ(type.row.gedcomTag, FindGedcomTag("OCCU"));
    EXPECT_STREQ(type.row.principalTemplate, "{F} worked as {v}");
    EXPECT_STREQ(type.row.witnessTemplate, "witness held");
    EXPECT_EQ(type.row.principals, 1);
    EXPECT_EQ(type.row.print, 1u);

    reset();
    ASSERT_TRUE(type.LoadBuiltInAttribute(4));
    EXPECT_EQ(type.row.classCode, 10);
    EXPECT_STREQ(type.row.principalTemplate, "a, b");

    reset();
    type.row.principals = 2;
    ASSERT_TRUE(type.LoadBuiltInAttribute(5));
    EXPECT_EQ(type.row.attributeKind, AttributeKindFlag);
    EXPECT_EQ(type.row.classCode, 3);
    EXPECT_EQ(type.row.gedcomTag, NoGedcomTag);
    EXPECT_STREQ(type.row.principalTemplate, "P two");

    reset();
    ASSERT_TRUE(type.LoadBuiltInAttribute(6));
    EXPECT_STREQ(type.row.principalTemplate, "held");

    EXPECT_FALSE(type.LoadBuiltInAttribute(7));
    EXPECT_FALSE(type.LoadBuiltInAttribute(8));
}

TEST(EventTypeTables, LookUps)
{
    EXPECT_EQ(FindGedcomTag("UID"), 128);
    EXPECT_EQ(FindGedcomTag("FACT"), 127);
    EXPECT_EQ(FindGedcomTag("HEAD"), 0);
    EXPECT_EQ(FindGedcomTag("marr"), -1);
    EXPECT_EQ(FindGedcomTag(""), -1);
    EXPECT_STREQ(GedcomTagText(29), "MARR");
    EXPECT_EQ(GedcomTagText(129), nullptr);

    EXPECT_STREQ(GetEventClassKeyword(1, EventTypeKindAttribute, AttributeKindFlag), "ancestor");
    EXPECT_STREQ(GetEventClassKeyword(1, EventTypeKindAttribute, AttributeKindNumeric), "age");
    EXPECT_STREQ(GetEventClassKeyword(1, EventTypeKindAttribute, AttributeKindText), "caste");
    EXPECT_STREQ(GetEventClassKeyword(25, EventTypeKindEvent, AttributeKindFlag), "retirement");
    EXPECT_STREQ(GetEventClassKeyword(26, EventTypeKindEvent, 0), "other");
    EXPECT_STREQ(GetEventClassKeyword(-1, EventTypeKindAttribute, AttributeKindFlag), "other");

    EXPECT_EQ(GetEventClassCode("death", EventTypeKindEvent, 0), 11);
    EXPECT_EQ(GetEventClassCode("Death", EventTypeKindEvent, 0), 0);
    EXPECT_EQ(GetEventClassCode("living", EventTypeKindAttribute, AttributeKindFlag), 3);
    EXPECT_EQ(GetEventClassCode("living", EventTypeKindAttribute, AttributeKindText), 0);

    // Every tag the edit dialog offers is one of the table.
    for (int kind : {EventTypeKindEvent, EventTypeKindAttribute}) {
        KeywordTable offered = OfferedGedcomTags(kind);
        for (int i = 0; i < offered.count; ++i)
            EXPECT_GE(FindGedcomTag(offered.words[i]), 0) << offered.words[i];
    }
    EXPECT_EQ(OfferedGedcomTags(EventTypeKindEvent).count, 33);
    EXPECT_EQ(OfferedGedcomTags(EventTypeKindAttribute).count, 13);
}

TEST(EventTypeRowCodec, FieldsSitAtTheirColumns)
{
    EventTypeRow row{};
    std::strcpy(row.name, "Name");
    row.classCode = 0x0102;
    row.gedcomTag = -1;
    row.kind = 2;
    row.principals = 1;
    std::strcpy(row.principalTemplate, "P");
    std::strcpy(row.witnessTemplate, "W");
    row.print = 0x01020304;
    row.attributeKind = 2;
    std::uint8_t bytes[EventTypeRowSize];
    EncodeEventTypeRow(row, bytes);
    EXPECT_EQ(std::memcmp(bytes, "Name", 5), 0);
    EXPECT_EQ(bytes[32], 0x02);
    EXPECT_EQ(bytes[33], 0x01);
    EXPECT_EQ(bytes[34], 0xFF);
    EXPECT_EQ(bytes[35], 0xFF);
    EXPECT_EQ(bytes[36], 2);
    EXPECT_EQ(bytes[37], 1);
    EXPECT_EQ(bytes[38], 'P');
    EXPECT_EQ(bytes[102], 'W');
    EXPECT_EQ(bytes[166], 0x04);
    EXPECT_EQ(bytes[169], 0x01);
    EXPECT_EQ(bytes[170], 2);

    // A damaged row without terminators still decodes into terminated texts.
    std::memset(bytes, 'x', sizeof bytes);
    EventTypeRow decoded{};
    DecodeEventTypeRow(bytes, decoded);
    EXPECT_EQ(std::strlen(decoded.name), 31u);
    EXPECT_EQ(std::strlen(decoded.principalTemplate), 63u);
    EXPECT_EQ(std::strlen(decoded.witnessTemplate), 63u);
}

TEST(EventTypeObject, NewObjectDefaultsAndBirthDeath)
{
    Database database;
    EventType type(database);
    EXPECT_EQ(type.Id(), 0);
    EXPECT_EQ(type.row.kind, EventTypeKindEvent);
    EXPECT_EQ(type.row.principals, 1);
    EXPECT_EQ(type.row.gedcomTag, NoGedcomTag);
    EXPECT_EQ(type.row.classCode, 0);

    type.row.classCode = EventClassBirth;
    EXPECT_TRUE(type.IsBirth());
    EXPECT_FALSE(type.IsDeath());
    type.row.principals = 2;
    EXPECT_FALSE(type.IsBirth());
    type.row.classCode = EventClassDeath;
    EXPECT_FALSE(type.IsDeath());
    type.row.principals = 1;
    EXPECT_TRUE(type.IsDeath());
}

constexpr const char* SeedTypes = "EVENTTYPE1=Birth,1,birth,BIRT,,\n"
                                  "EVENTTYPE2=Marriage,2,marriage,MARR,\"a, b\",w\n"
                                  "EVENTTYPE3=Death,1,death,DEAT,died,witnessed\n"
                                  "EVENTTYPE4=Census,0,census,CENS,counted,seen\n"
                                  "EVENTTYPE6=After the gap,1,other,EVEN,,\n"
                                  "ATTRIBUTETYPE1=Occupation,,work,OCCU,{v},\n"
                                  "ATTRIBUTETYPE2=Age,num,age,,\n";

TEST(EventTypeSeeding, WritesEventsThenAttributesInKeyOrderUpToTheFirstGap)
{
    ScopedLanguage language(Language(SeedTypes));
    TestDatabase database;
    {
        auto transaction = Transaction(*database);
        ASSERT_TRUE(SeedEventTypes(*database));
    }
    database.Reopen();
    auto transaction = Transaction(*database, TLV_READ);
    EXPECT_EQ(tlvNumberOfRecords(database->TableId(TableEventType), database->file), 6);

    EventType birth(1, *database);
    EXPECT_EQ(birth.Id(), 1);
    EXPECT_STREQ(birth.row.name, "Birth");
    EXPECT_EQ(birth.row.classCode, 4);
    EXPECT_EQ(birth.row.gedcomTag, 17);
    EXPECT_EQ(birth.row.principals, 1);
    EXPECT_STREQ(birth.row.principalTemplate, "P one");
    EXPECT_STREQ(birth.row.witnessTemplate, "W one");
    EXPECT_EQ(birth.row.print, 1u);

    EventType marriage(2, *database);
    EXPECT_STREQ(marriage.row.principalTemplate, "a, b");
    EXPECT_EQ(marriage.row.principals, 2);

    // The attribute rows carry what the loader leaves alone from the last event type read (Census).
    EventType occupation(5, *database);
    EXPECT_STREQ(occupation.row.name, "Occupation");
    EXPECT_EQ(occupation.row.kind, EventTypeKindAttribute);
    EXPECT_STREQ(occupation.row.principalTemplate, "{v}");
    EXPECT_STREQ(occupation.row.witnessTemplate, "seen");
    EXPECT_EQ(occupation.row.principals, 0);
    EXPECT_EQ(occupation.row.print, 1u);

    EventType age(6, *database);
    EXPECT_EQ(age.row.attributeKind, AttributeKindNumeric);
    EXPECT_EQ(age.row.classCode, 1);
    EXPECT_EQ(age.row.gedcomTag, NoGedcomTag);
    EXPECT_STREQ(age.row.principalTemplate, "{v}");

    EventType missing(7, *database);
    EXPECT_EQ(missing.Id(), 0);
}

TEST(EventTypeFinders, FindByCriteriaAndTag)
{
    ScopedLanguage language(Language(SeedTypes));
    TestDatabase database;
    auto transaction = Transaction(*database);
    ASSERT_TRUE(SeedEventTypes(*database));

    EXPECT_EQ(FindEventTypeId("Death", 0, -1, -1, -1, EventTypeKindEvent, *database), 3);
    EXPECT_EQ(FindEventTypeId("death", 0, -1, -1, -1, EventTypeKindEvent, *database), 0);
    EXPECT_EQ(FindEventTypeId(nullptr, 0, 21, 2, 29, EventTypeKindEvent, *database), 2);
    EXPECT_EQ(FindEventTypeId(nullptr, 0, 21, 1, -1, EventTypeKindEvent, *database), 0);
    // A type of 0 principals answers for any number of principals.
    EXPECT_EQ(FindEventTypeId(nullptr, 0, 7, 2, -1, EventTypeKindEvent, *database), 4);
    EXPECT_EQ(FindEventTypeId("Occupation", 0, -1, -1, -1, EventTypeKindEvent, *database), 0);
    EXPECT_EQ(FindEventTypeId("Occupation", 0, -1, -1, -1, EventTypeKindAttribute, *database), 5);
    EXPECT_EQ(FindEventTypeId("Age", 0, -1, -1, -1, EventTypeKindAttribute, *database), 0);
    EXPECT_EQ(FindEventTypeId("Age", 1, 1, -1, -1, EventTypeKindAttribute, *database), 6);

    EXPECT_EQ(FindEventTypeByGedcomTag(FindGedcomTag("DEAT"), EventTypeKindEvent, *database), 3);
    EXPECT_EQ(FindEventTypeByGedcomTag(FindGedcomTag("OCCU"), EventTypeKindEvent, *database), 0);
    EXPECT_EQ(FindEventTypeByGedcomTag(FindGedcomTag("OCCU"), EventTypeKindAttribute, *database), 5);

    // The birth and death types the core looks for are the ones seeded here.
    EXPECT_EQ(database->BirthEventTypeId(), 1);
    EXPECT_EQ(database->DeathEventTypeId(), 3);
}

TEST(EventTypeFinders, BuiltInListsAreSearchedByEveryGivenCriterion)
{
    ScopedLanguage language(Language(SeedTypes));
    Database database;
    EventType type(database);
    ASSERT_TRUE(type.FindBuiltInEvent("Death", -1, -1, -1));
    EXPECT_STREQ(type.row.principalTemplate, "died");
    ASSERT_TRUE(type.FindBuiltInEvent(nullptr, 21, 2, 29));
    EXPECT_STREQ(type.row.name, "Marriage");
    EXPECT_FALSE(type.FindBuiltInEvent("Marriage", -1, 1, -1));
    // The list ends at the gap, so a type behind it is never found.
    EXPECT_FALSE(type.FindBuiltInEvent("After the gap", -1, -1, -1));

    ASSERT_TRUE(type.FindBuiltInAttribute("Age", AttributeKindNumeric, -1, -1));
    EXPECT_EQ(type.row.classCode, 1);
    EXPECT_FALSE(type.FindBuiltInAttribute("Age", AttributeKindText, -1, -1));
}

TEST(EventTypeCreate, FillsWhatIsNotGiven)
{
    ScopedLanguage language(Language(""));
    TestDatabase database;
    auto transaction = Transaction(*database);
    std::string longName(40, 'x');
    std::int32_t family =
        CreateEventType(longName.c_str(), 0, 21, 29, EventTypeKindEvent, 5, 1, nullptr, nullptr, *database);
    std::int32_t single = CreateEventType("Single", 0, 4, 17, EventTypeKindEvent, 1, 0, nullptr, nullptr, *database);
    std::int32_t none = CreateEventType("None", 0, 0, -1, EventTypeKindEvent, 0, 0, nullptr, nullptr, *database);
    std::int32_t attribute =
        CreateEventType("Attr", AttributeKindNumeric, 1, -1, EventTypeKindAttribute, 1, 0, nullptr, nullptr, *database);
    std::int32_t given = CreateEventType("Given", 0, 0, -1, EventTypeKindEvent, 1, 0, "mine", "", *database);
    EXPECT_EQ(family, 1);
    EXPECT_EQ(given, 5);

    struct Expected {
        std::int32_t id;
        int principals;
        const char* principalTemplate;
        const char* witnessTemplate;
    } expected[] = {
        {family, 2, "P two", "W two"}, {single, 1, "P one", "W one"}, {none, 0, "", ""},
        {attribute, 1, "A text", ""},  {given, 1, "mine", ""},
    };
    for (const Expected& e : expected) {
        EventType type(e.id, *database);
        ASSERT_EQ(type.Id(), e.id);
        EXPECT_EQ(type.row.principals, e.principals) << e.id;
        EXPECT_STREQ(type.row.principalTemplate, e.principalTemplate) << e.id;
        EXPECT_STREQ(type.row.witnessTemplate, e.witnessTemplate) << e.id;
    }
    EventType first(family, *database);
    EXPECT_EQ(std::string(first.row.name), longName.substr(0, 31));
    EXPECT_EQ(first.row.classCode, 21);
    EXPECT_EQ(first.row.gedcomTag, 29);
    EXPECT_EQ(first.row.print, 1u);
    EventType attr(attribute, *database);
    EXPECT_EQ(attr.row.attributeKind, AttributeKindNumeric);
    EXPECT_EQ(attr.row.kind, EventTypeKindAttribute);
}

TEST(EventTypeObject, ReadNextSkipsToTheNextUsedRowAndWriteChangesARow)
{
    ScopedLanguage language(Language(""));
    TestDatabase database;
    auto transaction = Transaction(*database);
    for (const char* name : {"A", "B", "C"})
        CreateEventType(name, 0, 0, -1, EventTypeKindEvent, 1, 0, nullptr, nullptr, *database);
    ASSERT_EQ(tlvDeleteRecord(database->TableId(TableEventType), 2, database->file), 0);

    EventType type(*database);
    EXPECT_EQ(type.ReadNext(0), 1);
    EXPECT_EQ(type.ReadNext(2), 3);
    EXPECT_STREQ(type.row.name, "C");
    EXPECT_EQ(type.Id(), 3);
    EXPECT_EQ(type.ReadNext(4), 0);
    EXPECT_EQ(type.Id(), 0);

    EXPECT_NE(type.Read(2), 0);
    EXPECT_EQ(type.Id(), 0);

    ASSERT_EQ(type.Read(3), 0);
    std::strcpy(type.row.name, "Changed");
    ASSERT_EQ(type.Write(), 0);
    EventType again(3, *database);
    EXPECT_STREQ(again.row.name, "Changed");
}

} // namespace

namespace {

// The master language file's built-in types are the ones every English database starts with: each must
// load (a malformed entry would end the list there) and no sentence may be cut.
TEST(EventTypeBuiltIn, EveryTypeOfTheEnglishFileLoadsWhole)
{
    const ScopedLanguage english(ScopedLanguage::Master());
    ASSERT_NE(english.get(), nullptr) << test_support::MasterLanguageFile();

    auto keysWithPrefix = [&](const std::string& prefix) {
        int count = 0;
        while (GetLanguageText((prefix + std::to_string(count + 1)).c_str()) != nullptr &&
               std::string(GetLanguageText((prefix + std::to_string(count + 1)).c_str())) !=
                   prefix + std::to_string(count + 1))
            ++count;
        return count;
    };
    Database database;
    EventType type(database);
    int events = 0;
    while (type.LoadBuiltInEvent(events + 1)) {
        ++events;
        EXPECT_LT(std::strlen(type.row.principalTemplate), 63u) << type.row.name;
        EXPECT_LT(std::strlen(type.row.witnessTemplate), 63u) << type.row.name;
        EXPECT_NE(type.row.gedcomTag, NoGedcomTag) << type.row.name;
    }
    int attributes = 0;
    while (type.LoadBuiltInAttribute(attributes + 1)) {
        ++attributes;
        EXPECT_LT(std::strlen(type.row.principalTemplate), 63u) << type.row.name;
    }
    EXPECT_GT(events, 0);
    EXPECT_GT(attributes, 0);
    EXPECT_EQ(events, keysWithPrefix("EVENTTYPE"));
    EXPECT_EQ(attributes, keysWithPrefix("ATTRIBUTETYPE"));
    EXPECT_LT(std::strlen(GetLanguageText("STANDARD_ROLES")), 256u);
}

} // namespace
