#include "app/transitions.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/press_rules.hpp"
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
    // A screen that appears takes only what is pressed while it shows.
    beginWait();
    During fading(Moment::FadingIn);
    takeFadeEnd();
    Pace pace(kFadeInRest);
    for (int i = 0; i < kFadeInSteps; ++i) {
        // A press during the fade ends it: the screen appears whole and takes the press.
        if (takeFadeEnd()) {
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
    During fading(Moment::FadingOut);
    takeFadeEnd();
    Pace pace(kFadeOutRest);
    for (int i = 0; i < kFadeOutSteps; ++i) {
        // A press during the fade ends it at once, black as its last step leaves it, so
        // nothing of the leaving screen stays behind the next; the press is spent on it.
        if (takeFadeEnd()) {
            setTargetCanvas();
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
