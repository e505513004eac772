#include "platform/file.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace platform {

File::File(File&& other) noexcept
{
    TakeFrom(other);
}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        Close();
        TakeFrom(other);
    }
    return *this;
}

File::~File()
{
    Close();
}

std::int64_t File::ReadAt(std::uint64_t offset, void* buffer, std::size_t length)
{
    if (!IsOpen())
        return -1;
    // A private view may hold changes of this process, so reads beside it go to the system.
    if (mapping_.mapReads && !mapping_.viewIsPrivate && !mapping_.sharedRefused) {
        if (const std::uint8_t* bytes = MappedAt(offset, length, false)) {
            std::memcpy(buffer, bytes, length);
            return static_cast<std::int64_t>(length);
        }
    }
    return ReadFromSystem(offset, buffer, length);
}

std::uint8_t* File::MappedAt(std::uint64_t offset, std::size_t length, bool copyOnWrite)
{
    if (length == 0)
        return nullptr;
    std::uint8_t* bytes = MappedRange(offset, length, copyOnWrite);
    // A range the mapping covers but cannot lend (it spans two views) is read the ordinary way.
    if (bytes != nullptr || mapping_.lent || Covers(offset, length, copyOnWrite))
        return bytes;
    // Not mapped as asked: map the file as it is now, unless the range lies past its end, or this is one of
    // the first reads of a handle that maps only once it has read more.
    if (mapping_.viewSize == 0 && mapping_.readsBeforeMapping > 0) {
        --mapping_.readsBeforeMapping;
        return nullptr;
    }
    std::int64_t size = Size();
    if (size <= 0 || offset > static_cast<std::uint64_t>(size) || length > static_cast<std::uint64_t>(size) - offset)
        return nullptr;
    if (!MapFile(static_cast<std::uint64_t>(size), copyOnWrite)) {
        (copyOnWrite ? mapping_.privateRefused : mapping_.sharedRefused) = true;
        return nullptr;
    }
    return MappedRange(offset, length, copyOnWrite);
}

std::uint8_t* File::PrivateView(std::uint64_t offset, std::size_t length)
{
    if (!IsOpen() || !mapping_.readOnlyHandle || mapping_.privateRefused)
        return nullptr;
    // Once a shared mapping has lent pointers it stays; the private one is never made.
    if (mapping_.lent && !mapping_.viewIsPrivate)
        return nullptr;
    std::uint8_t* bytes = MappedAt(offset, length, true);
    if (bytes != nullptr)
        mapping_.lent = true;
    return bytes;
}

const std::uint8_t* File::ReadView(std::uint64_t offset, std::size_t length)
{
    if (!IsOpen() || !mapping_.mapReads || mapping_.sharedRefused || mapping_.viewIsPrivate)
        return nullptr;
    std::uint8_t* bytes = MappedAt(offset, length, false);
    if (bytes != nullptr)
        mapping_.lent = true;
    return bytes;
}

namespace {

FileFaultMode faultMode = FileFaultMode::Off;
int faultAt = 0;
int operations = 0;
std::string refusedPath; // RefuseWritingTo

} // namespace

void SetFileFault(FileFaultMode mode, int n)
{
    faultMode = mode;
    faultAt = n;
    operations = 0;
}

void RefuseWritingTo(const std::string& path)
{
    refusedPath = path;
}

int MutatingFileOperations()
{
    return operations;
}

namespace file_detail {

bool MutatingOperationMayRun()
{
    ++operations;
    switch (faultMode) {
    case FileFaultMode::Off:
        return true;
    case FileFaultMode::FailFromNth:
        return operations < faultAt;
    case FileFaultMode::FailOnlyNth:
        return operations != faultAt;
    case FileFaultMode::ExitAtNth:
        if (operations == faultAt)
            std::_Exit(77);
        return true;
    }
    return true;
}

bool MayOpenForWriting(const std::string& path)
{
    return refusedPath.empty() || path != refusedPath;
}

} // namespace file_detail

namespace {

// A name beside `path` that no file has yet, for writing a new file before it replaces the old one.
std::string PassingPath(const std::string& path)
{
    for (int n = 0; n < 1000; ++n) {
        std::string candidate = path + ".~" + std::to_string(n);
        if (!FileExists(candidate))
            return candidate;
    }
    return std::string();
}

} // namespace

bool ReplaceFileContent(const std::string& path, const void* content, std::size_t length, std::uint32_t* systemError)
{
    std::uint32_t ignored = 0;
    std::uint32_t& error = systemError != nullptr ? *systemError : ignored;
    error = 0;
    const std::string passing = PassingPath(path);
    if (passing.empty()) {
        error = LastSystemError();
        return false;
    }
    FileOpenOptions options;
    options.access = FileAccess::ReadWrite;
    options.share = FileShare::None;
    options.disposition = FileDisposition::CreateAlways;
    File file = File::Open(passing, options);
    if (!file.IsOpen()) {
        error = LastSystemError();
        return false;
    }
    const bool written = file.WriteAt(0, content, length) && file.Flush();
    if (!written)
        error = LastSystemError();
    file.Close();
    if (written && RenameFileOver(passing, path)) {
        FlushFolderOf(path);
        return true;
    }
    if (written)
        error = LastSystemError();
    RemoveFile(passing);
    return false;
}

} // namespace platform
