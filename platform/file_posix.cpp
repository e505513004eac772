#include "platform/file.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <utility>
#include <vector>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

using file_detail::MutatingOperationMayRun;

void File::TakeFrom(File& other) noexcept
{
    descriptor_ = std::exchange(other.descriptor_, -1);
    mapping_ = std::exchange(other.mapping_, Mapping {});
}

namespace {

// One attempt: the descriptor with the share lock taken, or -1.
int OpenOnce(const std::string& path, const FileOpenOptions& options)
{
    int flags = options.access == FileAccess::ReadWrite ? O_RDWR : O_RDONLY;
    if (options.disposition == FileDisposition::CreateAlways)
        flags |= O_CREAT;
    else if (options.disposition == FileDisposition::CreateNew)
        flags |= O_CREAT | O_EXCL;
    int descriptor = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return -1;
    // flock conflicts between separate opens even inside one process, as Windows share modes do.
    int lock = options.share == FileShare::None ? LOCK_EX : LOCK_SH;
    if (::flock(descriptor, lock | LOCK_NB) != 0) {
        ::close(descriptor);
        return -1;
    }
    if (options.disposition == FileDisposition::CreateAlways && ::ftruncate(descriptor, 0) != 0) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

} // namespace

File File::Open(const std::string& path, const FileOpenOptions& options)
{
    File file;
    if (options.access == FileAccess::ReadWrite && !file_detail::MayOpenForWriting(path))
        return file;
    for (int attempt = 0; attempt <= options.retries; ++attempt) {
        if (attempt > 0)
            ::usleep(static_cast<useconds_t>(options.retryDelayMs) * 1000);
        file.descriptor_ = OpenOnce(path, options);
        if (file.descriptor_ >= 0)
            break;
    }
    if (file.descriptor_ >= 0) {
        file.mapping_.mapReads = options.mapReads;
        file.mapping_.readsBeforeMapping = options.readsBeforeMapping;
        file.mapping_.readOnlyHandle = options.access == FileAccess::Read;
    }
    return file;
}

bool File::IsOpen() const
{
    return descriptor_ >= 0;
}

void File::Close()
{
    Unmap();
    mapping_ = Mapping {};
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

bool File::MapFile(std::uint64_t size, bool copyOnWrite)
{
    Unmap();
    if (size == 0 || size > SIZE_MAX)
        return false;
    void* view = copyOnWrite ? ::mmap(nullptr, static_cast<std::size_t>(size), PROT_READ | PROT_WRITE, MAP_PRIVATE,
                                      descriptor_, 0)
                             : ::mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_SHARED, descriptor_, 0);
    if (view == MAP_FAILED)
        return false;
    mapping_.view = static_cast<std::uint8_t*>(view);
    mapping_.viewSize = size;
    mapping_.viewIsPrivate = copyOnWrite;
    return true;
}

std::uint8_t* File::MappedRange(std::uint64_t offset, std::size_t length, bool copyOnWrite)
{
    return mapping_.view != nullptr && Covers(offset, length, copyOnWrite) ? mapping_.view + offset : nullptr;
}

void File::Unmap()
{
    if (mapping_.view != nullptr)
        ::munmap(mapping_.view, static_cast<std::size_t>(mapping_.viewSize));
    mapping_.view = nullptr;
    mapping_.viewSize = 0;
    mapping_.viewIsPrivate = false;
    mapping_.lent = false;
}

std::int64_t File::ReadFromSystem(std::uint64_t offset, void* buffer, std::size_t length)
{
    if (descriptor_ < 0)
        return -1;
    std::size_t done = 0;
    auto* bytes = static_cast<char*>(buffer);
    while (done < length) {
        ssize_t got = ::pread(descriptor_, bytes + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<std::int64_t>(done);
}

bool File::WriteAt(std::uint64_t offset, const void* data, std::size_t length)
{
    // A read-only handle may have handed out pointers into its private view: it never unmaps for a write.
    if (descriptor_ < 0 || mapping_.readOnlyHandle || !MutatingOperationMayRun())
        return false;
    // The shared mapping sees what is written inside it; one that does not reach the written range goes.
    if (offset + length > mapping_.viewSize)
        Unmap();
    std::size_t done = 0;
    const auto* bytes = static_cast<const char*>(data);
    while (done < length) {
        ssize_t put = ::pwrite(descriptor_, bytes + done, length - done, static_cast<off_t>(offset + done));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool File::Flush()
{
    if (descriptor_ < 0 || !MutatingOperationMayRun())
        return false;
    return ::fdatasync(descriptor_) == 0;
}

bool File::Truncate(std::uint64_t length)
{
    if (descriptor_ < 0 || mapping_.readOnlyHandle || !MutatingOperationMayRun())
        return false;
    Unmap();
    return ::ftruncate(descriptor_, static_cast<off_t>(length)) == 0;
}

std::int64_t File::Size()
{
    struct stat info {};
    if (descriptor_ < 0 || ::fstat(descriptor_, &info) != 0)
        return -1;
    return static_cast<std::int64_t>(info.st_size);
}

bool FileExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool RemoveFile(const std::string& path)
{
    if (!MutatingOperationMayRun())
        return false;
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool RenameFileOver(const std::string& from, const std::string& to)
{
    if (!MutatingOperationMayRun())
        return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool FlushFolderOf(const std::string& path)
{
    std::string::size_type slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
    int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    bool flushed = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return flushed;
}

std::string CurrentDirectory()
{
    std::vector<char> buffer(4096);
    if (!getcwd(buffer.data(), buffer.size()))
        return std::string();
    return buffer.data();
}

std::uint32_t LastSystemError()
{
    return static_cast<std::uint32_t>(errno);
}

void File::DropViewPages(const std::uint8_t* start, std::size_t length)
{
    if (start != nullptr && length > 0)
        ::madvise(const_cast<std::uint8_t*>(start), length, MADV_DONTNEED);
}

} // namespace platform
