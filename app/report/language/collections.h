// The collection objects of report scripts: TABLE, STACK, SORTLIST, MAP, MAPSTRING and PARAGRAPH. SORTLIST,
// MAP and MAPSTRING share one height-balanced tree whose nodes stay at their place in a node array for the
// object's life; a node's 1-based place is its handle, which scripts hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "report/language/report_value.h"

// Alignments of report objects.
inline constexpr std::uint8_t ReportAlignCentre = 0;
inline constexpr std::uint8_t ReportAlignLeft = 1;
inline constexpr std::uint8_t ReportAlignRight = 2;
// No colour.
inline constexpr std::int32_t ReportNoColour = -1;

class ReportTable {
public:
    static constexpr std::uint16_t MaxColumns = 32;

    struct Cell {
        std::unique_ptr<ReportValue> value; // a STRING once the cell got a text
        std::uint8_t fontSize = 0;
        std::uint8_t style = 0;
        std::uint8_t align = ReportAlignLeft;
        std::int32_t background = ReportNoColour;
    };

    // Columns 0 becomes 1 and more than 32 become 32; rows 0 becomes 1. Valid() is false when the cells
    // could not be allocated.
    ReportTable(std::uint16_t columns, std::uint16_t rows);
    bool Valid() const { return cells_ != nullptr && widths_ != nullptr; }

    std::uint16_t Columns() const { return columns_; }
    std::uint16_t Rows() const { return rows_; }
    // Column 1..columns, row 1..rows; null for any other.
    const Cell* CellAt(std::uint16_t column, std::uint16_t row) const;
    std::uint16_t ColumnWidth(std::uint16_t column) const;

    // A column or row of 0 or beyond the table's size makes these do nothing.
    void SetColumnWidth(std::uint16_t column, std::uint16_t width);
    void SetCellText(std::uint16_t column, std::uint16_t row, const char* text);
    void SetCellFontSize(std::uint16_t column, std::uint16_t row, std::uint8_t size);
    void SetCellStyle(std::uint16_t column, std::uint16_t row, std::uint8_t bits);
    void SetCellAlign(std::uint16_t column, std::uint16_t row, std::uint8_t align);
    void SetCellBackground(std::uint16_t column, std::uint16_t row, std::int32_t colour);

    std::uint8_t align = ReportAlignCentre;
    std::uint8_t border = 1;
    std::int32_t marginLeft = 16;
    std::int32_t marginTop = 12;
    std::int32_t marginRight = 16;
    std::int32_t marginBottom = 12;

private:
    Cell* MutableCell(std::uint16_t column, std::uint16_t row);

    std::uint16_t columns_;
    std::uint16_t rows_;
    std::unique_ptr<Cell[]> cells_;
    std::unique_ptr<std::uint16_t[]> widths_;
};

// Numbers used as a stack or a queue; the array grows by 100 entries.
class ReportStack {
public:
    static constexpr std::size_t Growth = 100;

    // False when the array could not grow; the number is then not added.
    bool Push(std::uint32_t number);
    // The last entry, removed; 0 when empty.
    std::uint32_t Pop();
    // The first entry, removed, the others moving down; 0 when empty.
    std::uint32_t TakeFirst();
    std::size_t Count() const { return count_; }
    std::size_t Capacity() const { return capacity_; }
    std::uint32_t At(std::size_t index) const { return entries_[index]; }

private:
    std::unique_ptr<std::uint32_t[]> entries_;
    std::size_t capacity_ = 0;
    std::size_t count_ = 0;
};

// The tree shared by SORTLIST, MAP and MAPSTRING: the links and heights of its nodes. The node array grows
// by 100 entries; nodes are never removed. Keys and data live in the derived objects, in arrays parallel to
// the nodes.
class ReportTree {
public:
    static constexpr std::int32_t Growth = 100;
    static constexpr std::int32_t None = -1;

    struct Node {
        std::int32_t parent = None;
        std::int32_t left = None;
        std::int32_t right = None;
        std::int16_t leftHeight = 0;
        std::int16_t rightHeight = 0;
    };

    std::int32_t Count() const { return count_; }
    std::int32_t Capacity() const { return capacity_; }
    std::int32_t Root() const { return root_; }
    // The node at 0-based index; null beyond the count.
    const Node* NodeAt(std::int32_t index) const;

    // Handles (1-based; 0 none) of the first and last node in order, and of the neighbours of a handle.
    std::int32_t First() const { return Outermost(false); }
    std::int32_t Last() const { return Outermost(true); }
    std::int32_t Next(std::int32_t handle) const { return Step(handle, true); }
    std::int32_t Previous(std::int32_t handle) const { return Step(handle, false); }

protected:
    ReportTree() = default;
    ~ReportTree() = default;

    // Makes room for one more node, growing by 100 entries; false when that cannot be allocated. `grow`
    // grows the derived object's parallel arrays to the new capacity (false when it cannot).
    template <class Grow> bool Reserve(Grow grow);
    // Appends the node (its index is the count before) under `parent` on the given side and rebalances.
    void Link(std::int32_t parent, bool right);

private:
    std::int32_t Outermost(bool last) const;
    std::int32_t Step(std::int32_t handle, bool forward) const;
    // Refused (false) when `p` has no child on the rising side, or when that child leans the other way.
    bool Rotate(std::int32_t p, bool toRight);
    void ReplaceChild(std::int32_t parent, std::int32_t oldChild, std::int32_t newChild);
    void Rebalance(std::int32_t node);

    std::unique_ptr<Node[]> nodes_;
    std::int32_t root_ = None;
    std::int32_t capacity_ = 0;
    std::int32_t count_ = 0;
};

// Texts with a number each, in the user's locale order (case counted); equal texts are allowed.
class ReportSortList : public ReportTree {
public:
    explicit ReportSortList(const ReportHost& host) : host_(&host) {}

    // False when the node could not be allocated; nothing is added then.
    bool Insert(const char* text, std::uint32_t number);
    // The handle of a node with the text met first on the path from the root; 0 when none.
    std::int32_t Find(const char* text) const;
    // The text and number of a handle 1..count.
    const std::string& Item(std::int32_t handle) const { return texts_[handle - 1]; }
    std::uint32_t Data(std::int32_t handle) const { return numbers_[handle - 1]; }
    // Sets the number of a handle 1..count (handles number the entries in the order they were inserted).
    void SetData(std::int32_t handle, std::uint32_t number) { numbers_[handle - 1] = number; }

private:
    const ReportHost* host_;
    std::unique_ptr<std::string[]> texts_;
    std::unique_ptr<std::uint32_t[]> numbers_;
};

// Number keys with a number each; a key is held once.
class ReportMap : public ReportTree {
public:
    // False when the key was there already (nothing changes) or the node could not be allocated.
    bool Insert(std::int32_t key, std::uint32_t number);
    // The handle of the key's node; 0 when absent.
    std::int32_t Find(std::int32_t key) const;
    // The number of the key; 0 when absent.
    std::uint32_t Get(std::int32_t key) const;
    std::int32_t Key(std::int32_t handle) const { return keys_[handle - 1]; }

private:
    std::unique_ptr<std::int32_t[]> keys_;
    std::unique_ptr<std::uint32_t[]> numbers_;
};

// Number keys with a text each; a key is held once.
class ReportMapString : public ReportTree {
public:
    bool Insert(std::int32_t key, const char* text);
    std::int32_t Find(std::int32_t key) const;
    // The text of the key; null when absent.
    const char* Get(std::int32_t key) const;
    std::int32_t Key(std::int32_t handle) const { return keys_[handle - 1]; }

private:
    std::unique_ptr<std::int32_t[]> keys_;
    std::unique_ptr<std::string[]> texts_;
};

// A text printed as one paragraph with its formatting.
class ReportParagraph {
public:
    // No text gives the empty text.
    void SetText(const char* text);
    void AppendText(const char* text);
    // Null until a text was set.
    const char* Text() const { return hasText_ ? text_.c_str() : nullptr; }

    std::uint8_t align = ReportAlignLeft;
    std::uint8_t style = 0;
    std::uint8_t font = 0; // style record 0..6 of the document
    std::uint8_t reserved = 0;
    std::int32_t colour = ReportNoColour;

private:
    std::string text_;
    bool hasText_ = false;
};
