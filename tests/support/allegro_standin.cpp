#include "support/allegro_standin.hpp"

#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>

struct ALLEGRO_DISPLAY {
    ALLEGRO_BITMAP backbuffer;
    ALLEGRO_EVENT_SOURCE events{};
};

struct ALLEGRO_MIXER {
    int unused = 0;
};

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
    bool systemInstalled = false;
    bool audioInstalled = false;
    bool voicesReserved = false;
    std::unique_ptr<ALLEGRO_DISPLAY> display;
    ALLEGRO_BITMAP* target = nullptr;
    ALLEGRO_MIXER mixer;
    ALLEGRO_EVENT_SOURCE keyboard{};
    std::vector<ALLEGRO_EVENT_QUEUE*> queues;
    ALLEGRO_MOUSE_STATE mouse{};
    std::function<void(int)> frameDriver;
    std::function<void(double)> restDriver;
    std::vector<std::unique_ptr<ALLEGRO_BITMAP>> bitmaps;
    std::vector<std::unique_ptr<ALLEGRO_FONT>> fonts;
    std::vector<std::unique_ptr<ALLEGRO_SAMPLE>> samples;
    std::vector<std::unique_ptr<ALLEGRO_SAMPLE_INSTANCE>> instances;
    std::vector<std::unique_ptr<ALLEGRO_EVENT_QUEUE>> queueStore;
    int createdBitmaps = 0;
    int loops = 0;
};

World& world() {
    static World w;
    return w;
}

const char* const kSheetPath = "gr/elementy.png";

std::set<Region>& sheetRegions() {
    static std::set<Region> regions;
    return regions;
}

bool fileMissing(const char* path) {
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

ALLEGRO_EVENT keyEvent(ALLEGRO_EVENT_TYPE type, int keycode, int unichar, unsigned modifiers,
                       bool repeat) {
    ALLEGRO_EVENT event{};
    event.keyboard.type = type;
    event.keyboard.source = nullptr;
    event.keyboard.timestamp = world().log.clock;
    event.keyboard.display = world().display.get();
    event.keyboard.keycode = keycode;
    event.keyboard.unichar = unichar;
    event.keyboard.modifiers = modifiers;
    event.keyboard.repeat = repeat;
    return event;
}

void recordBitmap(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, bool tinted, float sx, float sy,
                  float sw, float sh, float dx, float dy, float dw, float dh, int flags,
                  const char* call) {
    require(bitmap != nullptr, call);
    require(world().target != nullptr, call);
    require(bitmap != world().target, call); // Allegro cannot draw a bitmap onto itself
    if (bitmap->name == kSheetPath) {
        sheetRegions().insert(Region{static_cast<int>(sx), static_cast<int>(sy),
                                     static_cast<int>(sw), static_cast<int>(sh)});
    }
    world().log.bitmaps.push_back(BitmapDraw{bitmap, world().target, sx, sy, sw, sh, dx, dy, dw, dh,
                                             tint, tinted, flags, world().log.flips});
}

ALLEGRO_COLOR white() { return ALLEGRO_COLOR{1, 1, 1, 1}; }

} // namespace

Log& log() { return world().log; }
Config& config() { return world().config; }

void reset() {
    World& w = world();
    w.log = Log{};
    w.config = Config{};
    w.systemInstalled = w.audioInstalled = w.voicesReserved = false;
    w.display.reset();
    w.target = nullptr;
    w.queues.clear();
    w.mouse = ALLEGRO_MOUSE_STATE{};
    w.frameDriver = nullptr;
    w.restDriver = nullptr;
    w.loops = 0;
    // Handles given out earlier stay valid (the game's records may still point at
    // them); they are only dropped when the test binary ends.
}

const ALLEGRO_BITMAP* backbuffer() {
    return world().display ? &world().display->backbuffer : nullptr;
}

void setMouse(int x, int y, int buttons) {
    world().mouse.x = x;
    world().mouse.y = y;
    world().mouse.buttons = buttons;
}

void setFrameDriver(std::function<void(int)> driver) { world().frameDriver = std::move(driver); }
void setRestDriver(std::function<void(double)> driver) { world().restDriver = std::move(driver); }

void pressKey(int keycode, int unichar, int repeats, unsigned modifiers) {
    ALLEGRO_EVENT_SOURCE* source = &world().keyboard;
    post(source, keyEvent(ALLEGRO_EVENT_KEY_DOWN, keycode, 0, modifiers, false));
    post(source, keyEvent(ALLEGRO_EVENT_KEY_CHAR, keycode, unichar, modifiers, false));
    for (int i = 0; i < repeats; ++i) {
        post(source, keyEvent(ALLEGRO_EVENT_KEY_CHAR, keycode, unichar, modifiers, true));
    }
    post(source, keyEvent(ALLEGRO_EVENT_KEY_UP, keycode, 0, modifiers, false));
}

void pressModifier(int keycode) {
    ALLEGRO_EVENT_SOURCE* source = &world().keyboard;
    post(source, keyEvent(ALLEGRO_EVENT_KEY_DOWN, keycode, 0, 0, false));
    post(source, keyEvent(ALLEGRO_EVENT_KEY_UP, keycode, 0, 0, false));
}

void clickWindowClose() {
    require(world().display != nullptr, "clickWindowClose");
    ALLEGRO_EVENT event{};
    event.display.type = ALLEGRO_EVENT_DISPLAY_CLOSE;
    event.display.source = world().display.get();
    post(&world().display->events, event);
}

int activeLoops() { return world().loops; }

const std::set<Region>& sheetRegionsEverDrawn() { return sheetRegions(); }

std::vector<BitmapDraw> drawsOf(const ALLEGRO_BITMAP* bitmap) {
    std::vector<BitmapDraw> out;
    for (const BitmapDraw& draw : world().log.bitmaps) {
        if (draw.bitmap == bitmap) {
            out.push_back(draw);
        }
    }
    return out;
}

std::vector<TextDraw> textsWith(const std::string& text) {
    std::vector<TextDraw> out;
    for (const TextDraw& draw : world().log.texts) {
        if (draw.text == text) {
            out.push_back(draw);
        }
    }
    return out;
}

std::vector<SamplePlay> playsOf(const std::string& path) {
    std::vector<SamplePlay> out;
    for (const SamplePlay& play : world().log.plays) {
        if (play.path == path) {
            out.push_back(play);
        }
    }
    return out;
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
bool al_install_system(int, int (*)(void (*)(void))) {
    world().systemInstalled = true;
    return true;
}
void al_uninstall_system(void) { world().systemInstalled = false; }
bool al_install_keyboard(void) { return true; }
bool al_install_mouse(void) { return true; }
bool al_init_image_addon(void) { return true; }
bool al_init_primitives_addon(void) { return true; }
bool al_init_font_addon(void) { return true; }
bool al_init_ttf_addon(void) { return true; }
bool al_init_acodec_addon(void) { return true; }

bool al_install_audio(void) {
    world().audioInstalled = world().config.audioWorks;
    return world().audioInstalled;
}

bool al_reserve_samples(int) {
    require(world().audioInstalled, "al_reserve_samples");
    world().voicesReserved = true;
    return true;
}

void al_rest(double seconds) {
    world().log.clock += seconds;
    if (world().restDriver) {
        world().restDriver(world().log.clock);
    }
}

double al_get_time(void) { return world().log.clock; }

// --- display and bitmaps -------------------------------------------------------------
ALLEGRO_DISPLAY* al_create_display(int w, int h) {
    if (!world().config.displayWorks) {
        return nullptr;
    }
    world().display = std::make_unique<ALLEGRO_DISPLAY>();
    world().display->backbuffer = ALLEGRO_BITMAP{"backbuffer", w, h, false};
    world().target = &world().display->backbuffer;
    return world().display.get();
}

void al_destroy_display(ALLEGRO_DISPLAY* display) {
    require(display != nullptr && display == world().display.get(), "al_destroy_display");
    world().target = nullptr;
    world().display.reset();
}

void al_set_window_title(ALLEGRO_DISPLAY*, const char*) {}

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
    int flips = ++world().log.flips;
    if (world().frameDriver) {
        world().frameDriver(flips);
    }
}

ALLEGRO_BITMAP* al_create_bitmap(int w, int h) {
    auto& store = world().bitmaps;
    store.push_back(std::make_unique<ALLEGRO_BITMAP>(
        ALLEGRO_BITMAP{"bitmap#" + std::to_string(++world().createdBitmaps), w, h, false}));
    return store.back().get();
}

void al_destroy_bitmap(ALLEGRO_BITMAP* bitmap) {
    if (bitmap != nullptr && world().target == bitmap) {
        world().target = nullptr;
    }
}

ALLEGRO_BITMAP* al_load_bitmap(const char* path) {
    world().log.loaded.push_back(path ? path : "");
    if (standin::fileMissing(path)) {
        return nullptr;
    }
    auto& store = world().bitmaps;
    store.push_back(std::make_unique<ALLEGRO_BITMAP>(ALLEGRO_BITMAP{path, 0, 0, false}));
    return store.back().get();
}

void al_convert_mask_to_alpha(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR mask) {
    require(bitmap != nullptr, "al_convert_mask_to_alpha");
    bitmap->maskedBlack = mask.r == 0 && mask.g == 0 && mask.b == 0;
}

void al_set_target_bitmap(ALLEGRO_BITMAP* bitmap) { world().target = bitmap; }

void al_set_target_backbuffer(ALLEGRO_DISPLAY* display) {
    require(display != nullptr, "al_set_target_backbuffer");
    world().target = &display->backbuffer;
}

ALLEGRO_BITMAP* al_get_target_bitmap(void) { return world().target; }

int al_get_bitmap_width(ALLEGRO_BITMAP* bitmap) {
    require(bitmap != nullptr, "al_get_bitmap_width");
    return bitmap->w;
}

int al_get_bitmap_height(ALLEGRO_BITMAP* bitmap) {
    require(bitmap != nullptr, "al_get_bitmap_height");
    return bitmap->h;
}

void al_clear_to_color(ALLEGRO_COLOR colour) {
    require(world().target != nullptr, "al_clear_to_color");
    world().log.shapes.push_back(standin::ShapeDraw{standin::Shape::Clear, world().target, 0, 0, 0,
                                                    0, colour, 0, world().log.flips});
}

void al_draw_bitmap(ALLEGRO_BITMAP* bitmap, float dx, float dy, int flags) {
    require(bitmap != nullptr, "al_draw_bitmap");
    standin::recordBitmap(bitmap, standin::white(), false, 0, 0, bitmap->w, bitmap->h, dx, dy,
                          bitmap->w, bitmap->h, flags, "al_draw_bitmap");
}

void al_draw_tinted_bitmap(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float dx, float dy,
                           int flags) {
    require(bitmap != nullptr, "al_draw_tinted_bitmap");
    standin::recordBitmap(bitmap, tint, true, 0, 0, bitmap->w, bitmap->h, dx, dy, bitmap->w,
                          bitmap->h, flags, "al_draw_tinted_bitmap");
}

void al_draw_bitmap_region(ALLEGRO_BITMAP* bitmap, float sx, float sy, float sw, float sh,
                           float dx, float dy, int flags) {
    standin::recordBitmap(bitmap, standin::white(), false, sx, sy, sw, sh, dx, dy, sw, sh, flags,
                          "al_draw_bitmap_region");
}

void al_draw_tinted_bitmap_region(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float sx, float sy,
                                  float sw, float sh, float dx, float dy, int flags) {
    standin::recordBitmap(bitmap, tint, true, sx, sy, sw, sh, dx, dy, sw, sh, flags,
                          "al_draw_tinted_bitmap_region");
}

void al_draw_scaled_bitmap(ALLEGRO_BITMAP* bitmap, float sx, float sy, float sw, float sh,
                           float dx, float dy, float dw, float dh, int flags) {
    standin::recordBitmap(bitmap, standin::white(), false, sx, sy, sw, sh, dx, dy, dw, dh, flags,
                          "al_draw_scaled_bitmap");
}

void al_draw_tinted_scaled_bitmap(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float sx, float sy,
                                  float sw, float sh, float dx, float dy, float dw, float dh,
                                  int flags) {
    standin::recordBitmap(bitmap, tint, true, sx, sy, sw, sh, dx, dy, dw, dh, flags,
                          "al_draw_tinted_scaled_bitmap");
}

ALLEGRO_COLOR al_map_rgb(unsigned char r, unsigned char g, unsigned char b) {
    return al_map_rgba(r, g, b, 255);
}

ALLEGRO_COLOR al_map_rgba(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    return ALLEGRO_COLOR{r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f};
}

ALLEGRO_COLOR al_map_rgb_f(float r, float g, float b) { return ALLEGRO_COLOR{r, g, b, 1.0f}; }
ALLEGRO_COLOR al_map_rgba_f(float r, float g, float b, float a) {
    return ALLEGRO_COLOR{r, g, b, a};
}

// --- fonts and text ----------------------------------------------------------------
ALLEGRO_FONT* al_load_ttf_font(const char* path, int size, int) {
    world().log.loaded.push_back(path ? path : "");
    if (standin::fileMissing(path)) {
        return nullptr;
    }
    auto& store = world().fonts;
    store.push_back(std::make_unique<ALLEGRO_FONT>(ALLEGRO_FONT{path, size}));
    return store.back().get();
}

void al_destroy_font(ALLEGRO_FONT*) {}

static void recordText(const ALLEGRO_FONT* font, ALLEGRO_COLOR colour, float x, float y, int flags,
                       std::string text, const char* call) {
    require(font != nullptr, call);
    require(world().target != nullptr, call);
    world().log.texts.push_back(standin::TextDraw{font, world().target, colour, x, y, flags,
                                                  std::move(text), world().log.flips});
}

void al_draw_text(const ALLEGRO_FONT* font, ALLEGRO_COLOR colour, float x, float y, int flags,
                  const char* text) {
    require(text != nullptr, "al_draw_text");
    recordText(font, colour, x, y, flags, text, "al_draw_text");
}

void al_draw_textf(const ALLEGRO_FONT* font, ALLEGRO_COLOR colour, float x, float y, int flags,
                   const char* format, ...) {
    require(format != nullptr, "al_draw_textf");
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    recordText(font, colour, x, y, flags, buffer, "al_draw_textf");
}

// Text is measured as if every character were about half the font size wide.
int al_get_text_width(const ALLEGRO_FONT* font, const char* text) {
    require(font != nullptr && text != nullptr, "al_get_text_width");
    int characters = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if ((static_cast<unsigned char>(*p) & 0xC0) != 0x80) {
            ++characters;
        }
    }
    return characters * font->size / 2;
}

int al_get_font_line_height(const ALLEGRO_FONT* font) {
    require(font != nullptr, "al_get_font_line_height");
    return font->size + font->size / 6;
}

// --- primitives --------------------------------------------------------------------
static void recordShape(standin::Shape shape, float x1, float y1, float x2, float y2,
                        ALLEGRO_COLOR colour, float thickness) {
    require(world().target != nullptr, "primitive");
    world().log.shapes.push_back(standin::ShapeDraw{shape, world().target, x1, y1, x2, y2, colour,
                                                    thickness, world().log.flips});
}

void al_draw_line(float x1, float y1, float x2, float y2, ALLEGRO_COLOR colour, float thickness) {
    recordShape(standin::Shape::Line, x1, y1, x2, y2, colour, thickness);
}

void al_draw_rectangle(float x1, float y1, float x2, float y2, ALLEGRO_COLOR colour,
                       float thickness) {
    recordShape(standin::Shape::Rectangle, x1, y1, x2, y2, colour, thickness);
}

void al_draw_filled_rectangle(float x1, float y1, float x2, float y2, ALLEGRO_COLOR colour) {
    recordShape(standin::Shape::FilledRectangle, x1, y1, x2, y2, colour, 0);
}

// --- events and input --------------------------------------------------------------
ALLEGRO_EVENT_QUEUE* al_create_event_queue(void) {
    auto& store = world().queueStore;
    store.push_back(std::make_unique<ALLEGRO_EVENT_QUEUE>());
    world().queues.push_back(store.back().get());
    return store.back().get();
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

void al_unregister_event_source(ALLEGRO_EVENT_QUEUE* queue, ALLEGRO_EVENT_SOURCE* source) {
    require(queue != nullptr && source != nullptr, "al_unregister_event_source");
    auto& sources = queue->sources;
    sources.erase(std::remove(sources.begin(), sources.end(), source), sources.end());
}

ALLEGRO_EVENT_SOURCE* al_get_keyboard_event_source(void) { return &world().keyboard; }

bool al_get_next_event(ALLEGRO_EVENT_QUEUE* queue, ALLEGRO_EVENT* event) {
    require(queue != nullptr && event != nullptr, "al_get_next_event");
    if (queue->events.empty()) {
        return false;
    }
    *event = queue->events.front();
    queue->events.pop_front();
    return true;
}

void al_flush_event_queue(ALLEGRO_EVENT_QUEUE* queue) {
    require(queue != nullptr, "al_flush_event_queue");
    queue->events.clear();
}

void al_get_mouse_state(ALLEGRO_MOUSE_STATE* state) {
    require(state != nullptr, "al_get_mouse_state");
    *state = world().mouse;
}

// --- audio -------------------------------------------------------------------------
ALLEGRO_SAMPLE* al_load_sample(const char* path) {
    world().log.loaded.push_back(path ? path : "");
    if (standin::fileMissing(path)) {
        return nullptr;
    }
    auto& store = world().samples;
    store.push_back(std::make_unique<ALLEGRO_SAMPLE>(ALLEGRO_SAMPLE{path}));
    return store.back().get();
}

void al_destroy_sample(ALLEGRO_SAMPLE*) {}

bool al_play_sample(ALLEGRO_SAMPLE* sample, float gain, float pan, float speed,
                    ALLEGRO_PLAYMODE mode, ALLEGRO_SAMPLE_ID*) {
    require(sample != nullptr, "al_play_sample");
    require(world().voicesReserved, "al_play_sample");
    world().log.plays.push_back(
        standin::SamplePlay{sample->path, gain, pan, speed, mode, world().log.clock,
                            world().log.flips});
    if (mode == ALLEGRO_PLAYMODE_LOOP) {
        ++world().loops;
    }
    return true;
}

void al_stop_samples(void) {
    require(world().voicesReserved, "al_stop_samples");
    ++world().log.stopSamplesCalls;
    world().loops = 0;
}

ALLEGRO_SAMPLE_INSTANCE* al_create_sample_instance(ALLEGRO_SAMPLE* sample) {
    auto& store = world().instances;
    store.push_back(std::make_unique<ALLEGRO_SAMPLE_INSTANCE>());
    store.back()->sample = sample;
    return store.back().get();
}

void al_destroy_sample_instance(ALLEGRO_SAMPLE_INSTANCE*) {}

ALLEGRO_MIXER* al_get_default_mixer(void) {
    return world().voicesReserved ? &world().mixer : nullptr;
}

bool al_attach_sample_instance_to_mixer(ALLEGRO_SAMPLE_INSTANCE* instance, ALLEGRO_MIXER* mixer) {
    require(instance != nullptr && mixer != nullptr, "al_attach_sample_instance_to_mixer");
    instance->attached = true;
    return true;
}

bool al_set_sample_instance_playmode(ALLEGRO_SAMPLE_INSTANCE* instance, ALLEGRO_PLAYMODE mode) {
    require(instance != nullptr, "al_set_sample_instance_playmode");
    instance->mode = mode;
    return true;
}

bool al_set_sample_instance_gain(ALLEGRO_SAMPLE_INSTANCE* instance, float gain) {
    require(instance != nullptr, "al_set_sample_instance_gain");
    instance->gain = gain;
    instance->gains.push_back(gain);
    return true;
}

float al_get_sample_instance_gain(const ALLEGRO_SAMPLE_INSTANCE* instance) {
    require(instance != nullptr, "al_get_sample_instance_gain");
    return instance->gain;
}

bool al_play_sample_instance(ALLEGRO_SAMPLE_INSTANCE* instance) {
    require(instance != nullptr && instance->attached, "al_play_sample_instance");
    instance->playing = true;
    return true;
}

bool al_stop_sample_instance(ALLEGRO_SAMPLE_INSTANCE* instance) {
    require(instance != nullptr, "al_stop_sample_instance");
    instance->playing = false;
    return true;
}

bool al_get_sample_instance_playing(const ALLEGRO_SAMPLE_INSTANCE* instance) {
    require(instance != nullptr, "al_get_sample_instance_playing");
    return instance->playing;
}

bool al_set_sample_instance_position(ALLEGRO_SAMPLE_INSTANCE* instance, unsigned int) {
    require(instance != nullptr, "al_set_sample_instance_position");
    return true;
}

// --- added for the records, information and saved-game screens ---------------------
// Rounded rectangles are recorded as plain rectangles; the radii do not matter to tests.
void al_draw_rounded_rectangle(float x1, float y1, float x2, float y2, float, float,
                               ALLEGRO_COLOR colour, float thickness) {
    recordShape(standin::Shape::Rectangle, x1, y1, x2, y2, colour, thickness);
}

void al_draw_filled_rounded_rectangle(float x1, float y1, float x2, float y2, float, float,
                                      ALLEGRO_COLOR colour) {
    recordShape(standin::Shape::FilledRectangle, x1, y1, x2, y2, colour, 0);
}

} // extern "C"
