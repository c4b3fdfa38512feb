#pragma once

#include <allegro5/allegro_audio.h>

#include <limits>

namespace app {

// The fourteen short sounds. Each plays one sample with fixed parameters; the
// enumeration order is the order the samples are loaded in.
enum class SoundCue {
    Menu,
    Take,
    Snd1,
    Kreski,
    BrakRuchu,
    S6,
    S7,
    Gw1,
    Planety,
    KoniecEt,
    Rek,
    StrUse6,
    Time,
    BrakCzasu,
};

struct CueParams {
    const char* file;
    double gainOffset; // added to the effects volume
    double gainFactor; // the effects volume is multiplied by this first
    float speed;
    ALLEGRO_PLAYMODE mode;
};

const CueParams& cueParams(SoundCue cue);

// The gain a cue plays at for the current effects volume; never below 0.
float cueGain(SoundCue cue);

void playCue(SoundCue cue);

// Starts the looping music from its beginning at the music volume; at no volume the
// stream waits, held, until setMusicGain brings the volume up.
void startMusic();
// The same, played through once.
void playMusicOnce();

// Sets the music gain (no volume holds the music where it is) and stops the music; both
// do nothing without a sound device.
void setMusicGain(float gain);
void stopMusic();
void stopAllCues();

// The sound device's voice mixes on a thread of its own even when it only has silence to
// mix: with nothing sounding (no cue still heard, the music stopped or held at no volume)
// it is stopped, and a cue or the music wakes it at once. audioQuietAt tells when, on
// al_get_time's clock, it can next be stopped: kNothingPending when it is stopped already
// or something sounds on without an end (a looping cue, the looping music); quietAudio
// stops it from then on. The game calls both as it goes to sleep (app::waitForEvents).
inline constexpr double kNothingPending = std::numeric_limits<double>::infinity();
double audioQuietAt();
void quietAudio();

// Whether the sound device can be closed: not when a stop of its voice was left waiting
// (quietAudio), since closing it would wait for that stop too.
bool audioCloses();

// Forgets every cue and the music noted as sounding: the device opens with nothing
// playing on it (app::startUp).
void forgetSounds();

} // namespace app
