#pragma once

#include "app/assets.hpp"
#include "board/game_state.hpp"
#include "records/options.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace playtest {

// A started game world with the cell positions in place and the log emptied, so a
// test sees only what the code under test draws and plays. It runs in a folder of its
// own: a game can end in the name entry, which writes the lists of results.
class PlayTest : public ::testing::Test {
  protected:
    support::ScratchFolder folder;

    void SetUp() override {
        support::startHeadless();
        records::Options.effectsVolume = 1.0f;
        records::Options.musicVolume = 1.0f;
        placeCells();
        standin::log() = standin::Log{};
    }

    static void placeCells() {
        for (int cell = 1; cell <= board::kCells; ++cell) {
            board::GameState.cellX[cell] = 350 + 46 * ((cell - 1) % 8);
            board::GameState.cellY[cell] = 100 + 46 * ((cell - 1) / 8);
        }
    }

    // Draws of sheet piece (sx, sy, sw, sh), in order.
    static std::vector<standin::BitmapDraw> sheetPieces(float sx, float sy, float sw, float sh) {
        std::vector<standin::BitmapDraw> out;
        for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
            if (d.sx == sx && d.sy == sy && d.sw == sw && d.sh == sh) {
                out.push_back(d);
            }
        }
        return out;
    }

    // Element sprites (the sheet's first row) drawn onto `target`, in order.
    static std::vector<standin::BitmapDraw> sprites(const ALLEGRO_BITMAP* target) {
        std::vector<standin::BitmapDraw> out;
        for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
            if (d.sy == 0 && d.sw == 46 && d.sh == 46 && d.target == target) {
                out.push_back(d);
            }
        }
        return out;
    }
};

} // namespace playtest
