#pragma once

#include "app/assets.hpp"
#include "app/input.hpp"
#include "app/sheet.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "records/options.hpp"
#include "support/headless.hpp"
#include "support/screen_driver.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace playtest {

inline constexpr const char* kNamePrompt = "Wpisz swoje imię:";

// A started game world with the cells placed and the log emptied. It runs in a folder of
// its own: a game can end in the name entry, which writes the lists of results.
class PlayTest : public ::testing::Test {
  protected:
    support::ScratchFolder folder;

    void SetUp() override {
        support::startHeadless();
        app::Settings.effectsVolume = 1.0f;
        app::Settings.musicVolume = 1.0f;
        for (int cell = 1; cell <= board::kCells; ++cell) {
            const board::Pixel at = board::cellPixel(board::columnOf(cell), board::rowOf(cell));
            board::GameState.cellX[cell] = at.x;
            board::GameState.cellY[cell] = at.y;
        }
        standin::log() = standin::Log{};
    }

    // Draws from the element sheet of piece (sx, sy, sw, sh), or with sx < 0 of any element
    // sprite (the sheet's first row) onto `target`, in order.
    static std::vector<standin::BitmapDraw> sheetPieces(float sx, float sy, float sw, float sh,
                                                        const ALLEGRO_BITMAP* target = nullptr) {
        std::vector<standin::BitmapDraw> out;
        for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
            if ((sx < 0 || d.sx == sx) && d.sy == sy && d.sw == sw && d.sh == sh &&
                (target == nullptr || d.target == target)) {
                out.push_back(d);
            }
        }
        return out;
    }
    static std::vector<standin::BitmapDraw> sheetPieces(app::Rect piece,
                                                        const ALLEGRO_BITMAP* target = nullptr) {
        return sheetPieces(piece.x, piece.y, piece.w, piece.h, target);
    }
    static std::vector<standin::BitmapDraw> sprites(const ALLEGRO_BITMAP* target) {
        return sheetPieces(-1, 0, app::sheet::kElement0.w, app::sheet::kElement0.h, target);
    }

    // Answers a dialog as a player would: once `prompt` has been on screen for a few flips,
    // once. Runs on every rest, because the dialogs run loops of their own.
    static void answerOnce(const char* prompt, std::function<void()> answer) {
        auto pending = std::make_shared<std::function<void()>>(std::move(answer));
        standin::setRestDriver([prompt, pending](double) {
            if (*pending && driver::shownFor(prompt, 21)) {
                auto once = std::move(*pending);
                *pending = nullptr;
                once();
            }
        });
    }

    // The name entry answered with "Ala" and Enter; the list of results that follows is
    // left through its back button.
    static void answerNameEntry() {
        answerOnce(kNamePrompt, [] {
            driver::press(driver::typedThenEnter("Ala"));
            driver::keepClicking(400, 545);
        });
    }
};

} // namespace playtest
