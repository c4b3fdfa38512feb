#include "board/scoring.hpp"

#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/hooks.hpp"

#include <algorithm>

namespace board {

namespace {

// The award joins the score, which stops at the highest score the game keeps.
void addAward() {
    GameStateRecord& g = GameState;
    g.score = g.awardPoints > kMaxScore - g.score ? kMaxScore : g.score + g.awardPoints;
}

// Fixed points of a line at level 1 by kind class and size class 1..3; higher levels
// multiply them. A star line adds a share of the score divided by the level.
constexpr int kOrdinaryPoints[4] = {0, 10, 20, 50};
constexpr int kBonusPoints[4] = {0, 75, 150, 300};
constexpr int kStarPoints[4] = {0, 200, 300, 500};
constexpr int kLongestSizeClass = 3;

constexpr int kBarBonus = 500;
constexpr int kBarFull = 100;

void turnBonusElementsInto(int kind) {
    GameStateRecord& g = GameState;
    for (int cell = 1; cell <= kCells; ++cell) {
        if (g.cellKind[cell] != ElementKind::Bonus) {
            continue;
        }
        show(BoardHooks.cue, SoundCue::Snd1);
        show(BoardHooks.bonusTurned, cell, kind);
        g.cellKind[cell] = kind;
        g.grid[columnOf(cell)][rowOf(cell)] = kind;
    }
}

void payFullBar(int kind) {
    GameStateRecord& g = GameState;
    show(BoardHooks.cue, SoundCue::Kreski);
    show(BoardHooks.kindBarFull, kind);

    g.awardPoints = kBarBonus;
    addAward();
    show(BoardHooks.scoreChanged);

    turnBonusElementsInto(kind);
    show(BoardHooks.kindBarPaid, kind);
    g.kindProgress[kind] = 0;
}

} // namespace

int linePoints(int lineKind, int lineSize, int level, int score) {
    // This game scores lines of six or more as lines of five.
    const int size = std::clamp(lineSize, 1, kLongestSizeClass);
    // A damaged stored game must not divide by zero.
    const int multiplier = std::max(level, 1);
    if (lineKind == ElementKind::Bonus) {
        return kBonusPoints[size] * multiplier;
    }
    if (lineKind == ElementKind::Star) {
        // A share of the score: 1/50, 3/100 or 1/20, divided by the level in that order.
        int share = 0;
        switch (size) {
        case 1:
            share = score / 50;
            break;
        case 2:
            // 3 * score / 100 without the product, which a score near the top would overflow.
            share = score / 100 * 3 + score % 100 * 3 / 100;
            break;
        default:
            share = score / 20;
            break;
        }
        return kStarPoints[size] * multiplier + share / multiplier;
    }
    return kOrdinaryPoints[size] * multiplier;
}

void scoreAward() {
    GameStateRecord& g = GameState;
    if (g.lineKind >= 1 && g.lineKind <= ElementKind::Bonus) {
        show(BoardHooks.cue, SoundCue::Snd1);
        g.awardPoints = linePoints(g.lineKind, g.lineSize, g.level, g.score);
    }
    if (g.lineKind == ElementKind::Bonus) {
        show(BoardHooks.cue, SoundCue::S6);
        show(BoardHooks.specialLineScored, g.lineKind);
    }
    if (g.lineKind == ElementKind::Star) {
        show(BoardHooks.cue, SoundCue::S7);
        show(BoardHooks.specialLineScored, g.lineKind);
    }
    addAward();
    show(BoardHooks.scoreChanged);
}

void advanceKindBar() {
    GameStateRecord& g = GameState;
    const int kind = g.lineKind;
    if (!isOrdinary(kind)) {
        return;
    }
    g.kindProgress[kind] += g.lineSize;
    if (g.kindProgress[kind] <= kBarFull) {
        show(BoardHooks.kindBarAdvanced, kind);
        return;
    }
    payFullBar(kind);
}

} // namespace board
