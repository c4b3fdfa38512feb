#include "board/move_search.hpp"

#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/sheet.hpp"
#include "app/sound.hpp"
#include "board/board_setup.hpp"
#include "board/board_view.hpp"
#include "board/game_state.hpp"
#include "play/clock.hpp"
#include "play/panel.hpp"

#include <allegro5/allegro_primitives.h>

#include <cstdlib>
#include <utility>

namespace board {

namespace {

// The blink: the outline shows for 10 passes and is erased for 10, one pass between.
constexpr int kBlinkCycle = 20;
constexpr double kBlinkRest = 0.02;
constexpr int kBlinkShown = 9;
constexpr int kBlinkErased = 10;
// A click shows the hint this long, unless the player moves first: a click lasts a tenth
// of a second, too short to see a blink.
constexpr double kHintShown = 2.0;

// Cells of rows 1..7, where the reshuffle may place a new kind.
constexpr int kReshuffleCells = kCells - kSide;

constexpr ALLEGRO_COLOR kHintColour = app::palette::rgb(44, 133, 166);

int searchGrid[kSide + 1][kSide + 1];

bool equalTriple(int a, int b, int c) {
    return a == b && b == c;
}

// Any row or column triple of equal kinds in the search grid.
bool searchGridHasLine() {
    for (int a = 1; a <= kSide; ++a) {
        for (int k = 2; k <= kSide - 1; ++k) {
            if (equalTriple(searchGrid[k - 1][a], searchGrid[k][a], searchGrid[k + 1][a]) ||
                equalTriple(searchGrid[a][k - 1], searchGrid[a][k], searchGrid[a][k + 1])) {
                return true;
            }
        }
    }
    return false;
}

// Swaps two cells of the search grid, keeps them swapped when that makes a line.
bool trySwap(int c1, int r1, int c2, int r2) {
    std::swap(searchGrid[c1][r1], searchGrid[c2][r2]);
    if (searchGridHasLine()) {
        return true;
    }
    std::swap(searchGrid[c1][r1], searchGrid[c2][r2]);
    return false;
}

void setHint(int column, int row) {
    const app::Point cell = cellPixel(column, row);
    GameState.hintX = cell.x;
    GameState.hintY = cell.y;
}

void outlineHint(ALLEGRO_COLOR colour) {
    const GameStateRecord& g = GameState;
    al_draw_rectangle(g.hintX, g.hintY, g.hintX + kPitch, g.hintY + kPitch, colour, 1);
}

// Blinks while the button is held, then on until kHintShown has passed since the
// press, unless the player presses a button or a key first: that press is the next
// move's, and stays for the game loop. After the button is let go the clock runs on.
void blinkHint() {
    int n = 0;
    int passes = 1; // blink frames the last pass stood for
    app::FrameClock frames(kBlinkRest + app::kPresentCost);
    const double until = al_get_time() + kHintShown;
    auto blink = [&] {
        app::pollInput();
        n = (n + passes) % (kBlinkCycle + 1);
        if (n <= kBlinkShown) {
            outlineHint(kHintColour);
        }
        if (n > kBlinkErased) {
            outlineHint(app::palette::kBlack);
        }
        app::showCanvas();
        passes = frames.next();
    };
    do {
        blink();
    } while (app::InputState.buttons != 0);
    double counted = al_get_time(); // when the clock was last given its frames
    while (al_get_time() < until && app::mouseState.buttons == 0 && !app::pressWaiting()) {
        blink();
        const double now = al_get_time();
        const int due = static_cast<int>((now - counted) / app::kNominalFrame);
        play::clockTicks(due);
        counted += due * app::kNominalFrame;
    }
}

} // namespace

void findMove() {
    for (int c = 1; c <= kSide; ++c) {
        for (int r = 1; r <= kSide; ++r) {
            searchGrid[c][r] = GameState.grid[c][r];
        }
    }
    for (int r = 1; r <= kSide; ++r) {
        for (int c = 1; c <= kSide - 1; ++c) {
            if (trySwap(c, r, c + 1, r)) {
                setHint(c, r);
                return;
            }
        }
    }
    for (int r = 2; r <= kSide; ++r) {
        for (int c = 1; c <= kSide; ++c) {
            if (trySwap(c, r - 1, c, r)) {
                setHint(c, r - 1);
                return;
            }
        }
    }
    GameState.noMoves = 1;
}

void updateHintButton() {
    const app::InputStateRecord& in = app::InputState;
    if (in.hover == kHoverHint) {
        play::lightHintButton();
    }
    if (in.hover == 0) {
        play::dimHintButton();
    }
    if (in.hover == kHoverHint && in.buttons == app::kLeftButton) {
        showHint();
    }
}

void showHint() {
    play::pressHintButton();
    findMove();
    blinkHint();
    play::releaseHintButton();
    outlineHint(app::palette::kDeepTeal);
    app::showCanvas();
}

void replaceRandomElement() {
    GameStateRecord& g = GameState;
    // Without a single cell that may change (only possible on a damaged board) the
    // draw below would never end.
    bool anyCandidate = false;
    for (int cell = 1; cell <= kReshuffleCells; ++cell) {
        anyCandidate = anyCandidate || g.cellKind[cell] != ElementKind::Bonus;
    }
    if (!anyCandidate) {
        g.noMoves = 0;
        return;
    }
    int cell = std::rand() % kReshuffleCells + 1;
    while (g.cellKind[cell] == ElementKind::Bonus) {
        cell = std::rand() % kReshuffleCells + 1;
    }
    const int kind = g.level < 3 ? std::rand() % 4 + 1 : std::rand() % 5 + 1;
    g.lineKind = kind;
    app::playCue(app::SoundCue::Snd1);
    app::Pace pace(0.03);
    for (int f = 0; f < kVanishFrames; ++f) {
        drawVanishFrame(f, g.cellX[cell], g.cellY[cell]);
        pace.frame(f == kVanishFrames - 1);
    }
    app::drawElement(kind, g.cellX[cell], g.cellY[cell]);
    g.cellKind[cell] = kind;
    g.grid[columnOf(cell)][rowOf(cell)] = kind;
    g.noMoves = 0;
}

} // namespace board
