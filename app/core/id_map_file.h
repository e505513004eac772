// A map from 1-based numbers to 32-bit values in a temporary file: the importers' and the extract's maps
// from the ids of a file or database to new record ids. Word i lies at byte (i - 1) x 4; a number never
// set reads as 0.
#pragma once

#include <cstdint>

#include "platform/temp_file.h"

class IdMapFile {
public:
    // The largest number the map takes: ids beyond it come only from damaged or hostile input, and would
    // make the file grow without bound.
    static constexpr std::int64_t MaxIndex = 1 << 24;

    // Makes the file in the temporary folder (prefix "VES"); false when it cannot be made.
    bool Create();
    // Closes the file, which deletes it.
    void Close();
    bool IsOpen() const { return file_.IsOpen(); }

    // Stores a value, extending the file with zero words up to the index; false for an index below 1 or
    // above MaxIndex, or when the file cannot be written.
    bool Set(std::int64_t index, std::uint32_t value);
    // The value at the index; 0 for an index below 1 or past the end of the file.
    std::uint32_t Get(std::int64_t index);

private:
    platform::TempFile file_;
};
