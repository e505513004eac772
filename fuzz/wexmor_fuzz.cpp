// Feeds any bytes as a Wexmor file through every import function of the library, in the importer's order
// and seeking, and walks what was read: an import must answer an error number, never crash or leak.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "wexmor.h"

namespace {

// One file per fuzzing process, rewritten for each input: the library reads files by path.
const std::string& InputPath()
{
    static const std::string path = [] {
        char pattern[] = "/tmp/wexmor_fuzz_XXXXXX";
        int fd = mkstemp(pattern);
        if (fd < 0)
            std::abort();
        close(fd);
        return std::string(pattern);
    }();
    return path;
}

struct RemoveAtExit {
    ~RemoveAtExit() { std::remove(InputPath().c_str()); }
} removeAtExit;

void WalkName(WZName* name)
{
    char part[16];
    for (int i = 0; i < 1000 && GetNamePart(part, sizeof part, i, name); ++i) {
    }
}

void WalkPlace(WZPlace* place)
{
    char part[16];
    for (int i = 0; i < 1000 && GetPlacePart(part, sizeof part, i, place); ++i) {
    }
}

void WalkAddress(WZAddress* address)
{
    char line[16];
    for (int i = 0; i < 1000 && GetAddressLine(line, sizeof line, i, address); ++i) {
    }
}

void WalkAssertion(WZAssertion* assertion)
{
    if (WZAlias* alias = GetAssertionAlias(assertion))
        WalkName(GetAliasName(alias));
    if (WZAttribute* attribute = GetAssertionAttribute(assertion)) {
        WalkPlace(GetAttributePlace(attribute));
        WalkAddress(GetAttributeAddress(attribute));
    }
    if (WZEvent* event = GetAssertionEvent(assertion)) {
        WalkPlace(GetEventPlace(event));
        WalkAddress(GetEventAddress(event));
    }
}

template <class Record>
void ReadSection(WexmorFile* file, int flag, Record* (*create)(), int (*import)(WexmorFile*, int, Record*),
                 void (*release)(Record*), void (*walk)(Record*) = nullptr)
{
    for (int i = 0; i < 10000; ++i) {
        Record* record = create();
        int result = import(file, flag, record);
        if (walk)
            walk(record);
        release(record);
        if (result != 0) {
            char context[512];
            GetErrorStructure(context, sizeof context, file);
            GetErrorStructure(context, 0, file);
            return;
        }
        GetProgress(file);
    }
}

void ReadAll(const char* path, int flag)
{
    WexmorFile* file = CreateWZFile(path, WZ_MODE_READ);
    if (!file)
        return;
    WZHeader* header = CreateHeader();
    HeaderImport(file, flag, header);
    WalkAddress(GetHeaderOwnerAddress(header));
    ReleaseHeader(header);
    ReadSection(file, flag, CreateRepository, RepositoryImport, ReleaseRepository);
    ReadSection(file, flag, CreateSource, SourceImport, ReleaseSource);
    ReadSection(file, flag, CreateExcerpt, ExcerptImport, ReleaseExcerpt);
    ReadSection(file, flag, CreateEventtype, EventtypeImport, ReleaseEventtype);
    ReadSection(
        file, flag, CreatePerson, PersonImport, ReleasePerson, +[](WZPerson* p) { WalkName(GetPersonName(p)); });
    ReadSection(file, flag, CreateAssertion, AssertionImport, ReleaseAssertion, WalkAssertion);
    ReadSection(file, flag, CreateObjective, ObjectiveImport, ReleaseObjective);
    ReadSection(file, flag, CreateTask, TaskImport, ReleaseTask);
    ReleaseWZFile(file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& path = InputPath();
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    ReadAll(path.c_str(), WZ_NEXT);
    ReadAll(path.c_str(), WZ_SEEK);
    return 0;
}
