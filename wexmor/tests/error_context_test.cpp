// GetErrorStructure: the tags of the failed element by depth, the text at the failure and a caret under it.
#include "src/read_errors.h"
#include "wexmor_test_util.h"

using namespace wexmor_test;
using wexmor::kErrorName;
using wexmor::kErrorPerson;
using wexmor::kErrorSourceKind;

namespace {

const std::string kPersonWithJunk = "<person id=\"P1\" sex=\"male\"><personalname><np tp=\"givn\">Ann</np>"
                                    "</personalname><note>x</note>   junk</person>";

} // namespace

TEST(WexmorErrorContext, ShowsTheTagsByDepthAndACaretUnderTheFailure)
{
    ReadFixture fixture(kMinimalHeader + kPersonWithJunk + kEmptyTotals);
    WZHeader* header = CreateHeader();
    ASSERT_EQ(HeaderImport(fixture.File(), WZ_NEXT, header), 0);
    WZPerson* person = CreatePerson();
    ASSERT_EQ(PersonImport(fixture.File(), WZ_NEXT, person), kErrorPerson);
    EXPECT_EQ(fixture.Context(), "<person id=\"P1\" sex=\"male\">\r\n"
                                 "\t<personalname>\r\n"
                                 "\t\t<np tp=\"givn\">\r\n"
                                 "\t\t</np>\r\n"
                                 "\t</personalname>\r\n"
                                 "\t<note>\r\n"
                                 "\t</note>\r\n"
                                 "\t   junk</person><total><rep\r\n"
                                 "\t---^");
    ReleasePerson(person);
    ReleaseHeader(header);
}

TEST(WexmorErrorContext, AFailureInsideAStartTagPutsTheCaretAtTheLineStart)
{
    ReadFixture fixture(kMinimalHeader + "<source id=\"S1\" kind=\"bogus\"><author></author></source>");
    WZHeader* header = CreateHeader();
    ASSERT_EQ(HeaderImport(fixture.File(), WZ_NEXT, header), 0);
    WZSource* source = CreateSource();
    ASSERT_EQ(SourceImport(fixture.File(), WZ_NEXT, source), kErrorSourceKind);
    std::string context = fixture.Context();
    EXPECT_EQ(context.substr(0, 32), "<source id=\"S1\" kind=\"bogus\">\r\n\t");
    EXPECT_EQ(context.substr(context.size() - 4), "\r\n\t^");
    ReleaseSource(source);
    ReleaseHeader(header);
}

TEST(WexmorErrorContext, AShortBufferIsLeftEmptyAndSizeZeroWritesNothing)
{
    ReadFixture fixture(kMinimalHeader + kPersonWithJunk);
    WZHeader* header = CreateHeader();
    ASSERT_EQ(HeaderImport(fixture.File(), WZ_NEXT, header), 0);
    WZPerson* person = CreatePerson();
    ASSERT_EQ(PersonImport(fixture.File(), WZ_NEXT, person), kErrorPerson);
    int length = static_cast<int>(fixture.Context().size());

    char small[16];
    std::memset(small, 'x', sizeof small);
    EXPECT_EQ(GetErrorStructure(small, sizeof small, fixture.File()), length);
    EXPECT_EQ(small[0], '\0');

    std::string exact(static_cast<size_t>(length), 'x');
    EXPECT_EQ(GetErrorStructure(exact.data(), length, fixture.File()), length) << "no room for the terminator";
    EXPECT_EQ(exact[0], '\0');

    char untouched = 'x';
    EXPECT_EQ(GetErrorStructure(&untouched, 0, fixture.File()), length);
    EXPECT_EQ(untouched, 'x');
    EXPECT_EQ(GetErrorStructure(&untouched, -5, fixture.File()), length);
    EXPECT_EQ(untouched, 'x');
    ReleasePerson(person);
    ReleaseHeader(header);
}

TEST(WexmorErrorContext, TheTextNeverReachesPastTheEndOfTheInput)
{
    ReadFixture fixture(kMinimalHeader + "<repository id=\"R1\"><name>cut", true);
    WZHeader* header = CreateHeader();
    ASSERT_EQ(HeaderImport(fixture.File(), WZ_NEXT, header), 0);
    WZRepository* repository = CreateRepository();
    ASSERT_EQ(RepositoryImport(fixture.File(), WZ_NEXT, repository), kErrorName);
    std::string context = fixture.Context();
    EXPECT_EQ(context, "<repository id=\"R1\">\r\n\t<name>\r\n\t\tcut\r\n\t\t^");
    ReleaseRepository(repository);
    ReleaseHeader(header);
}
