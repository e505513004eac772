// Media files through the standard library, for both builds.
#include "gedcom/convert.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace pendrax {

namespace fs = std::filesystem;

std::string FolderOf(std::string_view path)
{
    size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? std::string() : std::string(path.substr(0, separator + 1));
}

std::string ResolveMediaPath(std::string_view folder, std::string_view path)
{
    bool drive = path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
    bool absolute = !path.empty() && (path[0] == '/' || path[0] == '\\' || drive);
    if (absolute || folder.empty() || path.empty())
        return std::string(path);
    std::string resolved(folder);
    if (resolved.back() != '/' && resolved.back() != '\\')
        resolved += resolved.find('\\') != std::string::npos ? '\\' : '/';
    return resolved += path;
}

SystemMediaFiles::SystemMediaFiles(std::string inputFolder, std::string temporaryFolder)
    : inputFolder_(std::move(inputFolder)), temporaryFolder_(std::move(temporaryFolder))
{
}

SystemMediaFiles::~SystemMediaFiles()
{
    RemoveTemporaries();
}

std::string SystemMediaFiles::Resolve(const std::string& path) const
{
    return ResolveMediaPath(inputFolder_, path);
}

MediaStatus SystemMediaFiles::Inspect(const std::string& path)
{
    std::error_code error;
    fs::path resolved(Resolve(path));
    fs::file_status status = fs::status(resolved, error);
    if (error || !fs::exists(status))
        return {MediaStatus::Missing, 0};
    if (!fs::is_regular_file(status))
        return {MediaStatus::NotRegular, 0};
    uint64_t size = fs::file_size(resolved, error);
    return {MediaStatus::Regular, error ? 0 : size};
}

std::optional<std::string> SystemMediaFiles::Read(const std::string& path)
{
    // Only a regular file is read, and only as many bytes as it had when it was looked at.
    MediaStatus status = Inspect(path);
    if (status.kind != MediaStatus::Regular || status.size > kMediaEmbedLimit)
        return std::nullopt;
    std::ifstream in(fs::path(Resolve(path)), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes(static_cast<size_t>(status.size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

std::optional<std::string> SystemMediaFiles::CopyToCurrentFolder(const std::string& path)
{
    if (Inspect(path).kind != MediaStatus::Regular)
        return std::nullopt;
    // GEDCOM files name Windows paths: the file's own name follows the last backslash.
    size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty())
        return std::nullopt;
    std::error_code error;
    fs::path target = fs::current_path(error) / name;
    if (error)
        return std::nullopt;
    if (!fs::copy_file(fs::path(Resolve(path)), target, fs::copy_options::none, error) || error)
        return std::nullopt;
    return target.string();
}

std::optional<std::string> SystemMediaFiles::WriteTemporary(const std::string& name, std::string_view bytes)
{
    std::error_code error;
    fs::path folder = temporaryFolder_.empty() ? fs::temp_directory_path(error) : fs::path(temporaryFolder_);
    if (error)
        return std::nullopt;
    fs::path target = folder / name;
    // A file of that name is never replaced: the caller takes another name.
    if (fs::symlink_status(target, error).type() != fs::file_type::not_found)
        return std::nullopt;
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    if (!out)
        return std::nullopt;
    temporaries_.push_back(target.string());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        return std::nullopt;
    return target.string();
}

void SystemMediaFiles::RemoveTemporaries()
{
    for (const std::string& path : temporaries_) {
        std::error_code error;
        fs::remove(fs::path(path), error);
    }
    temporaries_.clear();
}

} // namespace pendrax
