// Media files through the standard library, for both builds.
#include "gedcom/convert.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace pendrax {

namespace fs = std::filesystem;

std::optional<std::string> SystemMediaFiles::Read(const std::string& path)
{
    std::ifstream in(fs::path(path), std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<std::string> SystemMediaFiles::CopyToCurrentFolder(const std::string& path)
{
    // GEDCOM files name Windows paths: the file's own name follows the last backslash.
    size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty())
        return std::nullopt;
    std::error_code error;
    fs::path target = fs::current_path(error) / name;
    if (error)
        return std::nullopt;
    if (!fs::copy_file(fs::path(path), target, fs::copy_options::none, error) || error)
        return std::nullopt;
    return target.string();
}

std::optional<std::string> SystemMediaFiles::WriteTemporary(const std::string& name, std::string_view bytes)
{
    std::error_code error;
    fs::path target = fs::temp_directory_path(error) / name;
    if (error)
        return std::nullopt;
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    if (!out)
        return std::nullopt;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        return std::nullopt;
    return target.string();
}

} // namespace pendrax
