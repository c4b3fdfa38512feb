#pragma once

#include <allegro5/allegro.h>

// The colours that several screens share, so that a panel, a prompt or a hover glow
// looks the same wherever it appears. A colour that only one screen uses stays beside
// the code that draws it.
namespace app::palette {

// An opaque colour from its 8-bit channels, as al_map_rgb makes it.
constexpr ALLEGRO_COLOR rgb(int r, int g, int b) {
    return ALLEGRO_COLOR{r / 255.0f, g / 255.0f, b / 255.0f, 1.0f};
}

inline constexpr ALLEGRO_COLOR kBlack = rgb(0, 0, 0);
// What a scratch layer is cleared to before texts are composed on it.
inline constexpr ALLEGRO_COLOR kTransparent{0, 0, 0, 0};
// Outlines of the list, options, bonus and rules panels.
inline constexpr ALLEGRO_COLOR kOlive = rgb(128, 140, 0);
// Prompts, headings and whatever is shown but not active: empty rows, a dim option.
inline constexpr ALLEGRO_COLOR kSlate = rgb(60, 80, 100);
// Typed text, questions, the rules and the points of the bonus table.
inline constexpr ALLEGRO_COLOR kSilver = rgb(160, 160, 160);
// Filled rows, option labels, the planets' descriptions.
inline constexpr ALLEGRO_COLOR kSteel = rgb(120, 140, 160);
// Something went wrong or is about to be destroyed.
inline constexpr ALLEGRO_COLOR kCoral = rgb(200, 80, 80);
// Mode titles, level captions, "no stored games".
inline constexpr ALLEGRO_COLOR kMoss = rgb(140, 160, 10);
// Good news: the last rule, the password a game was stored under.
inline constexpr ALLEGRO_COLOR kLeaf = rgb(60, 180, 60);
// The text field of the bottom strip, and a caret hidden on it.
inline constexpr ALLEGRO_COLOR kInk = rgb(0, 18, 30);
// The rules panel and the hint outline's resting colour.
inline constexpr ALLEGRO_COLOR kDeepTeal = rgb(0, 28, 40);
// The strip of the text entries and dialogs at the bottom of the screen.
inline constexpr ALLEGRO_COLOR kStripTeal = rgb(0, 38, 50);
// The list and bonus panels.
inline constexpr ALLEGRO_COLOR kNavy = rgb(10, 28, 40);

// The glow laid over a hovered menu item or back button.
inline constexpr ALLEGRO_COLOR kHoverGlow{0.2f, 0.6f, 0.8f, 0.2f};
// The stronger glow of the game screen's buttons and the "Dalej" button.
inline constexpr ALLEGRO_COLOR kButtonGlow{0.4f, 0.6f, 0.8f, 0.4f};

} // namespace app::palette
