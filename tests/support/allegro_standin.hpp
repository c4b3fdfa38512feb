#pragma once

// A stand-in for the part of Allegro the game calls, linked into the tests in place of the
// real library: it records what is drawn and played, runs al_rest on a virtual clock and
// feeds scripted mouse and keyboard input, so whole screens run headless and repeatably.

#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

struct ALLEGRO_BITMAP {
    std::string name; // the file path of loaded pictures
    int w = 0;
    int h = 0;
    bool maskedBlack = false;
    int flags = 0;       // the new-bitmap flags it was created or loaded with
    int conversions = 0; // al_convert_bitmap calls: each holds a second copy for a moment
    // As in Allegro 5.2, each bitmap keeps the transform last used while it was the target.
    ALLEGRO_TRANSFORM transform{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
};

struct ALLEGRO_FONT {
    int size = 0;
};

struct ALLEGRO_SAMPLE {
    std::string path;
};

namespace standin {

struct BitmapDraw {
    const ALLEGRO_BITMAP* bitmap;
    const ALLEGRO_BITMAP* target;
    float sx, sy, sw, sh; // source region; the whole bitmap for plain draws
    float dx, dy;
    ALLEGRO_COLOR tint;
    bool tinted;
    int frame;    // flips done before this draw
    float dw, dh; // the size drawn: the source's own unless scaled
    float scale;  // of the target's transform in force: target pixels per unit drawn
};

struct TextDraw {
    const ALLEGRO_FONT* font;
    const ALLEGRO_BITMAP* target;
    ALLEGRO_COLOR colour;
    float x, y;
    std::string text;
    int frame;
    float scale; // of the target's transform in force
};

enum class Shape { Line, Rectangle, FilledRectangle };

struct ShapeDraw {
    Shape shape;
    float x1, y1, x2, y2;
    ALLEGRO_COLOR colour;
};

// Every sample lasts one second at this rate; the music stream lasts kStreamSeconds.
inline constexpr unsigned kSampleFrequency = 44100;
inline constexpr double kStreamSeconds = 30.0;

struct SamplePlay {
    std::string path;
    float gain;
    ALLEGRO_PLAYMODE mode;
    double time;
    int frame;
};

// How the machine behaves: which files load, whether a window and a sound device exist.
struct Config {
    // The monitor the window opens on; 0 x 0: no monitor can be asked about.
    int monitorWidth = 1024;
    int monitorHeight = 768;
    bool displayWorks = true;
    int displayRefusals = 0; // the first this many window creations fail, as on a busy desktop
    bool audioWorks = true;
    // A display that waits for its refresh: every flip lasts until the next 1/refreshHz
    // of the virtual clock. 0: flips take `flipCost` seconds (none by default).
    double refreshHz = 0;
    double flipCost = 0;
    // What al_get_display_refresh_rate answers; -1: refreshHz when set, otherwise a rate
    // high enough that the game presents every frame it draws (the display the game's
    // frames were measured on).
    int reportedRefreshHz = -1;
    // Every al_rest lasts this much longer than asked, as a real sleep does.
    double oversleep = 0;
    bool keyboardWorks = true;
    bool mouseWorks = true;
    int maxBitmapSize = 16384;          // what the display answers for ALLEGRO_MAX_BITMAP_SIZE
    std::set<std::string> missingFiles; // loads of these paths fail
    // Whether the art sets finer than 1x (gr/2x/, gr/3x/) are installed.
    bool finerArt = false;
    // The next stop of the voice never returns, as a stop whose wake-up was lost.
    bool voiceStopHangs = false;
};

// One present: the canvas drawn onto the display's back buffer at (dx, dy) in dw x dh,
// on a back buffer of that size. Kept apart from the game's own draws.
struct Presented {
    const ALLEGRO_BITMAP* bitmap;
    float dx, dy, dw, dh;
    int backbufferW, backbufferH;
    bool cleared; // the back buffer was cleared before
    int frame;
    double time;
};

struct Log {
    // ALLEGRO_VSYNC as last requested for a new display, and as it stood when the display
    // was created (-1: never requested).
    int vsyncRequested = -1;
    int vsyncAtCreation = -1;
    // The display flags and size asked for when the display was created.
    int displayFlagsAtCreation = -1;
    int createdW = 0, createdH = 0;
    std::vector<Presented> presented;
    std::vector<BitmapDraw> bitmaps;
    std::vector<TextDraw> texts;
    std::vector<ShapeDraw> shapes;
    std::vector<SamplePlay> plays;
    // Frames: each flip, and each sleep on an event queue (a pass of a screen that waits,
    // whether or not it showed a picture; the scripts count them).
    int flips = 0;
    int presents = 0; // real flips only
    int stopSamplesCalls = 0;
    double clock = 0.0;
};

Log& log();
Config& config();

// Forgets everything: log, clock, input, queues, configuration, drivers.
void reset();
// The display's back buffer, to compare with a draw's target.
const ALLEGRO_BITMAP* backbuffer();
// The mouse as the hardware reports it from now on, posted as X11 delivers it: a motion
// when the pointer moved, then a press or release for each button that changed.
void setMouse(int x, int y, int buttons);
// A click at (x, y) over before the game reads the mouse again: the pointer moves there,
// the button's press and release are posted, the state shows no button held.
void quickClick(int x, int y, int button);

// Called after every al_flip_display with the number of flips so far, and after every
// al_rest with the clock, for scripts that move the mouse or press keys as time passes.
void setFrameDriver(std::function<void(int flips)> driver);
void setRestDriver(std::function<void(double clock)> driver);

// A key as Allegro's X11 driver posts it to every queue listening to the keyboard:
// KEY_DOWN, KEY_CHAR with the character (0 for arrows and function keys), `repeats` more
// KEY_CHAR with repeat set while held, KEY_UP.
void pressKey(int keycode, int unichar, int repeats = 0);

// The window manager's close button.
void clickWindowClose();
// The player drags the window's border: the window takes that size and a resize event is
// posted; the display keeps its old size until the game acknowledges it. `exposeWindow`
// is the window uncovered, which loses its picture.
void resizeWindow(int w, int h);
void exposeWindow();
// The player turns to another window: the game's window loses the keyboard focus.
void switchOutWindow();
// Samples started looping and not stopped.
int activeLoops();

// Draws from `bitmap`, texts equal to `text`, plays of `path`, in order.
std::vector<BitmapDraw> drawsOf(const ALLEGRO_BITMAP* bitmap);
std::vector<TextDraw> textsWith(const std::string& text);
std::vector<SamplePlay> playsOf(const std::string& path);

// Every region ever drawn from the element sheet ("gr/elementy.png") in this process, as
// (x, y, w, h); kept across resets so a whole test binary can be checked at its end.
struct Region {
    int x, y, w, h;
    auto operator<=>(const Region&) const = default;
};
const std::set<Region>& sheetRegionsEverDrawn();

// A colour as 8-bit components (rounded) for readable comparisons.
struct Rgba {
    int r, g, b, a;
    bool operator==(const Rgba&) const = default;
};
Rgba rgba(ALLEGRO_COLOR colour);

} // namespace standin

// The music, streamed from its file: what was asked of the stream.
struct ALLEGRO_AUDIO_STREAM {
    std::string path;
    float gain = 1.0f;
    ALLEGRO_PLAYMODE mode = ALLEGRO_PLAYMODE_ONCE;
    bool playing = true; // Allegro's loaded streams start out playing
    bool attached = false;
    bool atStart = true;             // nothing played since it was loaded or rewound
    std::vector<bool> startsAtStart; // for every start, whether it began at the beginning
    std::vector<float> gains;        // every gain set, in order
};
