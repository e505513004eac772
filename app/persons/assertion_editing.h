// The decisions of the assertion editor that need no window: where its tab control, buttons and pages
// go, which type a new event starts with, and how much of a typed template or prefix is stored.
#pragma once

#include <cstddef>

#include "core/place_record.h"
#include "persons/sentence_format.h"

struct LayoutBox {
    int x;
    int y;
    int width;
    int height;
    bool operator==(const LayoutBox&) const = default;
};

// The editor dialog in client pixels, below a kind page K pixels high, for a client width W, a button
// width B and a tab control of the given height (at least SmallestAssertionTabHeight).
struct AssertionEditorLayout {
    LayoutBox tab;          // the tab control
    int buttonY;            // top of the three buttons
    int saveX;              // button 1
    int cancelX;            // button 2
    int helpX;              // button 9
    int clientWidth;        // the dialog's client size after the layout
    int clientHeight;
};
inline constexpr int SmallestAssertionTabHeight = 148;
AssertionEditorLayout LayOutAssertionEditor(int kindPageHeight, int clientWidth, int buttonWidth,
                                            int tabHeight = SmallestAssertionTabHeight);

// Where a tab page goes in the editor dialog, given the tab control's display area (its client
// rectangle adjusted for the tabs, in the tab control's coordinates).
LayoutBox AssertionPageBox(int kindPageHeight, int displayLeft, int displayTop, int displayRight,
                           int displayBottom);

// The roles page for a client size: the list and the three buttons (new, edit, remove) beside it.
struct RolesPageLayout {
    LayoutBox list;
    LayoutBox buttons[3];
};
RolesPageLayout LayOutRolesPage(int width, int height);

// The entry a type list selects: the event's own type when it is listed; otherwise the second entry, as
// the standard birth is second among the sorted standard types; the only entry of a list of one; -1
// (nothing, the event keeps its type) for an empty list.
int ChooseTypeIndex(int entryCount, int matchingIndex);

// The longest texts the editor's fields store: the edits are limited to these, so that what the user
// sees is what is saved.
inline constexpr int TemplateEditLimit = static_cast<int>(FormattingTextSize) - 1;
inline constexpr int PlacePrefixLimit = static_cast<int>(sizeof(PlaceRow::prefix)) - 1;
