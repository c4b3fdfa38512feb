#include "app/transitions.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/keys.hpp"
#include "app/pacing.hpp"
#include "app/settings.hpp"
#include "app/sound.hpp"

namespace app {

namespace {
constexpr int kFadeInSteps = 45;
constexpr double kFadeInRest = 0.03;
constexpr int kFadeOutSteps = 128;
constexpr double kFadeOutRest = 0.005;
constexpr float kMusicRampStep = 0.005f;
} // namespace

void fadeIn() {
    Pace pace(kFadeInRest);
    for (int i = 0; i < kFadeInSteps; ++i) {
        // A press during the fade ends it: the screen appears whole and takes the press.
        if (pressWaiting()) {
            copyWhole(Assets.screen);
            pace.frame(true);
            return;
        }
        copyWholeTinted(Assets.screen, al_map_rgba(i, i, i, i));
        pace.frame(i == kFadeInSteps - 1);
    }
}

void fadeOut() {
    float gain = app::Settings.musicVolume;
    Pace pace(kFadeOutRest);
    for (int i = 0; i < kFadeOutSteps; ++i) {
        // A press during the fade ends it at once; the next screen takes the press.
        if (pressWaiting()) {
            al_clear_to_color(al_map_rgb(0, 0, 0));
            pace.frame(true);
            break;
        }
        gain -= kMusicRampStep;
        copyWholeTinted(Assets.screen, al_map_rgba(128 - i, 128 - i, 128 - i, 128 + i));
        // The gain never drops below its last positive value; the stop below ends it.
        if (gain > 0) {
            setMusicGain(gain);
        }
        pace.frame(i == kFadeOutSteps - 1);
    }
    stopAllCues();
    stopMusic();
}

} // namespace app
