#pragma once

#include "app/geometry.hpp"
#include "dialog/text_entry.hpp"

#include <allegro5/allegro.h>

// The password field of the save and load dialogs. The password being typed is
// currentSaveName itself, edited in place.
namespace saves {

struct PasswordField {
    dialog::Charset charset;
    app::Point caretAt;
    app::Point textAt;
    app::HitBox erase;    // filled with the strip background after every pass
    bool darkHiddenCaret; // the hidden caret in (0, 18, 30); otherwise the strip background
    bool pollsMouse;      // the load dialog polls the mouse and has a right-click way out
    bool escapeConfirms;  // Escape ends a non-empty password as Enter does
    bool escapeGivesUp;   // Escape on an empty password abandons the entry
    int rightClickTop;    // the band where a right click on an empty field ends the entry
    int rightClickBottom;
};

enum class EntryEnd {
    Typed,      // Enter (or Escape where it confirms) on a non-empty password
    RightClick, // the load dialog's way out with an empty password
    GaveUp,     // Escape on an empty password where that abandons the entry
};

// Runs passes of the entry until it ends; one typed character at most per pass.
EntryEnd typePassword(const PasswordField& field);

} // namespace saves
