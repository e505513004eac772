// Temporary files: a scratch file of the program's own in the system's temporary folder, under a unique
// name that starts with a short prefix, open read-write for its one handle and deleted when that handle is
// closed. Sorted trees and id maps that may outgrow memory live in such files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

class TempFile {
public:
    TempFile() = default;
    TempFile(TempFile&& other) noexcept;
    TempFile& operator=(TempFile&& other) noexcept;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();

    // A new empty file whose name begins with `prefix` (at most three characters are used), or a closed
    // object when none can be made.
    static TempFile Create(const char* prefix);

    bool IsOpen() const;
    // Closes the handle; the file is deleted.
    void Close();
    // The file's full path while it is open.
    const std::string& Path() const { return path_; }

    // Reads up to `length` bytes at `offset`; the number read (short only at the end of the file), or -1.
    std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::size_t length);
    // Writes all `length` bytes at `offset`, extending the file as needed; false on any failure.
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t length);
    // The file's length in bytes, or -1.
    std::int64_t Size();

private:
    std::string path_;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int descriptor_ = -1;
#endif
};

// The system's temporary folder, ending in a path separator; "" when there is none.
std::string TemporaryFolder();

// A new empty file of a unique name in the system's temporary folder, left for the caller to use by its path
// and to remove; "" when none can be made.
std::string NewTemporaryPath(const char* prefix);

} // namespace platform
