#include "platform/temp_file.h"
#include "platform/positioned_io_win32.h"

#include <windows.h>

#include <string>

namespace platform {

TempFile::TempFile(TempFile&& other) noexcept : path_(std::move(other.path_)), handle_(other.handle_)
{
    other.handle_ = nullptr;
    other.path_.clear();
}

TempFile& TempFile::operator=(TempFile&& other) noexcept
{
    if (this != &other) {
        Close();
        path_ = std::move(other.path_);
        handle_ = other.handle_;
        other.handle_ = nullptr;
        other.path_.clear();
    }
    return *this;
}

TempFile::~TempFile()
{
    Close();
}

namespace {

// Makes a new empty file of a unique name from the prefix in the temporary folder; false when none can be made.
bool MakeUniqueFile(const char* prefix, char (&name)[MAX_PATH])
{
    char folder[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > MAX_PATH)
        return false;
    // GetTempFileNameA makes the file under a unique name and takes the first three characters of the prefix.
    return GetTempFileNameA(folder, prefix ? prefix : "", 0, name) != 0;
}

} // namespace

TempFile TempFile::Create(const char* prefix)
{
    TempFile file;
    char name[MAX_PATH];
    if (!MakeUniqueFile(prefix, name))
        return file;
    HANDLE handle = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DeleteFileA(name);
        return file;
    }
    file.handle_ = handle;
    file.path_ = name;
    return file;
}

std::string TemporaryFolder()
{
    char folder[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > MAX_PATH)
        return {};
    return std::string(folder, length);
}

std::string NewTemporaryPath(const char* prefix)
{
    char name[MAX_PATH];
    return MakeUniqueFile(prefix, name) ? std::string(name) : std::string();
}

bool TempFile::IsOpen() const
{
    return handle_ != nullptr;
}

void TempFile::Close()
{
    if (handle_ == nullptr)
        return;
    CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
    path_.clear();
}


std::int64_t TempFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t length)
{
    if (handle_ == nullptr)
        return -1;
    return ReadAtOffset(handle_, offset, buffer, length);
}

bool TempFile::WriteAt(std::uint64_t offset, const void* data, std::size_t length)
{
    if (handle_ == nullptr)
        return false;
    return WriteAtOffset(handle_, offset, data, length);
}

std::int64_t TempFile::Size()
{
    if (handle_ == nullptr)
        return -1;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(static_cast<HANDLE>(handle_), &size))
        return -1;
    return size.QuadPart;
}

} // namespace platform
