#include "report/language/collections.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "report/language/report_host.h"

// TABLE

ReportTable::ReportTable(std::uint16_t columns, std::uint16_t rows)
    : columns_(columns == 0 ? std::uint16_t{1} : std::min(columns, MaxColumns)),
      rows_(rows == 0 ? std::uint16_t{1} : rows)
{
    cells_.reset(new (std::nothrow) Cell[static_cast<std::size_t>(columns_) * rows_]);
    widths_.reset(new (std::nothrow) std::uint16_t[columns_]());
}

ReportTable::Cell* ReportTable::MutableCell(std::uint16_t column, std::uint16_t row)
{
    if (!Valid() || column == 0 || column > columns_ || row == 0 || row > rows_)
        return nullptr;
    return &cells_[static_cast<std::size_t>(row - 1) * columns_ + (column - 1)];
}

const ReportTable::Cell* ReportTable::CellAt(std::uint16_t column, std::uint16_t row) const
{
    return const_cast<ReportTable*>(this)->MutableCell(column, row);
}

std::uint16_t ReportTable::ColumnWidth(std::uint16_t column) const
{
    return Valid() && column >= 1 && column <= columns_ ? widths_[column - 1] : 0;
}

void ReportTable::SetColumnWidth(std::uint16_t column, std::uint16_t width)
{
    if (Valid() && column >= 1 && column <= columns_)
        widths_[column - 1] = width;
}

void ReportTable::SetCellText(std::uint16_t column, std::uint16_t row, const char* text)
{
    Cell* cell = MutableCell(column, row);
    if (cell == nullptr)
        return;
    if (!cell->value) {
        cell->value.reset(new (std::nothrow) ReportValue);
        if (!cell->value)
            return;
        cell->value->Init(ReportString);
    }
    cell->value->SetString(text);
}

void ReportTable::SetCellFontSize(std::uint16_t column, std::uint16_t row, std::uint8_t size)
{
    if (Cell* cell = MutableCell(column, row))
        cell->fontSize = size;
}

void ReportTable::SetCellStyle(std::uint16_t column, std::uint16_t row, std::uint8_t bits)
{
    if (Cell* cell = MutableCell(column, row))
        cell->style = bits;
}

void ReportTable::SetCellAlign(std::uint16_t column, std::uint16_t row, std::uint8_t align)
{
    if (Cell* cell = MutableCell(column, row))
        cell->align = align;
}

void ReportTable::SetCellBackground(std::uint16_t column, std::uint16_t row, std::int32_t colour)
{
    if (Cell* cell = MutableCell(column, row))
        cell->background = colour;
}

// STACK

bool ReportStack::Push(std::uint32_t number)
{
    if (count_ == capacity_) {
        std::unique_ptr<std::uint32_t[]> grown(new (std::nothrow) std::uint32_t[capacity_ + Growth]);
        if (!grown)
            return false;
        std::copy(entries_.get(), entries_.get() + count_, grown.get());
        entries_ = std::move(grown);
        capacity_ += Growth;
    }
    entries_[count_++] = number;
    return true;
}

std::uint32_t ReportStack::Pop()
{
    return count_ == 0 ? 0 : entries_[--count_];
}

std::uint32_t ReportStack::TakeFirst()
{
    if (count_ == 0)
        return 0;
    std::uint32_t first = entries_[0];
    std::copy(entries_.get() + 1, entries_.get() + count_, entries_.get());
    --count_;
    return first;
}

// The shared tree

const ReportTree::Node* ReportTree::NodeAt(std::int32_t index) const
{
    return index >= 0 && index < count_ ? &nodes_[index] : nullptr;
}

namespace {

// Grows a parallel array from `count` used entries to `capacity`; false when it cannot be allocated.
template <class T> bool GrowArray(std::unique_ptr<T[]>& array, std::int32_t count, std::int32_t capacity)
{
    std::unique_ptr<T[]> grown(new (std::nothrow) T[capacity]());
    if (!grown)
        return false;
    for (std::int32_t i = 0; i < count; ++i)
        grown[i] = std::move(array[i]);
    array = std::move(grown);
    return true;
}

} // namespace

template <class Grow> bool ReportTree::Reserve(Grow grow)
{
    if (count_ < capacity_)
        return true;
    std::int32_t capacity = capacity_ + Growth;
    if (!grow(capacity))
        return false;
    if (!GrowArray(nodes_, count_, capacity))
        return false;
    capacity_ = capacity;
    return true;
}

void ReportTree::Link(std::int32_t parent, bool right)
{
    std::int32_t node = count_++;
    nodes_[node] = Node{};
    nodes_[node].parent = parent;
    if (parent == None) {
        root_ = node;
        return;
    }
    (right ? nodes_[parent].right : nodes_[parent].left) = node;
    Rebalance(node);
}

void ReportTree::ReplaceChild(std::int32_t parent, std::int32_t oldChild, std::int32_t newChild)
{
    if (parent == None)
        root_ = newChild;
    else if (nodes_[parent].left == oldChild)
        nodes_[parent].left = newChild;
    else
        nodes_[parent].right = newChild;
}

// Rotates the subtree of `p` down to the right (its left child rises) or, mirrored, down to the left.
bool ReportTree::Rotate(std::int32_t p, bool toRight)
{
    auto near = [&](Node& n) -> std::int32_t& { return toRight ? n.left : n.right; };
    auto far = [&](Node& n) -> std::int32_t& { return toRight ? n.right : n.left; };
    auto nearHeight = [&](Node& n) -> std::int16_t& { return toRight ? n.leftHeight : n.rightHeight; };
    auto farHeight = [&](Node& n) -> std::int16_t& { return toRight ? n.rightHeight : n.leftHeight; };

    std::int32_t c = near(nodes_[p]);
    if (c == None || farHeight(nodes_[c]) > nearHeight(nodes_[c]))
        return false;
    std::int32_t parent = nodes_[p].parent;
    std::int32_t inner = far(nodes_[c]);
    ReplaceChild(parent, p, c);
    nodes_[c].parent = parent;
    far(nodes_[c]) = p;
    nodes_[p].parent = c;
    near(nodes_[p]) = inner;
    if (inner != None)
        nodes_[inner].parent = p;
    nearHeight(nodes_[p]) = farHeight(nodes_[c]);
    farHeight(nodes_[c]) = static_cast<std::int16_t>(std::max(nodes_[p].leftHeight, nodes_[p].rightHeight) + 1);
    return true;
}

// Walks up from a new leaf, storing each subtree's new height in its parent; a side that grew more than one
// higher than the other is rotated down (single rotations only: a rotation that would need a second one is
// refused, and the walk ends there). The walk ends where a stored height does not change.
void ReportTree::Rebalance(std::int32_t node)
{
    std::int32_t child = node;
    int height = std::max(nodes_[child].leftHeight, nodes_[child].rightHeight);
    while (nodes_[child].parent != None) {
        std::int32_t parent = nodes_[child].parent;
        ++height;
        Node& p = nodes_[parent];
        std::int32_t top = parent;
        bool left = p.left == child;
        std::int16_t& grown = left ? p.leftHeight : p.rightHeight;
        std::int16_t other = left ? p.rightHeight : p.leftHeight;
        if (grown == height)
            return;
        grown = static_cast<std::int16_t>(height);
        if (grown > other + 1) {
            if (!Rotate(parent, left))
                return;
            top = nodes_[parent].parent;
        }
        child = top;
        height = std::max(nodes_[child].leftHeight, nodes_[child].rightHeight);
    }
}

std::int32_t ReportTree::Outermost(bool last) const
{
    std::int32_t node = root_;
    if (node == None)
        return 0;
    for (std::int32_t next; (next = last ? nodes_[node].right : nodes_[node].left) != None;)
        node = next;
    return node + 1;
}

std::int32_t ReportTree::Step(std::int32_t handle, bool forward) const
{
    if (handle < 1 || handle > count_)
        return 0;
    auto ahead = [&](std::int32_t n) { return forward ? nodes_[n].right : nodes_[n].left; };
    auto behind = [&](std::int32_t n) { return forward ? nodes_[n].left : nodes_[n].right; };
    std::int32_t node = handle - 1;
    if (ahead(node) != None) {
        node = ahead(node);
        while (behind(node) != None)
            node = behind(node);
        return node + 1;
    }
    std::int32_t parent = nodes_[node].parent;
    while (parent != None && ahead(parent) == node) {
        node = parent;
        parent = nodes_[node].parent;
    }
    return parent == None ? 0 : parent + 1;
}

// SORTLIST

bool ReportSortList::Insert(const char* text, std::uint32_t number)
{
    std::string key = text != nullptr ? text : "";
    bool room = Reserve([&](std::int32_t capacity) {
        return GrowArray(texts_, Count(), capacity) && GrowArray(numbers_, Count(), capacity);
    });
    if (!room)
        return false;
    std::int32_t parent = None;
    bool right = false;
    for (std::int32_t node = Root(); node != None;) {
        parent = node;
        right = host_->CompareText(key, texts_[node]) > 0;
        node = right ? NodeAt(node)->right : NodeAt(node)->left;
    }
    texts_[Count()] = std::move(key);
    numbers_[Count()] = number;
    Link(parent, right);
    return true;
}

std::int32_t ReportSortList::Find(const char* text) const
{
    std::string_view key = text != nullptr ? text : "";
    for (std::int32_t node = Root(); node != None;) {
        int order = host_->CompareText(key, texts_[node]);
        if (order == 0)
            return node + 1;
        node = order > 0 ? NodeAt(node)->right : NodeAt(node)->left;
    }
    return 0;
}

// MAP and MAPSTRING

namespace {

// Where a key's walk from the root ends: its node (found), or the parent and side to link a new node.
template <class Tree, class Keys>
std::int32_t WalkToKey(const Tree& tree, const Keys& keys, std::int32_t key, std::int32_t& parent, bool& right)
{
    parent = ReportTree::None;
    right = false;
    for (std::int32_t node = tree.Root(); node != ReportTree::None;) {
        if (key == keys[node])
            return node;
        parent = node;
        right = key > keys[node];
        node = right ? tree.NodeAt(node)->right : tree.NodeAt(node)->left;
    }
    return ReportTree::None;
}

} // namespace

bool ReportMap::Insert(std::int32_t key, std::uint32_t number)
{
    std::int32_t parent;
    bool right;
    if (WalkToKey(*this, keys_, key, parent, right) != None)
        return false;
    bool room = Reserve([&](std::int32_t capacity) {
        return GrowArray(keys_, Count(), capacity) && GrowArray(numbers_, Count(), capacity);
    });
    if (!room)
        return false;
    keys_[Count()] = key;
    numbers_[Count()] = number;
    Link(parent, right);
    return true;
}

std::int32_t ReportMap::Find(std::int32_t key) const
{
    std::int32_t parent;
    bool right;
    return WalkToKey(*this, keys_, key, parent, right) + 1;
}

std::uint32_t ReportMap::Get(std::int32_t key) const
{
    std::int32_t handle = Find(key);
    return handle == 0 ? 0 : numbers_[handle - 1];
}

bool ReportMapString::Insert(std::int32_t key, const char* text)
{
    std::int32_t parent;
    bool right;
    if (WalkToKey(*this, keys_, key, parent, right) != None)
        return false;
    bool room = Reserve([&](std::int32_t capacity) {
        return GrowArray(keys_, Count(), capacity) && GrowArray(texts_, Count(), capacity);
    });
    if (!room)
        return false;
    keys_[Count()] = key;
    texts_[Count()] = text != nullptr ? text : "";
    Link(parent, right);
    return true;
}

std::int32_t ReportMapString::Find(std::int32_t key) const
{
    std::int32_t parent;
    bool right;
    return WalkToKey(*this, keys_, key, parent, right) + 1;
}

const char* ReportMapString::Get(std::int32_t key) const
{
    std::int32_t handle = Find(key);
    return handle == 0 ? nullptr : texts_[handle - 1].c_str();
}

// PARAGRAPH

void ReportParagraph::SetText(const char* text)
{
    text_ = text != nullptr ? text : "";
    hasText_ = true;
}

void ReportParagraph::AppendText(const char* text)
{
    if (text != nullptr)
        text_ += text;
    hasText_ = true;
}
