// What a document window or page tells the frame about the commands it serves: a frame command's menu item
// and its toolbar buttons are enabled or greyed together, and notices of changes go to the frame, which
// relays them to every document window.
#pragma once

#include <windows.h>

// Enables or greys `command` in the frame's menu and on every toolbar that has a button for it. Does
// nothing while there is no frame.
void EnableFrameCommand(UINT command, bool enable);

// Posts a change notice to the frame; nothing while there is none.
void PostNoticeToFrame(UINT notice, WPARAM wParam, LPARAM lParam);
