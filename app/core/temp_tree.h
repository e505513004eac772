// A sorted collection of text keys with two 32-bit values each, kept in a temporary file so that it can
// grow with the database. Entries are never removed. The report run collects the sources it cites here,
// and the report writers walk it in key order.
#pragma once

#include <cstdint>
#include <string>

#include "platform/temp_file.h"

class Database;

inline constexpr int TempTreeKeySize = 128; // at most 127 characters and the NUL

#pragma pack(push, 1)
// Entry n (from 1) lies at byte (n - 1) x 148 of the file.
struct TempTreeEntry {
    std::uint32_t parent; // 0 for entry 1, the root
    std::uint32_t right;  // keys not smaller than this one
    std::uint32_t left;   // smaller keys
    char key[TempTreeKeySize];
    std::uint32_t value1;
    std::uint32_t value2;
};
#pragma pack(pop)
static_assert(sizeof(TempTreeEntry) == 148, "a tree entry is 148 bytes");

class TempTree {
public:
    // Makes the file in the temporary folder (prefix "VES"); it is deleted when the tree is destroyed.
    TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;
    ~TempTree() = default;

    // False when the temporary file could not be made; such a tree stays empty.
    bool IsOpen() const { return file_.IsOpen(); }
    // Adds an entry, the key cut to 127 characters; equal keys go after those already there.
    void Insert(const char* key, std::uint32_t value1, std::uint32_t value2);
    // Reads entry n; false when there is no such entry.
    bool ReadEntry(std::uint32_t n, TempTreeEntry& entry);
    // The fields of entry n ("" and 0 when there is none).
    const char* GetKey(std::uint32_t n);
    std::uint32_t GetValue1(std::uint32_t n);
    std::uint32_t GetValue2(std::uint32_t n);
    // The first entry in key order; 0 when the tree is empty.
    std::uint32_t First();
    // The entry after n in key order; 0 after the last.
    std::uint32_t Next(std::uint32_t n);
    std::uint32_t Count() const { return count_; }
    // The temporary file's path while the tree lives.
    const std::string& FilePath() const { return file_.Path(); }

    // Inserts a source under its short title (the SOURCE row's third column) with its id as value 1.
    void InsertSource(std::int32_t sourceId, const char* shortTitle);

    // The order of keys: the user's locale, ignoring case, accents and symbols.
    static int Compare(const char* a, const char* b);

private:
    bool WriteEntry(std::uint32_t n, const TempTreeEntry& entry);
    // Makes entry n the cached one; false when it cannot be read.
    bool Cache(std::uint32_t n);

    platform::TempFile file_;
    TempTreeEntry cached_ = {};
    std::uint32_t cachedNumber_ = 0;
    std::uint32_t count_ = 0;
};
