#include "records/media_files.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/file.h"
#include "records/media_record.h"

namespace {

constexpr std::size_t StemLimit = 64;
constexpr std::size_t ExtensionLimit = 16;
// Attempts at a free temporary name before giving up.
constexpr unsigned NameAttempts = 1000;

bool RefusedInNames(unsigned char c)
{
    return c < 32 || std::strchr("<>:\"/\\|?*", c) != nullptr;
}

std::string Trimmed(std::string text)
{
    const auto keep = [](char c) { return c != '.' && c != ' '; };
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), keep));
    text.erase(std::find_if(text.rbegin(), text.rend(), keep).base(), text.end());
    return text;
}

bool IsDeviceName(const std::string& stem)
{
    std::string upper;
    for (char c : stem)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // "CON.txt" opens the console as well: the part before the first dot counts.
    upper = upper.substr(0, upper.find('.'));
    while (!upper.empty() && upper.back() == ' ')
        upper.pop_back();
    static const char* const Devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : Devices)
        if (upper == device)
            return true;
    return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           upper[3] >= '0' && upper[3] <= '9';
}

struct NameParts {
    std::string stem;
    std::string extension; // without its dot; may be empty
};

NameParts SplitSanitised(const std::string& storedName)
{
    std::string name = storedName.substr(0, storedName.find('\0'));
    const std::size_t cut = name.find_last_of("\\/:");
    if (cut != std::string::npos)
        name.erase(0, cut + 1);
    for (char& c : name)
        if (RefusedInNames(static_cast<unsigned char>(c)))
            c = '_';
    name = Trimmed(name);
    NameParts parts;
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        parts.extension = Trimmed(name.substr(dot + 1)).substr(0, ExtensionLimit);
        name.erase(dot);
    }
    parts.stem = Trimmed(name).substr(0, StemLimit);
    if (parts.stem.empty())
        parts.stem = "media";
    if (IsDeviceName(parts.stem))
        parts.stem.insert(0, "_");
    return parts;
}

bool WriteAll(platform::File& file, const MediaRecord& media)
{
    const std::uint32_t size = media.DataSize();
    if (size == 0)
        return true;
    return media.Data() != nullptr && file.WriteAt(0, media.Data(), size);
}

} // namespace

std::string MediaSizeText(std::uint32_t bytes)
{
    return std::to_string(bytes / 1024) + " Kb";
}

std::string SanitisedMediaFileName(const std::string& storedName)
{
    const NameParts parts = SplitSanitised(storedName);
    return parts.extension.empty() ? parts.stem : parts.stem + "." + parts.extension;
}

std::string MediaTemporaryName(const std::string& storedName, unsigned serial)
{
    const NameParts parts = SplitSanitised(storedName);
    std::string name = "~" + parts.stem;
    if (serial != 0)
        name += "-" + std::to_string(serial);
    if (!parts.extension.empty())
        name += "." + parts.extension;
    return name;
}

std::string WriteMediaTemporaryFile(const MediaRecord& media, const std::string& folder)
{
    if (folder.empty())
        return {};
    platform::FileOpenOptions options;
    options.access = platform::FileAccess::ReadWrite;
    options.disposition = platform::FileDisposition::CreateNew;
    for (unsigned serial = 0; serial < NameAttempts; ++serial) {
        const std::string path = folder + MediaTemporaryName(media.FileName(), serial);
        platform::File file = platform::File::Open(path, options);
        if (!file.IsOpen()) {
            // Taken already (or not to be made at all, which the next attempts find out as well).
            if (platform::FileExists(path))
                continue;
            return {};
        }
        const bool written = WriteAll(file, media);
        file.Close();
        if (written)
            return path;
        platform::RemoveFile(path);
        return {};
    }
    return {};
}

bool WriteMediaFile(const MediaRecord& media, const std::string& path)
{
    platform::FileOpenOptions options;
    options.access = platform::FileAccess::ReadWrite;
    options.disposition = platform::FileDisposition::CreateAlways;
    platform::File file = platform::File::Open(path, options);
    if (!file.IsOpen())
        return false;
    const bool written = WriteAll(file, media) && file.Flush();
    file.Close();
    if (!written)
        platform::RemoveFile(path);
    return written;
}

std::string FileDialogFilter(const char* text, std::size_t limit)
{
    std::string filter = text != nullptr ? std::string(text).substr(0, limit) : std::string();
    if (!filter.empty()) {
        const char separator = filter.back();
        std::replace(filter.begin(), filter.end(), separator, '\0');
    }
    // The list ends with an empty entry: two NULs, the second one the string's own.
    filter += '\0';
    return filter;
}
