#include "frame/frame_layout.h"

std::array<int, 3> StatusBarPartEnds(int clientWidth)
{
    if (clientWidth < 40)
        return {0, 0, 0};
    if (clientWidth < 200)
        return {clientWidth - 20, 0, 0};
    return {clientWidth - 104, clientWidth - 62, clientWidth - 18};
}

FramePosition SanitizeFramePosition(int x, int y)
{
    return {x > 4000 ? 0 : x, y > 2000 ? 0 : y};
}
