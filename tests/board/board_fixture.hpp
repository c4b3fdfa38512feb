#pragma once

#include "app/assets.hpp"
#include "app/input.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "records/options.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace boardtest {

using board::GameState;

// A started game world with the cell positions in place and the log emptied, so a test
// sees only what the board engine draws and plays.
class BoardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startHeadless();
        records::Options.effectsVolume = 1.0f;
        records::Options.musicVolume = 1.0f;
        app::InputState.x = app::InputState.y = 0;
        board::updateBoardFrame();
        standin::log() = standin::Log{};
    }

    // Puts a literal board (8 rows of 8 kinds, top row first) into both copies.
    static void givenBoard(const std::string& rows) {
        std::istringstream in(rows);
        for (int cell = 1; cell <= board::kCells; ++cell) {
            int kind = 0;
            in >> kind;
            GameState.cellKind[cell] = kind;
        }
        board::rebuildGridFromCells();
    }

    // The board as 8 lines of kinds; letters a, b, c... in `rows` stand for `fresh[0]`,
    // `fresh[1]`... (the kinds that entered, as predicted from the seed).
    static std::string expected(const std::string& rows, const std::vector<int>& fresh = {}) {
        std::istringstream in(rows);
        std::ostringstream out;
        for (int cell = 1; cell <= board::kCells; ++cell) {
            std::string token;
            in >> token;
            const bool letter = !token.empty() && token[0] >= 'a' && token[0] <= 'z';
            const std::size_t index = letter ? static_cast<std::size_t>(token[0] - 'a') : 0;
            if (letter && index < fresh.size()) {
                out << fresh[index];
            } else {
                out << token;
            }
            out << (cell % 8 == 0 ? "\n" : " ");
        }
        return out.str();
    }

    static std::string board() {
        std::ostringstream out;
        for (int cell = 1; cell <= board::kCells; ++cell) {
            out << GameState.cellKind[cell] << (cell % 8 == 0 ? "\n" : " ");
        }
        return out.str();
    }

    // What must hold whenever control returns to the game loop: both copies agree, every
    // kind is 1..7 and the border of the column grid is empty.
    static void expectSoundBoard() {
        for (int r = 1; r <= 8; ++r) {
            for (int c = 1; c <= 8; ++c) {
                const int kind = GameState.cellKind[board::cellNumber(c, r)];
                EXPECT_EQ(GameState.grid[c][r], kind) << "column " << c << " row " << r;
                EXPECT_GE(kind, 1);
                EXPECT_LE(kind, 7);
            }
        }
        for (int i = 0; i <= 8; ++i) {
            EXPECT_EQ(GameState.grid[0][i], 0);
            EXPECT_EQ(GameState.grid[i][0], 0);
        }
    }

    static bool hasLine() {
        const auto& g = GameState.grid;
        for (int a = 1; a <= 8; ++a) {
            for (int k = 1; k <= 6; ++k) {
                if ((g[k][a] == g[k + 1][a] && g[k][a] == g[k + 2][a]) ||
                    (g[a][k] == g[a][k + 1] && g[a][k] == g[a][k + 2])) {
                    return true;
                }
            }
        }
        return false;
    }

    static int plays(const char* file) { return static_cast<int>(standin::playsOf(file).size()); }

    // Draws of sheet piece (sx, sy, sw, sh) onto any target, in order.
    static std::vector<standin::BitmapDraw> sheetPieces(float sx, float sy, float sw, float sh) {
        std::vector<standin::BitmapDraw> out;
        for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
            if (d.sx == sx && d.sy == sy && d.sw == sw && d.sh == sh) {
                out.push_back(d);
            }
        }
        return out;
    }

    // Regions of the screen buffer copied back, with the given size, in order.
    static std::vector<standin::BitmapDraw> repairs(float sw, float sh) {
        std::vector<standin::BitmapDraw> out;
        for (const auto& d : standin::drawsOf(app::Assets.screen)) {
            if (d.sw == sw && d.sh == sh) {
                out.push_back(d);
            }
        }
        return out;
    }

    // Vanish frames (the sheet's second row) drawn, in order.
    static std::vector<standin::BitmapDraw> vanishFrames() {
        std::vector<standin::BitmapDraw> out;
        for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
            if (d.sy == 50 && d.sw == 46 && d.sh == 46) {
                out.push_back(d);
            }
        }
        return out;
    }
};

// A board of kinds 1..4 without a line, on which no fall of a column makes one: a
// column shifted by any number of rows never matches its neighbours. Lines drawn on it
// in kinds 5..7 stand alone, and the elements entering at levels 1 and 2 (1..4 while
// refillCount is not a multiple of 3) can only line up among themselves in row 1.
inline const std::string kQuiet = R"(
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2)";

} // namespace boardtest
