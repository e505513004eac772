#include "platform/file_lock.h"

#include <windows.h>

#include <utility>

namespace platform {

// One attempt: the companion file opened with no sharing, removed by the system when the handle closes.
FileLockState FileLock::TryOnce()
{
    HANDLE opened = CreateFileA(lockPath_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_FLAG_DELETE_ON_CLOSE,
                                nullptr);
    if (opened != INVALID_HANDLE_VALUE) {
        handle_ = opened;
        return FileLockState::Held;
    }
    switch (GetLastError()) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileLockState::HeldElsewhere;
    case ERROR_ACCESS_DENIED:
        // Also the answer while another holder's file is being deleted: held until it is gone.
        return GetFileAttributesA(lockPath_.c_str()) != INVALID_FILE_ATTRIBUTES ? FileLockState::HeldElsewhere
                                                                              : FileLockState::Unavailable;
    default:
        return FileLockState::Unavailable;
    }
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        Release();
        state_ = std::exchange(other.state_, FileLockState::Unavailable);
        lockPath_ = std::move(other.lockPath_);
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

void FileLock::Release()
{
    if (handle_ != nullptr) {
        CloseHandle(static_cast<HANDLE>(handle_));
        handle_ = nullptr;
    }
    state_ = FileLockState::Unavailable;
}

} // namespace platform
