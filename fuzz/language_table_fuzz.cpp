// Any bytes load as a language table; every key of the file is found with the text of its first line,
// and copies of texts stay inside their buffer.
#include "language/language_table.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto table = LanguageTable::Load(bytes);
    table->Version();

    // Every key written in the file must be found (a key with a NUL in it ends at the NUL).
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        std::size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string_view::npos)
            continue;
        std::string key(line.substr(0, std::min(equals, LanguageKeySize - 1)));
        if (std::memchr(key.data(), 0, key.size()))
            continue;
        if (!table->Find(key.c_str()))
            std::abort();

        char buffer[8];
        std::memset(buffer, 'x', sizeof buffer);
        CopyLanguageText(table.get(), key.c_str(), buffer, sizeof buffer - 1);
        if (buffer[sizeof buffer - 2] != 0 || buffer[sizeof buffer - 1] != 'x')
            std::abort();
    }
    return 0;
}
