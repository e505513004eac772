// Fuzz target of the GEDCOM converter: any bytes as a GEDCOM file, with options taken from the input, converted
// with every sink kept in memory and no file touched.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "gedcom/convert.h"

namespace {

class NoFiles : public pendrax::MediaFiles {
public:
    std::optional<std::string> Read(const std::string& path) override
    {
        if (path.empty())
            return std::nullopt;
        return std::string(path.size() % 97, 'b');
    }
    std::optional<std::string> CopyToCurrentFolder(const std::string& path) override
    {
        if (path.size() % 2)
            return std::nullopt;
        return "copy";
    }
    std::optional<std::string> WriteTemporary(const std::string& name, std::string_view) override
    {
        return "tmp\\" + name;
    }
};

class MemoryHost : public pendrax::ConvertHost {
public:
    std::string Text(int32_t code) override { return code >= 1000 ? "Type & <name>" : "message"; }
    void WriteLog(std::string_view bytes) override { logSize += bytes.size(); }
    bool Progress(int percent) override
    {
        if (percent < 0 || percent > 100)
            __builtin_trap();
        return ++messages < 100000;
    }
    bool CreateOutput() override { return true; }
    void WriteOutput(std::string_view bytes) override { outputSize += bytes.size(); }
    pendrax::MediaFiles& Media() override { return files; }

    size_t logSize = 0;
    size_t outputSize = 0;
    int messages = 0;
    NoFiles files;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The options come from the input's length and last byte, so that mutations reach every branch.
    uint32_t bits = static_cast<uint32_t>(size) * 2654435761u ^ (size ? data[size - 1] : 0);
    pendrax::ConvertOptions options;
    options.logLevel = bits % 3;
    options.givenNameFirst = bits & 4;
    options.structuredNames = bits & 8;
    options.defaultGregorian = bits & 16;
    options.keepUnreadDates = bits & 32;
    options.aliasAsName = bits & 64;
    options.readExtensions = (bits & 128) == 0;
    options.copyObjectFiles = (bits >> 8) % 3;
    options.eventExtras = (bits >> 10) % 3;
    options.personNumbers = (bits >> 12) % 3;
    MemoryHost host;
    pendrax::Convert(std::span<const uint8_t>(data, size), options, host);
    return 0;
}
