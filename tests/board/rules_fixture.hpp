#pragma once

#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/hooks.hpp"
#include "board/scoring.hpp"
#include "support/invariants.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace boardtest {

using board::GameState;
using support::givenBoard;

// A board of kinds 1..4 without a line and without a move, on which no fall of a column
// makes one: a column shifted by any number of rows never matches its neighbours. Lines
// drawn on it in kinds 5..7 stand alone, and the elements entering at levels 1 and 2
// (1..4 while refillCount is not a multiple of 3) can only line up among themselves in row 1.
inline const std::string kQuiet = R"(
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2)";

// `base` (64 kinds, top row first) with `cells` changed to `kind`, as 8 lines of kinds.
inline std::string with(std::initializer_list<int> cells, int kind,
                        const std::string& base = kQuiet) {
    std::istringstream in(base);
    std::vector<std::string> tokens(board::kCells + 1);
    for (int cell = 1; cell <= board::kCells; ++cell) {
        in >> tokens[cell];
    }
    for (int cell : cells) {
        tokens[cell] = std::to_string(kind);
    }
    std::ostringstream out;
    for (int cell = 1; cell <= board::kCells; ++cell) {
        out << tokens[cell] << (cell % 8 == 0 ? "\n" : " ");
    }
    return out.str();
}

// Its only move swaps the last two cells of row 8 (three 5s in the last row).
inline const std::string kLastRowMove = with({61, 62, 64}, 5);

// The points a line of `size` elements of `kind` brings at `level` on a score of `score`.
inline int awardFor(int kind, int size, int level, int score = 0) {
    GameState.lineKind = kind;
    GameState.lineSize = size;
    GameState.level = level;
    GameState.score = score;
    board::scoreAward();
    return GameState.score - score;
}

// The board in the game state, written as `with` writes it.
inline std::string boardNow() {
    std::ostringstream out;
    for (int cell = 1; cell <= board::kCells; ++cell) {
        out << GameState.cellKind[cell] << ' ';
    }
    return with({}, 0, out.str());
}

// The rules alone: a new game state at level 1 and no hook installed, so nothing is shown.
// No column gives a star unless a test says so.
class RulesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        GameState = board::GameStateRecord{};
        board::BoardHooks = board::BoardHooksRecord{};
        GameState.refillCount = 1;
        for (int c = 1; c <= 8; ++c) {
            GameState.columnStar[c] = 1;
        }
        std::srand(7);
    }

    // What must hold whenever the rules hand back: both copies agree, every kind is 1..7
    // and the border of the column grid is empty.
    static void expectSoundBoard() { EXPECT_EQ(support::describeBoardFaults(), ""); }
};

} // namespace boardtest
