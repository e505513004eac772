// Reads and writes at a given offset of a file handle opened for synchronous I/O, shared by the file services
// of the Windows build. The handle's position is set first and the transfer made without an OVERLAPPED
// structure: Wine reports every transfer that names one to its server as a completion, a round trip to
// another process for each read and write, where setting the position costs no more than a system call.
// The position is the handle's own: not for a handle that two threads use at once. `file` is the system's
// handle, kept as the services keep it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// The bytes read (short only at the end of the file), or -1.
std::int64_t ReadAtOffset(void* file, std::uint64_t offset, void* buffer, std::size_t length);
// Writes all `length` bytes; false on any failure.
bool WriteAtOffset(void* file, std::uint64_t offset, const void* data, std::size_t length);

} // namespace platform
