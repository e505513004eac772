// The variables of a report run: the scalar table, whose entries are values of any type, and the array
// table, whose entries are one-dimensional arrays of BOOLEAN, INTEGER, REAL or LONG. Each entry carries the
// scope level (control-stack depth) at which it was declared; entries stand in the order of declaration.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "report/language/report_value.h"

// One array variable: `size` zero-filled elements of its type, indexed 1..size.
class ArrayElements {
public:
    // Null when the type is none of BOOLEAN, INTEGER, REAL and LONG, the size is below 1, or the block
    // cannot be allocated.
    static std::unique_ptr<ArrayElements> Create(std::int32_t elementType, std::int32_t size);

    std::int32_t Size() const { return size_; }
    std::int32_t ElementType() const { return type_; }
    // For 1 <= index <= size: the value reset to the element type and holding the element; else false.
    bool Get(std::int32_t index, ReportValue& out) const;
    // For 1 <= index <= size and a value of exactly the element type: stores it; else false.
    bool Set(std::int32_t index, const ReportValue& value);

private:
    ArrayElements(std::int32_t type, std::int32_t size, std::unique_ptr<std::uint8_t[]> bytes)
        : type_(type), size_(size), bytes_(std::move(bytes))
    {
    }
    std::size_t Width() const;

    std::int32_t type_;
    std::int32_t size_;
    std::unique_ptr<std::uint8_t[]> bytes_;
};

// The frame both tables share: 128 slots, of which at most 127 are ever in use.
template <class Entry> class VariableSlots {
public:
    static constexpr int Slots = 128;
    static constexpr int MaxEntries = 127;
    static constexpr std::size_t NameSize = 32;

    VariableSlots() = default;
    VariableSlots(const VariableSlots&) = delete;
    VariableSlots& operator=(const VariableSlots&) = delete;

    int Count() const { return count_; }
    // Index of the newest entry of the name at that level (any level for -1); -1 when none.
    int Find(const char* name, std::int32_t level) const;
    // The newest entry of the name at any level; null when none.
    Entry* Get(const char* name) const;
    Entry* At(int index) const { return entries_[index].get(); }
    const char* NameAt(int index) const { return names_[index]; }
    std::int32_t LevelAt(int index) const { return levels_[index]; }

    void RemoveAt(int index);
    void Remove(const char* name, std::int32_t level);
    // Removes the newest entries while their level is at least `level`.
    void DropLevel(std::int32_t level);
    void FreeAll();

protected:
    // Appends an entry; null (the entry dropped) when 127 are in use.
    Entry* Append(const char* name, std::int32_t level, std::unique_ptr<Entry> entry);

private:
    std::unique_ptr<Entry> entries_[Slots];
    char names_[Slots][NameSize + 1] = {};
    std::int32_t levels_[Slots] = {};
    int count_ = 0;
};

class ReportHost;

class VariableTable : public VariableSlots<ReportValue> {
public:
    ~VariableTable() { FreeAll(); }
    // A new value made by ReportValue::Construct; null when 127 entries exist or it cannot be allocated.
    ReportValue* Add(const char* name, std::int32_t type, std::int32_t level, std::uint16_t dim1, std::uint16_t dim2,
                     const ReportHost& host);
};

class ArrayVariableTable : public VariableSlots<ArrayElements> {
public:
    // Null when 127 entries exist or the array cannot be made (a size below 1, a block too large).
    ArrayElements* Add(const char* name, std::int32_t elementType, std::int32_t level, std::int32_t size);
};

class ReportRunContext;

// The declaration statement: the text after the type keyword ("a, b = 3, c[10]"), declared at the context's
// level. 1 on success; 0 with the context's error number set.
int DeclareVariable(ReportRunContext& context, const char* text, std::int32_t type);
// The type code of a declaration keyword at the start of a line (the keyword and a blank); 0 when the line
// starts with none. `length` receives the keyword's length with its blank.
std::int32_t DeclarationKeyword(const char* line, std::size_t& length);
// Whether a word is one of the 68 words a declaration refuses as a name.
bool IsReservedWord(const char* word);
