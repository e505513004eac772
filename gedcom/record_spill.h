// RecordSpill: records of one kind, written one after another into a temporary file as they are read and read
// back in the same order as often as the output needs them. A file of 100,000 persons then holds in memory only
// the record being read or written, not every record at once. When no temporary file can be made, the encoded
// records stay in memory: still far smaller than the records themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "gedcom/text_arena.h"
#include "platform/temp_file.h"

namespace pendrax {

struct Person;
struct Family;
struct Citation;

// The encoding of a record into bytes and back; the texts decoded are stored in the current arena.
void Encode(std::string& out, const Person& person);
void Encode(std::string& out, const Family& family);
void Encode(std::string& out, const Citation& citation);
// False when the bytes end before the record does.
bool Decode(std::string_view& in, Person& person);
bool Decode(std::string_view& in, Family& family);
bool Decode(std::string_view& in, Citation& citation);

class RecordSpill {
public:
    RecordSpill() = default;
    RecordSpill(RecordSpill&&) noexcept = default;
    RecordSpill& operator=(RecordSpill&&) noexcept = default;
    RecordSpill(const RecordSpill&) = delete;
    RecordSpill& operator=(const RecordSpill&) = delete;

    template <typename Record> void Write(const Record& record)
    {
        encoded_.clear();
        Encode(encoded_, record);
        Append(encoded_);
        ++count_;
    }
    size_t Count() const { return count_; }

    // Reads the records back from the first, each into a fresh record whose texts lie in `arena`, which is
    // cleared after each visit: what a visit keeps of a record must be copied out of it.
    template <typename Record, typename Visit> void ForEach(TextArena& arena, Visit&& visit)
    {
        ArenaScope scope(arena);
        Rewind();
        std::string_view bytes;
        while (Next(bytes)) {
            Record record;
            if (!Decode(bytes, record))
                throw SpillDamaged();
            visit(record);
            record = Record();
            arena.Clear();
        }
    }

    // The temporary file read back other than it was written.
    struct SpillDamaged {};

private:
    void Append(std::string_view record);
    void FlushWrites();
    void Rewind();
    // The next record's bytes, valid until the next call; false after the last.
    bool Next(std::string_view& bytes);
    bool Fill(size_t need);

    platform::TempFile file_;
    bool fileTried_ = false;
    bool inMemory_ = false;
    std::string pending_; // written records not yet in the file; all of them when kept in memory
    uint64_t fileSize_ = 0;
    size_t count_ = 0;
    std::string encoded_;
    // Reading back.
    std::string readBuffer_;
    size_t readAt_ = 0;
    uint64_t fileOffset_ = 0;
    size_t memoryAt_ = 0;
};

} // namespace pendrax
