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

    auto plate = sheetPieces(230, 570, 225, 36);
    ASSERT_EQ(plate.size(), 1u);
    EXPECT_EQ(plate[0].dx, 422);
    EXPECT_EQ(plate[0].dy, 265);
    auto word = standin::textsWith("P a u z a");
    ASSERT_EQ(word.size(), 1u);
    EXPECT_EQ(word[0].x, 535);
    EXPECT_EQ(word[0].y, 268);
    EXPECT_EQ(word[0].flags, ALLEGRO_ALIGN_CENTRE);
    EXPECT_EQ(standin::rgba(word[0].colour), (standin::Rgba{200, 210, 220, 255}));

    // The board is repaired after the press, unflipped.
    auto repair = standin::drawsOf(app::Assets.screen);
    ASSERT_EQ(repair.size(), 1u);
    EXPECT_EQ(repair[0].sx, 350);
    EXPECT_EQ(repair[0].sy, 80);
    EXPECT_EQ(repair[0].sw, 368);
    EXPECT_EQ(repair[0].sh, 368);
    EXPECT_EQ(sprites(standin::backbuffer()).size(), 64u);
}

TEST_F(Pause, AButtonAlreadyDownEndsItAfterATenthOfASecond) {
    app::mouseState.buttons = app::kRightButton;
    play::pauseScreen();
    EXPECT_NEAR(standin::log().clock, 0.1, 1e-9);
    EXPECT_EQ(app::mouseState.buttons, app::kRightButton);
}

} // namespace
