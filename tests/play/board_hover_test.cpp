#include "board_fixture.hpp"

#include "play/board_input.hpp"
#include "play/panel.hpp"

namespace {

using namespace boardtest;

class BoardHover : public BoardTest {
  protected:
    static int hoverAt(int x, int y) {
        app::InputState.x = x;
        app::InputState.y = y;
        app::InputState.hover = 0; // as the poll leaves it
        play::updateBoardFrame();
        return app::InputState.hover;
    }
};

TEST_F(BoardHover, CellsAndButtonsAreHitOnlyInsideTheirBoxes) {
    struct Probe {
        int x, y, hover;
    };
    // A cell: 44 pixels of its 46 pitch, not its left and top edges. A button: inclusive
    // sides, an open top edge.
    constexpr int H = play::kHoverHint, M = play::kHoverMenu, S = play::kHoverSave;
    const Probe probes[] = {
        {350, 120, 0}, {351, 120, 1}, {394, 120, 1}, {395, 120, 0}, {397, 120, 2},  {360, 100, 0},
        {360, 101, 1}, {360, 144, 1}, {360, 145, 0}, {360, 147, 9}, {716, 466, 64}, {717, 466, 0},
        {716, 467, 0}, {116, 504, H}, {229, 396, H}, {116, 395, 0}, {115, 504, 0},  {230, 504, 0},
        {229, 505, 0}, {41, 574, M},  {139, 553, M}, {41, 552, 0},  {140, 574, 0},  {203, 574, S},
        {299, 553, S}, {299, 575, 0}, {170, 560, 0},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(hoverAt(p.x, p.y), p.hover) << "at " << p.x << ", " << p.y;
    }
    // A hover number the board does not know is left alone.
    app::InputState.x = app::InputState.y = 10;
    app::InputState.hover = 5;
    play::updateBoardFrame();
    EXPECT_EQ(app::InputState.hover, 5);
}

} // namespace
