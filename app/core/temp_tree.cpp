#include "core/temp_tree.h"

#include <cstring>

#include "core/database.h"
#include "platform/little_endian.h"
#include "platform/text_compare.h"

namespace {

constexpr std::uint64_t EntryOffset(std::uint32_t n)
{
    return static_cast<std::uint64_t>(n - 1) * sizeof(TempTreeEntry);
}

} // namespace

TempTree::TempTree() : file_(platform::TempFile::Create("VES")) {}

int TempTree::Compare(const char* a, const char* b)
{
    int order = platform::CompareLocaleText(a, b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

bool TempTree::ReadEntry(std::uint32_t n, TempTreeEntry& entry)
{
    if (n == 0 || n > count_)
        return false;
    if (file_.ReadAt(EntryOffset(n), &entry, sizeof entry) != static_cast<std::int64_t>(sizeof entry))
        return false;
    entry.key[TempTreeKeySize - 1] = '\0';
    return true;
}

bool TempTree::WriteEntry(std::uint32_t n, const TempTreeEntry& entry)
{
    return file_.WriteAt(EntryOffset(n), &entry, sizeof entry);
}

bool TempTree::Cache(std::uint32_t n)
{
    if (n != 0 && n == cachedNumber_)
        return true;
    cachedNumber_ = 0;
    if (!ReadEntry(n, cached_))
        return false;
    cachedNumber_ = n;
    return true;
}

void TempTree::Insert(const char* key, std::uint32_t value1, std::uint32_t value2)
{
    cachedNumber_ = 0;
    if (!file_.IsOpen())
        return;
    TempTreeEntry entry = {};
    std::strncpy(entry.key, key ? key : "", TempTreeKeySize - 1);
    entry.value1 = value1;
    entry.value2 = value2;
    if (count_ == 0) {
        if (WriteEntry(1, entry))
            count_ = 1;
        return;
    }

    std::uint32_t parentNumber = 1;
    TempTreeEntry parent;
    bool goesRight = false;
    for (;;) {
        if (!ReadEntry(parentNumber, parent))
            return;
        goesRight = Compare(parent.key, entry.key) <= 0;
        std::uint32_t link = goesRight ? parent.right : parent.left;
        if (link == 0)
            break;
        parentNumber = link;
    }
    const std::uint32_t number = count_ + 1;
    entry.parent = parentNumber;
    (goesRight ? parent.right : parent.left) = number;
    if (WriteEntry(number, entry) && WriteEntry(parentNumber, parent))
        count_ = number;
}

const char* TempTree::GetKey(std::uint32_t n)
{
    return Cache(n) ? cached_.key : "";
}
std::uint32_t TempTree::GetValue1(std::uint32_t n)
{
    return Cache(n) ? cached_.value1 : 0;
}
std::uint32_t TempTree::GetValue2(std::uint32_t n)
{
    return Cache(n) ? cached_.value2 : 0;
}

std::uint32_t TempTree::First()
{
    TempTreeEntry entry;
    std::uint32_t n = 1;
    if (!ReadEntry(n, entry))
        return 0;
    // Every link points to a later entry, so the walks below always end.
    while (entry.left != 0) {
        n = entry.left;
        if (!ReadEntry(n, entry))
            return 0;
    }
    return n;
}

std::uint32_t TempTree::Next(std::uint32_t n)
{
    TempTreeEntry entry;
    if (!ReadEntry(n, entry))
        return 0;
    if (entry.right != 0) {
        n = entry.right;
        if (!ReadEntry(n, entry))
            return 0;
        while (entry.left != 0) {
            n = entry.left;
            if (!ReadEntry(n, entry))
                return 0;
        }
        return n;
    }
    // Climb while coming up from a right link; arriving from a left link gives the parent.
    for (;;) {
        std::uint32_t parentNumber = entry.parent;
        if (parentNumber == 0)
            return 0;
        TempTreeEntry parent;
        if (!ReadEntry(parentNumber, parent))
            return 0;
        if (parent.left == n)
            return parentNumber;
        n = parentNumber;
        entry = parent;
    }
}

void TempTree::InsertSource(std::int32_t sourceId, const char* shortTitle)
{
    Insert(shortTitle, static_cast<std::uint32_t>(sourceId), 0);
}
