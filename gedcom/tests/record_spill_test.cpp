// Records on their way through temporary storage: what is written comes back whole, in order, as often as
// asked; damaged bytes are refused; and a conversion gives the same output with or without a temporary file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gedcom/gedcom_records.h"
#include "gedcom/record_spill.h"
#include "gedcom/tests/test_host.h"

namespace pendrax::test {
namespace {

SimpleDate SomeDate(int year)
{
    SimpleDate date;
    date.year = year;
    date.calendar = Calendar::Julian;
    date.day = 3;
    date.month = 11;
    date.secondYear = 45;
    date.hour = 12;
    date.minute = 30;
    date.second = 7;
    return date;
}

Note SomeNote(std::string_view text)
{
    Note note;
    note.pointer = "N1";
    note.text = text;
    note.citations = {4, 5};
    return note;
}

// A person with every part the records can have, each filled.
Person FullPerson()
{
    Person person;
    person.sex = 2;
    Name& name = person.names.emplace_back();
    name.value = "Anne /Smith/ Jr.";
    name.parts.Get().given = "Anne";
    name.parts.Get().surname = "Smith";
    name.parts.Get().suffix = "Jr.";
    name.citations = {1};
    name.notes = {SomeNote("name note")};
    Event& event = person.events.emplace_back();
    event.tag = Tag::BIRT;
    event.typeNumber = 3;
    event.date.kind = DateKind::Between;
    event.date.first = SomeDate(-44);
    event.date.second = SomeDate(1850);
    event.date.text = "between times";
    event.place = "London, England";
    event.citations = {2, 3};
    event.details.Get().typeText = "Birth";
    event.details.Get().address.lines = {Text("1 High St"), Text("Town")};
    event.details.Get().address.phone = "123";
    event.details.Get().extras = "Age 3. ";
    event.details.Get().notes = {SomeNote("event note")};
    PersonExtras& extras = person.extras.Get();
    extras.citations = {6};
    extras.change = SomeDate(2001);
    Attribute& attribute = extras.attributes.emplace_back();
    attribute.tag = Tag::OCCU;
    attribute.value = "Miller";
    attribute.date.kind = DateKind::Text;
    attribute.date.text = "in her youth";
    attribute.place = "Mill";
    attribute.citations = {7};
    attribute.details.Get().address.web = "http://example.org";
    extras.notes = {SomeNote("person note"), SomeNote("")};
    extras.text = "Automated record ID 9.";
    MediaLink& link = extras.media.emplace_back();
    link.pointer = "O1";
    link.file = "C:\\photo.jpg";
    link.format = "jpeg";
    link.title = "Portrait";
    link.fileLine = 42;
    link.notes = {SomeNote("media note")};
    return person;
}

Family FullFamily()
{
    Family family;
    family.xref = "F7";
    family.line = 90;
    family.husband = {Text("I1"), 91, 1, Relation::Biological};
    family.wife = {Text("I2"), 92, 2, Relation::Biological};
    family.children = {{Text("I3"), 93, 3, Relation::Foster}, {Text("I4"), 94, 0, Relation::Other}};
    family.couple = true;
    family.coupleType = 5;
    Event& event = family.events.emplace_back();
    event.tag = Tag::MARR;
    event.typeNumber = 4;
    family.citations = {8};
    family.notes = {SomeNote("family note")};
    family.change = SomeDate(1999);
    return family;
}

Citation FullCitation()
{
    Citation citation;
    citation.pointer = "S1";
    citation.sourceText = "a book";
    citation.page = "p. 4";
    citation.quality = "3";
    citation.dataDate = "(1 JAN 1900)";
    citation.dataText = std::string(300'000, 'x'); // larger than a piece of the file's reads
    citation.notes = {SomeNote("citation note")};
    return citation;
}

template <typename Record> std::string Encoded(const Record& record)
{
    std::string bytes;
    Encode(bytes, record);
    return bytes;
}

// Writes the records, reads them back twice and answers the encodings read, in order.
template <typename Record> std::vector<std::string> RoundTrip(const std::vector<Record>& records)
{
    TextArena texts;
    ArenaScope scope(texts);
    RecordSpill spill;
    for (const Record& record : records)
        spill.Write(record);
    EXPECT_EQ(spill.Count(), records.size());
    TextArena recordTexts;
    std::vector<std::string> first, second;
    spill.template ForEach<Record>(recordTexts, [&](const Record& record) { first.push_back(Encoded(record)); });
    spill.template ForEach<Record>(recordTexts, [&](const Record& record) { second.push_back(Encoded(record)); });
    EXPECT_EQ(first, second);
    return first;
}

template <typename Record> void ExpectRoundTrip(const std::vector<Record>& records, const char* what)
{
    std::vector<std::string> expected;
    for (const Record& record : records)
        expected.push_back(Encoded(record));
    EXPECT_EQ(RoundTrip(records), expected) << what;
}

TEST(RecordSpillTest, RecordsComeBackWholeAndInOrder)
{
    TextArena texts;
    ArenaScope scope(texts);
    std::vector<Person> persons;
    ExpectRoundTrip(persons, "no persons");
    persons.push_back(Person());
    persons.push_back(FullPerson());
    persons.push_back(Person());
    ExpectRoundTrip(persons, "empty and full persons");
    std::vector<Family> families;
    families.push_back(FullFamily());
    families.push_back(Family());
    ExpectRoundTrip(families, "families");
    // Enough records that the file is written and read in several pieces, one of them over a piece's end.
    std::vector<Citation> citations(5, FullCitation());
    for (int i = 0; i < 2000; ++i)
        citations.emplace_back().page = "page " + std::to_string(i);
    ExpectRoundTrip(citations, "citations");
}

TEST(RecordSpillTest, AFullRecordKeepsEveryValue)
{
    TextArena texts;
    ArenaScope scope(texts);
    RecordSpill spill;
    spill.Write(FullPerson());
    TextArena recordTexts;
    int visits = 0;
    spill.ForEach<Person>(recordTexts, [&](const Person& person) {
        ++visits;
        EXPECT_EQ(person.sex, 2);
        EXPECT_EQ(person.names.at(0).parts->surname, "Smith");
        const Event& event = person.events.at(0);
        EXPECT_EQ(event.date.kind, DateKind::Between);
        EXPECT_EQ(event.date.first.year, -44);
        EXPECT_EQ(event.date.second.secondYear, 45);
        EXPECT_EQ(event.date.second.second, 7);
        EXPECT_EQ(event.details->address.lines.at(1), "Town");
        EXPECT_EQ(person.extras->attributes.at(0).date.text, "in her youth");
        EXPECT_EQ(person.extras->media.at(0).fileLine, 42);
        EXPECT_EQ(person.extras->notes.at(0).citations, (std::vector<int>{4, 5}));
        EXPECT_TRUE(static_cast<bool>(person.names.at(0).parts));
    });
    EXPECT_EQ(visits, 1);
    // Parts never made stay unmade.
    RecordSpill empty;
    empty.Write(Person());
    empty.ForEach<Person>(recordTexts, [&](const Person& person) {
        ++visits;
        EXPECT_FALSE(static_cast<bool>(person.extras));
        EXPECT_TRUE(person.names.empty());
    });
    EXPECT_EQ(visits, 2);
}

template <typename Record> bool Decodes(std::string_view bytes)
{
    Record record;
    return Decode(bytes, record);
}

TEST(RecordSpillTest, CutOrEmptyBytesAreRefused)
{
    TextArena texts;
    ArenaScope scope(texts);
    struct Case {
        const char* what;
        std::string bytes;
        bool (*decodes)(std::string_view);
    };
    const Case cases[] = {
        {"person", Encoded(FullPerson()), Decodes<Person>},
        {"family", Encoded(FullFamily()), Decodes<Family>},
        {"citation", Encoded(FullCitation()), Decodes<Citation>},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(c.decodes(c.bytes)) << c.what;
        for (size_t length : {size_t{0}, size_t{1}, c.bytes.size() / 3, c.bytes.size() / 2, c.bytes.size() - 1})
            EXPECT_FALSE(c.decodes(std::string_view(c.bytes).substr(0, length))) << c.what << " cut to " << length;
    }
    // A list count larger than the bytes left is refused before anything is made for it.
    std::string huge(1, '\x01');
    huge += std::string("\xff\xff\xff\x7f", 4);
    EXPECT_FALSE(Decodes<Person>(huge));
}

TEST(TextArenaTest, ClearedArenaStoresAnew)
{
    TextArena arena;
    ArenaScope scope(arena);
    Text small("short");
    Text large(std::string(600'000, 'L')); // a block of its own
    EXPECT_EQ(large.size(), 600'000u);
    arena.Clear();
    Text again("again");
    Text largeAgain(std::string(400'000, 'M'));
    EXPECT_EQ(again, "again");
    EXPECT_EQ(largeAgain.view().substr(0, 3), "MMM");
    arena.Clear();
    arena.Clear();
    EXPECT_EQ(Text("after two clears"), "after two clears");
    TextArena neverUsed;
    neverUsed.Clear();
}

#ifdef _WIN32
void SetTemporaryFolder(const char* folder)
{
    _putenv_s("TMP", folder);
    _putenv_s("TEMP", folder);
}
#else
void SetTemporaryFolder(const char* folder)
{
    setenv("TMPDIR", folder, 1);
}
#endif

TEST(RecordSpillTest, WithoutATemporaryFolderTheRecordsStayInMemoryAndTheOutputIsTheSame)
{
    const std::string gedcom = "0 HEAD\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 NAME Anne /Smith/\r\n1 SOUR @S1@\r\n"
                               "2 PAGE 4\r\n1 FAMC @F1@\r\n2 PEDI adopted\r\n0 @I2@ INDI\r\n1 BIRT\r\n2 DATE 1900\r\n"
                               "0 @F1@ FAM\r\n1 HUSB @I2@\r\n1 CHIL @I1@\r\n0 @S1@ SOUR\r\n1 TITL Book\r\n0 TRLR\r\n";
#ifdef _WIN32
    const char* saved = std::getenv("TMP");
#else
    const char* saved = std::getenv("TMPDIR");
#endif
    const std::string savedFolder = saved ? saved : "";
    TestHost withFile;
    ASSERT_EQ(ConvertText(gedcom, {}, withFile), ConvertOk);
    SetTemporaryFolder("/no/such/folder/at/all");
    TestHost inMemory;
    ConvertResult result = ConvertText(gedcom, {}, inMemory);
    SetTemporaryFolder(savedFolder.c_str());
#ifndef _WIN32
    if (!saved)
        unsetenv("TMPDIR");
#endif
    ASSERT_EQ(result, ConvertOk);
    EXPECT_EQ(inMemory.output, withFile.output);
    EXPECT_EQ(inMemory.log, withFile.log);
    EXPECT_NE(withFile.output.find("<relation>adoptive</relation><father>P2</father><child>P1</child>"),
              std::string::npos);
}

TEST(RecordSpillTest, TheFirstFamcLineNamingAFamilySaysHowThePersonIsItsChild)
{
    struct Case {
        const char* famcLines;
        const char* relation;
    };
    const Case cases[] = {
        {"1 FAMC @F1@\r\n1 FAMC @F1@\r\n2 PEDI adopted\r\n", "biological"},
        {"1 FAMC @F1@\r\n2 PEDI foster\r\n1 FAMC @F1@\r\n2 PEDI adopted\r\n", "foster"},
        {"1 FAMC @F2@\r\n2 PEDI adopted\r\n1 FAMC @F1@\r\n2 PEDI sealing\r\n", "other"},
    };
    for (const Case& c : cases) {
        // The family comes before its child: the child's FAMC lines are read after the family's CHIL line.
        std::string gedcom = "0 HEAD\r\n1 CHAR ANSI\r\n0 @F1@ FAM\r\n1 WIFE @I1@\r\n1 CHIL @I2@\r\n0 @I1@ INDI\r\n"
                             "0 @I2@ INDI\r\n" +
                             std::string(c.famcLines) + "0 TRLR\r\n";
        TestHost host;
        ASSERT_EQ(ConvertText(gedcom, {}, host), ConvertOk) << c.famcLines;
        EXPECT_NE(host.output.find(std::string("<relation>") + c.relation +
                                   "</relation><mother>P1</mother><child>P2</child>"),
                  std::string::npos)
            << c.famcLines << host.output;
    }
}

} // namespace
} // namespace pendrax::test
