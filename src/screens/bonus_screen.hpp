#pragma once

namespace screens {

// The table of points for every kind of line, full bar and star, with two pulsing
// stars; returns to the main menu through its back button.
void bonusScreen();

} // namespace screens
