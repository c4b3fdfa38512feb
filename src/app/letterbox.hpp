#pragma once

#include "app/geometry.hpp"

#include <allegro5/allegro.h>

#include <functional>

// Every screen is composed in 800 x 600 units on a canvas that stands where the display's
// back buffer used to; the window may have any size. The canvas and every bitmap a screen
// copies back from have the size the picture is shown at, with a scale transform from the
// units to their pixels, so lines, text and art are drawn at the shown size rather than
// stretched afterwards. Each present copies the canvas into the window, keeping its shape,
// centred between black bars; every read of the mouse is mapped back into 800 x 600
// (app::readMouse), so the screens' hit boxes hold at any size.
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
// included): the canvas is then copied without filtering. At any other size it is
// filtered smoothly, which only shows where the picture is larger than a bitmap may be
// and the canvas is stretched; otherwise the copy is pixel for pixel.
bool wholeMultiple(const Letterbox& box);

// The new-bitmap flags of a bitmap filtered smoothly when it is drawn scaled.
inline constexpr int kSmoothFilter = ALLEGRO_MIN_LINEAR | ALLEGRO_MAG_LINEAR;

// Gives `bitmap` smooth filtering or none; it is converted (its pixels kept) only when it
// has the other.
void filterSmoothly(ALLEGRO_BITMAP* bitmap, bool smooth);

// The canvas's width in pixels for a picture shown in `box`: the box's own, kept down so
// that a bitmap of the picture's size is no larger than `maxBitmapSize`. The scale is
// that width over 800.
int canvasWidthFor(const Letterbox& box, int maxBitmapSize);

// Pixels of a span of `units` picture units on a canvas `width` pixels wide, at least 1.
// The canvas's 800 x 600 become exactly the letterbox's size: its height rounds as
// fitPicture rounds the box's.
int picturePixels(int units, int width);

// The scale the canvas and the work bitmaps have now (the canvas's width over 800); 1
// before any window.
double pictureScale();

// Makes a bitmap of w x h picture units at the current scale, with the scale transform
// set on it; null when it cannot be made.
ALLEGRO_BITMAP* createPictureBitmap(int w, int h);

// Makes the current target draw in picture units again (after a copy in its own pixels).
void usePictureUnits();

// Makes the canvas (Assets.canvas) at the window's scale and notes the window's size;
// false when it cannot be made. Called once the window is open.
bool createCanvas();

// Makes the work bitmaps (screen, scratch, strip) at the current scale; false when one
// cannot be made.
bool createWorkBitmaps();

// The picture shown at 800 x 600 in the window's corner, as before any window
// (game::resetProcessState).
void resetLetterbox();

// Makes the canvas the target of the drawing calls that follow.
void setTargetCanvas();

// Draws the canvas onto the display's back buffer, fitted and letterboxed; a resized
// window is acknowledged first, and a new scale remakes the bitmaps, fonts and art at it
// and has the current screen compose itself again (app::OnRescale) before it is shown. The
// drawing target is left as it was. The back buffer then holds the picture as it is now,
// whatever is drawn into the canvas until the flip.
void composeCanvas();

// Shows the back buffer composed last.
void flipComposed();

// composeCanvas, then flipComposed.
void presentCanvas();

// The picture's place in the window as last presented.
Letterbox shownLetterbox();

// What redraws the screen that runs, whole, after a change of scale remade the bitmaps
// (their old pixels would only be a stretched copy): set for the screen's lifetime. A
// screen that replaces the one it was opened from recomposes alone; a dialog drawn over a
// screen (`over`) has the screen beneath recompose first, then draws itself over it. The
// hook composes into Assets.screen and the canvas as the screen itself does. Without a
// hook the stretched copy stands until the screen next composes itself.
class OnRescale {
  public:
    explicit OnRescale(std::function<void()> recompose, bool over = false);
    ~OnRescale();
    OnRescale(const OnRescale&) = delete;
    OnRescale& operator=(const OnRescale&) = delete;

  private:
    std::function<void()> previous_;
};

// Remakes everything that depends on the scale for a canvas `width` pixels wide, then
// recomposes the screen that runs. Called by the present that finds the window's scale
// changed.
void rescale(int width);

} // namespace app
