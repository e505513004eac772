// The five toolbars of the frame in one rebar, their tooltips and their visibility.
#pragma once

#include <windows.h>
#include <commctrl.h>

inline constexpr int ToolbarBandCount = 5;

// Creates RebarWindow with its five bands, shows each band by its setting and checks its View/Toolbars
// item accordingly.
void CreateToolbars(HWND frame);
// Checks the five View/Toolbars items of the frame's menu by the settings.
void CheckToolbarMenuItems(HWND frame);
// TTN_NEEDTEXT of a toolbar button: the language text chosen by its command.
void GetToolbarTooltipText(NMHDR* request);
// The language key of a button's tooltip, or null for a command without a button.
const char* ToolbarTooltipKey(UINT command);
// The band toggled by a View/Toolbars command, or -1.
int ToolbarBandOfCommand(UINT command);
// Inverts the band's setting, its menu check and its visibility, and stores the setting.
void ToggleToolbarBand(HWND frame, int band);
// Frees the toolbars' images once the toolbars are gone.
void DestroyToolbarImages();
// Enables or greys a button of a toolbar (by its toolbar control id) in the rebar.
void EnableToolbarButton(int toolbarId, UINT command, bool enable);
