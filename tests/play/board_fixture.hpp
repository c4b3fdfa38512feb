#pragma once

#include "app/assets.hpp"
#include "app/input.hpp"
#include "app/sheet.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/rules_fixture.hpp"
#include "play/board_animations.hpp"
#include "play/board_input.hpp"
#include "records/options.hpp"
#include "support/frame_script.hpp"
#include "support/headless.hpp"
#include "support/invariants.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace boardtest {

using board::GameState;
using support::givenBoard;

// A started game world with the cell positions in place, the board's steps shown on the
// game screen and the log emptied, so a test sees only what the board's rules and the
// screen's animations of them draw and play. No column gives a star unless a test
// says so.
class BoardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startHeadless();
        app::Settings.effectsVolume = 1.0f;
        app::Settings.musicVolume = 1.0f;
        app::InputState.x = app::InputState.y = 0;
        play::updateBoardFrame();
        play::showBoardSteps();
        GameState.level = 1;
        GameState.refillCount = 1;
        for (int c = 1; c <= 8; ++c) {
            GameState.columnStar[c] = 1;
        }
        standin::log() = standin::Log{};
        std::srand(7);
    }

    static std::string board() { return boardNow(); }

    // `before` with the given columns replaced, each written "column:kinds", 8 kinds top to
    // bottom; letters a, b, c... stand for `fresh[0]`, `fresh[1]`... (the entering kinds,
    // predicted from the seed).
    static std::string expected(const std::string& before, const std::string& columns,
                                const std::vector<int>& fresh) {
        std::string out = with({}, 0, before);
        std::istringstream in(columns);
        for (std::string column; in >> column;) {
            for (int row = 1; row <= 8; ++row) {
                const char k = column.at(static_cast<std::size_t>(row + 1));
                const int kind = k >= 'a' ? fresh.at(static_cast<std::size_t>(k - 'a')) : k - '0';
                out = with({board::cellNumber(column[0] - '0', row)}, kind, out);
            }
        }
        return out;
    }

    // The game loop has seen the left button go down at (x, y); the pointer stays there.
    static void holdLeftButton(int x, int y) {
        standin::setMouse(x, y, app::kLeftButton);
        app::pollInput();
    }

    // What must hold whenever control returns to the game loop: both copies agree, every
    // kind is 1..7 and the border of the column grid is empty.
    static void expectSoundBoard() { EXPECT_EQ(support::describeBoardFaults(), ""); }

    static int cellsOfKind(int kind) {
        return static_cast<int>(std::count(GameState.cellKind + 1, GameState.cellKind + 65, kind));
    }

    static int plays(const char* file) { return static_cast<int>(standin::playsOf(file).size()); }

    static int shown(const std::string& text) {
        return static_cast<int>(standin::textsWith(text).size());
    }

    // Draws of sheet piece (sx, sy, sw, sh) onto any target, in order; sx -1 matches any.
    static std::vector<standin::BitmapDraw> sheetPieces(float sx, float sy, float sw, float sh) {
        return drawsOf(app::Assets.sheet, sx, sy, sw, sh);
    }

    static std::vector<standin::BitmapDraw> sheetPieces(app::Rect piece) {
        return sheetPieces(piece.x, piece.y, piece.w, piece.h);
    }

    // Regions of the screen buffer of the given size copied back, in order.
    static std::vector<standin::BitmapDraw> repairs(float sw, float sh) {
        return drawsOf(app::Assets.screen, -1, -1, sw, sh);
    }

    // Vanish frames (the sheet's second row) drawn.
    static int vanishFrames() {
        return static_cast<int>(
            sheetPieces(-1, app::sheet::kVanish0.y, app::sheet::kVanish0.w, app::sheet::kVanish0.h)
                .size());
    }

  private:
    static std::vector<standin::BitmapDraw> drawsOf(const ALLEGRO_BITMAP* from, float sx, float sy,
                                                    float sw, float sh) {
        std::vector<standin::BitmapDraw> out;
        for (const auto& d : standin::drawsOf(from)) {
            if ((sx < 0 || d.sx == sx) && (sy < 0 || d.sy == sy) && d.sw == sw && d.sh == sh) {
                out.push_back(d);
            }
        }
        return out;
    }
};

} // namespace boardtest
