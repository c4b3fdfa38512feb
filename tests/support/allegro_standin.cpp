#include "support/allegro_standin.hpp"

#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

// The back buffer has the display's acknowledged size; the window the size the window
// manager gave it, which differs between a resize and its acknowledgement.
struct ALLEGRO_DISPLAY {
    ALLEGRO_BITMAP backbuffer;
    ALLEGRO_EVENT_SOURCE events{};
    int flags = 0;
    int windowW = 0, windowH = 0;
    int windowedW = 0, windowedH = 0;           // restored when full screen is left
    bool backbufferCleared = false;             // since the last flip
    std::optional<standin::Presented> composed; // drawn onto the back buffer since the last flip
};

// The default mixer, attached to the default voice as al_reserve_samples leaves it; the
// voice runs while it has the mixer.
struct ALLEGRO_MIXER {
    bool onVoice = true;
};

struct ALLEGRO_VOICE {};

struct ALLEGRO_EVENT_QUEUE {
    std::vector<ALLEGRO_EVENT_SOURCE*> sources;
    std::deque<ALLEGRO_EVENT> events;
};

namespace standin {
namespace {

// Where the real library asserts, the stand-in aborts too, so a test fails on what
// would crash the real game.
void require(bool condition, const char* call) {
    if (!condition) {
        std::fprintf(stderr, "Allegro stand-in: assertion failed in %s\n", call);
        std::abort();
    }
}

struct World {
    Log log;
    Config config;
    bool audioInstalled = false;
    bool voicesReserved = false;
    std::unique_ptr<ALLEGRO_DISPLAY> display;
    ALLEGRO_BITMAP* target = nullptr;
    ALLEGRO_MIXER mixer;
    ALLEGRO_EVENT_SOURCE keyboard{};
    ALLEGRO_EVENT_SOURCE mouseEvents{};
    std::vector<ALLEGRO_EVENT_QUEUE*> queues;
    ALLEGRO_MOUSE_STATE mouse{};
    int newDisplayFlags = 0;
    int newBitmapFlags = 0;
    std::function<void(int)> frameDriver;
    std::function<void(double)> restDriver;
    int loops = 0;
};

World& world() {
    static World w;
    return w;
}

// Handles given out stay valid until the binary ends, across resets: the game's records
// may still point at them.
struct Handles {
    std::vector<std::unique_ptr<ALLEGRO_BITMAP>> bitmaps;
    std::vector<std::unique_ptr<ALLEGRO_FONT>> fonts;
    std::vector<std::unique_ptr<ALLEGRO_SAMPLE>> samples;
    std::vector<std::unique_ptr<ALLEGRO_EVENT_QUEUE>> queues;
    std::set<Region> sheetRegions;
};

Handles& handles() {
    static Handles h;
    return h;
}

template <typename T> T* keep(std::vector<std::unique_ptr<T>>& store, T value) {
    store.push_back(std::make_unique<T>(std::move(value)));
    return store.back().get();
}

bool fileMissing(const char* path) {
    if (path != nullptr && !world().config.finerArt &&
        (std::strstr(path, "gr/2x/") != nullptr || std::strstr(path, "gr/3x/") != nullptr)) {
        return true;
    }
    return path == nullptr || world().config.missingFiles.count(path) > 0;
}

void post(ALLEGRO_EVENT_SOURCE* source, const ALLEGRO_EVENT& event) {
    for (ALLEGRO_EVENT_QUEUE* queue : world().queues) {
        if (std::find(queue->sources.begin(), queue->sources.end(), source) !=
            queue->sources.end()) {
            queue->events.push_back(event);
        }
    }
}

void postKey(ALLEGRO_EVENT_TYPE type, int keycode, int unichar, bool repeat) {
    ALLEGRO_EVENT event{};
    event.keyboard.type = type;
    event.keyboard.keycode = keycode;
    event.keyboard.unichar = unichar;
    event.keyboard.repeat = repeat;
    post(&world().keyboard, event);
}

void recordBitmap(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, bool tinted, float sx, float sy,
                  float sw, float sh, float dx, float dy, const char* call, float dw = -1,
                  float dh = -1) {
    require(bitmap != nullptr, call);
    require(world().target != nullptr, call);
    require(bitmap != world().target, call); // Allegro cannot draw a bitmap onto itself
    dw = dw < 0 ? sw : dw;
    dh = dh < 0 ? sh : dh;
    ALLEGRO_DISPLAY* display = world().display.get();
    if (display != nullptr && world().target == &display->backbuffer) {
        // Only a present draws onto the back buffer: the screens draw on their canvas. The
        // picture counts as presented when the flip shows it.
        display->composed = Presented{bitmap,
                                      dx,
                                      dy,
                                      dw,
                                      dh,
                                      display->backbuffer.w,
                                      display->backbuffer.h,
                                      display->backbufferCleared,
                                      0,
                                      0};
        return;
    }
    if (bitmap->name == "gr/elementy.png") {
        handles().sheetRegions.insert(Region{static_cast<int>(sx), static_cast<int>(sy),
                                             static_cast<int>(sw), static_cast<int>(sh)});
    }
    world().log.bitmaps.push_back(BitmapDraw{bitmap, world().target, sx, sy, sw, sh, dx, dy, tint,
                                             tinted, world().log.flips, dw, dh,
                                             world().target->transform.m[0][0]});
}

void recordWhole(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, bool tinted, float dx, float dy,
                 const char* call) {
    require(bitmap != nullptr, call);
    recordBitmap(bitmap, tint, tinted, 0, 0, bitmap->w, bitmap->h, dx, dy, call);
}

void postDisplayEvent(ALLEGRO_EVENT_TYPE type) {
    ALLEGRO_DISPLAY* display = world().display.get();
    ALLEGRO_EVENT event{};
    event.display.type = type;
    event.display.source = display;
    event.display.width = display->windowW;
    event.display.height = display->windowH;
    post(&display->events, event);
}

void recordText(const ALLEGRO_FONT* font, ALLEGRO_COLOR colour, float x, float y, const char* text,
                const char* call) {
    require(font != nullptr && text != nullptr, call);
    require(world().target != nullptr, call);
    world().log.texts.push_back(TextDraw{font, world().target, colour, x, y, text,
                                         world().log.flips, world().target->transform.m[0][0]});
}

void recordShape(Shape shape, float x1, float y1, float x2, float y2, ALLEGRO_COLOR colour) {
    require(world().target != nullptr, "primitive");
    world().log.shapes.push_back(ShapeDraw{shape, x1, y1, x2, y2, colour});
}

const ALLEGRO_COLOR kWhite{1, 1, 1, 1};

template <typename T, typename Field>
std::vector<T> where(const std::vector<T>& all, Field field, const auto& value) {
    std::vector<T> out;
    std::copy_if(all.begin(), all.end(), std::back_inserter(out),
                 [&](const T& item) { return item.*field == value; });
    return out;
}

} // namespace

Log& log() {
    return world().log;
}
Config& config() {
    return world().config;
}

void reset() {
    world() = World{};
}

const ALLEGRO_BITMAP* backbuffer() {
    return world().display ? &world().display->backbuffer : nullptr;
}

namespace {
void postMouse(ALLEGRO_EVENT_TYPE type, unsigned button) {
    ALLEGRO_EVENT event{};
    event.mouse.type = type;
    event.mouse.x = world().mouse.x;
    event.mouse.y = world().mouse.y;
    event.mouse.button = button;
    event.mouse.timestamp = world().log.clock;
    post(&world().mouseEvents, event);
}
} // namespace

// As X11 delivers it: a motion, then each button that went down or up.
void setMouse(int x, int y, int buttons) {
    ALLEGRO_MOUSE_STATE& mouse = world().mouse;
    if (x != mouse.x || y != mouse.y) {
        mouse.x = x;
        mouse.y = y;
        postMouse(ALLEGRO_EVENT_MOUSE_AXES, 0);
    }
    for (unsigned button = 1; button <= 3; ++button) {
        const int bit = 1 << (button - 1);
        if ((mouse.buttons & bit) != (buttons & bit)) {
            mouse.buttons ^= bit;
            postMouse((buttons & bit) != 0 ? ALLEGRO_EVENT_MOUSE_BUTTON_DOWN
                                           : ALLEGRO_EVENT_MOUSE_BUTTON_UP,
                      button);
        }
    }
}

void quickClick(int x, int y, int button) {
    setMouse(x, y, 0);
    setMouse(x, y, 1 << (button - 1));
    setMouse(x, y, 0);
}

void setFrameDriver(std::function<void(int)> driver) {
    world().frameDriver = std::move(driver);
}
void setRestDriver(std::function<void(double)> driver) {
    world().restDriver = std::move(driver);
}

void pressKey(int keycode, int unichar, int repeats) {
    postKey(ALLEGRO_EVENT_KEY_DOWN, keycode, 0, false);
    postKey(ALLEGRO_EVENT_KEY_CHAR, keycode, unichar, false);
    for (int i = 0; i < repeats; ++i) {
        postKey(ALLEGRO_EVENT_KEY_CHAR, keycode, unichar, true);
    }
    postKey(ALLEGRO_EVENT_KEY_UP, keycode, 0, false);
}

void clickWindowClose() {
    require(world().display != nullptr, "clickWindowClose");
    postDisplayEvent(ALLEGRO_EVENT_DISPLAY_CLOSE);
}

void resizeWindow(int w, int h) {
    ALLEGRO_DISPLAY* display = world().display.get();
    require(display != nullptr && (display->flags & ALLEGRO_RESIZABLE) != 0 &&
                (display->flags & ALLEGRO_FULLSCREEN_WINDOW) == 0,
            "resizeWindow");
    display->windowW = w;
    display->windowH = h;
    postDisplayEvent(ALLEGRO_EVENT_DISPLAY_RESIZE);
}

void exposeWindow() {
    require(world().display != nullptr, "exposeWindow");
    postDisplayEvent(ALLEGRO_EVENT_DISPLAY_EXPOSE);
}

void switchOutWindow() {
    require(world().display != nullptr, "switchOutWindow");
    postDisplayEvent(ALLEGRO_EVENT_DISPLAY_SWITCH_OUT);
}

int activeLoops() {
    return world().loops;
}

const std::set<Region>& sheetRegionsEverDrawn() {
    return handles().sheetRegions;
}

std::vector<BitmapDraw> drawsOf(const ALLEGRO_BITMAP* bitmap) {
    return where(world().log.bitmaps, &BitmapDraw::bitmap, bitmap);
}
std::vector<TextDraw> textsWith(const std::string& text) {
    return where(world().log.texts, &TextDraw::text, text);
}
std::vector<SamplePlay> playsOf(const std::string& path) {
    return where(world().log.plays, &SamplePlay::path, path);
}

Rgba rgba(ALLEGRO_COLOR c) {
    auto byte = [](float v) { return static_cast<int>(std::lround(v * 255.0f)); };
    return Rgba{byte(c.r), byte(c.g), byte(c.b), byte(c.a)};
}

} // namespace standin

using standin::require;
using standin::world;

extern "C" {

// --- system -----------------------------------------------------------------------
// clang-format off
bool al_install_system(int, int (*)(void (*)(void))) { return true; }
bool al_install_keyboard(void) { return world().config.keyboardWorks; }
bool al_install_mouse(void) { return world().config.mouseWorks; }
bool al_init_image_addon(void) { return true; }
bool al_init_primitives_addon(void) { return true; }
bool al_init_font_addon(void) { return true; }
bool al_init_ttf_addon(void) { return true; }
bool al_init_acodec_addon(void) { return true; }
// clang-format on

// The system's settings hold what the game sets in them.
struct ALLEGRO_CONFIG {
    std::map<std::pair<std::string, std::string>, std::string> values;
};

ALLEGRO_CONFIG* al_get_system_config(void) {
    static ALLEGRO_CONFIG config;
    return &config;
}

void al_set_config_value(ALLEGRO_CONFIG* config, const char* section, const char* key,
                         const char* value) {
    require(config != nullptr && section != nullptr && key != nullptr && value != nullptr,
            "al_set_config_value");
    config->values[{section, key}] = value;
}

bool al_install_audio(void) {
    world().audioInstalled = world().config.audioWorks;
    return world().audioInstalled;
}

bool al_is_audio_installed(void) {
    return world().audioInstalled;
}

void al_uninstall_audio(void) {
    world().audioInstalled = false;
    world().voicesReserved = false;
}

bool al_reserve_samples(int) {
    require(world().audioInstalled, "al_reserve_samples");
    world().voicesReserved = true;
    return true;
}

double al_get_time(void) {
    return world().log.clock;
}

void al_rest(double seconds) {
    world().log.clock += seconds + world().config.oversleep;
    if (world().restDriver) {
        world().restDriver(world().log.clock);
    }
}

// --- display and bitmaps -------------------------------------------------------------
ALLEGRO_DISPLAY* al_create_display(int w, int h) {
    if (!world().config.displayWorks) {
        return nullptr;
    }
    if (world().config.displayRefusals > 0) {
        --world().config.displayRefusals;
        return nullptr;
    }
    world().log.vsyncAtCreation = world().log.vsyncRequested;
    world().log.displayFlagsAtCreation = world().newDisplayFlags;
    world().log.createdW = w;
    world().log.createdH = h;
    world().display = std::make_unique<ALLEGRO_DISPLAY>();
    ALLEGRO_DISPLAY& display = *world().display;
    display.flags = world().newDisplayFlags;
    display.windowedW = display.windowW = w;
    display.windowedH = display.windowH = h;
    // As on X11, a full-screen window takes the monitor's size as it opens.
    if ((display.flags & ALLEGRO_FULLSCREEN_WINDOW) != 0) {
        display.windowW = world().config.monitorWidth;
        display.windowH = world().config.monitorHeight;
    }
    display.backbuffer = ALLEGRO_BITMAP{"backbuffer", display.windowW, display.windowH, false};
    world().target = &display.backbuffer;
    return &display;
}

void al_set_new_display_flags(int flags) {
    world().newDisplayFlags = flags;
}

int al_get_new_display_flags(void) {
    return world().newDisplayFlags;
}

int al_get_display_width(ALLEGRO_DISPLAY* display) {
    require(display != nullptr, "al_get_display_width");
    return display->backbuffer.w;
}

int al_get_display_height(ALLEGRO_DISPLAY* display) {
    require(display != nullptr, "al_get_display_height");
    return display->backbuffer.h;
}

int al_get_display_flags(ALLEGRO_DISPLAY* display) {
    require(display != nullptr, "al_get_display_flags");
    return display->flags;
}

// Acknowledging sets up the drawing of the current target for the new size; a game that
// did it with a bitmap of its own as the target would draw that bitmap wrongly.
bool al_acknowledge_resize(ALLEGRO_DISPLAY* display) {
    require(display != nullptr && world().target == &display->backbuffer, "al_acknowledge_resize");
    display->backbuffer.w = display->windowW;
    display->backbuffer.h = display->windowH;
    return true;
}

// As on X11: the switch waits for the window manager, acknowledges the new size itself and
// the window's resize event still arrives.
bool al_set_display_flag(ALLEGRO_DISPLAY* display, int flag, bool onoff) {
    require(display != nullptr, "al_set_display_flag");
    if (flag != ALLEGRO_FULLSCREEN_WINDOW) {
        return false;
    }
    require(world().target == &display->backbuffer, "al_set_display_flag");
    if (onoff == ((display->flags & ALLEGRO_FULLSCREEN_WINDOW) != 0)) {
        return true;
    }
    display->flags ^= ALLEGRO_FULLSCREEN_WINDOW;
    if (onoff) {
        display->windowedW = display->windowW;
        display->windowedH = display->windowH;
        display->windowW = world().config.monitorWidth;
        display->windowH = world().config.monitorHeight;
    } else {
        display->windowW = display->windowedW;
        display->windowH = display->windowedH;
    }
    al_acknowledge_resize(display);
    standin::postDisplayEvent(ALLEGRO_EVENT_DISPLAY_RESIZE);
    return true;
}

int al_get_num_video_adapters(void) {
    return world().config.monitorWidth > 0 ? 1 : 0;
}

bool al_get_monitor_info(int adapter, ALLEGRO_MONITOR_INFO* info) {
    require(info != nullptr, "al_get_monitor_info");
    if (adapter != 0 || world().config.monitorWidth <= 0) {
        return false;
    }
    *info = ALLEGRO_MONITOR_INFO{0, 0, world().config.monitorWidth, world().config.monitorHeight};
    return true;
}

void al_destroy_display(ALLEGRO_DISPLAY* display) {
    require(display != nullptr && display == world().display.get(), "al_destroy_display");
    world().target = nullptr;
    world().display.reset();
}

void al_set_window_title(ALLEGRO_DISPLAY*, const char*) {}

void al_set_new_display_option(int option, int value, int) {
    if (option == ALLEGRO_VSYNC) {
        world().log.vsyncRequested = value;
    }
}

ALLEGRO_EVENT_SOURCE* al_get_display_event_source(ALLEGRO_DISPLAY* display) {
    require(display != nullptr, "al_get_display_event_source");
    return &display->events;
}

ALLEGRO_BITMAP* al_get_backbuffer(ALLEGRO_DISPLAY* display) {
    require(display != nullptr, "al_get_backbuffer");
    return &display->backbuffer;
}

void al_flip_display(void) {
    require(world().display != nullptr, "al_flip_display");
    double& clock = world().log.clock;
    if (auto& composed = world().display->composed) {
        composed->frame = world().log.flips;
        composed->time = clock;
        world().log.presented.push_back(*composed);
        composed.reset();
    }
    if (const double hz = world().config.refreshHz; hz > 0) {
        clock = (std::floor(clock * hz + 1e-9) + 1) / hz;
    } else {
        clock += world().config.flipCost;
    }
    ++world().log.presents;
    world().display->backbufferCleared = false;
    const int flips = ++world().log.flips;
    if (world().frameDriver) {
        world().frameDriver(flips);
    }
}

int al_get_display_refresh_rate(ALLEGRO_DISPLAY* display) {
    require(display != nullptr, "al_get_display_refresh_rate");
    const standin::Config& config = world().config;
    if (config.reportedRefreshHz >= 0) {
        return config.reportedRefreshHz;
    }
    return config.refreshHz > 0 ? static_cast<int>(config.refreshHz) : 100000;
}

ALLEGRO_BITMAP* al_create_bitmap(int w, int h) {
    return standin::keep(standin::handles().bitmaps,
                         ALLEGRO_BITMAP{"", w, h, false, world().newBitmapFlags});
}

int al_get_bitmap_flags(ALLEGRO_BITMAP* bitmap) {
    require(bitmap != nullptr, "al_get_bitmap_flags");
    return bitmap->flags;
}

// The bitmap takes the new-bitmap flags and keeps its size and pixels.
void al_convert_bitmap(ALLEGRO_BITMAP* bitmap) {
    require(bitmap != nullptr, "al_convert_bitmap");
    bitmap->flags = world().newBitmapFlags;
    ++bitmap->conversions;
}

void al_set_new_bitmap_flags(int flags) {
    world().newBitmapFlags = flags;
}

int al_get_new_bitmap_flags(void) {
    return world().newBitmapFlags;
}

void al_destroy_bitmap(ALLEGRO_BITMAP* bitmap) {
    if (bitmap != nullptr && world().target == bitmap) {
        world().target = nullptr;
    }
}

bool al_filename_exists(const char* path) {
    return !standin::fileMissing(path);
}

ALLEGRO_BITMAP* al_load_bitmap(const char* path) {
    return standin::fileMissing(path)
               ? nullptr
               : standin::keep(standin::handles().bitmaps,
                               ALLEGRO_BITMAP{path, 0, 0, false, world().newBitmapFlags});
}

void al_convert_mask_to_alpha(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR mask) {
    require(bitmap != nullptr, "al_convert_mask_to_alpha");
    bitmap->maskedBlack = mask.r == 0 && mask.g == 0 && mask.b == 0;
}

void al_set_target_bitmap(ALLEGRO_BITMAP* bitmap) {
    world().target = bitmap;
}

void al_set_target_backbuffer(ALLEGRO_DISPLAY* display) {
    require(display != nullptr, "al_set_target_backbuffer");
    world().target = &display->backbuffer;
}

ALLEGRO_BITMAP* al_get_target_bitmap(void) {
    return world().target;
}

int al_get_bitmap_width(ALLEGRO_BITMAP* bitmap) {
    require(bitmap != nullptr, "al_get_bitmap_width");
    return bitmap->w;
}

int al_get_bitmap_height(ALLEGRO_BITMAP* bitmap) {
    require(bitmap != nullptr, "al_get_bitmap_height");
    return bitmap->h;
}

int al_get_display_option(ALLEGRO_DISPLAY* display, int option) {
    require(display != nullptr, "al_get_display_option");
    return option == ALLEGRO_MAX_BITMAP_SIZE ? world().config.maxBitmapSize : 0;
}

// Transforms: the arithmetic the game uses, and the one in force kept by each target.
void al_identity_transform(ALLEGRO_TRANSFORM* transform) {
    require(transform != nullptr, "al_identity_transform");
    *transform = ALLEGRO_TRANSFORM{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
}

void al_scale_transform(ALLEGRO_TRANSFORM* transform, float sx, float sy) {
    require(transform != nullptr, "al_scale_transform");
    for (int column = 0; column < 4; ++column) {
        transform->m[column][0] *= sx;
        transform->m[column][1] *= sy;
    }
}

void al_use_transform(const ALLEGRO_TRANSFORM* transform) {
    require(transform != nullptr && world().target != nullptr, "al_use_transform");
    world().target->transform = *transform;
}

const ALLEGRO_TRANSFORM* al_get_current_transform(void) {
    return world().target != nullptr ? &world().target->transform : nullptr;
}

void al_clear_to_color(ALLEGRO_COLOR) {
    require(world().target != nullptr, "al_clear_to_color");
    if (world().display && world().target == &world().display->backbuffer) {
        world().display->backbufferCleared = true;
    }
}

void al_draw_bitmap(ALLEGRO_BITMAP* bitmap, float dx, float dy, int) {
    standin::recordWhole(bitmap, standin::kWhite, false, dx, dy, "al_draw_bitmap");
}

void al_draw_tinted_bitmap(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float dx, float dy, int) {
    standin::recordWhole(bitmap, tint, true, dx, dy, "al_draw_tinted_bitmap");
}

void al_draw_bitmap_region(ALLEGRO_BITMAP* bitmap, float sx, float sy, float sw, float sh, float dx,
                           float dy, int) {
    standin::recordBitmap(bitmap, standin::kWhite, false, sx, sy, sw, sh, dx, dy,
                          "al_draw_bitmap_region");
}

void al_draw_tinted_bitmap_region(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float sx, float sy,
                                  float sw, float sh, float dx, float dy, int) {
    standin::recordBitmap(bitmap, tint, true, sx, sy, sw, sh, dx, dy,
                          "al_draw_tinted_bitmap_region");
}

void al_draw_scaled_bitmap(ALLEGRO_BITMAP* bitmap, float sx, float sy, float sw, float sh, float dx,
                           float dy, float dw, float dh, int) {
    standin::recordBitmap(bitmap, standin::kWhite, false, sx, sy, sw, sh, dx, dy,
                          "al_draw_scaled_bitmap", dw, dh);
}

void al_draw_tinted_scaled_bitmap(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float sx, float sy,
                                  float sw, float sh, float dx, float dy, float dw, float dh, int) {
    standin::recordBitmap(bitmap, tint, true, sx, sy, sw, sh, dx, dy,
                          "al_draw_tinted_scaled_bitmap", dw, dh);
}

ALLEGRO_COLOR al_map_rgb(unsigned char r, unsigned char g, unsigned char b) {
    return al_map_rgba(r, g, b, 255);
}

ALLEGRO_COLOR al_map_rgba(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    return ALLEGRO_COLOR{r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f};
}

ALLEGRO_COLOR al_map_rgba_f(float r, float g, float b, float a) {
    return ALLEGRO_COLOR{r, g, b, a};
}

// --- fonts and text ----------------------------------------------------------------
ALLEGRO_FONT* al_load_ttf_font(const char* path, int size, int) {
    return standin::fileMissing(path) ? nullptr
                                      : standin::keep(standin::handles().fonts, ALLEGRO_FONT{size});
}

void al_destroy_font(ALLEGRO_FONT*) {}

void al_draw_text(const ALLEGRO_FONT* font, ALLEGRO_COLOR colour, float x, float y, int,
                  const char* text) {
    standin::recordText(font, colour, x, y, text, "al_draw_text");
}

void al_draw_textf(const ALLEGRO_FONT* font, ALLEGRO_COLOR colour, float x, float y, int,
                   const char* format, ...) {
    require(format != nullptr, "al_draw_textf");
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    standin::recordText(font, colour, x, y, buffer, "al_draw_textf");
}

// --- primitives --------------------------------------------------------------------
// Rounded rectangles are recorded as plain ones; the radii do not matter to tests.
void al_draw_line(float x1, float y1, float x2, float y2, ALLEGRO_COLOR colour, float) {
    standin::recordShape(standin::Shape::Line, x1, y1, x2, y2, colour);
}

void al_draw_rectangle(float x1, float y1, float x2, float y2, ALLEGRO_COLOR colour, float) {
    standin::recordShape(standin::Shape::Rectangle, x1, y1, x2, y2, colour);
}

void al_draw_rounded_rectangle(float x1, float y1, float x2, float y2, float, float,
                               ALLEGRO_COLOR colour, float) {
    standin::recordShape(standin::Shape::Rectangle, x1, y1, x2, y2, colour);
}

void al_draw_filled_rectangle(float x1, float y1, float x2, float y2, ALLEGRO_COLOR colour) {
    standin::recordShape(standin::Shape::FilledRectangle, x1, y1, x2, y2, colour);
}

void al_draw_filled_rounded_rectangle(float x1, float y1, float x2, float y2, float, float,
                                      ALLEGRO_COLOR colour) {
    standin::recordShape(standin::Shape::FilledRectangle, x1, y1, x2, y2, colour);
}

// --- events and input --------------------------------------------------------------
ALLEGRO_EVENT_QUEUE* al_create_event_queue(void) {
    ALLEGRO_EVENT_QUEUE* queue = standin::keep(standin::handles().queues, ALLEGRO_EVENT_QUEUE{});
    world().queues.push_back(queue);
    return queue;
}

void al_destroy_event_queue(ALLEGRO_EVENT_QUEUE* queue) {
    require(queue != nullptr, "al_destroy_event_queue");
    auto& queues = world().queues;
    queues.erase(std::remove(queues.begin(), queues.end(), queue), queues.end());
    queue->sources.clear();
    queue->events.clear();
}

void al_register_event_source(ALLEGRO_EVENT_QUEUE* queue, ALLEGRO_EVENT_SOURCE* source) {
    require(queue != nullptr && source != nullptr, "al_register_event_source");
    queue->sources.push_back(source);
}

ALLEGRO_EVENT_SOURCE* al_get_keyboard_event_source(void) {
    return &world().keyboard;
}

bool al_get_next_event(ALLEGRO_EVENT_QUEUE* queue, ALLEGRO_EVENT* event) {
    require(queue != nullptr && event != nullptr, "al_get_next_event");
    if (queue->events.empty()) {
        return false;
    }
    *event = queue->events.front();
    queue->events.pop_front();
    return true;
}

bool al_peek_next_event(ALLEGRO_EVENT_QUEUE* queue, ALLEGRO_EVENT* event) {
    require(queue != nullptr && event != nullptr, "al_peek_next_event");
    if (queue->events.empty()) {
        return false;
    }
    *event = queue->events.front();
    return true;
}

bool al_drop_next_event(ALLEGRO_EVENT_QUEUE* queue) {
    require(queue != nullptr, "al_drop_next_event");
    if (queue->events.empty()) {
        return false;
    }
    queue->events.pop_front();
    return true;
}

ALLEGRO_EVENT_SOURCE* al_get_mouse_event_source(void) {
    return &world().mouseEvents;
}

void al_flush_event_queue(ALLEGRO_EVENT_QUEUE* queue) {
    require(queue != nullptr, "al_flush_event_queue");
    queue->events.clear();
}

// A waiting screen's sleep: an event already queued ends it at once; otherwise it lasts
// its whole time and counts as a frame, after which the scripts may post events.
bool al_wait_for_event_timed(ALLEGRO_EVENT_QUEUE* queue, ALLEGRO_EVENT* event, float secs) {
    require(queue != nullptr, "al_wait_for_event_timed");
    if (!queue->events.empty()) {
        // Without a place for it the event stays queued, as Allegro leaves it.
        if (event != nullptr) {
            *event = queue->events.front();
            queue->events.pop_front();
        }
        return true;
    }
    al_rest(secs);
    const int frames = ++world().log.flips;
    if (world().frameDriver) {
        world().frameDriver(frames);
    }
    return false;
}

bool al_is_event_queue_empty(ALLEGRO_EVENT_QUEUE* queue) {
    require(queue != nullptr, "al_is_event_queue_empty");
    return queue->events.empty();
}

void al_get_mouse_state(ALLEGRO_MOUSE_STATE* state) {
    require(state != nullptr, "al_get_mouse_state");
    *state = world().mouse;
}

// --- audio -------------------------------------------------------------------------
ALLEGRO_SAMPLE* al_load_sample(const char* path) {
    return standin::fileMissing(path)
               ? nullptr
               : standin::keep(standin::handles().samples, ALLEGRO_SAMPLE{path});
}

void al_destroy_sample(ALLEGRO_SAMPLE*) {}

bool al_play_sample(ALLEGRO_SAMPLE* sample, float gain, float, float, ALLEGRO_PLAYMODE mode,
                    ALLEGRO_SAMPLE_ID*) {
    require(sample != nullptr && world().voicesReserved, "al_play_sample");
    world().log.plays.push_back(
        standin::SamplePlay{sample->path, gain, mode, world().log.clock, world().log.flips});
    world().loops += mode == ALLEGRO_PLAYMODE_LOOP ? 1 : 0;
    return true;
}

void al_stop_samples(void) {
    require(world().voicesReserved, "al_stop_samples");
    ++world().log.stopSamplesCalls;
    world().loops = 0;
}

ALLEGRO_MIXER* al_get_default_mixer(void) {
    return world().voicesReserved ? &world().mixer : nullptr;
}

// Every sample lasts a second.
unsigned int al_get_sample_length(const ALLEGRO_SAMPLE* sample) {
    require(sample != nullptr, "al_get_sample_length");
    return standin::kSampleFrequency;
}

unsigned int al_get_sample_frequency(const ALLEGRO_SAMPLE* sample) {
    require(sample != nullptr, "al_get_sample_frequency");
    return standin::kSampleFrequency;
}

ALLEGRO_VOICE* al_get_default_voice(void) {
    static ALLEGRO_VOICE voice;
    return world().voicesReserved ? &voice : nullptr;
}

// A voice with a mixer attached counts as playing, as Allegro's does.
bool al_get_voice_playing(const ALLEGRO_VOICE* voice) {
    require(voice != nullptr, "al_get_voice_playing");
    return world().mixer.onVoice;
}

void al_detach_voice(ALLEGRO_VOICE* voice) {
    require(voice != nullptr, "al_detach_voice");
    if (std::exchange(world().config.voiceStopHangs, false)) {
        static std::mutex never;
        std::unique_lock<std::mutex> held(never);
        std::condition_variable().wait(held, [] { return false; });
    }
    world().mixer.onVoice = false;
}

bool al_attach_mixer_to_voice(ALLEGRO_MIXER* mixer, ALLEGRO_VOICE* voice) {
    require(mixer != nullptr && voice != nullptr, "al_attach_mixer_to_voice");
    if (mixer->onVoice) {
        return false; // the mixer has a voice already
    }
    mixer->onVoice = true;
    return true;
}

} // extern "C"

// --- streamed audio ------------------------------------------------------------------
namespace standin {
namespace {
std::vector<std::unique_ptr<ALLEGRO_AUDIO_STREAM>>& streams() {
    static std::vector<std::unique_ptr<ALLEGRO_AUDIO_STREAM>> kept;
    return kept;
}
} // namespace
} // namespace standin

extern "C" {

ALLEGRO_AUDIO_STREAM* al_load_audio_stream(const char* path, size_t buffers, unsigned samples) {
    require(buffers > 0 && samples > 0, "al_load_audio_stream");
    if (standin::fileMissing(path)) {
        return nullptr;
    }
    ALLEGRO_AUDIO_STREAM stream;
    stream.path = path;
    return standin::keep(standin::streams(), std::move(stream));
}

bool al_attach_audio_stream_to_mixer(ALLEGRO_AUDIO_STREAM* stream, ALLEGRO_MIXER* mixer) {
    require(stream != nullptr && mixer != nullptr, "al_attach_audio_stream_to_mixer");
    stream->attached = true;
    return true;
}

bool al_set_audio_stream_playmode(ALLEGRO_AUDIO_STREAM* stream, ALLEGRO_PLAYMODE mode) {
    require(stream != nullptr, "al_set_audio_stream_playmode");
    stream->mode = mode;
    return true;
}

bool al_set_audio_stream_gain(ALLEGRO_AUDIO_STREAM* stream, float gain) {
    require(stream != nullptr, "al_set_audio_stream_gain");
    stream->gain = gain;
    stream->gains.push_back(gain);
    return true;
}

// A stream stopped and started again goes on from where it stood, as Allegro's does.
bool al_get_audio_stream_playing(const ALLEGRO_AUDIO_STREAM* stream) {
    require(stream != nullptr, "al_get_audio_stream_playing");
    return stream->playing;
}

bool al_set_audio_stream_playing(ALLEGRO_AUDIO_STREAM* stream, bool playing) {
    require(stream != nullptr, "al_set_audio_stream_playing");
    if (playing && !stream->playing) {
        require(stream->attached, "al_set_audio_stream_playing");
        stream->startsAtStart.push_back(stream->atStart);
        stream->atStart = false;
    }
    stream->playing = playing;
    return true;
}

bool al_rewind_audio_stream(ALLEGRO_AUDIO_STREAM* stream) {
    require(stream != nullptr, "al_rewind_audio_stream");
    stream->atStart = true;
    return true;
}

// The stream never moves on: whatever is left of it is left whole.
double al_get_audio_stream_length_secs(ALLEGRO_AUDIO_STREAM* stream) {
    require(stream != nullptr, "al_get_audio_stream_length_secs");
    return standin::kStreamSeconds;
}

double al_get_audio_stream_position_secs(ALLEGRO_AUDIO_STREAM* stream) {
    require(stream != nullptr, "al_get_audio_stream_position_secs");
    return 0.0;
}

} // extern "C"
