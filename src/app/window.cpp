#include "app/window.hpp"

#include "app/assets.hpp"
#include "app/startup.hpp"

#include <allegro5/allegro_audio.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace app {

namespace {
ALLEGRO_EVENT_QUEUE* closeQueue = nullptr;
std::function<void()> closeHook;
} // namespace

OnWindowClose::OnWindowClose(std::function<void()> keep)
    : previous_(std::exchange(closeHook, std::move(keep))) {}

OnWindowClose::~OnWindowClose() {
    closeHook = std::move(previous_);
}

void watchWindowClose() {
    closeQueue = al_create_event_queue();
    if (closeQueue != nullptr && Assets.display != nullptr) {
        al_register_event_source(closeQueue, al_get_display_event_source(Assets.display));
    }
}

void quitIfWindowClosed() {
    if (closeQueue == nullptr) {
        return;
    }
    ALLEGRO_EVENT event;
    while (al_get_next_event(closeQueue, &event)) {
        if (event.type == ALLEGRO_EVENT_DISPLAY_CLOSE) {
            al_destroy_event_queue(closeQueue);
            closeQueue = nullptr;
            if (std::function<void()> keep = std::exchange(closeHook, nullptr)) {
                keep();
            }
            shutDown();
            std::exit(0);
        }
    }
}

void failStartUp(const char* what, const char* path) {
    if (path != nullptr) {
        std::fprintf(stderr, "orbelium: %s: \"%s\"\n", what, path);
    } else {
        std::fprintf(stderr, "orbelium: %s\n", what);
    }
    if (Assets.display != nullptr) {
        al_destroy_display(Assets.display);
        Assets.display = nullptr;
    }
    // Nothing is cleaned up at exit, and OpenAL aborts on a sound device left open.
    if (al_is_audio_installed()) {
        al_uninstall_audio();
    }
    std::exit(1);
}

} // namespace app
