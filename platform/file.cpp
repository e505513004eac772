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

} // namespace platform
