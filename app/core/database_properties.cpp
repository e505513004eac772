#include "core/database_properties.h"

#include <vector>

namespace {
// Large enough for a row of any table the properties count.
constexpr std::size_t RowBufferSize = TLV_MAX_RECORD_LENGTH;
} // namespace

std::string FileNameOfPath(const std::string& path)
{
    std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOfPath(const std::string& path)
{
    std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string DatabaseFrameTitle(const char* path, const char* databaseTitle, bool filenameTitle)
{
    std::string title = "Vestrada - ";
    title += filenameTitle ? FileNameOfPath(path) : std::string(databaseTitle);
    if (title.size() > FrameTitleSize - 1)
        title.resize(FrameTitleSize - 1);
    return title;
}

std::string FormatDatabaseVersion(int version)
{
    if (version < 10000)
        return std::to_string(version);
    return std::to_string(version / 10000) + "." + std::to_string(version % 10000 / 100) + "." +
           std::to_string(version % 100);
}

std::string GeneratedCopyright(int year, const char* owner)
{
    return std::string("Copyright \xA9 ") + std::to_string(year) + " " + owner;
}

std::int32_t CountLiveRecords(DatabaseFile* file, std::int32_t table)
{
    if (table <= 0)
        return 0;
    std::vector<unsigned char> row(RowBufferSize);
    std::int32_t count = 0;
    // Reading with skip answers the next live id from the given one, 0 when none follows.
    for (std::int32_t id = tlvReadNextRecord(table, 1, 1, row.data(), file); id > 0;
         id = tlvReadNextRecord(table, id + 1, 1, row.data(), file))
        ++count;
    return count;
}
