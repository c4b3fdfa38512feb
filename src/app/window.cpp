#include "app/window.hpp"

#include "app/assets.hpp"
#include "app/startup.hpp"

#include <cstdio>
#include <cstdlib>

namespace app {

namespace {
ALLEGRO_EVENT_QUEUE* closeQueue = nullptr;
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
    std::exit(1);
}

} // namespace app
