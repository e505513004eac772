// The converter's output read back through the Wexmor library, as the import reads it: every section to its
// end code, with no error, and the values the converter meant.
#include <gtest/gtest.h>

#include "tests/support/test_folder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "gedcom/tests/test_host.h"
#include "wexmor/wexmor.h"

namespace pendrax::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The output in a folder of the running test's own (the cases, and other build folders' runs of them, go
// side by side); the caller removes the folder.
fs::path WriteTemporary(const std::string& bytes)
{
    fs::path path = test_support::ClaimTestFolder("pendrax_readback_") / "output.wmx";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

int Total(const std::string& output, const std::string& name)
{
    size_t at = output.find("<" + name + ">", output.find("<total>"));
    return at == std::string::npos ? -1 : std::atoi(output.c_str() + at + name.size() + 2);
}

std::string ErrorContext(WexmorFile* file)
{
    std::vector<char> buffer(4096);
    GetErrorStructure(buffer.data(), static_cast<int>(buffer.size()), file);
    return buffer.data();
}

// Reads one section: imports until the end code; false on any other result.
template <class Record>
bool ReadSection(WexmorFile* file, int endCode, Record* (*create)(), void (*release)(Record*),
                 int (*import)(WexmorFile*, int, Record*), int& count, std::string& failure,
                 const std::function<void(Record*)>& look = {})
{
    for (;;) {
        Record* record = create();
        int result = import(file, WZ_NEXT, record);
        if (result == 0 && look)
            look(record);
        release(record);
        if (result == endCode)
            return true;
        if (result != 0) {
            failure = "import error " + std::to_string(result) + " after " + std::to_string(count) + " records:\n" +
                      ErrorContext(file);
            return false;
        }
        ++count;
    }
}

struct ReadBack {
    std::string failure;
    int repositories = 0, sources = 0, excerpts = 0, eventTypes = 0, persons = 0, assertions = 0, objectives = 0,
        tasks = 0;
    std::function<void(WZPerson*)> person;
    std::function<void(WZAssertion*)> assertion;
    std::function<void(WZTask*)> task;
    std::function<void(WZHeader*)> header;
};

void ReadWholeFile(const fs::path& path, ReadBack& back)
{
    WexmorFile* file = CreateWZFile(path.string().c_str(), WZ_MODE_READ);
    if (!file) {
        back.failure = "not opened";
        return;
    }
    WZHeader* header = CreateHeader();
    int result = HeaderImport(file, WZ_NEXT, header);
    if (result == 0 && back.header)
        back.header(header);
    ReleaseHeader(header);
    if (result != 0)
        back.failure = "header error " + std::to_string(result) + ":\n" + ErrorContext(file);
    bool ok =
        result == 0 &&
        ReadSection(file, WZ_END_REPOSITORY, CreateRepository, ReleaseRepository, RepositoryImport, back.repositories,
                    back.failure) &&
        ReadSection(file, WZ_END_SOURCE, CreateSource, ReleaseSource, SourceImport, back.sources, back.failure) &&
        ReadSection(file, WZ_END_EXCERPT, CreateExcerpt, ReleaseExcerpt, ExcerptImport, back.excerpts, back.failure) &&
        ReadSection(file, WZ_END_EVENTTYPE, CreateEventtype, ReleaseEventtype, EventtypeImport, back.eventTypes,
                    back.failure) &&
        ReadSection(file, WZ_END_PERSON, CreatePerson, ReleasePerson, PersonImport, back.persons, back.failure,
                    back.person) &&
        ReadSection(file, WZ_END_ASSERTION, CreateAssertion, ReleaseAssertion, AssertionImport, back.assertions,
                    back.failure, back.assertion) &&
        ReadSection(file, WZ_END_OBJECTIVE, CreateObjective, ReleaseObjective, ObjectiveImport, back.objectives,
                    back.failure) &&
        ReadSection(file, WZ_END_TASK, CreateTask, ReleaseTask, TaskImport, back.tasks, back.failure, back.task);
    (void)ok;
    ReleaseWZFile(file);
}

void ExpectReadsBack(const std::string& input, const ConvertOptions& options, const std::string& name)
{
    TestHost host;
    ASSERT_EQ(ConvertText(input, options, host), ConvertOk) << name;
    fs::path path = WriteTemporary(host.output);
    ReadBack back;
    ReadWholeFile(path, back);
    fs::remove_all(path.parent_path());
    EXPECT_EQ(back.failure, "") << name;
    EXPECT_EQ(back.repositories, Total(host.output, "repositories")) << name;
    EXPECT_EQ(back.sources, Total(host.output, "sources")) << name;
    EXPECT_EQ(back.excerpts, Total(host.output, "excerpts")) << name;
    EXPECT_EQ(back.eventTypes, Total(host.output, "eventtypes")) << name;
    EXPECT_EQ(back.persons, Total(host.output, "persons")) << name;
    EXPECT_EQ(back.assertions, Total(host.output, "assertions")) << name;
    EXPECT_EQ(back.tasks, Total(host.output, "tasks")) << name;
}

std::vector<fs::path> FilesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string extension = entry.path().extension().string();
        if (extension == ".ged" || extension == ".GED")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(GedcomReadbackTest, EveryTestFileReadsBackWithoutError)
{
    std::vector<fs::path> files = FilesIn(fs::path(VESTRADA_TESTDATA) / "gedcom");
    std::vector<fs::path> ours = FilesIn(PENDRAX_TEST_DATA);
    files.insert(files.end(), ours.begin(), ours.end());
    ASSERT_GE(files.size(), 22u);
    for (const fs::path& path : files) {
        for (int variant = 0; variant < 2; ++variant) {
            ConvertOptions options;
            options.structuredNames = variant == 1;
            options.readExtensions = variant == 0;
            options.defaultGregorian = variant == 0;
            options.eventExtras = 2;
            options.personNumbers = 2;
            ExpectReadsBack(ReadFile(path), options, path.filename().string());
        }
    }
}

TEST(GedcomReadbackTest, ValuesComeBackAsMeant)
{
    const char gedcom[] = "0 HEAD\r\n1 SOUR FamilyOrigins\r\n1 CHAR ANSI\r\n1 DATE 2 OCT 2019\r\n2 TIME 10:05\r\n"
                          "0 @I1@ INDI\r\n1 NAME Ann & Bo /Lee/\r\n2 SOUR @S1@\r\n1 BIRT\r\n2 DATE 15 MAR 44 BC\r\n"
                          "0 @I2@ INDI\r\n1 _TODO\r\n2 DESC Look\r\n2 DATE 3 FEB 2004\r\n"
                          "0 @S1@ SOUR\r\n1 TITL T\r\n0 @F1@ FAM\r\n1 WIFE @I1@\r\n1 CHIL @I2@\r\n0 TRLR\r\n";
    ConvertOptions options;
    options.readExtensions = true;
    options.defaultGregorian = true;
    TestHost host;
    ASSERT_EQ(ConvertText(gedcom, options, host), ConvertOk);
    fs::path path = WriteTemporary(host.output);

    ReadBack back;
    std::string exported, firstPart, taskDate, eventDate;
    int aliasNegative = -2, relationshipNegative = -2, childId = 0, motherId = 0, taskPerson = 0, era = -1;
    back.header = [&](WZHeader* header) { exported = GetHeaderExportedDate(header); };
    back.person = [&](WZPerson* person) {
        if (firstPart.empty()) {
            char part[64];
            GetNamePart(part, sizeof part, 0, GetPersonName(person));
            firstPart = part;
        }
    };
    back.assertion = [&](WZAssertion* assertion) {
        if (WZAlias* alias = GetAssertionAlias(assertion))
            aliasNegative = GetAliasNegative(alias);
        if (WZRelationship* relationship = GetAssertionRelationship(assertion)) {
            relationshipNegative = GetRelationshipNegative(relationship);
            childId = GetPersonrefPersonid(GetRelationshipChild(relationship));
            motherId = GetPersonrefPersonid(GetRelationshipMother(relationship));
        }
        if (WZEvent* event = GetAssertionEvent(assertion)) {
            WZSimpledate* exact = GetDateExact(GetEventDate(event));
            eventDate = GetSimpledateDate(exact);
            era = GetSimpledateEra(exact);
        }
    };
    back.task = [&](WZTask* task) {
        taskPerson = GetTaskPersonref(task);
        taskDate = GetTaskStatusdate(task);
    };
    ReadWholeFile(path, back);
    fs::remove_all(path.parent_path());
    ASSERT_EQ(back.failure, "");
    EXPECT_EQ(exported, "2019-10-02T10:05");
    EXPECT_EQ(firstPart, "Ann & Bo ");
    EXPECT_EQ(aliasNegative, 0);
    EXPECT_EQ(relationshipNegative, 0);
    EXPECT_EQ(childId, 2);
    EXPECT_EQ(motherId, 1);
    EXPECT_EQ(eventDate, "0044-03-15");
    EXPECT_EQ(era, 1);
    EXPECT_EQ(taskPerson, 2);
    EXPECT_EQ(taskDate, "2004-02-03");
    EXPECT_EQ(back.tasks, 1);
}

TEST(GedcomReadbackTest, CouplesPedigreesAndMediaLinkedByNameReadBack)
{
    const char gedcom[] = "0 HEAD\r\n1 CHAR ANSI\r\n0 @M1@ OBJE\r\n1 FILE D:\\big.tif\r\n1 TITL scan\r\n"
                          "0 @M2@ OBJE\r\n1 FILE C:\\\r\n0 @I1@ INDI\r\n1 OBJE @M1@\r\n1 OBJE @M1@\r\n1 OBJE @M2@\r\n"
                          "0 @I2@ INDI\r\n0 @I3@ INDI\r\n1 FAMC @F2@\r\n2 PEDI adopted\r\n0 @F1@ FAM\r\n1 HUSB @I1@\r\n"
                          "1 WIFE @I2@\r\n0 @F2@ FAM\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n1 CHIL @I9@\r\n0 TRLR\r\n";
    TestHost host;
    host.media.files["D:\\big.tif"] = "scan";
    host.media.sizes["D:\\big.tif"] = kMediaEmbedLimit + 1;
    host.media.notRegular = {"C:\\"};
    ASSERT_EQ(ConvertText(gedcom, {}, host), ConvertOk);
    fs::path path = WriteTemporary(host.output);

    ReadBack back;
    int objects = 0, relation = -1, events = 0;
    back.person = [&](WZPerson* person) {
        for (WZObject* object = GetPersonFirstObject(person); object; object = GetObjectNext(object))
            ++objects;
    };
    back.assertion = [&](WZAssertion* assertion) {
        if (WZRelationship* relationship = GetAssertionRelationship(assertion))
            relation = GetRelationshipRelation(relationship);
        if (GetAssertionEvent(assertion))
            ++events;
    };
    ReadWholeFile(path, back);
    fs::remove_all(path.parent_path());
    ASSERT_EQ(back.failure, "");
    EXPECT_EQ(objects, 3);
    EXPECT_EQ(relation, 1); // adoptive
    EXPECT_EQ(back.eventTypes, 1);
    EXPECT_EQ(back.assertions, 2); // the couple's event and the adopted child's relationship
    EXPECT_EQ(events, 1);
}

} // namespace
} // namespace pendrax::test
