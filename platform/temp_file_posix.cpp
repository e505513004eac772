#include "platform/temp_file.h"

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace platform {

TempFile::TempFile(TempFile&& other) noexcept : path_(std::move(other.path_)), descriptor_(other.descriptor_)
{
    other.descriptor_ = -1;
    other.path_.clear();
}

TempFile& TempFile::operator=(TempFile&& other) noexcept
{
    if (this != &other) {
        Close();
        path_ = std::move(other.path_);
        descriptor_ = other.descriptor_;
        other.descriptor_ = -1;
        other.path_.clear();
    }
    return *this;
}

TempFile::~TempFile()
{
    Close();
}

namespace {

// Makes a new empty file of a unique name from the prefix; its descriptor and path, or -1.
int MakeUniqueFile(const char* prefix, std::string& path)
{
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = folder && *folder ? folder : "/tmp";
    if (pattern.back() != '/')
        pattern += '/';
    pattern += std::string(prefix ? prefix : "").substr(0, 3);
    pattern += "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int descriptor = ::mkostemp(name.data(), O_CLOEXEC);
    if (descriptor >= 0)
        path = name.data();
    return descriptor;
}

} // namespace

std::string TemporaryFolder()
{
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder && *folder ? folder : "/tmp";
    if (path.back() != '/')
        path += '/';
    return path;
}

TempFile TempFile::Create(const char* prefix)
{
    TempFile file;
    file.descriptor_ = MakeUniqueFile(prefix, file.path_);
    return file;
}

std::string NewTemporaryPath(const char* prefix)
{
    std::string path;
    int descriptor = MakeUniqueFile(prefix, path);
    if (descriptor < 0)
        return "";
    ::close(descriptor);
    return path;
}

bool TempFile::IsOpen() const
{
    return descriptor_ >= 0;
}

void TempFile::Close()
{
    if (descriptor_ < 0)
        return;
    ::close(descriptor_);
    ::unlink(path_.c_str());
    descriptor_ = -1;
    path_.clear();
}

std::int64_t TempFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t length)
{
    if (descriptor_ < 0)
        return -1;
    std::size_t done = 0;
    auto* bytes = static_cast<char*>(buffer);
    while (done < length) {
        ssize_t n = ::pread(descriptor_, bytes + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

bool TempFile::WriteAt(std::uint64_t offset, const void* data, std::size_t length)
{
    if (descriptor_ < 0)
        return false;
    std::size_t done = 0;
    const auto* bytes = static_cast<const char*>(data);
    while (done < length) {
        ssize_t n = ::pwrite(descriptor_, bytes + done, length - done, static_cast<off_t>(offset + done));
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::int64_t TempFile::Size()
{
    if (descriptor_ < 0)
        return -1;
    off_t end = ::lseek(descriptor_, 0, SEEK_END);
    return end < 0 ? -1 : static_cast<std::int64_t>(end);
}

} // namespace platform
