#pragma once

// The text about each planet, shown when its level is completed, and the final screen
// after the last planet.
namespace play {

// Draws the text of the planet of `level` (1..8) in the lower left corner of the
// current target; no flip. Any other level draws nothing.
void planetInfo(int level);

// Covers the game screen with the backdrop, then zooms the backdrop while the closing
// words and the score fade in. Leaves the final picture on the display.
void finalScreen();

// The final picture as far as finalScreen has brought it, composed whole (after a change
// of scale, and beneath the name entry): the backdrop's cover into Assets.screen, the
// zoom's step on the canvas.
void drawFinalScreen();

} // namespace play
