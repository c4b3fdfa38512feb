#pragma once

// A press belongs to what the player saw when making it. Every press, a mouse button's or
// a key's, is judged once, as it arrives, by what the screen that shows is doing then:
//
//   moment      a click or a key                          a button held on
//   ----------  ----------------------------------------  ---------------------------
//   Waiting     taken by the screen                       taken
//   (at rest)
//   FadingIn    ends the fade; taken by the screen that   taken
//   (a screen,  appears, as if made on it
//   a dialog's
//   strip)
//   FadingOut   ends the fade; spent on it: the screen    spent until let go
//   (the same,  that comes next never sees it
//   leaving)
//   Animating   dropped (a dropped click also drops the   taken once the board
//   (the board  half-made pair); only the arrows (the     settles (a drag begun
//   moves, a    keyboard's cursor), Escape and P (the     while it moved)
//   level ends) timed game's pause) wait for the board
//
// A wait that begins (a page, a dialog's question, "Dalej", the pause) takes only what is
// pressed while it shows: buttons and keys still held from before are spent until let go,
// and a held key's repeats never answer it.
namespace app {

enum class Moment { Waiting, FadingIn, FadingOut, Animating };

enum class Fate {
    Taken,         // the screen that shows acts on it
    EndsFadeTaken, // ends the fade, then the screen that appeared acts on it
    Spent,         // ends the fade; nobody acts on it
    Dropped,       // nobody acts on it
};

enum class PressKind { Button, Key };

// The table above, for a press of `kind` (with its Allegro key code for a key).
Fate fateOf(Moment moment, PressKind kind, int keycode = 0);

// Whether a press with this fate reaches the screen that shows.
inline bool reachesScreen(Fate fate) {
    return fate == Fate::Taken || fate == Fate::EndsFadeTaken;
}

// What the screen that shows is doing.
Moment currentMoment();

// The moment for a scope: a fade, an animation; the moment before comes back at its end.
// A fade-out lets go of every press kept before it.
class During {
  public:
    explicit During(Moment moment);
    ~During();
    During(const During&) = delete;
    During& operator=(const During&) = delete;

  private:
    Moment previous_;
};

// The moment an animation's steps run in: Animating, unless a fade runs them.
Moment animatingMoment();

// Back to Waiting, with no scope open (game::resetProcessState).
void resetMoment();

} // namespace app
