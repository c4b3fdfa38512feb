#pragma once

// Rectangles in window pixels and in the element sheet. Every screen keeps a small
// table of these beside the code that draws it, so no bare coordinates are scattered.
namespace app {

// A region that the pointer can hover. The top edge is excluded and the bottom edge
// included (y0 < y <= y1); both x edges are included, as the game's buttons were laid out.
struct HitBox {
    int x0, y0, x1, y1;
    constexpr bool contains(int x, int y) const { return x >= x0 && x <= x1 && y > y0 && y <= y1; }
};

// A rectangle of a picture, given as its top-left corner and size.
struct Rect {
    int x, y, w, h;
};

struct Point {
    int x, y;
};

} // namespace app
