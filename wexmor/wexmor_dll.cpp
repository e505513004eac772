// The file functions of Wexmor20: creating a file for writing, opening one for reading, releasing, and the
// reading progress. The reader holds a window of the file followed by one zero byte, which ends every scan.
#include <cstdlib>
#include <cstring>
#include <new>

#include "src/file.h"
#include "wexmor.h"

#if defined(_WIN32)
#include <share.h>
#endif

using namespace wexmor;

namespace {

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
const char kRootStart[] = "<wexmor xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                          "xsi:noNamespaceSchemaLocation=\"wexmor20.xsd\">";

// Opened without sharing: no other writer or reader may touch the file while we hold it.
std::FILE* OpenExclusive(const char* path, const char* mode)
{
#if defined(_WIN32)
    return _fsopen(path, mode, _SH_DENYRW);
#else
    return std::fopen(path, mode);
#endif
}

// Opens the file for reading and loads its beginning; the rest is loaded element by element as it is read.
bool OpenForReading(WexmorFile& file, const char* path)
{
    file.stream = OpenExclusive(path, "rb");
    if (!file.stream || std::fseek(file.stream, 0, SEEK_END) != 0)
        return false;
    long size = std::ftell(file.stream);
    if (size < 0 || std::fseek(file.stream, 0, SEEK_SET) != 0)
        return false;
    file.size = static_cast<size_t>(size);
    return LoadProlog(file);
}

bool AttributeEquals(WexmorFile& file, const char* name, const char* expected, bool required)
{
    char value[kAttributeSize];
    switch (ReadAttribute(file, value, name)) {
    case kRead:
        return std::strcmp(value, expected) == 0;
    case kAbsent:
        return !required;
    default:
        return false;
    }
}

// 0, or 2 when the declaration is wrong, 3 when the root element is missing.
int CheckProlog(WexmorFile& file)
{
    if (!MatchLiteral(file, "<?xml", true) || !AttributeEquals(file, "version", "1.0", true) ||
        !AttributeEquals(file, "encoding", "ISO-8859-1", false) || !AttributeEquals(file, "standalone", "yes", false) ||
        !MatchLiteral(file, "?>", true))
        return 2;
    if (!MatchStartTag(file, "wexmor", true))
        return 3;
    const char* first = std::strchr(file.pos, '<');
    file.pos = first ? first : file.data + std::strlen(file.data);
    return 0;
}

void CloseFile(WexmorFile* file)
{
    if (file->stream)
        std::fclose(file->stream);
    std::free(file->data);
    delete file;
}

} // namespace

extern "C" {

WexmorFile* WZAPI CreateWZFile(const char* path, int mode)
{
    auto* file = new (std::nothrow) WexmorFile;
    if (!file)
        return nullptr;
    if (mode == WZ_MODE_WRITE) {
        file->writing = true;
        file->stream = path ? OpenExclusive(path, "wb") : nullptr;
        if (!file->stream) {
            CloseFile(file);
            return nullptr;
        }
        WriteLiteral(*file, kDeclaration);
        WriteLiteral(*file, kRootStart);
    } else if (mode == WZ_MODE_READ) {
        file->openError = (path && OpenForReading(*file, path)) ? CheckProlog(*file) : 1;
        if (file->openError != 0) {
            CloseFile(file);
            return nullptr;
        }
    }
    return file;
}

void WZAPI ReleaseWZFile(WexmorFile* file)
{
    if (!file)
        return;
    if (file->writing && file->stream) {
        static const char* const totals[] = {"repositories", "sources",    "excerpts",   "eventtypes",
                                             "persons",      "assertions", "objectives", "tasks"};
        WriteLiteral(*file, "<total>");
        for (int i = 0; i < 8; ++i)
            WriteNumberElement(*file, totals[i], file->counts[i]);
        WriteLiteral(*file, "</total></wexmor>");
    }
    CloseFile(file);
}

int WZAPI GetProgress(WexmorFile* file)
{
    if (!file || !file->data || file->size == 0)
        return 0;
    unsigned long long done = file->dataOffset + static_cast<unsigned long long>(file->pos - file->data);
    return static_cast<int>(done * 100 / file->size);
}

} // extern "C"
