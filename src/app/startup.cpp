#include "app/startup.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/events.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/language.hpp"
#include "app/launcher.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/paths.hpp"
#include "app/settings.hpp"
#include "app/sound.hpp"
#include "app/texts.hpp"
#include "app/transitions.hpp"
#include "app/waiting.hpp"
#include "app/window.hpp"

#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <string>

#include <malloc.h>

namespace app {

AssetsRecord Assets;

namespace {

constexpr int kVoices = 15;
constexpr std::size_t kMusicBuffers = 4;
constexpr unsigned kMusicBufferSamples = 2048;
constexpr int kNoVerticalSync = 2;
constexpr int kWindowRetries = 10;
constexpr double kWindowRetryRest = 0.2;
constexpr double kBlackPause = 1.0;  // before the title fades in
constexpr double kTitleShown = 3.0;  // between its fades
constexpr int kOwnMapping = 1 << 20; // bytes from which an allocation is mapped alone
constexpr const char* kGlyphPageSize = "512";

// When the title sequence's first, black frame was presented.
double blackShownAt = 0.0;

// The loaders take the asset's plain name and name the file they tried in a failure.

// The art sets: k times the 1x pictures, the same pieces at k times their rectangles; the
// 1x set in gr/, the others in gr/<k>x/ under the same names. The pictures with words in
// them have a set of their own for each language beside Polish, in gr/<code>/ and
// gr/<code>/<k>x/.
constexpr int kFinestArt = 3;
Language artLanguage = Language::Polish; // of the words in the set loaded

std::string artPath(const char* name, int k, bool words) {
    std::string folder;
    if (words && spokenLanguage() != Language::Polish) {
        folder = std::string(languageCode(spokenLanguage())) + "/";
    }
    if (k > 1) {
        folder += std::to_string(k) + "x/";
    }
    std::string path = name;
    path.insert(path.find('/') + 1, folder);
    return assetPath(path.c_str());
}

// The art is drawn scaled by the picture's transform: at any scale but its set's own it
// is filtered smoothly rather than in blocks of whole pixels.
bool smoothArt(int k) {
    return pictureScale() != k;
}

// Loads the four pictures of art set k in place of the set loaded. A set whose files are
// not all there is not begun; otherwise the set loaded goes first, so that the two are
// never held together (at a change of scale they would add up to tens of megabytes). A
// picture that will not load after all leaves no set, and the next coarser one is loaded
// instead; a 1x picture missing or unreadable ends the start-up.
bool loadArtSet(int k) {
    const struct {
        ALLEGRO_BITMAP** picture;
        const char* name;
        bool keyBlack;
        bool words;
    } art[] = {{&Assets.background, paths::kBackground, false, false},
               {&Assets.planets, paths::kPlanets, true, false},
               {&Assets.sheet, paths::kSheet, true, true},
               {&Assets.title, paths::kTitle, false, true}};
    const auto unavailable = [k](const std::string& path) {
        if (k == 1) {
            failStartUp(texts::kNoPicture, path.c_str());
        }
        return false;
    };
    for (const auto& picture : art) {
        const std::string path = artPath(picture.name, k, picture.words);
        if (!al_filename_exists(path.c_str())) {
            return unavailable(path);
        }
    }
    const auto release = [&art] {
        for (const auto& picture : art) {
            al_destroy_bitmap(*picture.picture);
            *picture.picture = nullptr;
        }
    };
    release();
    // Loaded with the filtering they are drawn with: converting afterwards would hold a
    // second copy of each picture for a moment.
    const int newFlags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(smoothArt(k) ? newFlags | kSmoothFilter : newFlags & ~kSmoothFilter);
    for (const auto& picture : art) {
        const std::string path = artPath(picture.name, k, picture.words);
        *picture.picture = al_load_bitmap(path.c_str());
        if (*picture.picture == nullptr) {
            al_set_new_bitmap_flags(newFlags);
            release();
            return unavailable(path);
        }
        if (picture.keyBlack) {
            al_convert_mask_to_alpha(*picture.picture, app::palette::kBlack);
        }
    }
    al_set_new_bitmap_flags(newFlags);
    Assets.artScale = k;
    artLanguage = spokenLanguage();
    return true;
}

// The coarsest art set at least as fine as the picture, or the finest there is; a set
// whose files are missing gives way to the next coarser one. The set loaded stays when
// it is the one that would be loaded again, in the language spoken.
void loadArt() {
    const int wanted =
        std::clamp(static_cast<int>(std::ceil(pictureScale() - 1e-9)), 1, kFinestArt);
    for (int k = wanted; k >= 1; --k) {
        if (Assets.background != nullptr && k == Assets.artScale &&
            artLanguage == spokenLanguage()) {
            return;
        }
        if (loadArtSet(k)) {
            return;
        }
    }
}

ALLEGRO_FONT* loadFont(const char* name, int size) {
    const std::string path = assetPath(name);
    const int shownSize = std::max(1, static_cast<int>(std::lround(size * pictureScale())));
    ALLEGRO_FONT* font = al_load_ttf_font(path.c_str(), shownSize, 0);
    if (font == nullptr) {
        failStartUp(texts::kNoFont, path.c_str());
    }
    return font;
}

ALLEGRO_SAMPLE* loadSound(const char* name) {
    const std::string path = assetPath(name);
    ALLEGRO_SAMPLE* sample = al_load_sample(path.c_str());
    if (sample == nullptr) {
        failStartUp(texts::kNoSound, path.c_str());
    }
    return sample;
}

// Without a working device Allegro cannot reserve voices nor give a mixer, and its
// sample calls assert on the null mixer: such a game stays silent instead.
void startAudio() {
    forgetSounds();
    if (!al_install_audio()) {
        return;
    }
    al_init_acodec_addon();
    Assets.audio = al_reserve_samples(kVoices) && al_get_default_mixer() != nullptr;
}

void loadSounds() {
    if (!Assets.audio) {
        return;
    }
    for (int cue = 0; cue < kCueCount; ++cue) {
        Assets.cues[cue] = loadSound(cueParams(static_cast<SoundCue>(cue)).file);
    }
    // Half a minute of music decoded at once would hold over 5 MB and take a good part
    // of the start-up; streamed, a few small buffers are decoded as it plays.
    const std::string music = assetPath(paths::kMusic);
    Assets.music = al_load_audio_stream(music.c_str(), kMusicBuffers, kMusicBufferSamples);
    if (Assets.music == nullptr) {
        failStartUp(texts::kNoSound, music.c_str());
    }
    // A loaded stream starts out playing: the music waits for the game to start it.
    al_set_audio_stream_playing(Assets.music, false);
    if (!al_attach_audio_stream_to_mixer(Assets.music, al_get_default_mixer())) {
        Assets.audio = false; // the game is playable without its music
        return;
    }
    al_set_audio_stream_playmode(Assets.music, ALLEGRO_PLAYMODE_LOOP);
}

// The window opens at 800 x 600, or at a whole multiple of it on a monitor with room to
// spare; 1 when the monitor cannot be asked.
int openingScale() {
    ALLEGRO_MONITOR_INFO monitor;
    if (al_get_num_video_adapters() < 1 || !al_get_monitor_info(0, &monitor)) {
        return 1;
    }
    return windowScale(monitor.x2 - monitor.x1, monitor.y2 - monitor.y1);
}

// On a loaded desktop the window system can refuse a new window for a moment (a busy X
// server, a compositor starting up); the game tries again for about two seconds before
// it gives up.
ALLEGRO_DISPLAY* createWindow() {
    // The game presents at most once per refresh on its own (app::showCanvas); where the
    // driver still waits for the refresh, the frames keep their wall-clock pace all the
    // same. 2 asks for no waiting.
    al_set_new_display_option(ALLEGRO_VSYNC, kNoVerticalSync, ALLEGRO_SUGGEST);
    // The player may resize the window; full screen is the window manager's full-screen
    // window over the desktop, never a change of the monitor's mode. A window uncovered
    // says so, so a screen that waits (the pause) shows its picture there again.
    al_set_new_display_flags(ALLEGRO_RESIZABLE | ALLEGRO_GENERATE_EXPOSE_EVENTS |
                             (app::Settings.fullScreen ? ALLEGRO_FULLSCREEN_WINDOW : 0));
    const int scale = openingScale();
    const int width = kPictureWidth * scale;
    const int height = kPictureHeight * scale;
    ALLEGRO_DISPLAY* display = al_create_display(width, height);
    for (int retry = 0; display == nullptr && retry < kWindowRetries; ++retry) {
        app::sleepFor(kWindowRetryRest);
        display = al_create_display(width, height);
    }
    return display;
}

} // namespace

void startUp() {
    // The pictures of megabytes that come and go when the art and the canvas are made
    // (decoded files, locked copies) are mapped on their own, so that freeing them gives
    // them back to the system; glibc would otherwise raise its threshold after the first
    // and keep the later ones in the heap for good.
    mallopt(M_MMAP_THRESHOLD, kOwnMapping);
    // No clean-up registered for the end of the process: shutDown releases the window
    // and the pictures, and the system takes back the rest. Allegro's own clean-up at
    // exit can wait forever destroying the queue the waiting screens sleep on (glibc's
    // condition variable after timed waits), which kept the game from ending.
    if (!al_install_system(ALLEGRO_VERSION_INT, nullptr)) {
        failStartUp(texts::kNoAllegro, nullptr);
    }
    // Every screen polls the mouse and the text entries read the keyboard: without them
    // the game could not be played, and would fail later in an unclear way.
    if (!al_install_keyboard()) {
        failStartUp(texts::kNoKeyboard, nullptr);
    }
    if (!al_install_mouse()) {
        failStartUp(texts::kNoMouse, nullptr);
    }
    al_init_image_addon();
    al_init_primitives_addon();
    al_init_font_addon();
    al_init_ttf_addon();
    // Allegro sizes a font's glyph pages by its glyphs: at the finer scales each font would
    // take a page of 1024 x 1024 (4 MB) for a few dozen letters. Pages of 512 hold a
    // hundred-pixel glyph and more of them are made as the letters need.
    al_set_config_value(al_get_system_config(), "ttf", "max_page_size", kGlyphPageSize);

    std::srand(static_cast<unsigned>(std::time(nullptr)));

    // The window opens as it was left: full screen or not.
    if (settingsFiles.readScreenChoice != nullptr) {
        settingsFiles.readScreenChoice();
    }
    Assets.display = createWindow();
    if (Assets.display == nullptr) {
        failStartUp(texts::kNoWindow, nullptr);
    }
    al_set_window_title(Assets.display, kGameTitle);
    if (!createCanvas()) {
        failStartUp(texts::kNoBuffers, nullptr);
    }
    // The title sequence opens on a second of black: that frame is shown at once, and
    // everything else loads while it stands.
    setTargetCanvas();
    al_clear_to_color(app::palette::kBlack);
    app::showCanvas();
    blackShownAt = al_get_time();

    startAudio();
    // The art first: loading a picture holds a second, locked copy of it for a moment,
    // and the work bitmaps made afterwards are not there yet to add to that moment.
    loadScaledAssets();
    if (!createWorkBitmaps()) {
        failStartUp(texts::kNoBuffers, nullptr);
    }

    loadSounds();
    if (settingsFiles.readOthers != nullptr) {
        settingsFiles.readOthers();
    }
    openEvents();
}

void loadScaledAssets() {
    loadArt();
    const struct {
        ALLEGRO_FONT** font;
        const char* name;
        int size;
    } fonts[] = {{&Assets.fontBold16, paths::kFontBold, 16},
                 {&Assets.font20, paths::kFontRegular, 20},
                 {&Assets.font24, paths::kFontRegular, 24},
                 {&Assets.font34, paths::kFontRegular, 34}};
    for (const auto& f : fonts) {
        if (*f.font != nullptr) {
            al_destroy_font(*f.font);
        }
        *f.font = loadFont(f.name, f.size);
    }
    // A set kept at a new scale changes its filtering.
    for (ALLEGRO_BITMAP* art : {Assets.background, Assets.planets, Assets.sheet, Assets.title}) {
        if (art != nullptr) {
            filterSmoothly(art, smoothArt(Assets.artScale));
        }
    }
}

void titleSequence() {
    al_set_target_bitmap(Assets.screen);
    al_clear_to_color(app::palette::kBlack);
    drawArtWhole(Assets.title, {150, 200});
    setTargetCanvas();
    // A key or a click skips the intro and is spent on it: the menu then fades in from
    // black, as after the title's own fade-out. The loading took part of the black second.
    if (waitUnlessPlayerPresses(std::max(0.0, kBlackPause - (al_get_time() - blackShownAt)))) {
        return;
    }
    playCue(SoundCue::Planety);
    fadeIn();
    if (waitUnlessPlayerPresses(kTitleShown)) {
        stopAllCues();
        setTargetCanvas();
        al_clear_to_color(app::palette::kBlack);
        return;
    }
    fadeOut();
}

void shutDown() {
    if (Assets.display == nullptr) {
        return;
    }
    // Pictures and fonts go before the window: Allegro would otherwise copy every one of
    // them into memory as the window closes, only for the process to end right after.
    for (ALLEGRO_FONT** font :
         {&Assets.fontBold16, &Assets.font20, &Assets.font24, &Assets.font34}) {
        al_destroy_font(*font);
        *font = nullptr;
    }
    for (ALLEGRO_BITMAP** bitmap :
         {&Assets.canvas, &Assets.screen, &Assets.sheet, &Assets.background, &Assets.scratch,
          &Assets.strip, &Assets.planets, &Assets.title}) {
        al_destroy_bitmap(*bitmap);
        *bitmap = nullptr;
    }
    al_destroy_display(Assets.display);
    Assets.display = nullptr;
    ALLEGRO_SAMPLE*& warning = Assets.cues[static_cast<int>(SoundCue::Time)];
    if (warning != nullptr) {
        stopAllCues(); // a sample must not be destroyed while it still loops
        al_destroy_sample(warning);
        warning = nullptr;
    }
    // The sound device is closed here, since nothing is cleaned up at exit: OpenAL's own
    // exit check aborts on a device left open. One whose voice would not stop cannot be
    // closed: the game then ends at once, past that check.
    if (al_is_audio_installed() && !audioCloses()) {
        std::fflush(nullptr);
        std::_Exit(0);
    }
    if (al_is_audio_installed()) {
        al_uninstall_audio();
        Assets.audio = false;
        Assets.music = nullptr;
        for (ALLEGRO_SAMPLE*& cue : Assets.cues) {
            cue = nullptr;
        }
    }
}

} // namespace app
