#include "board_fixture.hpp"

#include "board/scoring.hpp"

namespace {

using board::GameState;
using boardtest::BoardTest;
using standin::Rgba;

class Scoring : public BoardTest {
  protected:
    static int awardFor(int kind, int size, int level, int score = 0) {
        GameState.lineKind = kind;
        GameState.lineSize = size;
        GameState.level = level;
        GameState.score = score;
        board::scoreAward();
        return GameState.score - score;
    }

    static void barStep(int kind, int size) {
        GameState.lineKind = kind;
        GameState.lineSize = size;
        board::advanceKindBar();
    }
};

TEST_F(Scoring, OrdinaryAndBonusLinesPayTheFixedPartsTimesTheLevel) {
    for (int kind = 1; kind <= 5; ++kind) {
        EXPECT_EQ(awardFor(kind, 1, 1), 10) << kind;
    }
    EXPECT_EQ(awardFor(2, 1, 4), 40);
    EXPECT_EQ(awardFor(3, 2, 1), 20);
    EXPECT_EQ(awardFor(3, 2, 4), 80);
    EXPECT_EQ(awardFor(1, 3, 1), 50);
    EXPECT_EQ(awardFor(1, 3, 8), 400);
    EXPECT_EQ(awardFor(7, 1, 1), 75);
    EXPECT_EQ(awardFor(7, 2, 1), 150);
    EXPECT_EQ(awardFor(7, 3, 1), 300);
    EXPECT_EQ(awardFor(7, 2, 6), 900);
    EXPECT_EQ(GameState.awardPoints, 900);
}

TEST_F(Scoring, StarLinesAddAShareOfTheScoreDividedByTheLevel) {
    EXPECT_EQ(awardFor(6, 1, 1, 0), 200);
    EXPECT_EQ(awardFor(6, 1, 3, 12345), 682);   // 600 + 246 / 3
    EXPECT_EQ(awardFor(6, 2, 3, 12345), 1023);  // 900 + 370 / 3
    EXPECT_EQ(awardFor(6, 3, 3, 12345), 1705);  // 1500 + 617 / 3
    EXPECT_EQ(awardFor(6, 2, 1, 99), 302);      // 3 x 99 / 100, not 3 x (99 / 100)
    EXPECT_EQ(awardFor(6, 1, 8, 100000), 1850); // 1600 + 2000 / 8
}

TEST_F(Scoring, LinesOfSixOrMoreScoreAsLinesOfFive) {
    EXPECT_EQ(awardFor(2, 4, 1), 50);
    EXPECT_EQ(awardFor(2, 6, 2), 100);
    EXPECT_EQ(awardFor(7, 4, 1), 300);
    EXPECT_EQ(awardFor(6, 5, 1, 2000), 600);
}

TEST_F(Scoring, ALineOfAnOrdinaryKindPlaysOneCue) {
    awardFor(3, 1, 1);
    EXPECT_EQ(plays("sam/snd1.wav"), 1);
    EXPECT_EQ(plays("sam/s6.wav"), 0);
    EXPECT_EQ(plays("sam/s7.wav"), 0);
    EXPECT_TRUE(sheetPieces(0, 700, 142, 52).empty());
}

TEST_F(Scoring, ABonusLineAddsItsOwnCueAndAPause) {
    const double before = standin::log().clock;
    awardFor(7, 1, 1);
    EXPECT_EQ(plays("sam/snd1.wav"), 1);
    EXPECT_EQ(plays("sam/s6.wav"), 1);
    EXPECT_GE(standin::log().clock - before, 0.1);
}

TEST_F(Scoring, AStarLineShowsItsBannerForTwoSecondsAndRedrawsTheBoard) {
    givenBoard(boardtest::kQuiet);
    const double before = standin::log().clock;
    awardFor(6, 1, 2, 500);
    EXPECT_EQ(plays("sam/s7.wav"), 1);
    auto banner = sheetPieces(0, 700, 142, 52);
    ASSERT_EQ(banner.size(), 1u);
    EXPECT_EQ(banner[0].dx, 461);
    EXPECT_EQ(banner[0].dy, 302);
    auto text = standin::textsWith("405"); // 400 + 10 / 2
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].x, 534);
    EXPECT_EQ(text[0].y, 326);
    EXPECT_EQ(standin::rgba(text[0].colour), (Rgba{200, 180, 60, 255}));
    EXPECT_GE(standin::log().clock - before, 2.0);
    EXPECT_EQ(repairs(368, 368).size(), 1u);
    int cellSprites = 0;
    for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
        cellSprites += d.sy == 0 && d.sw == 46 && d.frame > banner[0].frame;
    }
    EXPECT_EQ(cellSprites, 64);
}

TEST_F(Scoring, APresetAwardIsAddedUnchangedWithoutACue) {
    GameState.level = 5;
    GameState.score = 300;
    GameState.lineKind = 0;
    GameState.lineSize = 3;
    GameState.awardPoints = 5000;
    board::scoreAward();
    EXPECT_EQ(GameState.score, 5300);
    EXPECT_EQ(GameState.awardPoints, 5000);
    EXPECT_TRUE(standin::log().plays.empty());
}

TEST_F(Scoring, TheScoreTurnsWhiteAndTheRecordLineGreenOnceTheRecordIsReached) {
    GameState.record = 100;
    awardFor(1, 1, 1, 80); // 90, below the record
    auto shown = standin::textsWith("90 ");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(standin::rgba(shown[0].colour), (Rgba{60, 60, 10, 255}));
    EXPECT_EQ(shown[0].x, 178);
    EXPECT_EQ(shown[0].y, 174);
    EXPECT_EQ(standin::rgba(shown[1].colour), (Rgba{240, 230, 20, 255}));
    EXPECT_EQ(shown[1].x, 177);
    auto record = standin::textsWith(" 100");
    ASSERT_EQ(record.size(), 1u);
    EXPECT_EQ(standin::rgba(record[0].colour), (Rgba{166, 166, 44, 255}));
    EXPECT_EQ(record[0].x, 250);
    EXPECT_EQ(record[0].flags, ALLEGRO_ALIGN_RIGHT);

    standin::log() = standin::Log{};
    awardFor(1, 1, 1, 90); // exactly the record
    ASSERT_EQ(standin::textsWith("100 ").size(), 2u);
    EXPECT_EQ(standin::rgba(standin::textsWith("100 ")[1].colour), (Rgba{250, 250, 255, 255}));
    ASSERT_EQ(standin::textsWith(" 100").size(), 1u);
    EXPECT_EQ(standin::rgba(standin::textsWith(" 100")[0].colour), (Rgba{99, 220, 66, 255}));
    EXPECT_EQ(repairs(200, 30).size(), 1u);
    EXPECT_EQ(repairs(180, 23).size(), 1u);
    EXPECT_EQ(standin::log().flips, 1);
}

TEST_F(Scoring, ABarAt99PaysOnALineOfFour) {
    givenBoard(boardtest::kQuiet);
    GameState.kindProgress[2] = 99;
    GameState.score = 40;
    barStep(2, 2);
    EXPECT_EQ(plays("sam/kreski.wav"), 1);
    EXPECT_EQ(GameState.kindProgress[2], 0);
    EXPECT_EQ(GameState.score, 540);
    EXPECT_EQ(GameState.awardPoints, 500);
    EXPECT_EQ(sheetPieces(150, 725, 64, 62).size(), 34u);
    EXPECT_EQ(standin::drawsOf(app::Assets.background).size(), 44u);
}

TEST_F(Scoring, ABarAt98StopsAtAFullHundredWithoutPaying) {
    GameState.kindProgress[4] = 98;
    GameState.score = 40;
    barStep(4, 2);
    EXPECT_EQ(GameState.kindProgress[4], 100);
    EXPECT_EQ(GameState.score, 40);
    EXPECT_EQ(plays("sam/kreski.wav"), 0);
    // Bar 4 of the sheet, 101 pixels for a full bar, in the panel's fourth row.
    auto bar = sheetPieces(116, 599, 101, 8);
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].dx, 117);
    EXPECT_EQ(bar[0].dy, 297);
    EXPECT_EQ(standin::log().flips, 1);
}

TEST_F(Scoring, AnEmptyBarIsOnePixelWide) {
    GameState.kindProgress[1] = 0;
    board::drawKindBar(1);
    GameState.kindProgress[5] = -40; // as a damaged stored game might give
    board::drawKindBar(5);
    GameState.kindProgress[3] = 5000;
    board::drawKindBar(3);
    EXPECT_EQ(sheetPieces(116, 572, 1, 8).size(), 1u);
    EXPECT_EQ(sheetPieces(116, 608, 1, 8).size(), 1u);
    EXPECT_EQ(sheetPieces(116, 590, 101, 8).size(), 1u);
}

TEST_F(Scoring, APayingBarTurnsEveryBonusElementIntoItsKindInBothCopies) {
    givenBoard(R"(
        1 2 3 4 1 2 3 7
        3 4 1 2 3 4 1 2
        1 2 7 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        7 4 1 2 3 4 1 2)");
    GameState.kindProgress[3] = 100;
    barStep(3, 1);
    EXPECT_EQ(board(), expected(R"(
        1 2 3 4 1 2 3 3
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2)"));
    expectSoundBoard();
    EXPECT_EQ(plays("sam/snd1.wav"), 3);
    auto frames = vanishFrames();
    ASSERT_EQ(frames.size(), 33u);
    EXPECT_EQ(frames[0].dx, 672); // cell 8 first, in cell order
    EXPECT_EQ(frames[11].dx, 442);
    EXPECT_EQ(frames[22].dy, 422);
    EXPECT_EQ(GameState.kindProgress[3], 0);
}

TEST_F(Scoring, APayingBarWithoutBonusElementsOnlyPaysAndResets) {
    givenBoard(boardtest::kQuiet);
    const std::string before = board();
    GameState.kindProgress[1] = 100;
    barStep(1, 1);
    EXPECT_EQ(board(), before);
    EXPECT_EQ(GameState.score, 500);
    EXPECT_EQ(plays("sam/snd1.wav"), 0);
    EXPECT_TRUE(vanishFrames().empty());
    EXPECT_EQ(GameState.kindProgress[1], 0);
}

TEST_F(Scoring, OnlyOrdinaryKindsHaveBars) {
    for (int kind : {0, 6, 7}) {
        GameState.lineKind = kind;
        GameState.lineSize = 3;
        board::advanceKindBar();
    }
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(GameState.kindProgress[k], 0);
    }
    EXPECT_EQ(standin::log().flips, 0);
}

} // namespace
