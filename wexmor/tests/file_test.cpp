// The file core: the document frame, opening for reading, the order of sections, progress, failing writes.
#include "src/read_errors.h"
#include "wexmor_test_util.h"

using namespace wexmor_test;

TEST(WexmorFile, ReleasingANewFileWritesTheFrameWithZeroTotals)
{
    TempFile temp;
    ReleaseWZFile(CreateWZFile(temp.Path(), WZ_MODE_WRITE));
    EXPECT_EQ(temp.Read(), kDeclaration + kRootStart + kEmptyTotals);
}

TEST(WexmorFile, TotalsCountTheRecordsOfEachSection)
{
    TempFile temp;
    WexmorFile* file = CreateWZFile(temp.Path(), WZ_MODE_WRITE);
    WZHeader* header = CreateHeader();
    ASSERT_EQ(HeaderExport(file, header), 0);
    WZRepository* repository = CreateRepository();
    EXPECT_EQ(RepositoryExport(file, repository), 0);
    EXPECT_EQ(RepositoryExport(file, repository), 0);
    WZTask* task = CreateTask();
    EXPECT_EQ(TaskExport(file, task), 0);
    ReleaseWZFile(file);
    std::string text = temp.Read();
    EXPECT_NE(text.find("<total><repositories>2</repositories><sources>0</sources><excerpts>0</excerpts>"
                        "<eventtypes>0</eventtypes><persons>0</persons><assertions>0</assertions>"
                        "<objectives>0</objectives><tasks>1</tasks></total></wexmor>"),
              std::string::npos)
        << text;
    ReleaseTask(task);
    ReleaseRepository(repository);
    ReleaseHeader(header);
}

TEST(WexmorFile, OpeningChecksTheDeclarationAndTheRoot)
{
    struct Case {
        const char* text;
        bool opens;
    } cases[] = {
        {"  \r\n\t<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><wexmor></wexmor>", true},
        {"<?xml version=\"1.0\"?><wexmor></wexmor>", true},
        {"<?XML version=\"1.0\" standalone=\"yes\"?>\n<WEXMOR>", true},
        {"<?xml version=\"1.1\"?><wexmor></wexmor>", false},
        {"<?xml encoding=\"ISO-8859-1\"?><wexmor></wexmor>", false},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><wexmor></wexmor>", false},
        {"<?xml version=\"1.0\" standalone=\"no\"?><wexmor></wexmor>", false},
        {"<?xml version='1.0'?><wexmor></wexmor>", false},
        {"<?xml version=\"1.0\"><wexmor></wexmor>", false},
        {"<?xml version=\"1.0\"?><gedml></gedml>", false},
        {"<?xml version=\"1.0\"?><wexmorx>", false},
        {"", false},
        {"<?xml version=\"1.0", false},
    };
    for (const auto& c : cases) {
        TempFile temp;
        temp.Write(c.text);
        WexmorFile* file = CreateWZFile(temp.Path(), WZ_MODE_READ);
        EXPECT_EQ(file != nullptr, c.opens) << c.text;
        ReleaseWZFile(file);
    }
}

TEST(WexmorFile, AMissingFileOrFolderGivesNoHandle)
{
    TempFile temp;
    EXPECT_EQ(CreateWZFile(temp.Path(), WZ_MODE_READ), nullptr);
    std::string inMissingFolder = std::string(temp.Path()) + ".none/x.wmx";
    EXPECT_EQ(CreateWZFile(inMissingFolder.c_str(), WZ_MODE_WRITE), nullptr);
    EXPECT_EQ(CreateWZFile(nullptr, WZ_MODE_READ), nullptr);
}

TEST(WexmorFile, ADetachedHandleCanOnlyBeReleased)
{
    WexmorFile* file = CreateWZFile("ignored", 7);
    ASSERT_NE(file, nullptr);
    WZPerson* person = CreatePerson();
    EXPECT_EQ(PersonImport(file, WZ_NEXT, person), WZ_END_PERSON);
    SetPersonID(1, person);
    EXPECT_EQ(PersonExport(file, person), WZ_EXPORT_NOT_WRITING);
    EXPECT_EQ(GetProgress(file), 0);
    char buffer[8] = "x";
    EXPECT_EQ(GetErrorStructure(buffer, sizeof buffer, file), 0);
    EXPECT_STREQ(buffer, "");
    ReleasePerson(person);
    ReleaseWZFile(file);
    ReleaseWZFile(nullptr);
}

TEST(WexmorFile, ProgressRunsFromZeroToAHundred)
{
    std::string repositories;
    for (int i = 1; i <= 2000; ++i)
        repositories += "<repository id=\"R" + std::to_string(i) + "\"><name>n</name></repository>";
    ReadFixture atStart(kMinimalHeader + repositories);
    EXPECT_EQ(GetProgress(atStart.File()), 0) << "the read position stands at the header";

    ReadFixture atEnd("", true);
    ASSERT_NE(atEnd.File(), nullptr);
    EXPECT_EQ(GetProgress(atEnd.File()), 100);

    ReadFixture midway(kMinimalHeader + "<repository id=\"R1\"><name>n</name></repository>" + kEmptyTotals);
    WZHeader* header = CreateHeader();
    ASSERT_EQ(HeaderImport(midway.File(), WZ_NEXT, header), 0);
    int progress = GetProgress(midway.File());
    EXPECT_GT(progress, 0);
    EXPECT_LT(progress, 100);
    ReleaseHeader(header);
}

// A file whose size is an exact multiple of a memory page, cut inside an element: the reader stops at the end.
TEST(WexmorFile, AFileOfAWholePageCutInsideAnElementFailsCleanly)
{
    std::string body = kMinimalHeader + "<repository id=\"R1\"><name>";
    std::string text = kDeclaration + kRootStart + body;
    text.append(4096 - text.size(), 'a');
    TempFile temp;
    temp.Write(text);
    FileHandle file(CreateWZFile(temp.Path(), WZ_MODE_READ));
    ASSERT_NE(file.file, nullptr);
    WZHeader* header = CreateHeader();
    ASSERT_EQ(HeaderImport(file.file, WZ_NEXT, header), 0);
    WZRepository* repository = CreateRepository();
    EXPECT_EQ(RepositoryImport(file.file, WZ_NEXT, repository), wexmor::kErrorName);
    ReleaseRepository(repository);
    ReleaseHeader(header);
}

TEST(WexmorFile, ExportsKeepTheOrderOfSections)
{
    TempFile temp;
    FileHandle file(CreateWZFile(temp.Path(), WZ_MODE_WRITE));
    WZHeader* header = CreateHeader();
    WZRepository* repository = CreateRepository();
    WZSource* source = CreateSource();
    WZExcerpt* excerpt = CreateExcerpt();
    WZEventtype* eventtype = CreateEventtype();
    SetEventtypeId(1, eventtype);
    WZPerson* person = CreatePerson();
    SetPersonID(1, person);
    WZAssertion* assertion = CreateAssertion();
    SetAssertionID(1, assertion);
    WZObjective* objective = CreateObjective();
    WZTask* task = CreateTask();

    EXPECT_EQ(SourceExport(file.file, source), WZ_EXPORT_NO_HEADER);
    EXPECT_EQ(RepositoryExport(file.file, repository), WZ_EXPORT_NO_HEADER);
    EXPECT_EQ(HeaderExport(file.file, header), 0);
    EXPECT_EQ(HeaderExport(file.file, header), WZ_EXPORT_HEADER_TWICE);
    EXPECT_EQ(SourceExport(file.file, source), 0);
    EXPECT_EQ(RepositoryExport(file.file, repository), WZ_EXPORT_REPOSITORY_ORDER);
    EXPECT_EQ(EventtypeExport(file.file, eventtype), 0);
    // The event-type section has begun: sources and excerpts written now would be skipped by the reader.
    EXPECT_EQ(SourceExport(file.file, source), 11);
    EXPECT_EQ(ExcerptExport(file.file, excerpt), 13);
    EXPECT_EQ(AssertionExport(file.file, assertion), 0);
    EXPECT_EQ(PersonExport(file.file, person), 5);
    EXPECT_EQ(EventtypeExport(file.file, eventtype), 16);
    EXPECT_EQ(TaskExport(file.file, task), 0);
    EXPECT_EQ(ObjectiveExport(file.file, objective), 14);
    EXPECT_EQ(AssertionExport(file.file, assertion), 12);
    EXPECT_EQ(TaskExport(file.file, task), 0);
    file.Release();
    std::string text = temp.Read();
    EXPECT_NE(text.find("<sources>1</sources><excerpts>0</excerpts><eventtypes>1</eventtypes><persons>0</persons>"
                        "<assertions>1</assertions><objectives>0</objectives><tasks>2</tasks>"),
              std::string::npos);

    ReleaseTask(task);
    ReleaseObjective(objective);
    ReleaseAssertion(assertion);
    ReleasePerson(person);
    ReleaseEventtype(eventtype);
    ReleaseExcerpt(excerpt);
    ReleaseSource(source);
    ReleaseRepository(repository);
    ReleaseHeader(header);
}

TEST(WexmorFile, RecordsWithoutIdAreRefused)
{
    TempFile temp;
    FileHandle file(CreateWZFile(temp.Path(), WZ_MODE_WRITE));
    WZHeader* header = CreateHeader();
    ASSERT_EQ(HeaderExport(file.file, header), 0);
    WZEventtype* eventtype = CreateEventtype();
    WZPerson* person = CreatePerson();
    WZAssertion* assertion = CreateAssertion();
    EXPECT_EQ(EventtypeExport(file.file, eventtype), WZ_EXPORT_NO_ID);
    EXPECT_EQ(PersonExport(file.file, person), WZ_EXPORT_NO_ID);
    EXPECT_EQ(AssertionExport(file.file, assertion), WZ_EXPORT_NO_ID);
    SetPersonID(4, person);
    SetPersonSex(3, person);
    EXPECT_EQ(PersonExport(file.file, person), WZ_EXPORT_BAD_SEX);
    file.Release();
    std::string text = temp.Read();
    EXPECT_EQ(text, kDeclaration + kRootStart + kMinimalHeader + kEmptyTotals);
    ReleaseAssertion(assertion);
    ReleasePerson(person);
    ReleaseEventtype(eventtype);
    ReleaseHeader(header);
}

#if !defined(_WIN32)
// A full disk: the export that meets the failing write reports it, and so does every later one.
TEST(WexmorFile, AFailingWriteIsReportedByEveryLaterExport)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    FileHandle file(CreateWZFile("/dev/full", WZ_MODE_WRITE));
    ASSERT_NE(file.file, nullptr);
    WZHeader* header = CreateHeader();
    WZRepository* repository = CreateRepository();
    EXPECT_EQ(HeaderExport(file.file, header), WZ_EXPORT_WRITE_FAILED);
    EXPECT_EQ(RepositoryExport(file.file, repository), WZ_EXPORT_WRITE_FAILED);
    ReleaseRepository(repository);
    ReleaseHeader(header);
}
#endif

// A file many times larger than what the reader loads at once: every element arrives whole, including one
// larger than the rest together, end tags written in other case and with blanks, and long runs of blanks
// between elements.
TEST(WexmorFile, AFileFarLargerThanTheReadingWindowReadsEveryElementWhole)
{
    const int count = 40000;
    const int large = 20000;
    const std::string note(3 << 20, 'x');
    std::string repositories;
    for (int i = 1; i <= count; ++i) {
        repositories +=
            "<repository id=\"R" + std::to_string(i) + "\"><name>n" + std::to_string(i) + " &lt;/repository&gt;</name>";
        if (i == large)
            repositories += "<note>" + note + "</note>";
        repositories += i % 7 == 0 ? "</ REPOSITORY >" : "</repository>";
        if (i % 5000 == 0)
            repositories.append(300000, i % 10000 == 0 ? '\n' : ' ');
    }
    ReadFixture fixture(kMinimalHeader + repositories + kEmptyTotals);
    ASSERT_NE(fixture.File(), nullptr);
    WZHeader* header = CreateHeader();
    ASSERT_EQ(HeaderImport(fixture.File(), WZ_NEXT, header), 0);
    ReleaseHeader(header);
    for (int i = 1; i <= count; ++i) {
        WZRepository* repository = CreateRepository();
        ASSERT_EQ(RepositoryImport(fixture.File(), WZ_NEXT, repository), 0) << i;
        ASSERT_EQ(GetRepositoryId(repository), i);
        ASSERT_EQ(std::string(GetRepositoryName(repository)), "n" + std::to_string(i) + " </repository>");
        ASSERT_EQ(std::string(GetRepositoryNote(repository)), i == large ? note : std::string()) << i;
        ReleaseRepository(repository);
    }
    WZRepository* after = CreateRepository();
    EXPECT_EQ(RepositoryImport(fixture.File(), WZ_NEXT, after), WZ_END_REPOSITORY);
    ReleaseRepository(after);
    EXPECT_GT(GetProgress(fixture.File()), 95);
}
