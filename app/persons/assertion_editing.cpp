#include "persons/assertion_editing.h"

#include <algorithm>

namespace {

// The buttons' distance below the tab control, and the client's bottom below the tab control.
constexpr int ButtonsBelowTab = 12;
constexpr int ClientBelowTab = 70;

constexpr int RolesButtonSize = 16;

} // namespace

AssertionEditorLayout LayOutAssertionEditor(int kindPageHeight, int clientWidth, int buttonWidth, int tabHeight)
{
    tabHeight = std::max(tabHeight, SmallestAssertionTabHeight);
    AssertionEditorLayout layout{};
    layout.tab = {10, kindPageHeight, clientWidth - 30, tabHeight};
    layout.buttonY = kindPageHeight + tabHeight + ButtonsBelowTab;
    layout.cancelX = (clientWidth - buttonWidth) / 2;
    layout.saveX = clientWidth / 7;
    layout.helpX = clientWidth - clientWidth / 7 - buttonWidth;
    layout.clientWidth = clientWidth;
    layout.clientHeight = kindPageHeight + tabHeight + ClientBelowTab;
    return layout;
}

LayoutBox AssertionPageBox(int kindPageHeight, int displayLeft, int displayTop, int displayRight,
                           int displayBottom)
{
    return {displayLeft + 12, displayTop + kindPageHeight + 4, displayRight - 10, displayBottom - 32};
}

RolesPageLayout LayOutRolesPage(int width, int height)
{
    const int w = std::max(width, 200);
    const int h = std::max(height, 90);
    RolesPageLayout layout{};
    layout.list = {0, 0, w - RolesButtonSize, h};
    for (int i = 0; i < 3; ++i)
        layout.buttons[i] = {w - RolesButtonSize, i * RolesButtonSize, RolesButtonSize, RolesButtonSize};
    return layout;
}

int ChooseTypeIndex(int entryCount, int matchingIndex)
{
    if (matchingIndex >= 0 && matchingIndex < entryCount)
        return matchingIndex;
    if (entryCount >= 2)
        return 1;
    return entryCount == 1 ? 0 : -1;
}
