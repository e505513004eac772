#include "platform/file.h"
#include "platform/positioned_io_win32.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace platform {

using file_detail::MutatingOperationMayRun;

void File::TakeFrom(File& other) noexcept
{
    handle_ = std::exchange(other.handle_, nullptr);
    mapping_ = std::exchange(other.mapping_, Mapping {});
}

File File::Open(const std::string& path, const FileOpenOptions& options)
{
    DWORD access = options.access == FileAccess::ReadWrite ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    DWORD share = options.share == FileShare::None ? 0 : FILE_SHARE_READ;
    DWORD disposition = options.disposition == FileDisposition::CreateAlways ? CREATE_ALWAYS
                        : options.disposition == FileDisposition::CreateNew  ? CREATE_NEW
                                                                             : OPEN_EXISTING;
    File file;
    if (options.access == FileAccess::ReadWrite && !file_detail::MayOpenForWriting(path))
        return file;
    for (int attempt = 0; attempt <= options.retries; ++attempt) {
        if (attempt > 0)
            Sleep(static_cast<DWORD>(options.retryDelayMs));
        HANDLE handle = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            file.handle_ = handle;
            break;
        }
    }
    if (file.handle_ != nullptr) {
        file.mapping_.mapReads = options.mapReads;
        file.mapping_.readsBeforeMapping = options.readsBeforeMapping;
        file.mapping_.readOnlyHandle = options.access == FileAccess::Read;
    }
    return file;
}

bool File::IsOpen() const
{
    return handle_ != nullptr;
}

void File::Close()
{
    Unmap();
    mapping_ = Mapping {};
    if (handle_ != nullptr) {
        CloseHandle(static_cast<HANDLE>(handle_));
        handle_ = nullptr;
    }
}


bool File::MapFile(std::uint64_t size, bool copyOnWrite)
{
    Unmap();
    if (size == 0)
        return false;
    HANDLE section =
        CreateFileMappingA(static_cast<HANDLE>(handle_), nullptr, copyOnWrite ? PAGE_WRITECOPY : PAGE_READONLY,
                           static_cast<DWORD>(size >> 32), static_cast<DWORD>(size), nullptr);
    if (section == nullptr)
        return false;
    mapping_.section = section;
    mapping_.viewSize = size;
    mapping_.viewIsPrivate = copyOnWrite;
    return true;
}

std::uint8_t* File::MappedRange(std::uint64_t offset, std::size_t length, bool copyOnWrite)
{
    if (mapping_.section == nullptr || !Covers(offset, length, copyOnWrite))
        return nullptr;
    std::uint64_t window = offset / WindowBytes;
    if (window >= MaxWindows || (offset + length - 1) / WindowBytes != window)
        return nullptr;
    std::uint8_t*& view = mapping_.windows[window];
    std::uint64_t start = window * WindowBytes;
    if (view == nullptr) {
        std::uint64_t bytes = std::min(WindowBytes, mapping_.viewSize - start);
        view = static_cast<std::uint8_t*>(MapViewOfFile(static_cast<HANDLE>(mapping_.section),
                                                        copyOnWrite ? FILE_MAP_COPY : FILE_MAP_READ,
                                                        static_cast<DWORD>(start >> 32), static_cast<DWORD>(start),
                                                        static_cast<SIZE_T>(bytes)));
        if (view == nullptr)
            return nullptr;
    }
    return view + (offset - start);
}

void File::Unmap()
{
    for (std::uint8_t*& view : mapping_.windows) {
        if (view != nullptr)
            UnmapViewOfFile(view);
        view = nullptr;
    }
    if (mapping_.section != nullptr)
        CloseHandle(static_cast<HANDLE>(mapping_.section));
    mapping_.section = nullptr;
    mapping_.viewSize = 0;
    mapping_.viewIsPrivate = false;
    mapping_.lent = false;
}

std::int64_t File::ReadFromSystem(std::uint64_t offset, void* buffer, std::size_t length)
{
    if (handle_ == nullptr)
        return -1;
    return ReadAtOffset(handle_, offset, buffer, length);
}

bool File::WriteAt(std::uint64_t offset, const void* data, std::size_t length)
{
    // A read-only handle may have handed out pointers into its private view: it never unmaps for a write.
    if (handle_ == nullptr || mapping_.readOnlyHandle || !MutatingOperationMayRun())
        return false;
    // Writes go through the handle, and a view of the file sees them, as the system cache serves both. A
    // mapping that does not reach the written range goes; so does every mapping before a size change, as
    // Windows refuses to shorten a file that is mapped.
    if (offset + length > mapping_.viewSize)
        Unmap();
    return WriteAtOffset(handle_, offset, data, length);
}

bool File::Flush()
{
    if (handle_ == nullptr || !MutatingOperationMayRun())
        return false;
    return FlushFileBuffers(static_cast<HANDLE>(handle_)) != 0;
}

bool File::Truncate(std::uint64_t length)
{
    if (handle_ == nullptr || mapping_.readOnlyHandle || !MutatingOperationMayRun())
        return false;
    Unmap();
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(length);
    return SetFilePointerEx(static_cast<HANDLE>(handle_), position, nullptr, FILE_BEGIN) &&
           SetEndOfFile(static_cast<HANDLE>(handle_));
}

std::int64_t File::Size()
{
    LARGE_INTEGER size;
    if (handle_ == nullptr || !GetFileSizeEx(static_cast<HANDLE>(handle_), &size))
        return -1;
    return size.QuadPart;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RemoveFile(const std::string& path)
{
    if (!MutatingOperationMayRun())
        return false;
    if (DeleteFileA(path.c_str()))
        return true;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool RenameFileOver(const std::string& from, const std::string& to)
{
    if (!MutatingOperationMayRun())
        return false;
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool FlushFolderOf(const std::string&)
{
    // NTFS makes a file's creation and removal durable with the file's own flushes.
    return true;
}

std::string CurrentDirectory()
{
    char buffer[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer)
        return std::string();
    return std::string(buffer, length);
}

std::uint32_t LastSystemError()
{
    return GetLastError();
}

void File::DropViewPages(const std::uint8_t* start, std::size_t length)
{
    // Unlocking pages that are not locked trims them from the working set.
    if (start != nullptr && length > 0)
        VirtualUnlock(const_cast<std::uint8_t*>(start), length);
}

} // namespace platform
