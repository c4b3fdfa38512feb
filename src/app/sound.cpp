#include "app/sound.hpp"

#include "app/assets.hpp"
#include "app/settings.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <future>
#include <thread>

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

namespace {
// What the device still has to play when the mixer has read a sound to its end: its own
// buffers and the driver's, a tenth of a second or two. The voice outlives a sound by that
// much, so that the sound is heard to its end.
constexpr double kOutputLag = 0.3;

// When the cues played so far are heard out (al_get_time's clock); a stop of every cue
// brings it to that moment. A looping cue sounds until every cue is stopped.
double cuesOverAt = -kNothingPending;
bool cueLooping = false;

// The music was started and not stopped since, but held at no volume: its stream does not
// play, so the mixer's thread does not decode what nobody hears, and plays on from where
// it was held when the volume comes up.
bool musicHeld = false;

// Whether the music was set playing and not stopped or held since, how it plays, and
// when it last stopped sounding.
bool musicOn = false;
ALLEGRO_PLAYMODE musicMode = ALLEGRO_PLAYMODE_LOOP;
double musicOverAt = -kNothingPending;

// A stop of the voice was given up on and still waits (quietAudio).
bool stopLeftWaiting = false;

// Allegro does not stop a voice that plays a mixer (al_set_voice_playing refuses it):
// detached from the default mixer, the voice stops and its driver's thread with it;
// attached again, it plays on.
ALLEGRO_VOICE* runningVoice() {
    ALLEGRO_VOICE* voice = al_get_default_voice();
    return voice != nullptr && al_get_voice_playing(voice) ? voice : nullptr;
}

// At once, so that what wakes it is heard as soon as it would be by a voice that ran on.
void wakeAudio() {
    ALLEGRO_VOICE* voice = al_get_default_voice();
    if (voice != nullptr && !al_get_voice_playing(voice)) {
        al_attach_mixer_to_voice(al_get_default_mixer(), voice);
    }
}

void startMusicStream() {
    wakeAudio();
    al_set_audio_stream_playing(Assets.music, true);
    musicOn = true;
}

void musicStopped() {
    if (musicOn) {
        musicOn = false;
        musicOverAt = al_get_time();
    }
}
} // namespace

void playCue(SoundCue cue) {
    ALLEGRO_SAMPLE* sample = Assets.cues[static_cast<int>(cue)];
    if (!Assets.audio || sample == nullptr) {
        return;
    }
    const CueParams& params = cueParams(cue);
    wakeAudio();
    // No note of a cue that found no free voice: it is not heard.
    if (!al_play_sample(sample, cueGain(cue), 0.0f, params.speed, params.mode, nullptr)) {
        return;
    }
    if (params.mode != ALLEGRO_PLAYMODE_ONCE) {
        cueLooping = true;
        return;
    }
    const double seconds = al_get_sample_length(sample) /
                           (static_cast<double>(al_get_sample_frequency(sample)) * params.speed);
    cuesOverAt = std::max(cuesOverAt, al_get_time() + seconds);
}

namespace {
void playMusic(ALLEGRO_PLAYMODE mode) {
    if (!Assets.audio || Assets.music == nullptr) {
        return;
    }
    // Stopping drops the buffers already decoded, so the rewound stream starts cleanly.
    al_set_audio_stream_playing(Assets.music, false);
    musicStopped();
    al_rewind_audio_stream(Assets.music);
    al_set_audio_stream_playmode(Assets.music, mode);
    musicMode = mode;
    al_set_audio_stream_gain(Assets.music, app::Settings.musicVolume);
    musicHeld = !(app::Settings.musicVolume > 0);
    if (!musicHeld) {
        startMusicStream();
    }
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
            musicStopped();
            musicHeld = true;
        } else if (gain > 0 && musicHeld) {
            startMusicStream();
            musicHeld = false;
        }
    }
}

void stopMusic() {
    musicHeld = false;
    if (Assets.audio && Assets.music != nullptr) {
        al_set_audio_stream_playing(Assets.music, false);
    }
    musicStopped();
}

void stopAllCues() {
    if (Assets.audio) {
        al_stop_samples();
    }
    cueLooping = false;
    cuesOverAt = std::min(cuesOverAt, al_get_time());
}

double audioQuietAt() {
    if (runningVoice() == nullptr || cueLooping) {
        return kNothingPending;
    }
    // Music played once stops by itself: it is looked at again when it should be over,
    // by what is left of it to decode (a little less than is left to hear).
    if (musicOn && (Assets.music == nullptr || !al_get_audio_stream_playing(Assets.music))) {
        musicStopped();
    }
    if (musicOn && musicMode != ALLEGRO_PLAYMODE_ONCE) {
        return kNothingPending;
    }
    if (musicOn) {
        const double left = al_get_audio_stream_length_secs(Assets.music) -
                            al_get_audio_stream_position_secs(Assets.music);
        return al_get_time() + std::max(left, 0.0) + kOutputLag;
    }
    return std::max(cuesOverAt, musicOverAt) + kOutputLag;
}

void forgetSounds() {
    stopLeftWaiting = false;
    cuesOverAt = -kNothingPending;
    cueLooping = false;
    musicHeld = false;
    musicOn = false;
    musicOverAt = -kNothingPending;
}

namespace {
// Allegro's OpenAL driver ends a voice's stop on a signal that the voice's feeding thread
// gives as it ends, without the voice's lock: now and then the signal comes just before the
// stop waits for it, and the stop waits forever for a feeder that has already ended, with
// the game frozen in it. So a stop runs on a thread of its own and is waited for a while;
// one that has not ended by then is made again, and finds the feeder ended and completes.
// The stop left waiting stays blocked for the rest of the run.
constexpr auto kStopAllowance = std::chrono::milliseconds(250);
constexpr int kStopTries = 3;

bool stopVoiceWithin(ALLEGRO_VOICE* voice) {
    std::promise<void> stopped;
    const std::future<void> ended = stopped.get_future();
    std::thread([voice, stopped = std::move(stopped)]() mutable {
        al_detach_voice(voice);
        stopped.set_value();
    }).detach();
    return ended.wait_for(kStopAllowance) == std::future_status::ready;
}
} // namespace

void quietAudio() {
    ALLEGRO_VOICE* voice = runningVoice();
    if (voice == nullptr || audioQuietAt() > al_get_time()) {
        return;
    }
    for (int tries = 0; tries < kStopTries; ++tries) {
        if (stopVoiceWithin(voice)) {
            return;
        }
        stopLeftWaiting = true;
    }
    // A voice that will not stop is not woken again either: the game goes on silent.
    Assets.audio = false;
}

bool audioCloses() {
    return !stopLeftWaiting;
}

} // namespace app
