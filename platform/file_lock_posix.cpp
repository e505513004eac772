#include "platform/file_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace platform {

// One attempt. flock belongs to the open file description, so two handles of one process exclude each other
// as two processes do. A holder removes the file before it lets go, so a lock taken on a file that is no
// longer the one at the path is worthless: the attempt then starts again on the new file.
FileLockState FileLock::TryOnce()
{
    for (;;) {
        int fd = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0)
            return FileLockState::Unavailable;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            bool held = errno == EWOULDBLOCK;
            ::close(fd);
            return held ? FileLockState::HeldElsewhere : FileLockState::Unavailable;
        }
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd, &opened) == 0 && ::stat(lockPath_.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
            opened.st_ino == named.st_ino) {
            descriptor_ = fd;
            return FileLockState::Held;
        }
        ::close(fd);
    }
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        Release();
        state_ = std::exchange(other.state_, FileLockState::Unavailable);
        lockPath_ = std::move(other.lockPath_);
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

void FileLock::Release()
{
    if (descriptor_ >= 0) {
        // Removed while still locked, so that nobody takes a lock on a file that is about to go.
        ::unlink(lockPath_.c_str());
        ::close(descriptor_);
        descriptor_ = -1;
    }
    state_ = FileLockState::Unavailable;
}

} // namespace platform
