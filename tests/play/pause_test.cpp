#include "app/assets.hpp"
#include "app/input.hpp"
#include "play/pause.hpp"
#include "play_fixture.hpp"

namespace {

class Pause : public playtest::PlayTest {};

TEST_F(Pause, ShowsThePlateAndWaitsForAButtonWithoutMovingAnythingElse) {
    app::mouseState.buttons = 0;
    standin::setMouse(400, 300, 0);
    double pressedAt = 0;
    standin::setRestDriver([&](double clock) {
        if (clock > 5.0 && pressedAt == 0) {
            pressedAt = clock;
            standin::setMouse(400, 300, app::kLeftButton);
        }
    });
    play::pauseScreen();
    EXPECT_GT(pressedAt, 5.0) << "the pause ended before a button was pressed";
    EXPECT_EQ(app::mouseState.buttons, app::kLeftButton) << "the ending press is kept";
    EXPECT_EQ(standin::log().flips, 1) << "only the plate is flipped; the game loop flips after";

    EXPECT_EQ(sheetPieces(230, 570, 225, 36).size(), 1u);
    EXPECT_EQ(standin::textsWith("P a u z a").size(), 1u);

    // The board is repaired after the press, unflipped.
    auto repair = standin::drawsOf(app::Assets.screen);
    ASSERT_EQ(repair.size(), 1u);
    EXPECT_EQ(repair[0].sw, 368);
    EXPECT_EQ(sprites(standin::backbuffer()).size(), 64u);
}

TEST_F(Pause, AButtonAlreadyDownEndsItAfterATenthOfASecond) {
    app::mouseState.buttons = app::kRightButton;
    play::pauseScreen();
    EXPECT_NEAR(standin::log().clock, 0.1, 1e-9);
    EXPECT_EQ(app::mouseState.buttons, app::kRightButton);
}

} // namespace
