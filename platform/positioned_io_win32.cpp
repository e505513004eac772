#include "platform/positioned_io_win32.h"

#include <windows.h>

namespace platform {

namespace {

// One transfer takes at most this much, so that its length fits a DWORD.
constexpr std::size_t LongestTransfer = 0x40000000u;

bool Seek(HANDLE file, std::uint64_t offset)
{
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) != 0;
}

DWORD Chunk(std::size_t left)
{
    return static_cast<DWORD>(left > LongestTransfer ? LongestTransfer : left);
}

} // namespace

std::int64_t ReadAtOffset(void* file, std::uint64_t offset, void* buffer, std::size_t length)
{
    if (length == 0)
        return 0;
    if (!Seek(file, offset))
        return -1;
    std::size_t done = 0;
    auto* bytes = static_cast<char*>(buffer);
    while (done < length) {
        DWORD got = 0;
        if (!ReadFile(file, bytes + done, Chunk(length - done), &got, nullptr)) {
            if (GetLastError() == ERROR_HANDLE_EOF)
                break;
            return -1;
        }
        if (got == 0)
            break;
        done += got;
    }
    return static_cast<std::int64_t>(done);
}

bool WriteAtOffset(void* file, std::uint64_t offset, const void* data, std::size_t length)
{
    if (length == 0)
        return true;
    if (!Seek(file, offset))
        return false;
    std::size_t done = 0;
    const auto* bytes = static_cast<const char*>(data);
    while (done < length) {
        DWORD put = 0;
        if (!WriteFile(file, bytes + done, Chunk(length - done), &put, nullptr) || put == 0)
            return false;
        done += put;
    }
    return true;
}

} // namespace platform
