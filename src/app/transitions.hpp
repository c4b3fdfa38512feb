#pragma once

namespace app {

// Shows Assets.screen gradually over whatever the display holds (45 steps).
void fadeIn();

// Darkens the display to black while ramping the music down, then stops every sound.
void fadeOut();

} // namespace app
