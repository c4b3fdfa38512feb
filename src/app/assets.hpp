#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>

#include <array>

namespace app {

inline constexpr int kCueCount = 14;

// Every handle the game draws or plays with. Filled by startUp; the bitmaps of the picture,
// the fonts and the art are made again when the picture's scale changes. The screens read
// it directly.
struct AssetsRecord {
    ALLEGRO_DISPLAY* display = nullptr;
    // The picture the player sees, drawn on where the display's back buffer once was; it
    // and the three below are drawn in 800 x 600 units and have the size the picture is
    // shown at, remade when that changes (app/letterbox.hpp)
    ALLEGRO_BITMAP* canvas = nullptr;
    ALLEGRO_BITMAP* screen = nullptr;  // 800 x 600 buffer every screen is composed in
    ALLEGRO_BITMAP* scratch = nullptr; // 800 x 600 off-screen layer for animations
    ALLEGRO_BITMAP* strip = nullptr;   // 800 x 50 backing of the text-entry strip
    ALLEGRO_BITMAP* background = nullptr;
    ALLEGRO_BITMAP* planets = nullptr; // black keyed out
    ALLEGRO_BITMAP* sheet = nullptr;   // elements and interface pieces, black keyed out
    ALLEGRO_BITMAP* title = nullptr;
    // The art set the four pictures above come from: each is this many times its 1x
    // size, and app::drawArt takes the 1x rectangles (app/draw.hpp).
    int artScale = 1;
    ALLEGRO_FONT* fontBold16 = nullptr;
    ALLEGRO_FONT* font20 = nullptr;
    ALLEGRO_FONT* font24 = nullptr;
    ALLEGRO_FONT* font34 = nullptr;
    std::array<ALLEGRO_SAMPLE*, kCueCount> cues{}; // indexed by SoundCue
    // Read from its file as it plays, on the default mixer; stopped until started.
    ALLEGRO_AUDIO_STREAM* music = nullptr;
    // False when no sound device could be opened: the game then runs silently and
    // every sound call is skipped (Allegro asserts on the missing mixer).
    bool audio = false;
};
extern AssetsRecord Assets;

} // namespace app
