#pragma once

#include <allegro5/allegro.h>

#include "app/input.hpp"

#include <string>

// What the three text entries (the name entry, the save dialog's and the load
// dialog's password) share: which keys add which bytes, Backspace, and the caret.
namespace dialog {

inline constexpr int kBackspace = 8;
inline constexpr int kEnter = 13;
inline constexpr int kEscape = app::kEscape;

// The bytes a field takes besides the twelve Polish letters.
enum class Charset {
    Word,      // "0" to "z": names and new passwords, never white space nor "." or "/"
    Printable, // space to DEL: what the load dialog's field accepts
};

// The UTF-8 form of one of the twelve Polish letters the entries accept, by its
// character code (ą ć ę ł ń ó ś ź ż Ł Ś Ż); nullptr for any other code.
const char* polishLetter(int code);

// Applies one typed character to `text`: appends an accepted character when the text
// stays within 17 bytes, or removes the last letter (a Polish letter whole) on
// Backspace. Any other code changes nothing.
void applyKey(std::string& text, int code, Charset charset);

// True when `text` is made only of characters that `charset` and the Polish letters
// give, and is 1 to 17 bytes long.
bool typedWith(const std::string& text, Charset charset);

// Takes events from `queue` until a character arrives and returns its code, keeping
// the event in InputState.event; 0 when the queue holds no character. Key-down and
// key-up events carry no character, so they are passed over, and nothing typed is
// taken twice.
int nextTypedCharacter(ALLEGRO_EVENT_QUEUE* queue);

// Drops the key that ended an entry from InputState.event, so that the next screen
// (a timed game reads Escape as its pause key) does not take it again.
void forgetConfirmingKey();

// Creates a queue fed by the keyboard alone.
ALLEGRO_EVENT_QUEUE* createKeyboardQueue();

// The caret's blink counter, 0..6, shared by every entry: 0..2 bright, 4..6 dark.
extern int caretBlink;
enum class CaretPhase { Bright, Neither, Dark };
CaretPhase advanceCaret();

// The picture of an entry's passes: shown on the first pass, and then only when a key
// was typed, the caret's colour changed or the window lost its picture; a pass of an
// entry that waits for a key presents nothing new.
class EntryPicture {
  public:
    void show(int key, CaretPhase caret);

  private:
    bool shown_ = false;
    CaretPhase caret_ = CaretPhase::Neither;
};

// Sleeps out an entry's pass of `seconds`, ending it early when a key comes for the
// entry's `queue`, so typing is taken at once.
void restPass(ALLEGRO_EVENT_QUEUE* queue, double seconds);

// Waits, polling the mouse directly, until no button is held, so that a press that
// has been acted on is not seen again.
void waitForButtonsReleased();

} // namespace dialog
