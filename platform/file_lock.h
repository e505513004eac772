// One writer per database file. A handle that trusts what it cached of a file between its transactions must
// be the only one that changes the file while it lives: it holds this lock, a companion file "<path>-lock"
// opened exclusively beside the file, for its whole life. The lock belongs to the open handle, so a process
// that ends, however it ends, releases it; the companion file is removed when the lock is released (Windows
// deletes it on close, also after a crash; elsewhere a file left behind by a crash is simply taken again).
#pragma once

#include <string>

namespace platform {

enum class FileLockState {
    Held,          // this object holds the lock
    HeldElsewhere, // another handle, in this process or another, holds it
    Unavailable,   // the companion file cannot be made (a read-only folder): nobody can write beside the file
};

class FileLock {
public:
    FileLock() = default;
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // Takes the lock of the file at `path`, trying `retries` more times after `retryDelayMs` when it is held.
    static FileLock Take(const std::string& path, int retries = 0, int retryDelayMs = 500);

    FileLockState State() const { return state_; }
    bool Held() const { return state_ == FileLockState::Held; }
    void Release();

private:
    // One attempt at the companion file at lockPath_.
    FileLockState TryOnce();

    FileLockState state_ = FileLockState::Unavailable;
    std::string lockPath_;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int descriptor_ = -1;
#endif
};

// The companion file's path for the file at `path`.
std::string LockPathOf(const std::string& path);

} // namespace platform
