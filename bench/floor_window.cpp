// The floor the start-up benchmark measures the game against: Allegro set up as the game
// sets it up (keyboard, mouse, the add-ons, audio with its voices, an 800 x 600 window
// with the same display options), but no picture, font or sound loaded. It presents one
// black frame as soon as its window is open, sets up the rest, then either
//   floor_window flip   keeps flipping black frames at the game loop's pace, or
//   floor_window wait   sleeps until the window is closed, presenting nothing more;
//   floor_window bare   sets up nothing beyond the window and sleeps as `wait` does.
// It ends when its window is closed.
#include "app/input.hpp"

#include <allegro5/allegro.h>
#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// As the game asks: 800 x 600, no waiting for the refresh, the same number of voices.
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kNoVerticalSync = 2;
constexpr int kVoices = 15;

bool closed(ALLEGRO_EVENT_QUEUE* queue) {
    ALLEGRO_EVENT event;
    while (al_get_next_event(queue, &event)) {
        if (event.type == ALLEGRO_EVENT_DISPLAY_CLOSE) {
            return true;
        }
    }
    return false;
}

// The input, the add-ons and the audio, as the game has them.
void setUpTheRest() {
    al_install_keyboard();
    al_install_mouse();
    al_init_image_addon();
    al_init_primitives_addon();
    al_init_font_addon();
    al_init_ttf_addon();
    if (al_install_audio()) {
        al_init_acodec_addon();
        al_reserve_samples(kVoices);
    }
}

} // namespace

int main(int argc, char** argv) {
    const char* mode = argc < 2 ? "flip" : argv[1];
    const bool flipping = std::strcmp(mode, "flip") == 0;
    // The window and its first frame come first: nothing else is needed to present it.
    if (!al_install_system(ALLEGRO_VERSION_INT, atexit)) {
        std::fputs("floor_window: Allegro did not start\n", stderr);
        return 1;
    }
    al_set_new_display_option(ALLEGRO_VSYNC, kNoVerticalSync, ALLEGRO_SUGGEST);
    ALLEGRO_DISPLAY* display = al_create_display(kWidth, kHeight);
    if (display == nullptr) {
        std::fputs("floor_window: no window\n", stderr);
        return 1;
    }
    const ALLEGRO_COLOR black = al_map_rgb(0, 0, 0);
    al_clear_to_color(black);
    al_flip_display();

    al_set_window_title(display, "ORBELIUM floor");
    if (std::strcmp(mode, "bare") != 0) {
        setUpTheRest();
    }
    ALLEGRO_EVENT_QUEUE* queue = al_create_event_queue();
    al_register_event_source(queue, al_get_display_event_source(display));

    if (flipping) {
        while (!closed(queue)) {
            al_clear_to_color(black);
            al_flip_display();
            al_rest(app::kFrameRest);
        }
    } else {
        ALLEGRO_EVENT event;
        do {
            al_wait_for_event(queue, &event);
        } while (event.type != ALLEGRO_EVENT_DISPLAY_CLOSE);
    }
    al_destroy_event_queue(queue);
    al_destroy_display(display);
    return 0;
}
