// The sample files under tests/data (also the fuzzer's seeds) read through every section like the importer.
#include <array>

#include "wexmor_test_util.h"

using namespace wexmor_test;

namespace {

std::string SamplePath(const char* name)
{
#if defined(_WIN32)
    // Under Wine the Unix root is drive Z:.
    return std::string("Z:") + WEXMOR_TEST_DATA + "/" + name;
#else
    return std::string(WEXMOR_TEST_DATA) + "/" + name;
#endif
}

template <class Record>
int CountSection(WexmorFile* file, Record* (*create)(), int (*import)(WexmorFile*, int, Record*),
                 void (*release)(Record*), int endCode)
{
    int count = 0;
    for (;;) {
        Record* record = create();
        int result = import(file, WZ_NEXT, record);
        release(record);
        if (result == endCode)
            return count;
        EXPECT_EQ(result, 0) << "element " << count + 1;
        if (result != 0)
            return -1;
        ++count;
    }
}

// The number of records read per section, in the order of the file.
std::array<int, 8> ReadWholeFile(WexmorFile* file)
{
    return {CountSection(file, CreateRepository, RepositoryImport, ReleaseRepository, WZ_END_REPOSITORY),
            CountSection(file, CreateSource, SourceImport, ReleaseSource, WZ_END_SOURCE),
            CountSection(file, CreateExcerpt, ExcerptImport, ReleaseExcerpt, WZ_END_EXCERPT),
            CountSection(file, CreateEventtype, EventtypeImport, ReleaseEventtype, WZ_END_EVENTTYPE),
            CountSection(file, CreatePerson, PersonImport, ReleasePerson, WZ_END_PERSON),
            CountSection(file, CreateAssertion, AssertionImport, ReleaseAssertion, WZ_END_ASSERTION),
            CountSection(file, CreateObjective, ObjectiveImport, ReleaseObjective, WZ_END_OBJECTIVE),
            CountSection(file, CreateTask, TaskImport, ReleaseTask, WZ_END_TASK)};
}

} // namespace

TEST(WexmorSamples, EverySampleReadsToItsEnd)
{
    const std::pair<const char*, std::array<int, 8>> samples[] = {
        {"header_only.wmx", {0, 0, 0, 0, 0, 0, 0, 0}},
        {"all_records.wmx", {1, 1, 1, 1, 1, 8, 1, 1}},
        {"converter_form.wmx", {1, 2, 2, 2, 3, 5, 0, 1}},
    };
    for (const auto& [name, counts] : samples) {
        SCOPED_TRACE(name);
        FileHandle file(CreateWZFile(SamplePath(name).c_str(), WZ_MODE_READ));
        ASSERT_NE(file.file, nullptr);
        WZHeader* header = CreateHeader();
        EXPECT_EQ(HeaderImport(file.file, WZ_NEXT, header), 0);
        ReleaseHeader(header);
        EXPECT_EQ(ReadWholeFile(file.file), counts);
    }
}

// The GEDCOM converter's form: dates with attributes where texts are read, escaped address lines.
TEST(WexmorSamples, TheConverterFormReadsItsValues)
{
    FileHandle file(CreateWZFile(SamplePath("converter_form.wmx").c_str(), WZ_MODE_READ));
    ASSERT_NE(file.file, nullptr);
    WZHeader* header = CreateHeader();
    ASSERT_EQ(HeaderImport(file.file, WZ_NEXT, header), 0);
    EXPECT_STREQ(GetHeaderExportedDate(header), "2020-05-06T10:11");
    char line[64];
    EXPECT_EQ(GetAddressLine(line, sizeof line, 0, GetHeaderOwnerAddress(header)), 1);
    EXPECT_STREQ(line, "1 Road & Lane");
    ReleaseHeader(header);

    WZPerson* person = CreatePerson();
    ASSERT_EQ(PersonImport(file.file, WZ_SEEK, person), 0);
    EXPECT_STREQ(GetPersonChange(person), "2019-01-02T08:09:10");
    EXPECT_EQ(GetNamePart(line, sizeof line, 0, GetPersonName(person)), 6);
    EXPECT_STREQ(line, "Ann ");
    ReleasePerson(person);

    WZAssertion* assertion = CreateAssertion();
    for (int i = 0; i < 5; ++i) {
        ReleaseAssertion(assertion);
        assertion = CreateAssertion();
        ASSERT_EQ(AssertionImport(file.file, WZ_SEEK, assertion), 0);
    }
    WZSimpledate* from = GetDateFrom(GetEventDate(GetAssertionEvent(assertion)));
    ASSERT_NE(from, nullptr);
    EXPECT_EQ(GetSimpledateCalendar(from), 8);
    EXPECT_EQ(GetSimpledateEra(from), 1);
    ReleaseAssertion(assertion);

    WZTask* task = CreateTask();
    ASSERT_EQ(TaskImport(file.file, WZ_SEEK, task), 0);
    EXPECT_STREQ(GetTaskStatusdate(task), "2020-01-01T10:00");
    EXPECT_EQ(GetTaskPersonref(task), 1);
    ReleaseTask(task);
}
