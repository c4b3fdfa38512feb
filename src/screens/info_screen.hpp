#pragma once

namespace screens {

// The rules of the game and the credits, with two alternating stars; returns to the
// main menu through its back button.
void infoScreen();

} // namespace screens
