#include <gtest/gtest.h>

#include "persons/assertion_editing.h"

namespace {

TEST(AssertionEditorLayout, PlacesTabAndButtonsBelowTheKindPage)
{
    const AssertionEditorLayout layout = LayOutAssertionEditor(120, 420, 75);
    EXPECT_EQ(layout.tab, (LayoutBox{10, 120, 390, 148}));
    EXPECT_EQ(layout.buttonY, 280);
    EXPECT_EQ(layout.saveX, 60);
    EXPECT_EQ(layout.cancelX, 172);
    EXPECT_EQ(layout.helpX, 285);
    EXPECT_EQ(layout.clientWidth, 420);
    EXPECT_EQ(layout.clientHeight, 338);
}

TEST(AssertionEditorLayout, ATallerTabMovesTheButtonsDownButNeverShrinks)
{
    AssertionEditorLayout layout = LayOutAssertionEditor(120, 420, 75, 220);
    EXPECT_EQ(layout.tab.height, 220);
    EXPECT_EQ(layout.buttonY, 352);
    EXPECT_EQ(layout.clientHeight, 410);
    layout = LayOutAssertionEditor(120, 420, 75, 100);
    EXPECT_EQ(layout.tab.height, 148);
    EXPECT_EQ(layout.buttonY, 280);
}

TEST(AssertionEditorLayout, PagesSitInTheTabsDisplayArea)
{
    EXPECT_EQ(AssertionPageBox(120, 4, 24, 386, 144), (LayoutBox{16, 148, 376, 112}));
}

TEST(RolesPageLayout, ButtonsStandBesideTheListAndTheSizeHasAFloor)
{
    RolesPageLayout layout = LayOutRolesPage(300, 120);
    EXPECT_EQ(layout.list, (LayoutBox{0, 0, 284, 120}));
    EXPECT_EQ(layout.buttons[0], (LayoutBox{284, 0, 16, 16}));
    EXPECT_EQ(layout.buttons[1], (LayoutBox{284, 16, 16, 16}));
    EXPECT_EQ(layout.buttons[2], (LayoutBox{284, 32, 16, 16}));

    layout = LayOutRolesPage(50, 10);
    EXPECT_EQ(layout.list, (LayoutBox{0, 0, 184, 90}));
    EXPECT_EQ(layout.buttons[2], (LayoutBox{184, 32, 16, 16}));
}

TEST(ChooseTypeIndex, TheEventsOwnTypeElseTheSecondElseTheOnlyEntry)
{
    struct Case {
        int count;
        int match;
        int chosen;
    };
    const Case cases[] = {
        {3, 2, 2},  // the event's type is listed
        {3, -1, 1}, // a new event among A, B, C gets B
        {2, -1, 1},
        {1, -1, 0}, // one entry: that one, never an empty selection
        {0, -1, -1}, // none: nothing selected, the event keeps its type
        {3, 5, 1},  // a match outside the list counts as none
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseTypeIndex(c.count, c.match), c.chosen) << c.count << " " << c.match;
}

TEST(AssertionEditingLimits, EditsHoldNoMoreThanIsStored)
{
    EXPECT_EQ(TemplateEditLimit, 63);
    EXPECT_EQ(PlacePrefixLimit, 15);
}

} // namespace
