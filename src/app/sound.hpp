#pragma once

#include <allegro5/allegro_audio.h>

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

} // namespace app
