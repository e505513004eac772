#include "platform/file.h"

#include <cstdlib>
#include <cstring>

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
    if (mapping_.mapReads && !mapping_.viewIsPrivate && ReadFromView(offset, buffer, length))
        return static_cast<std::int64_t>(length);
    return ReadFromSystem(offset, buffer, length);
}

bool File::ReadFromView(std::uint64_t offset, void* buffer, std::size_t length)
{
    if (offset > mapping_.viewSize || length > mapping_.viewSize - offset) {
        std::int64_t size = Size();
        if (size <= 0 || offset > static_cast<std::uint64_t>(size) ||
            length > static_cast<std::uint64_t>(size) - offset)
            return false;
        if (!MapView(static_cast<std::uint64_t>(size), false)) {
            // A file too big for the address space is read the ordinary way from now on.
            mapping_.mapReads = false;
            return false;
        }
    }
    if (length > 0)
        std::memcpy(buffer, mapping_.view + offset, length);
    return true;
}

std::uint8_t* File::PrivateView(std::uint64_t offset, std::size_t length)
{
    if (!IsOpen() || !mapping_.readOnlyHandle || mapping_.privateViewRefused)
        return nullptr;
    if (!mapping_.viewIsPrivate) {
        // Pointers into a private view are handed out, so it is made once, over the whole file, and kept.
        std::int64_t size = Size();
        if (size <= 0 || !MapView(static_cast<std::uint64_t>(size), true)) {
            mapping_.privateViewRefused = true;
            return nullptr;
        }
    }
    if (offset > mapping_.viewSize || length > mapping_.viewSize - offset)
        return nullptr;
    return mapping_.view + offset;
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

} // namespace platform
