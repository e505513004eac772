// The engine's error codes and the exception that carries one from deep inside an operation to the
// interface function, which answers it. Nothing leaves the library as an exception.
#pragma once

#include <cstdint>

namespace tolvane {

enum ErrorCode : std::int32_t {
    NoError = 0,
    CannotCreate = 1,
    CannotOpen = 2,
    NotADatabase = 3,
    UnknownVersion = 4,
    NoTransaction = 10,
    NoSuchTable = 11,
    NoSuchColumn = 12,
    NoSuchRecord = 13,
    NoGroupForTable = 14,
    NoGroupForIndex = 15,
    InputOutput = 16,      // a read or write of the file failed, or its contents are damaged
    LimitReached = 17,     // the file format cannot hold what was asked (blocks, records, columns, lengths)
    OutOfMemory = 18,
};

struct EngineError {
    ErrorCode code;
};

[[noreturn]] inline void Fail(ErrorCode code)
{
    throw EngineError {code};
}

// Damaged contents read from the file.
inline void CheckStored(bool sound)
{
    if (!sound)
        Fail(InputOutput);
}

} // namespace tolvane
