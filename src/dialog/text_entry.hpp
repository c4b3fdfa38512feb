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

// The character of the next key press waiting, taken; 0 when none waits. Nothing typed
// is taken twice.
int nextTypedCharacter();

// Forgets what was typed after the key that ended an entry, so that the next screen (a
// timed game reads Escape as its pause key) does not take it.
void forgetConfirmingKey();

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

// Sleeps out an entry's pass of `seconds`, ending it early when a key comes, so typing
// is taken at once.
void restPass(double seconds);

} // namespace dialog
