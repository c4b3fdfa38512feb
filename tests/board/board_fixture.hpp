#pragma once

#include "app/assets.hpp"
#include "app/input.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "records/options.hpp"
#include "support/headless.hpp"
#include "support/invariants.hpp"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace boardtest {

using board::GameState;

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
    std::vector<int> kinds(board::kCells + 1);
    for (int cell = 1; cell <= board::kCells; ++cell) {
        in >> kinds[cell];
    }
    for (int cell : cells) {
        kinds[cell] = kind;
    }
    std::ostringstream out;
    for (int cell = 1; cell <= board::kCells; ++cell) {
        out << kinds[cell] << (cell % 8 == 0 ? "\n" : " ");
    }
    return out.str();
}

// A started game world with the cell positions in place and the log emptied, so a test
// sees only what the board engine draws and plays. No column gives a star unless a test
// says so.
class BoardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startHeadless();
        records::Options.effectsVolume = 1.0f;
        records::Options.musicVolume = 1.0f;
        app::InputState.x = app::InputState.y = 0;
        board::updateBoardFrame();
        GameState.level = 1;
        GameState.refillCount = 1;
        for (int c = 1; c <= 8; ++c) {
            GameState.columnStar[c] = 1;
        }
        standin::log() = standin::Log{};
    }

    // Puts a board (64 kinds, top row first) into both copies.
    static void givenBoard(const std::string& rows) {
        std::istringstream in(rows);
        for (int cell = 1; cell <= board::kCells; ++cell) {
            in >> GameState.cellKind[cell];
        }
        board::rebuildGridFromCells();
    }

    static std::string board() { return with({}, 0, boardAsText()); }

    // `before` with the given columns replaced, each written top to bottom; letters a, b,
    // c... stand for `fresh[0]`, `fresh[1]`... (the kinds that entered, predicted from the seed).
    static std::string expected(const std::string& before,
                                const std::map<int, std::string>& columns,
                                const std::vector<int>& fresh = {}) {
        std::istringstream in(with({}, 0, before));
        std::vector<std::string> tokens(board::kCells + 1);
        for (int cell = 1; cell <= board::kCells; ++cell) {
            in >> tokens[cell];
        }
        for (const auto& [column, kinds] : columns) {
            std::istringstream cin(kinds);
            for (int row = 1; row <= 8; ++row) {
                std::string token;
                cin >> token;
                const bool letter = token[0] >= 'a' && token[0] <= 'z';
                const std::size_t index = static_cast<std::size_t>(token[0] - 'a');
                tokens[board::cellNumber(column, row)] =
                    letter && index < fresh.size() ? std::to_string(fresh[index]) : token;
            }
        }
        std::ostringstream out;
        for (int cell = 1; cell <= board::kCells; ++cell) {
            out << tokens[cell] << (cell % 8 == 0 ? "\n" : " ");
        }
        return out.str();
    }

    // What must hold whenever control returns to the game loop: both copies agree, every
    // kind is 1..7 and the border of the column grid is empty.
    static void expectSoundBoard() { EXPECT_EQ(support::describeBoardFaults(), ""); }

    static bool hasLine() { return !support::linesOnBoard().empty(); }

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
    static std::vector<standin::BitmapDraw> vanishFrames() { return sheetRow(50); }

    // Element sprites (the sheet's first row) drawn, in order.
    static std::vector<standin::BitmapDraw> sprites() { return sheetRow(0); }

  private:
    static std::vector<standin::BitmapDraw> sheetRow(float sy) {
        std::vector<standin::BitmapDraw> out;
        for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
            if (d.sy == sy && d.sw == 46 && d.sh == 46) {
                out.push_back(d);
            }
        }
        return out;
    }

    static std::string boardAsText() {
        std::ostringstream out;
        for (int cell = 1; cell <= board::kCells; ++cell) {
            out << GameState.cellKind[cell] << ' ';
        }
        return out.str();
    }
};

} // namespace boardtest
