// The report document of a run, written from start to end in one pass. A write that fails marks the file
// failed and every later write is dropped, so the run can stop at the end of the step and delete what was
// written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file.h"

class ReportOutputFile {
public:
    // Creates (or empties) the file at `path` for writing, shared with no one; false with the system's
    // error code in `systemError`.
    bool Create(const std::string& path, std::uint32_t& systemError);
    bool IsOpen() const { return file_.IsOpen(); }
    void Close() { file_.Close(); }
    const std::string& Path() const { return path_; }

    // Appends; false when this or an earlier write failed.
    bool Write(const void* data, std::size_t length);
    bool WriteByte(std::uint8_t byte) { return Write(&byte, 1); }
    // A text and its terminating zero byte.
    bool WriteText(const char* text);

    std::uint64_t Size() const { return size_; }
    // A write failed; the system's error code of the first failure.
    bool Failed() const { return failed_; }
    std::uint32_t SystemError() const { return systemError_; }

private:
    platform::File file_;
    std::string path_;
    std::uint64_t size_ = 0;
    bool failed_ = false;
    std::uint32_t systemError_ = 0;
};
