#include "app/window.hpp"

#include "app/language.hpp"

#include "app/assets.hpp"
#include "app/events.hpp"
#include "app/settings.hpp"
#include "app/startup.hpp"

#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace app {

namespace {
std::function<void()> closeHook;
bool closeAsked = false;
bool asking = false;     // a game asks before the window closes
bool closeWaits = false; // asked to close; the game has yet to ask
bool focusLost = false;  // the window lost the keyboard focus since the last look
// F11 pressed an odd number of times since the last answer: twice is no switch at all.
bool switchAsked = false;
bool resized = false;
bool changed = false;
} // namespace

void quit() {
    if (std::function<void()> keep = std::exchange(closeHook, nullptr)) {
        keep();
    }
    shutDown();
    std::exit(0);
}

OnWindowClose::OnWindowClose(std::function<void()> keep)
    : previous_(std::exchange(closeHook, std::move(keep))) {}

OnWindowClose::~OnWindowClose() {
    closeHook = std::move(previous_);
}

AskBeforeClosing::AskBeforeClosing(bool ask) : previous_(std::exchange(asking, ask)) {
    // A close still waiting for a game that no longer asks (it has ended) closes now.
    if (!ask && closeWaits) {
        closeWaits = false;
        closeAsked = true;
    }
}

AskBeforeClosing::~AskBeforeClosing() {
    asking = previous_;
    if (!asking) {
        closeWaits = false;
    }
}

void forgetWindow() {
    closeHook = nullptr;
    closeAsked = switchAsked = resized = changed = focusLost = false;
    asking = closeWaits = false;
}

void noteWindowEvent(const ALLEGRO_EVENT& event) {
    switch (event.type) {
    case ALLEGRO_EVENT_DISPLAY_CLOSE:
        closeAsked = true;
        break;
    case ALLEGRO_EVENT_DISPLAY_RESIZE:
        resized = changed = true;
        break;
    case ALLEGRO_EVENT_DISPLAY_EXPOSE:
        changed = true;
        break;
    case ALLEGRO_EVENT_DISPLAY_SWITCH_OUT:
        focusLost = true;
        break;
    default:
        break;
    }
}

void noteFullScreenKey() {
    switchAsked = !switchAsked;
}

void answerWindow() {
    takeEvents();
    if (std::exchange(closeAsked, false)) {
        // A second close while the game has not yet asked ends the program too: the
        // window can always be closed.
        if (!asking || closeWaits) {
            quit();
        }
        closeWaits = true;
    }
    if (std::exchange(switchAsked, false)) {
        setFullScreen(!app::Settings.fullScreen);
    }
}

bool closeWaiting() {
    return closeWaits;
}

bool takeCloseRequest() {
    answerWindow();
    return std::exchange(closeWaits, false);
}

bool takeResize() {
    return std::exchange(resized, false);
}

bool resizeWaiting() {
    return resized;
}

bool takeFocusLoss() {
    takeEvents();
    return std::exchange(focusLost, false);
}

bool takeWindowChange() {
    return std::exchange(changed, false);
}

bool setFullScreen(bool on) {
    if (Assets.display != nullptr) {
        // The switch waits for the window manager and sets up the drawing of the current
        // target for the new size: that must be the back buffer, never the canvas.
        ALLEGRO_BITMAP* target = al_get_target_bitmap();
        al_set_target_backbuffer(Assets.display);
        al_set_display_flag(Assets.display, ALLEGRO_FULLSCREEN_WINDOW, on);
        al_set_target_bitmap(target);
        on = (al_get_display_flags(Assets.display) & ALLEGRO_FULLSCREEN_WINDOW) != 0;
        resized = changed = true;
    }
    app::Settings.fullScreen = on;
    return settingsFiles.storeScreenChoice != nullptr && settingsFiles.storeScreenChoice();
}

void failStartUp(const char* what, const char* path) {
    if (path != nullptr) {
        std::fprintf(stderr, "orbelium: %s: \"%s\"\n", _(what), path);
    } else {
        std::fprintf(stderr, "orbelium: %s\n", _(what));
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
