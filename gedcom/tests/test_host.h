// A ConvertHost for tests: texts named by their code, log and output kept in strings, media files in memory.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "gedcom/convert.h"

namespace pendrax::test {

class MemoryMediaFiles : public MediaFiles {
public:
    MediaStatus Inspect(const std::string& path) override;
    std::optional<std::string> Read(const std::string& path) override;
    std::optional<std::string> CopyToCurrentFolder(const std::string& path) override;
    std::optional<std::string> WriteTemporary(const std::string& name, std::string_view bytes) override;
    void RemoveTemporaries() override { temporariesRemoved = true; }

    std::map<std::string, std::string> files;     // path -> bytes
    std::map<std::string, std::string> temporary; // name -> bytes
    std::map<std::string, uint64_t> sizes;        // path -> size shown by Inspect where it differs
    std::vector<std::string> notRegular;          // paths of folders, devices and pipes
    bool copyFails = false;
    bool readThrows = false; // Read fails as a file system can, by throwing
    bool temporariesRemoved = false;
    std::vector<std::string> copied;
    std::vector<std::string> read; // the paths read, in order
};

class TestHost : public ConvertHost {
public:
    std::string Text(int32_t code) override;
    void WriteLog(std::string_view bytes) override { log += bytes; }
    bool Progress(int percent) override;
    void InputRead(uint64_t offset) override { inputRead.push_back(offset); }
    bool CreateOutput() override { return outputCreated = !outputFails; }
    void WriteOutput(std::string_view bytes) override { output += bytes; }
    void DiscardOutput() override
    {
        output.clear();
        outputDiscarded = true;
    }
    MediaFiles& Media() override { return media; }

    std::string log;
    std::string output;
    std::vector<int> progress;
    std::vector<uint64_t> inputRead;
    std::vector<int> textCodes;
    int stopAtProgress = -1; // answer "stop" to this progress message (0 the first)
    bool outputFails = false;
    bool outputCreated = false;
    bool outputDiscarded = false;
    MemoryMediaFiles media;
};

// Converts a GEDCOM text; CR LF line ends may be written as "\n" in the tests.
ConvertResult ConvertText(std::string_view gedcom, const ConvertOptions& options, TestHost& host);

// The part of the output between the end of the header and the totals.
std::string Body(const std::string& output);

} // namespace pendrax::test
