// The portable core of the GEDCOM converter: takes the input bytes and writes the Wexmor file, the log and the
// progress through a ConvertHost. The DLL entry (pendrax_dll.cpp) adapts files, the log handle and the window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

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

// Media files named or carried by the GEDCOM file.
class MediaFiles {
public:
    virtual ~MediaFiles() = default;
    // The whole file, or nothing when it cannot be opened.
    virtual std::optional<std::string> Read(const std::string& path) = 0;
    // Copies the file into the current folder under its own name without replacing a file there;
    // the copy's path, or nothing when the copy failed.
    virtual std::optional<std::string> CopyToCurrentFolder(const std::string& path) = 0;
    // Writes decoded inline data as a new file of that name in the temporary folder; its path, or nothing.
    virtual std::optional<std::string> WriteTemporary(const std::string& name, std::string_view bytes) = 0;
};

// Files in the real file system, through the standard library.
class SystemMediaFiles : public MediaFiles {
public:
    std::optional<std::string> Read(const std::string& path) override;
    std::optional<std::string> CopyToCurrentFolder(const std::string& path) override;
    std::optional<std::string> WriteTemporary(const std::string& name, std::string_view bytes) override;
};

class ConvertHost {
public:
    virtual ~ConvertHost() = default;
    // getText: a log message (code below 1000) or a built-in event type's name (1000 + n, and 0).
    virtual std::string Text(int32_t code) = 0;
    virtual void WriteLog(std::string_view bytes) = 0;
    // Percentage of the input read; false stops the conversion.
    virtual bool Progress(int percent) = 0;
    // Creates the output; false when it cannot be created.
    virtual bool CreateOutput() = 0;
    virtual void WriteOutput(std::string_view bytes) = 0;
    virtual MediaFiles& Media() = 0;
};

enum ConvertResult : int32_t {
    ConvertOk = 0,
    ConvertReadFailed = 1,
    ConvertOutputFailed = 2,
};

ConvertResult Convert(std::span<const uint8_t> input, const ConvertOptions& options, ConvertHost& host);

} // namespace pendrax
