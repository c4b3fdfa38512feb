#include "app/letterbox.hpp"

#include "app/assets.hpp"
#include "app/events.hpp"
#include "app/palette.hpp"
#include "app/startup.hpp"
#include "app/window.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

namespace app {

namespace {

// The monitor's tenth kept free around a window that opens larger than 800 x 600.
constexpr int kFreeTenths = 1;

Letterbox shown{0, 0, kPictureWidth, kPictureHeight};
// The canvas's width in pixels; every picture-sized bitmap is measured from it.
int canvasWidth = kPictureWidth;
double scale = 1.0;
std::function<void()> recomposeHook;

constexpr int kStripHeight = 50;

int toPixels(int units) {
    return picturePixels(units, canvasWidth);
}

void setScaleTransform() {
    ALLEGRO_TRANSFORM transform;
    al_identity_transform(&transform);
    al_scale_transform(&transform, static_cast<float>(scale), static_cast<float>(scale));
    al_use_transform(&transform);
}

int maxBitmapSize() {
    const int size = al_get_display_option(Assets.display, ALLEGRO_MAX_BITMAP_SIZE);
    // Drivers that do not say take any size the window can have.
    return size > 0 ? size : 1 << 15;
}

// A new bitmap of the same picture at the current scale, the old one's pixels stretched
// onto it until the screen composes itself again; the old one is destroyed.
void remake(ALLEGRO_BITMAP*& bitmap, int w, int h) {
    ALLEGRO_BITMAP* remade = createPictureBitmap(w, h);
    if (remade == nullptr) {
        return; // the old one still serves, at its old size
    }
    if (bitmap != nullptr) {
        al_set_target_bitmap(remade);
        ALLEGRO_TRANSFORM identity;
        al_identity_transform(&identity);
        al_use_transform(&identity);
        al_draw_scaled_bitmap(bitmap, 0, 0, al_get_bitmap_width(bitmap),
                              al_get_bitmap_height(bitmap), 0, 0, al_get_bitmap_width(remade),
                              al_get_bitmap_height(remade), 0);
        setScaleTransform();
        al_destroy_bitmap(bitmap);
    }
    bitmap = remade;
}

// a / b rounded towards minus infinity, for b > 0.
long long floorDivide(long long a, long long b) {
    const long long q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// The picture pixel whose span holds the centre of the window pixel `offset` pixels from
// the picture's edge, when `full` picture pixels are shown on `scaled` window pixels.
int scaleBack(int offset, int scaled, int full) {
    return static_cast<int>(floorDivide((2LL * offset + 1) * full, 2LL * scaled));
}

Letterbox windowLetterbox() {
    return fitPicture(al_get_display_width(Assets.display), al_get_display_height(Assets.display));
}

// The canvas's new-bitmap flags for a picture shown in `box`.
int canvasFlags(int flags, const Letterbox& box) {
    return wholeMultiple(box) ? flags & ~kSmoothFilter : flags | kSmoothFilter;
}

} // namespace

void filterSmoothly(ALLEGRO_BITMAP* bitmap, bool smooth) {
    const int flags = al_get_bitmap_flags(bitmap);
    const int wanted = smooth ? flags | kSmoothFilter : flags & ~kSmoothFilter;
    if (wanted == flags) {
        return;
    }
    const int newFlags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(wanted);
    al_convert_bitmap(bitmap);
    al_set_new_bitmap_flags(newFlags);
}

Letterbox fitPicture(int windowWidth, int windowHeight) {
    const int width = std::max(windowWidth, 1);
    const int height = std::max(windowHeight, 1);
    int w = width;
    int h = height;
    // Compared in whole numbers: the window is no wider than 4:3, so the width fills it.
    if (static_cast<long long>(width) * kPictureHeight <=
        static_cast<long long>(height) * kPictureWidth) {
        h = std::max(1, (width * kPictureHeight + kPictureWidth / 2) / kPictureWidth);
    } else {
        w = std::max(1, (height * kPictureWidth + kPictureHeight / 2) / kPictureHeight);
    }
    return {(width - w) / 2, (height - h) / 2, w, h};
}

Point toPicture(const Letterbox& box, int x, int y) {
    return {scaleBack(x - box.x, box.w, kPictureWidth),
            scaleBack(y - box.y, box.h, kPictureHeight)};
}

bool wholeMultiple(const Letterbox& box) {
    const int scale = box.w / kPictureWidth;
    return scale >= 1 && box.w == kPictureWidth * scale && box.h == kPictureHeight * scale;
}

int windowScale(int monitorWidth, int monitorHeight) {
    const auto fits = [&](int scale) {
        const long long usableTenths = 10 - kFreeTenths;
        return 10LL * kPictureWidth * scale <= usableTenths * monitorWidth &&
               10LL * kPictureHeight * scale <= usableTenths * monitorHeight;
    };
    int scale = 1;
    while (fits(scale + 1)) {
        ++scale;
    }
    return scale;
}

int picturePixels(int units, int width) {
    // Rounded half up, as fitPicture rounds the box's other edge.
    const long long pixels =
        (static_cast<long long>(units) * width + kPictureWidth / 2) / kPictureWidth;
    return std::max(1, static_cast<int>(pixels));
}

int canvasWidthFor(const Letterbox& box, int maxBitmapSize) {
    // A bitmap as tall as the picture is three quarters as wide, so the width decides.
    return std::max(1, std::min(box.w, maxBitmapSize));
}

double pictureScale() {
    return scale;
}

void resetLetterbox() {
    shown = {0, 0, kPictureWidth, kPictureHeight};
    canvasWidth = kPictureWidth;
    scale = 1.0;
    recomposeHook = nullptr;
}

ALLEGRO_BITMAP* createPictureBitmap(int w, int h) {
    ALLEGRO_BITMAP* bitmap = al_create_bitmap(toPixels(w), toPixels(h));
    if (bitmap == nullptr) {
        return nullptr;
    }
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    al_set_target_bitmap(bitmap);
    setScaleTransform();
    al_set_target_bitmap(target);
    return bitmap;
}

void usePictureUnits() {
    setScaleTransform();
}

bool createCanvas() {
    shown = windowLetterbox();
    canvasWidth = canvasWidthFor(shown, maxBitmapSize());
    scale = static_cast<double>(canvasWidth) / kPictureWidth;
    const int flags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(canvasFlags(flags, shown));
    Assets.canvas = createPictureBitmap(kPictureWidth, kPictureHeight);
    al_set_new_bitmap_flags(flags);
    if (Assets.canvas == nullptr) {
        return false;
    }
    al_set_target_bitmap(Assets.canvas);
    al_clear_to_color(palette::kBlack);
    return true;
}

bool createWorkBitmaps() {
    Assets.screen = createPictureBitmap(kPictureWidth, kPictureHeight);
    Assets.scratch = createPictureBitmap(kPictureWidth, kPictureHeight);
    Assets.strip = createPictureBitmap(kPictureWidth, kStripHeight);
    return Assets.screen != nullptr && Assets.scratch != nullptr && Assets.strip != nullptr;
}

OnRescale::OnRescale(std::function<void()> recompose, bool over) : previous_(recomposeHook) {
    if (over && previous_) {
        recomposeHook = [beneath = previous_, recompose = std::move(recompose)] {
            beneath();
            recompose();
        };
    } else {
        recomposeHook = std::move(recompose);
    }
}

OnRescale::~OnRescale() {
    recomposeHook = std::move(previous_);
}

void rescale(int newWidth) {
    ALLEGRO_BITMAP* const target = al_get_target_bitmap();
    ALLEGRO_BITMAP** const work[] = {&Assets.canvas, &Assets.screen, &Assets.scratch,
                                     &Assets.strip};
    ALLEGRO_BITMAP** retarget = nullptr;
    for (ALLEGRO_BITMAP** bitmap : work) {
        if (*bitmap == target && target != nullptr) {
            retarget = bitmap;
        }
    }
    canvasWidth = newWidth;
    scale = static_cast<double>(canvasWidth) / kPictureWidth;
    // The art and fonts first: a picture being loaded holds a locked copy of itself for a
    // moment, and the work bitmaps remade afterwards do not add to that moment.
    loadScaledAssets();
    const int flags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(canvasFlags(flags, shown));
    remake(Assets.canvas, kPictureWidth, kPictureHeight);
    al_set_new_bitmap_flags(flags);
    remake(Assets.screen, kPictureWidth, kPictureHeight);
    remake(Assets.scratch, kPictureWidth, kPictureHeight);
    remake(Assets.strip, kPictureWidth, kStripHeight);
    if (recomposeHook) {
        recomposeHook();
    }
    al_set_target_bitmap(retarget != nullptr ? *retarget : target);
}

void setTargetCanvas() {
    al_set_target_bitmap(Assets.canvas);
}

void composeCanvas() {
    // A resize the window manager made during an animation is taken at once, so the
    // animation goes on at the new size.
    takeEvents();
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    // Acknowledging a resize sets up the drawing of whatever is the target: the back
    // buffer, never the canvas.
    al_set_target_backbuffer(Assets.display);
    if (takeResize()) {
        al_acknowledge_resize(Assets.display);
    }
    shown = windowLetterbox();
    if (Assets.canvas != nullptr && Assets.display != nullptr) {
        const int wanted = canvasWidthFor(shown, maxBitmapSize());
        if (wanted != canvasWidth) {
            al_set_target_bitmap(target);
            rescale(wanted);
            target = al_get_target_bitmap();
            al_set_target_backbuffer(Assets.display);
        }
    }
    // Only when the window's size moves between whole multiples and other sizes.
    filterSmoothly(Assets.canvas, !wholeMultiple(shown));
    // The bars are cleared every time: the back buffer holds nothing after a flip.
    al_clear_to_color(palette::kBlack);
    // The canvas has the letterbox's size: the copy is pixel for pixel, unless the picture
    // is shown larger than a bitmap can be.
    al_draw_scaled_bitmap(Assets.canvas, 0, 0, al_get_bitmap_width(Assets.canvas),
                          al_get_bitmap_height(Assets.canvas), shown.x, shown.y, shown.w, shown.h,
                          0);
    al_set_target_bitmap(target);
}

void flipComposed() {
    al_flip_display();
}

void presentCanvas() {
    composeCanvas();
    flipComposed();
}

Letterbox shownLetterbox() {
    return shown;
}

} // namespace app
