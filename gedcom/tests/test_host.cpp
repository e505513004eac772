#include "gedcom/tests/test_host.h"

#include <span>
#include <stdexcept>

namespace pendrax::test {

MediaStatus MemoryMediaFiles::Inspect(const std::string& path)
{
    for (const std::string& other : notRegular)
        if (other == path)
            return {MediaStatus::NotRegular, 0};
    auto found = files.find(path);
    if (found == files.end())
        return {MediaStatus::Missing, 0};
    auto size = sizes.find(path);
    return {MediaStatus::Regular, size != sizes.end() ? size->second : found->second.size()};
}

std::optional<std::string> MemoryMediaFiles::Read(const std::string& path)
{
    if (readThrows)
        throw std::runtime_error("read failed");
    read.push_back(path);
    auto found = files.find(path);
    if (found == files.end())
        return std::nullopt;
    return found->second;
}

std::optional<std::string> MemoryMediaFiles::CopyToCurrentFolder(const std::string& path)
{
    if (copyFails || !files.count(path))
        return std::nullopt;
    copied.push_back(path);
    return "C:\\current\\" + path.substr(path.find_last_of('\\') + 1);
}

std::optional<std::string> MemoryMediaFiles::WriteTemporary(const std::string& name, std::string_view bytes)
{
    if (temporary.count(name))
        return std::nullopt;
    temporary[name] = std::string(bytes);
    std::string path = "C:\\temp\\" + name;
    files[path] = std::string(bytes);
    return path;
}

std::string TestHost::Text(int32_t code)
{
    textCodes.push_back(code);
    if (code >= 1000)
        return "Type" + std::to_string(code);
    return "Message " + std::to_string(code);
}

bool TestHost::Progress(int percent)
{
    progress.push_back(percent);
    return static_cast<int>(progress.size()) - 1 != stopAtProgress;
}

ConvertResult ConvertText(std::string_view gedcom, const ConvertOptions& options, TestHost& host)
{
    auto bytes = std::span(reinterpret_cast<const uint8_t*>(gedcom.data()), gedcom.size());
    return Convert(bytes, options, host);
}

std::string Body(const std::string& output)
{
    size_t start = output.find("</header>");
    size_t end = output.find("<total>");
    if (start == std::string::npos || end == std::string::npos)
        return {};
    start += 9;
    return output.substr(start, end - start);
}

} // namespace pendrax::test
