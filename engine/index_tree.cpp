#include "engine/index_tree.h"

#include "engine/compare.h"

#include <algorithm>
#include <new>
#include <vector>

namespace tolvane {

IndexTree::IndexTree(DatabaseFile& db, Table& table, int column) : db_(db), table_(table), column_(table.Column(column))
{
}

void IndexTree::CheckLink(std::int32_t id) const
{
    CheckStored(id >= 0 && id <= table_.d.highestId);
}

void IndexTree::Step(std::int64_t& steps) const
{
    CheckStored(++steps <= static_cast<std::int64_t>(table_.d.highestId) + 2);
}

IndexNode IndexTree::ReadNode(std::int32_t id)
{
    CheckStored(id >= 1 && id <= table_.d.highestId);
    IndexNode node;
    const std::uint8_t* p = db_.NodeForReading(column_.indexGroup, id);
    if (p == nullptr)
        return node;
    node.parent = GetI32(p + indexnode::Parent);
    node.nextEqual = GetI32(p + indexnode::NextEqual);
    node.less = GetI32(p + indexnode::Less);
    node.greater = GetI32(p + indexnode::Greater);
    node.lessHeight = GetI16(p + indexnode::LessHeight);
    node.greaterHeight = GetI16(p + indexnode::GreaterHeight);
    CheckLink(node.parent);
    CheckLink(node.nextEqual);
    CheckLink(node.less);
    CheckLink(node.greater);
    return node;
}

void IndexTree::WriteNode(std::int32_t id, const IndexNode& node)
{
    RecordPlace place = db_.LocateNode(column_.indexGroup, id, true);
    std::uint8_t* p = place.block.Mutable() + place.offset;
    PutI32(p + indexnode::Parent, node.parent);
    PutI32(p + indexnode::NextEqual, node.nextEqual);
    PutI32(p + indexnode::Less, node.less);
    PutI32(p + indexnode::Greater, node.greater);
    PutI16(p + indexnode::LessHeight, node.lessHeight);
    PutI16(p + indexnode::GreaterHeight, node.greaterHeight);
}

void IndexTree::Prefetch(std::int32_t id) const
{
    if (id < 1 || id > table_.d.highestId)
        return;
    if (const std::uint8_t* node = db_.PeekNode(column_.indexGroup, id))
        __builtin_prefetch(node);
    if (const std::uint8_t* record = db_.PeekRecord(table_, id))
        __builtin_prefetch(record + SlotWordSize + column_.offset);
}

int IndexTree::CompareKey(const std::uint8_t* key, std::int32_t id)
{
    const std::uint8_t* record = db_.RecordForReading(table_, id);
    CheckStored(record != nullptr);
    return CompareValues(column_, key, record + SlotWordSize + column_.offset);
}

void IndexTree::SetRoot(std::int32_t id)
{
    column_.indexRoot = id;
    db_.SaveTable(table_);
}

bool IndexTree::Contains(std::int32_t id)
{
    return id >= 1 && id <= table_.d.highestId && (id == Root() || ReadNode(id).parent != 0);
}

void IndexTree::Relink(std::int32_t parent, std::int32_t from, std::int32_t to, bool clearHeight)
{
    IndexNode node = ReadNode(parent);
    if (node.greater == from) {
        node.greater = to;
        if (clearHeight)
            node.greaterHeight = 0;
    } else if (node.less == from) {
        node.less = to;
        if (clearHeight)
            node.lessHeight = 0;
    } else if (node.nextEqual == from) {
        node.nextEqual = to;
    } else {
        CheckStored(false);
    }
    WriteNode(parent, node);
}

void IndexTree::Insert(const std::uint8_t* recordData, std::int32_t id)
{
    const std::uint8_t* key = recordData + column_.offset;
    IndexNode fresh;
    if (Root() == 0) {
        SetRoot(id);
        WriteNode(id, fresh);
        return;
    }
    std::int64_t steps = 0;
    std::int32_t current = Root();
    for (;;) {
        Step(steps);
        IndexNode node = ReadNode(current);
        Prefetch(node.less);
        Prefetch(node.greater);
        int order = CompareKey(key, current);
        if (order == 0) {
            // Equal keys keep their order: the new record goes to the end of the chain.
            while (node.nextEqual != 0) {
                Step(steps);
                current = node.nextEqual;
                node = ReadNode(current);
            }
            node.nextEqual = id;
            WriteNode(current, node);
            fresh.parent = current;
            WriteNode(id, fresh);
            return;
        }
        std::int32_t& link = order > 0 ? node.greater : node.less;
        if (link == 0) {
            link = id;
            WriteNode(current, node);
            fresh.parent = current;
            WriteNode(id, fresh);
            Rebalance(id);
            return;
        }
        current = link;
    }
}

void IndexTree::Rebalance(std::int32_t id)
{
    if (id == 0)
        return;
    IndexNode start = ReadNode(id);
    int height = std::max(start.lessHeight, start.greaterHeight);
    std::int32_t child = id;
    std::int32_t current = start.parent;
    std::int64_t steps = 0;
    while (current != 0) {
        Step(steps);
        ++height;
        IndexNode node = ReadNode(current);
        if (node.less == child) {
            if (node.lessHeight == height)
                return;
            node.lessHeight = static_cast<std::int16_t>(height);
            WriteNode(current, node);
            // A rotation brings the subtree back to its height before the insert, so the climb ends there.
            if (height > node.greaterHeight + 1 && rebalancing) {
                RotateRight(current);
                return;
            }
        } else if (node.greater == child) {
            if (node.greaterHeight == height)
                return;
            node.greaterHeight = static_cast<std::int16_t>(height);
            WriteNode(current, node);
            if (height > node.lessHeight + 1 && rebalancing) {
                RotateLeft(current);
                return;
            }
        } else {
            return;
        }
        child = current;
        current = node.parent;
    }
}

void IndexTree::RotateRight(std::int32_t x)
{
    IndexNode top = ReadNode(x);
    if (top.less == 0)
        return;
    IndexNode left = ReadNode(top.less);
    // A left child heavier on its greater side (the inner side) is turned first: two rotations where one would
    // only move the excess to the other side. The file format holds any shape of tree, and this keeps it
    // balanced, so lookups stay logarithmic.
    if (left.greaterHeight > left.lessHeight)
        TurnLeft(top.less);
    TurnRight(x);
}

void IndexTree::RotateLeft(std::int32_t x)
{
    IndexNode top = ReadNode(x);
    if (top.greater == 0)
        return;
    IndexNode right = ReadNode(top.greater);
    // Twice for an inner-heavy right child, as in RotateRight.
    if (right.lessHeight > right.greaterHeight)
        TurnRight(top.greater);
    TurnLeft(x);
}

void IndexTree::TurnRight(std::int32_t x)
{
    IndexNode top = ReadNode(x);
    std::int32_t l = top.less;
    if (l == 0)
        return;
    IndexNode left = ReadNode(l);
    std::int32_t oldParent = top.parent;
    top.parent = l;
    top.less = left.greater;
    top.lessHeight = left.greaterHeight;
    WriteNode(x, top);
    if (top.less != 0) {
        IndexNode moved = ReadNode(top.less);
        moved.parent = x;
        WriteNode(top.less, moved);
    }
    left.parent = oldParent;
    left.greater = x;
    left.greaterHeight = static_cast<std::int16_t>(1 + std::max(top.lessHeight, top.greaterHeight));
    WriteNode(l, left);
    if (Root() == x)
        SetRoot(l);
    else
        Relink(oldParent, x, l, false);
}

void IndexTree::TurnLeft(std::int32_t x)
{
    IndexNode top = ReadNode(x);
    std::int32_t g = top.greater;
    if (g == 0)
        return;
    IndexNode right = ReadNode(g);
    std::int32_t oldParent = top.parent;
    top.parent = g;
    top.greater = right.less;
    top.greaterHeight = right.lessHeight;
    WriteNode(x, top);
    if (top.greater != 0) {
        IndexNode moved = ReadNode(top.greater);
        moved.parent = x;
        WriteNode(top.greater, moved);
    }
    right.parent = oldParent;
    right.less = x;
    right.lessHeight = static_cast<std::int16_t>(1 + std::max(top.lessHeight, top.greaterHeight));
    WriteNode(g, right);
    if (Root() == x)
        SetRoot(g);
    else
        Relink(oldParent, x, g, false);
}

void IndexTree::Remove(std::int32_t id)
{
    IndexNode x = ReadNode(id);
    bool isRoot = Root() == id;
    if (!isRoot && x.parent == 0)
        return;
    auto adopt = [this](std::int32_t child, std::int32_t parent) {
        if (child == 0)
            return;
        IndexNode node = ReadNode(child);
        node.parent = parent;
        WriteNode(child, node);
    };
    auto replaceInParent = [&](std::int32_t by) {
        if (isRoot)
            SetRoot(by);
        else
            Relink(x.parent, id, by, false);
    };

    if (x.nextEqual != 0) {
        // The next of the chain takes the node's place in the tree.
        std::int32_t e = x.nextEqual;
        IndexNode next = ReadNode(e);
        next.parent = x.parent;
        next.less = x.less;
        next.greater = x.greater;
        next.lessHeight = x.lessHeight;
        next.greaterHeight = x.greaterHeight;
        WriteNode(e, next);
        adopt(x.less, e);
        adopt(x.greater, e);
        replaceInParent(e);
    } else if (x.less == 0 && x.greater == 0) {
        if (isRoot) {
            SetRoot(0);
        } else {
            Relink(x.parent, id, 0, true);
            Rebalance(x.parent);
        }
    } else if (x.less == 0 || x.greater == 0) {
        std::int32_t child = x.less != 0 ? x.less : x.greater;
        adopt(child, x.parent);
        replaceInParent(child);
        Rebalance(x.parent);
    } else {
        // Both subtrees: the next node in order (leftmost of the greater subtree) takes the place.
        std::int32_t s = Leftmost(x.greater);
        IndexNode successor = ReadNode(s);
        std::int32_t formerParent = successor.parent;
        if (s != x.greater) {
            adopt(successor.greater, formerParent);
            IndexNode above = ReadNode(formerParent);
            above.less = successor.greater;
            --above.lessHeight;
            WriteNode(formerParent, above);
            adopt(x.greater, s);
            successor.greater = x.greater;
        }
        successor.parent = x.parent;
        successor.less = x.less;
        WriteNode(s, successor);
        adopt(x.less, s);
        replaceInParent(s);
        if (formerParent != id)
            Rebalance(formerParent);
    }
    WriteNode(id, IndexNode{});
}

std::int32_t IndexTree::Leftmost(std::int32_t id)
{
    std::int64_t steps = 0;
    for (;;) {
        Step(steps);
        std::int32_t less = ReadNode(id).less;
        if (less == 0)
            return id;
        id = less;
    }
}

std::int32_t IndexTree::Rightmost(std::int32_t id)
{
    std::int64_t steps = 0;
    for (;;) {
        Step(steps);
        std::int32_t greater = ReadNode(id).greater;
        if (greater == 0)
            return id;
        id = greater;
    }
}

std::int32_t IndexTree::First()
{
    return Root() == 0 ? 0 : Leftmost(Root());
}

std::int32_t IndexTree::Last()
{
    return Root() == 0 ? 0 : Rightmost(Root());
}

std::int32_t IndexTree::ChainHead(std::int32_t id)
{
    std::int64_t steps = 0;
    for (;;) {
        Step(steps);
        std::int32_t parent = ReadNode(id).parent;
        if (parent == 0 || ReadNode(parent).nextEqual != id)
            return id;
        id = parent;
    }
}

std::int32_t IndexTree::ChainTail(std::int32_t id)
{
    std::int64_t steps = 0;
    for (;;) {
        Step(steps);
        std::int32_t next = ReadNode(id).nextEqual;
        if (next == 0)
            return id;
        id = next;
    }
}

std::int32_t IndexTree::Next(std::int32_t id, bool withDuplicates)
{
    IndexNode node = ReadNode(id);
    if (withDuplicates && node.nextEqual != 0)
        return NextEqual(id);
    if (node.greater != 0)
        return Leftmost(node.greater);
    std::int32_t previous = id;
    std::int32_t current = node.parent;
    std::int64_t steps = 0;
    while (current != 0) {
        Step(steps);
        IndexNode above = ReadNode(current);
        if (above.greater == previous || (above.nextEqual == previous && above.greater == 0)) {
            previous = current;
            current = above.parent;
            continue;
        }
        if (above.nextEqual == previous)
            return Leftmost(above.greater);
        return current; // arrived from the less side
    }
    return 0;
}

std::int32_t IndexTree::Previous(std::int32_t id, bool withDuplicates)
{
    IndexNode node = ReadNode(id);
    if (withDuplicates && node.parent != 0 && ReadNode(node.parent).nextEqual == id)
        return node.parent;
    std::int32_t head = ChainHead(id);
    IndexNode first = ReadNode(head);
    std::int32_t result;
    if (first.less != 0) {
        result = Rightmost(first.less);
    } else {
        std::int32_t current = head;
        std::int32_t parent = first.parent;
        std::int64_t steps = 0;
        while (parent != 0 && ReadNode(parent).less == current) {
            Step(steps);
            current = parent;
            parent = ReadNode(parent).parent;
        }
        if (parent == 0)
            return 0;
        result = parent;
    }
    return withDuplicates ? ChainTail(result) : result;
}

std::int32_t IndexTree::NextEqual(std::int32_t id)
{
    // Each record of a chain names the one before it as its parent. A chain damaged into a loop points back
    // at a record whose parent is another one, and would make an equality search go round for ever.
    std::int32_t next = ReadNode(id).nextEqual;
    if (next != 0)
        CheckStored(ReadNode(next).parent == id);
    return next;
}

std::int32_t IndexTree::Find(const std::uint8_t* key)
{
    std::int32_t current = Root();
    std::int64_t steps = 0;
    while (current != 0) {
        Step(steps);
        IndexNode node = ReadNode(current);
        Prefetch(node.less);
        Prefetch(node.greater);
        int order = CompareKey(key, current);
        if (order == 0)
            return current;
        current = order < 0 ? node.less : node.greater;
    }
    return 0;
}

std::string IndexTree::Check(TreeCheck rules, std::int32_t* nodes)
{
    std::int32_t met = 0;
    std::string fault;
    try {
        fault = CheckTree(rules, met);
    } catch (const EngineError& error) {
        fault = "a node or record cannot be read (error " + std::to_string(error.code) + ") after " +
                std::to_string(met) + " nodes";
    } catch (const std::bad_alloc&) {
        fault = "out of memory";
    }
    if (nodes != nullptr)
        *nodes = met;
    return fault;
}

std::string IndexTree::CheckTree(TreeCheck rules, std::int32_t& nodes)
{
    auto name = [](std::int32_t id) { return "node " + std::to_string(id); };
    if (Root() == 0)
        return "";
    const int keyBytes = column_.Size();
    if (keyBytes < 0)
        return "the column's type is unknown";
    // The keys are copied: a record read stays valid only until the next read. False for a record not live.
    auto keyOf = [&](std::int32_t id, std::string& key) {
        const std::uint8_t* record = db_.RecordForReading(table_, id);
        if (record == nullptr || GetI32(record) != LiveSlot)
            return false;
        key.assign(reinterpret_cast<const char*>(record + SlotWordSize + column_.offset),
                   static_cast<std::size_t>(keyBytes));
        return true;
    };
    auto compare = [&](const std::string& a, const std::string& b) {
        return CompareValues(column_, reinterpret_cast<const std::uint8_t*>(a.data()),
                             reinterpret_cast<const std::uint8_t*>(b.data()));
    };

    // Every node is entered from the one node whose link names it, and must name that node as its parent; a
    // node's links are distinct. So no node is entered twice and the walk is a tree walk, however the links of
    // a damaged file run.
    struct Frame {
        std::int32_t id;
        IndexNode node;
        int stage;          // 0: entered, 1: less side done, 2: greater side done
        int lessHeight = 0; // real heights, counted as the stored ones are: a leaf's subtree is 1 high
        int greaterHeight = 0;
    };
    std::vector<Frame> path;
    auto enter = [&](std::int32_t id, std::int32_t parent) -> std::string {
        if (++nodes > table_.d.highestId)
            return "more nodes than the table has ids";
        IndexNode node = ReadNode(id);
        if (node.parent != parent)
            return name(id) + " names " + std::to_string(node.parent) + " as its parent, not " + std::to_string(parent);
        std::int32_t links[] = {node.less, node.greater, node.nextEqual};
        for (int i = 0; i < 3; ++i) {
            if (links[i] == id)
                return name(id) + " links to itself";
            for (int j = i + 1; j < 3; ++j)
                if (links[i] != 0 && links[i] == links[j])
                    return name(id) + " links to " + std::to_string(links[i]) + " twice";
        }
        path.push_back(Frame{id, node, 0});
        return "";
    };

    std::string previous; // the key of the last node before this one in order
    bool first = true;
    int height = 0; // the real height of the subtree last finished
    std::string fault = enter(Root(), 0);
    while (fault.empty() && !path.empty()) {
        Frame& frame = path.back();
        if (frame.stage == 0) {
            frame.stage = 1;
            if (frame.node.less != 0) {
                fault = enter(frame.node.less, frame.id);
                continue;
            }
            height = 0;
        }
        if (frame.stage == 1) {
            frame.lessHeight = height;
            frame.stage = 2;
            // The node itself, then its chain of equal keys.
            std::int32_t id = frame.id;
            std::string key;
            if (!keyOf(id, key))
                return name(id) + " is not a live record";
            if (!first && compare(previous, key) >= 0)
                return name(id) + " is out of order: its key is not greater than the one before";
            first = false;
            std::int32_t member = frame.node.nextEqual;
            std::int32_t above = id;
            while (member != 0) {
                if (++nodes > table_.d.highestId)
                    return "more nodes than the table has ids";
                IndexNode node = ReadNode(member);
                if (node.parent != above)
                    return name(member) + " of the chain of " + std::to_string(id) + " names " +
                           std::to_string(node.parent) + " as its parent, not " + std::to_string(above);
                if (node.less != 0 || node.greater != 0)
                    return name(member) + " of the chain of " + std::to_string(id) + " has subtrees";
                if (rules == TreeCheck::Balance && (node.lessHeight != 0 || node.greaterHeight != 0))
                    return name(member) + " of the chain of " + std::to_string(id) + " has heights " +
                           std::to_string(node.lessHeight) + "/" + std::to_string(node.greaterHeight);
                std::string memberKey;
                if (!keyOf(member, memberKey))
                    return name(member) + " is not a live record";
                if (compare(key, memberKey) != 0)
                    return name(member) + " is in the chain of " + std::to_string(id) + " with another key";
                above = member;
                member = node.nextEqual;
            }
            previous = std::move(key);
            if (frame.node.greater != 0) {
                fault = enter(frame.node.greater, frame.id);
                continue;
            }
            height = 0;
        }
        frame.greaterHeight = height;
        if (rules == TreeCheck::Balance) {
            if (frame.node.lessHeight != frame.lessHeight || frame.node.greaterHeight != frame.greaterHeight)
                return name(frame.id) + " stores heights " + std::to_string(frame.node.lessHeight) + "/" +
                       std::to_string(frame.node.greaterHeight) + " for subtrees " + std::to_string(frame.lessHeight) +
                       "/" + std::to_string(frame.greaterHeight) + " high";
            if (frame.lessHeight > frame.greaterHeight + 1 || frame.greaterHeight > frame.lessHeight + 1)
                return name(frame.id) + " is out of balance: subtrees " + std::to_string(frame.lessHeight) + "/" +
                       std::to_string(frame.greaterHeight) + " high";
        }
        height = 1 + std::max(frame.lessHeight, frame.greaterHeight);
        path.pop_back();
    }
    return fault;
}

} // namespace tolvane
