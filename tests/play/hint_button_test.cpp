#include "board_fixture.hpp"

#include "app/keys.hpp"
#include "board/move_search.hpp"
#include "play/hint_button.hpp"
#include "play/panel.hpp"

#include <map>

namespace {

using namespace boardtest; // kQuiet is also a board without a single move

// Bonus elements everywhere but two star elements and the bottom row: the reshuffle may
// only pick the two stars.
const std::string kBonusesAboveAPlainRow = with({5, 30}, 6, with({}, 0, R"(
    7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7
    7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 2 1 2 1 2 1 2 1)"));

class MoveSearch : public BoardTest {
  protected:
    static void search() {
        GameState.noMoves = 0;
        board::findMove();
    }

    // Outlines of the cell at (x, y) drawn in `colour`.
    static int outlines(int x, int y, standin::Rgba colour) {
        int count = 0;
        for (const auto& s : standin::log().shapes) {
            count += s.shape == standin::Shape::Rectangle && s.x1 == x && s.y1 == y &&
                     s.x2 == x + 46 && s.y2 == y + 46 && standin::rgba(s.colour) == colour;
        }
        return count;
    }

    // The hint button is pressed and held until flip `releaseFlip`.
    static void pressHintButton(int releaseFlip) {
        holdLeftButton(150, 450);
        app::InputState.hover = play::kHoverHint;
        support::FrameScript().mouseAt(releaseFlip, 150, 450, 0).install();
        play::updateHintButton();
    }
};

// A click lasts a tenth of a second: the hint blinks on for two seconds from the press,
// longer while the button is held, and ends at once when the player makes the next move,
// whose press stays for the game loop.
TEST_F(MoveSearch, TheHintBlinksWhileHeldAndTwoSecondsFromThePressUnlessThePlayerMovesFirst) {
    givenBoard(kLastRowMove);
    pressHintButton(5);
    EXPECT_GT(outlines(626, 422, {44, 133, 166, 255}), 0);
    EXPECT_GT(outlines(626, 422, {0, 0, 0, 255}), 0) << "erased between showings";
    EXPECT_NEAR(standin::log().clock, 2.0, 0.03) << "a click";

    standin::log() = standin::Log{};
    standin::setFrameDriver(nullptr);
    holdLeftButton(150, 450);
    app::InputState.hover = play::kHoverHint;
    standin::setRestDriver([](double clock) {
        if (clock >= 3.0) {
            standin::setMouse(150, 450, 0);
        }
    });
    play::updateHintButton();
    standin::setRestDriver(nullptr);
    EXPECT_NEAR(standin::log().clock, 3.0, 0.05) << "held past the two seconds";

    standin::log() = standin::Log{};
    holdLeftButton(150, 450);
    app::InputState.hover = play::kHoverHint;
    support::FrameScript()
        .mouseAt(5, 150, 450, 0)
        .at(30, [] { standin::pressKey(ALLEGRO_KEY_RIGHT, 0); })
        .install();
    play::updateHintButton();
    EXPECT_LT(standin::log().clock, 0.7) << "the next move ends the hint";
    EXPECT_EQ(app::takeKey(), ALLEGRO_KEY_RIGHT) << "and is kept for the game";

    // Without a move the last hint stays.
    givenBoard(kQuiet);
    search();
    EXPECT_EQ(GameState.noMoves, 1);
    standin::log() = standin::Log{};
    pressHintButton(4);
    EXPECT_GT(outlines(626, 422, {44, 133, 166, 255}), 0);
}

TEST_F(MoveSearch, TheHintButtonLightsUpExactlyWhileHovered) {
    app::InputState.hover = play::kHoverHint;
    app::InputState.buttons = 0;
    play::updateHintButton();
    EXPECT_EQ(sheetPieces(app::sheet::kHintButtonHover).size(), 1u);
    app::InputState.hover = 0;
    play::updateHintButton();
    EXPECT_EQ(repairs(138, 138).size(), 1u);
    app::InputState.hover = 12; // a cell: the button is left as it is
    play::updateHintButton();
    EXPECT_EQ(repairs(138, 138).size(), 1u);
    EXPECT_EQ(sheetPieces(app::sheet::kHintButtonHover).size(), 1u);
}

TEST_F(MoveSearch, TheReshuffleNeverTouchesABonusElementOrTheBottomRow) {
    std::map<int, std::set<int>> kinds; // by level
    for (int level : {2, 3}) {
        for (unsigned seed = 1; seed <= 60; ++seed) {
            SCOPED_TRACE("level " + std::to_string(level) + " seed " + std::to_string(seed));
            SetUp();
            GameState.level = level;
            givenBoard(kBonusesAboveAPlainRow);
            GameState.noMoves = 1;
            std::srand(seed);
            board::replaceRandomElement();
            const int changed = GameState.cellKind[5] != 6 ? 5 : 30;
            kinds[level].insert(GameState.cellKind[changed]);
            EXPECT_EQ(GameState.lineKind, GameState.cellKind[changed]);
            EXPECT_EQ(with({changed}, 6, board()), kBonusesAboveAPlainRow) << "nothing else";
            expectSoundBoard();
            EXPECT_EQ(GameState.noMoves, 0);
            EXPECT_EQ(plays("sam/snd1.wav"), 1);
        }
    }
    EXPECT_EQ(kinds[2], (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(kinds[3], (std::set<int>{1, 2, 3, 4, 5}));
}

} // namespace
