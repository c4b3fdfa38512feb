#include "app/sound.hpp"

#include "app/assets.hpp"
#include "app/settings.hpp"

#include <algorithm>
#include <array>

namespace app {

namespace {
constexpr auto kOnce = ALLEGRO_PLAYMODE_ONCE;
constexpr auto kLoop = ALLEGRO_PLAYMODE_LOOP;

constexpr std::array<CueParams, kCueCount> kCues{{
    {"sam/menu.wav", -0.2, 1.0, 1.0f, kOnce},
    {"sam/take.wav", 0.5, 1.0, 1.0f, kOnce},
    {"sam/snd1.wav", -0.2, 1.0, 0.7f, kOnce},
    {"sam/kreski.wav", 0.0, 1.0, 1.0f, kOnce},
    {"sam/brakruchu.wav", 0.0, 1.0, 1.0f, kOnce},
    {"sam/s6.wav", 0.0, 1.0, 1.0f, kOnce},
    {"sam/s7.wav", 0.0, 1.0, 1.0f, kOnce},
    {"sam/gw1.wav", 0.3, 1.0, 1.0f, kOnce},
    {"sam/planety.wav", 0.0, 1.0, 0.9f, kOnce},
    {"sam/koniecet.wav", 0.2, 1.0, 0.7f, kOnce},
    {"sam/rek.wav", 0.0, 1.0, 1.0f, kOnce},
    {"sam/str_use_6.wav", 0.0, 1.0, 0.7f, kOnce},
    {"sam/time.wav", 0.0, 2.0, 0.8f, kLoop},
    {"sam/brakczasu.wav", 0.0, 1.0, 0.8f, kOnce},
}};
} // namespace

const CueParams& cueParams(SoundCue cue) {
    return kCues[static_cast<int>(cue)];
}

float cueGain(SoundCue cue) {
    const CueParams& params = cueParams(cue);
    // Summed in double from the single-precision volume, as the mixer expects a float.
    double gain =
        params.gainFactor * static_cast<double>(app::Settings.effectsVolume) + params.gainOffset;
    return static_cast<float>(std::max(gain, 0.0));
}

void playCue(SoundCue cue) {
    ALLEGRO_SAMPLE* sample = Assets.cues[static_cast<int>(cue)];
    if (!Assets.audio || sample == nullptr) {
        return;
    }
    const CueParams& params = cueParams(cue);
    al_play_sample(sample, cueGain(cue), 0.0f, params.speed, params.mode, nullptr);
}

namespace {
// The music was started and not stopped since, but held at no volume: its stream does not
// play, so the mixer's thread does not decode what nobody hears, and plays on from where
// it was held when the volume comes up.
bool musicHeld = false;

void playMusic(ALLEGRO_PLAYMODE mode) {
    if (!Assets.audio || Assets.music == nullptr) {
        return;
    }
    // Stopping drops the buffers already decoded, so the rewound stream starts cleanly.
    al_set_audio_stream_playing(Assets.music, false);
    al_rewind_audio_stream(Assets.music);
    al_set_audio_stream_playmode(Assets.music, mode);
    al_set_audio_stream_gain(Assets.music, app::Settings.musicVolume);
    musicHeld = !(app::Settings.musicVolume > 0);
    al_set_audio_stream_playing(Assets.music, !musicHeld);
}
} // namespace

void startMusic() {
    playMusic(ALLEGRO_PLAYMODE_LOOP);
}

void playMusicOnce() {
    playMusic(ALLEGRO_PLAYMODE_ONCE);
}

void setMusicGain(float gain) {
    if (Assets.audio && Assets.music != nullptr) {
        al_set_audio_stream_gain(Assets.music, gain);
        if (!(gain > 0) && al_get_audio_stream_playing(Assets.music)) {
            al_set_audio_stream_playing(Assets.music, false);
            musicHeld = true;
        } else if (gain > 0 && musicHeld) {
            al_set_audio_stream_playing(Assets.music, true);
            musicHeld = false;
        }
    }
}

void stopMusic() {
    musicHeld = false;
    if (Assets.audio && Assets.music != nullptr) {
        al_set_audio_stream_playing(Assets.music, false);
    }
}

void stopAllCues() {
    if (Assets.audio) {
        al_stop_samples();
    }
}

} // namespace app
