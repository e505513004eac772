// Texts: escaping on write, unescaping on read, empty and optional text elements, attributes on text elements.
#include "wexmor_test_util.h"

#include "src/text.h"

using namespace wexmor_test;

TEST(WexmorText, ANoteWithTheFiveSpecialCharactersIsEscapedAndReadsBack)
{
    const char* note = "a<b&c>d\"e'f";
    std::string body = WrittenBody([&](WexmorFile* file) {
        WZRepository* repository = CreateRepository();
        SetRepositoryId(1, repository);
        SetRepositoryNote(note, repository);
        EXPECT_EQ(RepositoryExport(file, repository), 0);
        ReleaseRepository(repository);
    });
    EXPECT_EQ(body, "<repository id=\"R1\"><name></name><note>a&lt;b&amp;c&gt;d&quot;e&apos;f</note></repository>");

    ReadFixture fixture(kMinimalHeader + body);
    WZHeader* header = CreateHeader();
    ASSERT_EQ(HeaderImport(fixture.File(), WZ_NEXT, header), 0);
    WZRepository* repository = CreateRepository();
    ASSERT_EQ(RepositoryImport(fixture.File(), WZ_NEXT, repository), 0);
    EXPECT_STREQ(GetRepositoryNote(repository), note);
    EXPECT_STREQ(GetRepositoryName(repository), "");
    ReleaseRepository(repository);
    ReleaseHeader(header);
}

TEST(WexmorText, SettingAnEmptyTextClearsItAndGettersNeverGiveNull)
{
    WZSource* source = CreateSource();
    EXPECT_STREQ(GetSourceTitle(source), "");
    SetSourceTitle("Parish register", source);
    EXPECT_STREQ(GetSourceTitle(source), "Parish register");
    SetSourceTitle("", source);
    EXPECT_STREQ(GetSourceTitle(source), "");
    SetSourceTitle("x", source);
    SetSourceTitle(nullptr, source);
    EXPECT_STREQ(GetSourceTitle(source), "");
    EXPECT_STREQ(GetSourceTitle(nullptr), "");
    ReleaseSource(source);
}

TEST(WexmorText, ReadingUnescapesOnlyTheFiveEntities)
{
    struct Case {
        const char* content;
        const char* text;
    } cases[] = {
        {"&lt;&amp;&gt;&quot;&apos;", "<&>\"'"},
        {"&#65;&#x42;", "&#65;&#x42;"},
        {"a & b &amp c", "a & b &amp c"},
        {"\xE9t\xE9", "\xE9t\xE9"},
        {"", ""},
    };
    for (const auto& c : cases) {
        ReadFixture fixture(kMinimalHeader + "<repository id=\"R1\"><name>" + c.content + "</name></repository>");
        WZHeader* header = CreateHeader();
        ASSERT_EQ(HeaderImport(fixture.File(), WZ_NEXT, header), 0);
        WZRepository* repository = CreateRepository();
        ASSERT_EQ(RepositoryImport(fixture.File(), WZ_NEXT, repository), 0) << c.content;
        EXPECT_STREQ(GetRepositoryName(repository), c.text);
        ReleaseRepository(repository);
        ReleaseHeader(header);
    }
}

// The GEDCOM converter writes change dates and status dates with attributes on the start tag.
TEST(WexmorText, TextElementsAcceptAttributesButNotASelfClosingTag)
{
    struct Case {
        const char* element;
        int result;
        const char* change;
    } cases[] = {
        {"<change cal=\"gregorian\">2001-02-03T10:11</change>", 0, "2001-02-03T10:11"},
        {"<change>x</change>", 0, "x"},
        {"<CHANGE>y</CHANGE>", 0, "y"},
        {"<change/>", 107, ""},
        {"<change cal=\"gregorian\"/>", 71, ""},
        {"<changes>x</changes>", 107, ""},
    };
    for (const auto& c : cases) {
        ReadFixture fixture(kMinimalHeader + "<repository id=\"R1\"><name>n</name>" + c.element + "</repository>");
        WZHeader* header = CreateHeader();
        ASSERT_EQ(HeaderImport(fixture.File(), WZ_NEXT, header), 0);
        WZRepository* repository = CreateRepository();
        EXPECT_EQ(RepositoryImport(fixture.File(), WZ_NEXT, repository), c.result) << c.element;
        EXPECT_STREQ(GetRepositoryChange(repository), c.change) << c.element;
        ReleaseRepository(repository);
        ReleaseHeader(header);
    }
}

TEST(WexmorText, CodeFieldsKeepAtMostTheirWidthLessOne)
{
    WZPerson* person = CreatePerson();
    char buffer[WZ_PERSON_LANG_SIZE];
    EXPECT_EQ(SetPersonLang("de", person), 3);
    EXPECT_EQ(GetPersonLang(buffer, person), 3);
    EXPECT_STREQ(buffer, "de");
    std::string tooLong(40, 'x');
    EXPECT_EQ(SetPersonLang(tooLong.c_str(), person), WZ_PERSON_LANG_SIZE);
    EXPECT_EQ(GetPersonLang(buffer, person), WZ_PERSON_LANG_SIZE);
    EXPECT_EQ(std::string(buffer), std::string(WZ_PERSON_LANG_SIZE - 1, 'x'));

    WZEventtype* eventtype = CreateEventtype();
    char tag[WZ_GEDCOMTAG_SIZE];
    EXPECT_EQ(SetEventtypeGedcomtag("ABCDEFGHIJ", eventtype), WZ_GEDCOMTAG_SIZE);
    GetEventtypeGedcomtag(tag, eventtype);
    EXPECT_STREQ(tag, "ABCDEFG");
    ReleaseEventtype(eventtype);
    ReleasePerson(person);
}

// Text built by many small appends: the buffer grows geometrically (so the copying stays linear) and
// appending a piece of the text to itself reads the piece from where it lies after the buffer moved.
TEST(WexmorText, AppendsGrowTheBufferGeometricallyAndMayAppendTheTextToItself)
{
    wexmor::WexmorText text;
    int growths = 0;
    size_t capacity = 0;
    for (int i = 0; i < 10000; ++i) {
        text.Append("&amp;");
        if (text.Capacity() != capacity) {
            ++growths;
            capacity = text.Capacity();
        }
    }
    EXPECT_EQ(text.Length(), 50000u);
    EXPECT_LT(growths, 40) << "a few dozen moves for 10,000 appends, not one per append";

    wexmor::WexmorText doubled;
    doubled.Append("abcdef");
    for (int i = 0; i < 12; ++i)
        doubled.Append(doubled.Read(), doubled.Length());
    EXPECT_EQ(doubled.Length(), 6u << 12);
    EXPECT_EQ(std::string(doubled.Read()).find_first_not_of("abcdef"), std::string::npos);
    EXPECT_EQ(std::string(doubled.Read(), 12), "abcdefabcdef");
}
