#include "platform/file_lock.h"

#include <chrono>
#include <thread>
#include <utility>

namespace platform {

std::string LockPathOf(const std::string& path)
{
    return path + "-lock";
}

FileLock::FileLock(FileLock&& other) noexcept
{
    *this = std::move(other);
}

FileLock FileLock::Take(const std::string& path, int retries, int retryDelayMs)
{
    FileLock lock;
    lock.lockPath_ = LockPathOf(path);
    for (int attempt = 0; attempt <= retries; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(retryDelayMs));
        lock.state_ = lock.TryOnce();
        if (lock.state_ != FileLockState::HeldElsewhere)
            break;
    }
    return lock;
}

FileLock::~FileLock()
{
    Release();
}

} // namespace platform
