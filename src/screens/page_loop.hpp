#pragma once

// The frame loop shared by the two static pages (the bonus table and the game
// information): a back button that highlights under the pointer and two stars that
// change their tint in two phases.
namespace screens {

// Fades the menu out and the page composed by `compose` in, then runs frames until the
// back button is clicked, and fades out and brings the menu back. Every frame raises a
// counter that wraps to 0 after 2 * `half`; below `half` the stars are laid in their first
// phase, above it in their second, at `half` not at all. `drawStars` lays one tinted copy
// of them; `faintest` is the smallest alpha of its tints, which settles last.
void showPage(void (*compose)(), int half, void (*drawStars)(bool firstPhase), float faintest);

} // namespace screens
