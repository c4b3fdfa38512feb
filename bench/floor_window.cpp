// The floor the start-up benchmark measures the game against: Allegro set up as the game
// sets it up (keyboard, mouse, the add-ons, audio with its voices, an 800 x 600 window
// with the same display options), but no picture or font loaded, nor a sound but the
// music of the `music` mode. It presents one
// black frame as soon as its window is open, sets up the rest, then
//   floor_window wait   sleeps until the window is closed, presenting nothing more;
//   floor_window music  sleeps as `wait` does while the game's music plays, looping,
//                       streamed from sam/muzyczka.ogg in the current folder as the game
//                       streams it (the floor of a game waiting with its music on);
//   floor_window bare   sets up nothing beyond the window and sleeps as `wait` does.
// A second argument `full` opens it full screen, as the game opens when told to, and
// presents its black frame at that size.
// It ends when its window is closed.
#include <allegro5/allegro.h>
#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// As the game asks: 800 x 600, no waiting for the refresh, the same number of voices.
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kNoVerticalSync = 2;
constexpr int kVoices = 15;
// The game's music stream: its file and buffers.
constexpr const char* kMusic = "sam/muzyczka.ogg";
constexpr std::size_t kMusicBuffers = 4;
constexpr unsigned kMusicBufferSamples = 2048;

// The input, the add-ons and the audio, as the game has them; whether the audio works.
bool setUpTheRest() {
    al_install_keyboard();
    al_install_mouse();
    al_init_image_addon();
    al_init_primitives_addon();
    al_init_font_addon();
    al_init_ttf_addon();
    if (!al_install_audio()) {
        return false;
    }
    al_init_acodec_addon();
    return al_reserve_samples(kVoices) && al_get_default_mixer() != nullptr;
}

// Starts the music looping on the default mixer, as the game does in a game; null when
// it cannot be played.
ALLEGRO_AUDIO_STREAM* playMusic() {
    ALLEGRO_AUDIO_STREAM* music = al_load_audio_stream(kMusic, kMusicBuffers, kMusicBufferSamples);
    if (music == nullptr) {
        return nullptr;
    }
    al_set_audio_stream_playing(music, false);
    if (!al_attach_audio_stream_to_mixer(music, al_get_default_mixer())) {
        al_destroy_audio_stream(music);
        return nullptr;
    }
    al_set_audio_stream_playmode(music, ALLEGRO_PLAYMODE_LOOP);
    al_set_audio_stream_playing(music, true);
    return music;
}

} // namespace

int main(int argc, char** argv) {
    const char* mode = argc < 2 ? "wait" : argv[1];
    const bool full = argc > 2 && std::strcmp(argv[2], "full") == 0;
    // The window and its first frame come first: nothing else is needed to present it.
    if (!al_install_system(ALLEGRO_VERSION_INT, atexit)) {
        std::fputs("floor_window: Allegro did not start\n", stderr);
        return 1;
    }
    al_set_new_display_option(ALLEGRO_VSYNC, kNoVerticalSync, ALLEGRO_SUGGEST);
    al_set_new_display_flags(ALLEGRO_RESIZABLE | (full ? ALLEGRO_FULLSCREEN_WINDOW : 0));
    ALLEGRO_DISPLAY* display = al_create_display(kWidth, kHeight);
    if (display == nullptr) {
        std::fputs("floor_window: no window\n", stderr);
        return 1;
    }
    const ALLEGRO_COLOR black = al_map_rgb(0, 0, 0);
    al_clear_to_color(black);
    al_flip_display();

    al_set_window_title(display, "ORBELIUM floor");
    const bool audio = std::strcmp(mode, "bare") != 0 && setUpTheRest();
    ALLEGRO_AUDIO_STREAM* music = nullptr;
    if (std::strcmp(mode, "music") == 0) {
        music = audio ? playMusic() : nullptr;
        if (music == nullptr) {
            std::fprintf(stderr, "floor_window: %s does not play\n", kMusic);
            return 1;
        }
    }
    ALLEGRO_EVENT_QUEUE* queue = al_create_event_queue();
    al_register_event_source(queue, al_get_display_event_source(display));

    ALLEGRO_EVENT event;
    do {
        al_wait_for_event(queue, &event);
    } while (event.type != ALLEGRO_EVENT_DISPLAY_CLOSE);
    al_destroy_event_queue(queue);
    if (music != nullptr) {
        al_destroy_audio_stream(music);
    }
    al_destroy_display(display);
    return 0;
}
