#pragma once

namespace saves {

// Blends the composed dialog strip (rows 3 to 37) in over the screen at row `top` + 1,
// in 44 steps of 0.005 s.
void stripFadeIn(int top);

// Darkens the strip's picture (rows 3 to 39) at row `top` in 128 steps of 0.002 s.
void stripFadeOut(int top);

} // namespace saves
