// The frame window's geometry: where the status bar's parts end and where the frame starts.
#pragma once

#include <array>

inline constexpr int StatusBarHeight = 20;
inline constexpr int MdiClientGapBelowRebar = 4;

// The right ends of the status bar's three parts for a client width.
std::array<int, 3> StatusBarPartEnds(int clientWidth);

// A saved frame position that lies far off every screen comes back to 0; negative ones stay.
struct FramePosition {
    int x;
    int y;
};
FramePosition SanitizeFramePosition(int x, int y);
