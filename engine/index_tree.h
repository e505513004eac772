// A column's index: a height-balanced binary tree of 20-byte nodes kept in the index's own node blocks,
// one node per record id, ordered by the column's value. Records of equal value hang in a chain from the
// first of them, in the order they were inserted. Every link read from the file is checked, and every walk
// is bounded, so a damaged tree gives an error instead of a crash or an endless loop.
#pragma once

#include "engine/database_file.h"

#include <cstdint>
#include <string>

namespace tolvane {

struct IndexNode {
    std::int32_t parent = 0;
    std::int32_t nextEqual = 0;
    std::int32_t less = 0;
    std::int32_t greater = 0;
    std::int16_t lessHeight = 0;
    std::int16_t greaterHeight = 0;
};

// What IndexTree::Check holds a tree to.
enum class TreeCheck {
    // Links, parent links, chains of equal keys and key order: what every walk and search relies on and every
    // change keeps. Each node in the tree is a live record.
    Order,
    // Also the heights: every stored height is the real height of its subtree, and a node's two heights differ
    // by one at most. Inserts keep this; a removal adjusts heights without rotating and may leave them too high
    // or too low, so only a tree that no removal has touched since it was built is held to it.
    Balance,
};

class IndexTree {
public:
    // The table is the caller's copy of the descriptor: a new root is stored in it and saved.
    IndexTree(DatabaseFile& db, Table& table, int column);

    void Insert(const std::uint8_t* recordData, std::int32_t id);
    void Remove(std::int32_t id);
    std::int32_t First();
    std::int32_t Last();
    std::int32_t Next(std::int32_t id, bool withDuplicates);
    std::int32_t Previous(std::int32_t id, bool withDuplicates);
    std::int32_t NextEqual(std::int32_t id);
    std::int32_t Find(const std::uint8_t* key);
    bool Contains(std::int32_t id);

    IndexNode ReadNode(std::int32_t id);
    std::int32_t Root() const { return column_.indexRoot; }

    // Walks the whole tree and answers what breaks the rules first, or "" when the tree keeps them; `nodes`
    // learns how many nodes the walk met (chain members too). For tests and fuzzing. It reads as the walks do,
    // through the cache, never throws, and stays bounded on a damaged file: no node is entered twice.
    std::string Check(TreeCheck rules, std::int32_t* nodes = nullptr);

    // Tests only: while false, inserts keep the heights but never rotate, so that a test can show what the
    // rotations are for. The program never changes it.
    static inline bool rebalancing = true;

private:
    void WriteNode(std::int32_t id, const IndexNode& node);
    int CompareKey(const std::uint8_t* key, std::int32_t id);
    void SetRoot(std::int32_t id);
    // The link of `parent` that names `from` (greater, less or next-equal, in that order) names `to`.
    void Relink(std::int32_t parent, std::int32_t from, std::int32_t to, bool clearHeight);
    void Rebalance(std::int32_t id);
    void RotateRight(std::int32_t x);
    void RotateLeft(std::int32_t x);
    // Single rotations, without the check for the inner case.
    void TurnRight(std::int32_t x);
    void TurnLeft(std::int32_t x);
    std::int32_t Leftmost(std::int32_t id);
    std::int32_t Rightmost(std::int32_t id);
    std::int32_t ChainHead(std::int32_t id);
    std::int32_t ChainTail(std::int32_t id);
    void CheckLink(std::int32_t id) const;
    // Asks the processor to fetch a node and its key ahead, while a comparison runs.
    void Prefetch(std::int32_t id) const;
    // Counts one step of a walk; a walk longer than the table has records runs in a circle.
    void Step(std::int64_t& steps) const;
    std::string CheckTree(TreeCheck rules, std::int32_t& nodes);

    DatabaseFile& db_;
    Table& table_;
    ColumnDescriptor& column_;
};

} // namespace tolvane
