// The collection objects: TABLE's clamps and cells, STACK, and the shared tree of SORTLIST, MAP and MAPSTRING
// with its exact shapes after insertions (single rotations only), its order and its handles.
#include "report/language/collections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/language/tests/test_host.h"

namespace {

using report_test::TestHost;

// The tree's shape in preorder: key(left,right), "-" for a missing side.
template <class Tree, class KeyText> std::string Shape(const Tree& tree, std::int32_t node, KeyText keyText)
{
    if (node == ReportTree::None)
        return "-";
    const ReportTree::Node* n = tree.NodeAt(node);
    if (n->left == ReportTree::None && n->right == ReportTree::None)
        return keyText(node + 1);
    return keyText(node + 1) + "(" + Shape(tree, n->left, keyText) + "," + Shape(tree, n->right, keyText) + ")";
}

std::string MapShape(const ReportMap& map)
{
    return Shape(map, map.Root(), [&](std::int32_t h) { return std::to_string(map.Key(h)); });
}

// The handles in sorted order, walked by Next, and back by Previous.
template <class Tree> std::vector<std::int32_t> Forward(const Tree& tree)
{
    std::vector<std::int32_t> handles;
    for (std::int32_t h = tree.First(); h != 0; h = tree.Next(h))
        handles.push_back(h);
    return handles;
}
template <class Tree> std::vector<std::int32_t> Backward(const Tree& tree)
{
    std::vector<std::int32_t> handles;
    for (std::int32_t h = tree.Last(); h != 0; h = tree.Previous(h))
        handles.insert(handles.begin(), h);
    return handles;
}

TEST(ReportTree, RotatesAsInsertionsUnbalanceIt)
{
    const struct {
        std::vector<std::int32_t> keys;
        const char* shape;
    } cases[] = {
        {{1, 2, 3}, "2(1,3)"},
        {{3, 2, 1}, "2(1,3)"},
        {{1, 2, 3, 4, 5}, "2(1,4(3,5))"},
        {{1, 2, 3, 4, 5, 6}, "4(2(1,3),5(-,6))"},
        {{1, 2, 3, 4, 5, 6, 7}, "4(2(1,3),6(5,7))"},
        // a rotation that would need a second one is refused and the tree stays as it is
        {{1, 3, 2}, "1(-,3(2,-))"},
        {{3, 1, 2}, "3(1(-,2),-)"},
        {{1, 3, 2, 4}, "1(-,3(2,4))"},
        {{-1, 0, -5, 7}, "-1(-5,0(-,7))"},
    };
    for (const auto& c : cases) {
        ReportMap map;
        for (std::int32_t key : c.keys)
            EXPECT_TRUE(map.Insert(key, static_cast<std::uint32_t>(key * 10)));
        EXPECT_EQ(MapShape(map), c.shape);
        EXPECT_EQ(Forward(map), Backward(map));
        std::int32_t previous = INT32_MIN;
        for (std::int32_t h : Forward(map)) {
            EXPECT_GT(map.Key(h), previous) << c.shape;
            previous = map.Key(h);
        }
        for (std::int32_t key : c.keys) {
            EXPECT_EQ(map.Key(map.Find(key)), key);
            EXPECT_EQ(map.Get(key), static_cast<std::uint32_t>(key * 10));
        }
    }
}

TEST(ReportTree, HeightsFollowEachInsertion)
{
    ReportMap map;
    for (std::int32_t key : {1, 2, 3, 4})
        map.Insert(key, 0);
    // 2(1,3(-,4)): node of key 2 is at index 1
    const ReportTree::Node* root = map.NodeAt(map.Root());
    EXPECT_EQ(map.Key(map.Root() + 1), 2);
    EXPECT_EQ(root->leftHeight, 1);
    EXPECT_EQ(root->rightHeight, 2);
    EXPECT_EQ(root->parent, ReportTree::None);
    const ReportTree::Node* three = map.NodeAt(2);
    EXPECT_EQ(three->leftHeight, 0);
    EXPECT_EQ(three->rightHeight, 1);
    EXPECT_EQ(three->parent, 1);
}

TEST(ReportSortList, KeepsTextsInLocaleOrderWithHandlesOfInsertion)
{
    TestHost host;
    ReportSortList list(host);
    EXPECT_EQ(list.First(), 0);
    EXPECT_EQ(list.Last(), 0);
    EXPECT_EQ(list.Find("a"), 0);
    list.Insert("b", 20);
    list.Insert("a", 10);
    list.Insert("c", 30);
    EXPECT_EQ(list.First(), 2);
    EXPECT_EQ(list.Next(2), 1);
    EXPECT_EQ(list.Next(1), 3);
    EXPECT_EQ(list.Next(3), 0);
    EXPECT_EQ(list.Previous(2), 0);
    EXPECT_EQ(list.Last(), 3);
    EXPECT_EQ(list.Item(1), "b");
    EXPECT_EQ(list.Data(3), 30u);
    EXPECT_EQ(list.Find("c"), 3);
    EXPECT_EQ(list.Find("d"), 0);
    EXPECT_EQ(list.Next(0), 0);
    EXPECT_EQ(list.Next(4), 0);
}

TEST(ReportSortList, EqualTextsGoBeforeTheirEqualsAndFindMeetsTheFirstOnThePath)
{
    TestHost host;
    const struct {
        std::vector<const char*> texts;
        std::vector<std::int32_t> order;
        std::int32_t found; // Find of "a"
    } cases[] = {
        {{"a", "a"}, {2, 1}, 1},
        {{"a", "a", "a"}, {3, 2, 1}, 2}, // the third insertion rotated the second to the root
        {{"a", "b", "a"}, {3, 1, 2}, 1},
        {{"b", "a", "c", "a", "a"}, {5, 4, 2, 1, 3}, 4},
    };
    for (const auto& c : cases) {
        ReportSortList list(host);
        for (const char* text : c.texts)
            list.Insert(text, 0);
        EXPECT_EQ(list.Count(), static_cast<std::int32_t>(c.texts.size()));
        EXPECT_EQ(Forward(list), c.order);
        EXPECT_EQ(list.Find("a"), c.found);
    }
}

TEST(ReportSortList, OrdersByTheHostsComparisonNotByBytes)
{
    TestHost host;
    ReportSortList list(host);
    list.Insert("B", 1);
    list.Insert("a", 2);
    list.Insert("A", 3);
    std::vector<std::string> texts;
    for (std::int32_t h = list.First(); h != 0; h = list.Next(h))
        texts.push_back(list.Item(h));
    EXPECT_EQ(texts, (std::vector<std::string>{"a", "A", "B"}));
}

TEST(ReportTree, TheNodeArrayGrowsByAHundred)
{
    TestHost host;
    ReportSortList list(host);
    ReportMap map;
    ReportMapString strings;
    for (int i = 0; i < 100; ++i) {
        list.Insert(std::to_string(i).c_str(), static_cast<std::uint32_t>(i));
        map.Insert(i, 0);
        strings.Insert(i, "x");
    }
    EXPECT_EQ(list.Capacity(), 100);
    EXPECT_EQ(map.Capacity(), 100);
    list.Insert("last", 100);
    map.Insert(100, 0);
    strings.Insert(100, "y");
    EXPECT_EQ(list.Capacity(), 200);
    EXPECT_EQ(map.Capacity(), 200);
    EXPECT_EQ(strings.Capacity(), 200);
    EXPECT_EQ(list.Count(), 101);
    EXPECT_STREQ(strings.Get(100), "y");
    EXPECT_EQ(list.Data(list.Find("last")), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(list.Data(list.Find(std::to_string(i).c_str())), static_cast<std::uint32_t>(i));
}

TEST(ReportMap, AKeyIsHeldOnceWithItsFirstDatum)
{
    ReportMap map;
    EXPECT_TRUE(map.Insert(5, 1));
    EXPECT_FALSE(map.Insert(5, 2));
    EXPECT_EQ(map.Get(5), 1u);
    EXPECT_EQ(map.Count(), 1);
    EXPECT_EQ(map.Get(6), 0u);
    EXPECT_EQ(map.Find(6), 0);
    map.Insert(0, 7);
    map.Insert(-1, 8);
    EXPECT_EQ(map.Key(map.First()), -1);

    ReportMapString strings;
    EXPECT_TRUE(strings.Insert(3, "three"));
    EXPECT_FALSE(strings.Insert(3, "drei"));
    EXPECT_TRUE(strings.Insert(-3, nullptr));
    EXPECT_STREQ(strings.Get(3), "three");
    EXPECT_STREQ(strings.Get(-3), "");
    EXPECT_EQ(strings.Get(4), nullptr);
    EXPECT_EQ(strings.Key(strings.First()), -3);
}

TEST(ReportStack, PushesPopsAndTakesFromTheFront)
{
    ReportStack stack;
    EXPECT_EQ(stack.Pop(), 0u);
    EXPECT_EQ(stack.TakeFirst(), 0u);
    for (std::uint32_t i = 1; i <= 101; ++i)
        EXPECT_TRUE(stack.Push(i));
    EXPECT_EQ(stack.Capacity(), 200u);
    EXPECT_EQ(stack.TakeFirst(), 1u);
    EXPECT_EQ(stack.Pop(), 101u);
    EXPECT_EQ(stack.Count(), 99u);
    EXPECT_EQ(stack.At(0), 2u);
}

TEST(ReportTable, ClampsItsSizeAndIgnoresCellsOutside)
{
    const struct {
        std::uint16_t columns, rows, wantColumns, wantRows;
    } sizes[] = {{0, 0, 1, 1}, {40, 0, 32, 1}, {32, 5, 32, 5}, {3, 65535, 3, 65535}};
    for (const auto& s : sizes) {
        ReportTable table(s.columns, s.rows);
        ASSERT_TRUE(table.Valid());
        EXPECT_EQ(table.Columns(), s.wantColumns);
        EXPECT_EQ(table.Rows(), s.wantRows);
    }

    ReportTable table(3, 2);
    EXPECT_EQ(table.align, ReportAlignCentre);
    EXPECT_EQ(table.border, 1);
    EXPECT_EQ(table.marginLeft, 16);
    EXPECT_EQ(table.marginTop, 12);
    const ReportTable::Cell* cell = table.CellAt(2, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->value, nullptr);
    EXPECT_EQ(cell->align, ReportAlignLeft);
    EXPECT_EQ(cell->background, ReportNoColour);

    table.SetCellText(2, 2, "cell");
    table.SetCellText(2, 2, "again");
    table.SetCellStyle(3, 1, 5);
    table.SetCellAlign(1, 2, ReportAlignRight);
    table.SetCellBackground(1, 1, 0xFF);
    table.SetCellFontSize(3, 2, 14);
    table.SetColumnWidth(3, 400);
    for (std::uint16_t bad : {std::uint16_t{0}, std::uint16_t{4}}) {
        table.SetCellText(bad, 1, "no");
        table.SetColumnWidth(bad, 9);
        table.SetCellStyle(1, bad == 4 ? 3 : 0, 9);
    }
    EXPECT_STREQ(table.CellAt(2, 2)->value->Text(), "again");
    EXPECT_EQ(table.CellAt(3, 1)->style, 5);
    EXPECT_EQ(table.CellAt(1, 2)->align, ReportAlignRight);
    EXPECT_EQ(table.CellAt(1, 1)->background, 0xFF);
    EXPECT_EQ(table.CellAt(3, 2)->fontSize, 14);
    EXPECT_EQ(table.ColumnWidth(3), 400);
    EXPECT_EQ(table.ColumnWidth(1), 0);
    EXPECT_EQ(table.CellAt(1, 1)->value, nullptr);
    EXPECT_EQ(table.CellAt(4, 1), nullptr);
    EXPECT_EQ(table.CellAt(1, 3), nullptr);
    EXPECT_EQ(table.CellAt(1, 1)->style, 0);
}

TEST(ReportParagraph, SetsAndExtendsItsText)
{
    ReportParagraph paragraph;
    EXPECT_EQ(paragraph.Text(), nullptr);
    EXPECT_EQ(paragraph.align, ReportAlignLeft);
    EXPECT_EQ(paragraph.colour, ReportNoColour);
    paragraph.SetText(nullptr);
    EXPECT_STREQ(paragraph.Text(), "");
    paragraph.AppendText("one");
    paragraph.AppendText(" two");
    EXPECT_STREQ(paragraph.Text(), "one two");
    paragraph.SetText("new");
    EXPECT_STREQ(paragraph.Text(), "new");
}

} // namespace
