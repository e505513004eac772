#include "core/id_map_file.h"

#include <algorithm>
#include <vector>

#include "platform/little_endian.h"

bool IdMapFile::Create()
{
    file_ = platform::TempFile::Create("VES");
    return file_.IsOpen();
}

void IdMapFile::Close()
{
    file_.Close();
}

bool IdMapFile::Set(std::int64_t index, std::uint32_t value)
{
    if (index < 1 || index > MaxIndex || !file_.IsOpen())
        return false;
    const std::uint64_t offset = static_cast<std::uint64_t>(index - 1) * 4;
    std::int64_t size = file_.Size();
    if (size < 0)
        return false;
    // Zero words fill the gap, so that numbers never set read as 0.
    static const std::vector<std::uint8_t> zeros(64 * 1024, 0);
    std::uint64_t end = static_cast<std::uint64_t>(size);
    while (end < offset) {
        std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(offset - end, zeros.size()));
        if (!file_.WriteAt(end, zeros.data(), chunk))
            return false;
        end += chunk;
    }
    std::uint8_t word[4];
    platform::PutU32(word, value);
    return file_.WriteAt(offset, word, sizeof word);
}

std::uint32_t IdMapFile::Get(std::int64_t index)
{
    if (index < 1 || index > MaxIndex || !file_.IsOpen())
        return 0;
    const std::uint64_t offset = static_cast<std::uint64_t>(index - 1) * 4;
    std::int64_t size = file_.Size();
    if (size < 0 || static_cast<std::uint64_t>(size) <= offset)
        return 0;
    std::uint8_t word[4];
    if (file_.ReadAt(offset, word, sizeof word) != static_cast<std::int64_t>(sizeof word))
        return 0;
    return platform::GetU32(word);
}
