// The portable core of the GEDCOM converter: takes the input bytes and writes the Wexmor file, the log and the
// progress through a ConvertHost. The DLL entry (pendrax_dll.cpp) adapts files, the log handle and the window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pendrax {

struct ConvertOptions {
    uint32_t logLevel = 0;
    bool givenNameFirst = false;
    bool structuredNames = false;
    bool defaultGregorian = false;
    bool keepUnreadDates = false;
    bool aliasAsName = false;
    bool readExtensions = false;
    uint32_t copyObjectFiles = 0;
    uint32_t eventExtras = 0;
    uint32_t personNumbers = 0;
};

// What a media path names, found without reading it.
struct MediaStatus {
    enum Kind { Missing, Regular, NotRegular } kind = Missing;
    uint64_t size = 0;
};

// Media files named or carried by the GEDCOM file. Paths are taken as the file gives them; an implementation
// over real files resolves a relative path against the GEDCOM file's folder.
class MediaFiles {
public:
    virtual ~MediaFiles() = default;
    // What the path names; a file that can be read whole is Regular. Devices, pipes and folders are never read.
    virtual MediaStatus Inspect(const std::string& path)
    {
        (void)path;
        return {MediaStatus::Regular, 0};
    }
    // The whole file, or nothing when it cannot be opened.
    virtual std::optional<std::string> Read(const std::string& path) = 0;
    // Copies the file into the current folder under its own name without replacing a file there;
    // the copy's path, or nothing when the copy failed.
    virtual std::optional<std::string> CopyToCurrentFolder(const std::string& path) = 0;
    // Writes decoded inline data as a new file of that name in the temporary folder; its path, or nothing,
    // also when a file of that name exists already (it is never replaced).
    virtual std::optional<std::string> WriteTemporary(const std::string& name, std::string_view bytes) = 0;
    // Deletes the files WriteTemporary made: the conversion is over.
    virtual void RemoveTemporaries() {}
};

// Files in the real file system, through the standard library.
class SystemMediaFiles : public MediaFiles {
public:
    // inputFolder: the folder of the GEDCOM file; temporaryFolder: where decoded data go (empty: the system's).
    explicit SystemMediaFiles(std::string inputFolder = {}, std::string temporaryFolder = {});
    ~SystemMediaFiles() override;
    MediaStatus Inspect(const std::string& path) override;
    std::optional<std::string> Read(const std::string& path) override;
    std::optional<std::string> CopyToCurrentFolder(const std::string& path) override;
    std::optional<std::string> WriteTemporary(const std::string& name, std::string_view bytes) override;
    void RemoveTemporaries() override;

private:
    std::string Resolve(const std::string& path) const;

    std::string inputFolder_;
    std::string temporaryFolder_;
    std::vector<std::string> temporaries_;
};

// The folder part of a file's path, with its last separator; empty when the path names none.
std::string FolderOf(std::string_view path);
// A media path as the GEDCOM names it, resolved: absolute paths (a leading slash or backslash, or a drive
// letter) as they stand, relative ones against the folder of the GEDCOM file.
std::string ResolveMediaPath(std::string_view folder, std::string_view path);

// Media files above this size are linked by name, not embedded: a photograph or a scan fits well below it.
constexpr uint64_t kMediaEmbedLimit = 64ull * 1024 * 1024;

class ConvertHost {
public:
    virtual ~ConvertHost() = default;
    // getText: a log message (code below 1000) or a built-in event type's name (1000 + n, and 0).
    virtual std::string Text(int32_t code) = 0;
    virtual void WriteLog(std::string_view bytes) = 0;
    // Percentage of the input read; false stops the conversion.
    virtual bool Progress(int percent) = 0;
    // The input before this offset is read and never looked at again: its pages may leave memory.
    virtual void InputRead(uint64_t offset) { (void)offset; }
    // Creates the output; false when it cannot be created.
    virtual bool CreateOutput() = 0;
    virtual void WriteOutput(std::string_view bytes) = 0;
    // The conversion failed after the output was created: the partial output is removed.
    virtual void DiscardOutput() {}
    virtual MediaFiles& Media() = 0;
};

enum ConvertResult : int32_t {
    ConvertOk = 0,
    ConvertReadFailed = 1,
    ConvertOutputFailed = 2,
};

ConvertResult Convert(std::span<const uint8_t> input, const ConvertOptions& options, ConvertHost& host);

} // namespace pendrax
