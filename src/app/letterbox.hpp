#pragma once

#include "app/geometry.hpp"

#include <allegro5/allegro.h>

// Every screen is composed in 800 x 600 on a canvas that stands where the display's back
// buffer used to; the window may have any size. Each present draws the canvas scaled to
// fit the window, keeping its shape, centred between black bars; every read of the mouse
// is mapped back into the canvas's own pixels (app::readMouse), so the screens' hit boxes
// hold at any size.
namespace app {

inline constexpr int kPictureWidth = 800;
inline constexpr int kPictureHeight = 600;

// Where the picture lies in the window, in window pixels.
struct Letterbox {
    int x, y, w, h;
    bool operator==(const Letterbox&) const = default;
};

// The largest picture of the canvas's shape that fits a window of that size, centred (the
// odd pixel of a bar goes to the right or bottom one). Never smaller than 1 x 1.
Letterbox fitPicture(int windowWidth, int windowHeight);

// The canvas pixel under window pixel (x, y) as the scaled picture shows it. At 800 x 600
// this is (x, y) itself; a pixel on a bar lies outside 0..799 x 0..599, so outside every
// hit box.
Point toPicture(const Letterbox& box, int x, int y);

// How many times 800 x 600 the window opens on a monitor of that size: the largest whole
// multiple that leaves a tenth of the monitor's width and height free for the window
// manager's frame and panels, and at least 1.
int windowScale(int monitorWidth, int monitorHeight);

// True when the picture is shown at a whole multiple of its size (800 x 600 itself
// included): each canvas pixel then becomes a square of window pixels, sharp, and the
// canvas is drawn without filtering. Any other size is filtered smoothly.
bool wholeMultiple(const Letterbox& box);

// Makes the canvas (Assets.canvas) and notes the window's size; false when it cannot be
// made. Called once the window is open.
bool createCanvas();

// The picture shown at 800 x 600 in the window's corner, as before any window
// (game::resetProcessState).
void resetLetterbox();

// Makes the canvas the target of the drawing calls that follow.
void setTargetCanvas();

// Draws the canvas onto the display's back buffer, fitted and letterboxed, and flips; a
// resized window is acknowledged first, and the canvas's filtering follows its new size.
// The drawing target is left as it was.
void presentCanvas();

// The picture's place in the window as last presented.
Letterbox shownLetterbox();

} // namespace app
