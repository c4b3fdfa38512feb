#include "board_fixture.hpp"

#include "board/scoring.hpp"

namespace {

using board::GameState;
using boardtest::BoardTest;
using boardtest::kQuiet;
using boardtest::with;
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

TEST_F(Scoring, EveryRowOfThePointsTable) {
    struct Row {
        int kind, size, level, score, award;
        const char* why;
    };
    const Row rows[] = {
        {1, 1, 1, 0, 10, "a three"},
        {5, 1, 1, 0, 10, "a three of kind 5"},
        {2, 1, 4, 0, 40, "times the level"},
        {3, 2, 4, 0, 80, "a four"},
        {1, 3, 8, 0, 400, "a five"},
        {7, 1, 1, 0, 75, "a bonus three"},
        {7, 2, 1, 0, 150, "a bonus four"},
        {7, 3, 1, 0, 300, "a bonus five"},
        {7, 2, 6, 0, 900, "a bonus four at level 6"},
        {6, 1, 1, 0, 200, "a star three on no score"},
        {6, 1, 3, 12345, 682, "600 + 246 / 3: the percentage first, then the level"},
        {6, 2, 3, 12345, 1023, "900 + 370 / 3"},
        {6, 3, 3, 12345, 1705, "1500 + 617 / 3"},
        {6, 2, 1, 99, 302, "3 x 99 / 100, not 3 x (99 / 100)"},
        {6, 1, 8, 100000, 1850, "1600 + 2000 / 8"},
        {2, 4, 1, 0, 50, "a line of six scores as a five"},
        {2, 6, 2, 0, 100, "a line of eight scores as a five"},
        {7, 4, 1, 0, 300, "a bonus line of six"},
        {6, 5, 1, 2000, 600, "a star line of eight"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(awardFor(r.kind, r.size, r.level, r.score), r.award);
        EXPECT_EQ(GameState.awardPoints, r.award);
    }
}

TEST_F(Scoring, EachKindOfLinePlaysItsCues) {
    struct Row {
        int kind;
        int snd1, s6, s7;
    };
    for (const Row& r : {Row{3, 1, 0, 0}, Row{7, 1, 1, 0}, Row{6, 1, 0, 1}}) {
        SCOPED_TRACE("kind " + std::to_string(r.kind));
        SetUp();
        givenBoard(kQuiet);
        awardFor(r.kind, 1, 1);
        EXPECT_EQ(plays("sam/snd1.wav"), r.snd1);
        EXPECT_EQ(plays("sam/s6.wav"), r.s6);
        EXPECT_EQ(plays("sam/s7.wav"), r.s7);
    }
}

TEST_F(Scoring, AStarLineShowsItsBannerForTwoSecondsAndRedrawsTheBoard) {
    givenBoard(kQuiet);
    const double before = standin::log().clock;
    awardFor(6, 1, 2, 500);
    auto banner = sheetPieces(0, 700, 142, 52);
    ASSERT_EQ(banner.size(), 1u);
    auto text = standin::textsWith("405"); // 400 + 10 / 2
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].x, 534);
    EXPECT_EQ(text[0].y, 326);
    EXPECT_GE(standin::log().clock - before, 2.0);
    int cellSprites = 0;
    for (const auto& d : sprites()) {
        cellSprites += d.frame > banner[0].frame;
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
    ASSERT_EQ(shown.size(), 2u); // shadow, then the score
    EXPECT_EQ(standin::rgba(shown[1].colour), (Rgba{240, 230, 20, 255}));
    auto record = standin::textsWith(" 100");
    ASSERT_EQ(record.size(), 1u);
    EXPECT_EQ(standin::rgba(record[0].colour), (Rgba{166, 166, 44, 255}));

    standin::log() = standin::Log{};
    awardFor(1, 1, 1, 90); // exactly the record
    ASSERT_EQ(standin::textsWith("100 ").size(), 2u);
    EXPECT_EQ(standin::rgba(standin::textsWith("100 ")[1].colour), (Rgba{250, 250, 255, 255}));
    ASSERT_EQ(standin::textsWith(" 100").size(), 1u);
    EXPECT_EQ(standin::rgba(standin::textsWith(" 100")[0].colour), (Rgba{99, 220, 66, 255}));
    EXPECT_EQ(standin::log().flips, 1);
}

TEST_F(Scoring, ABarAt99PaysOnALineOfFourAndAt98StopsAtAFullHundred) {
    givenBoard(kQuiet);
    GameState.kindProgress[2] = 99;
    GameState.score = 40;
    barStep(2, 2);
    EXPECT_EQ(plays("sam/kreski.wav"), 1);
    EXPECT_EQ(GameState.kindProgress[2], 0);
    EXPECT_EQ(GameState.score, 540);
    EXPECT_EQ(GameState.awardPoints, 500);

    GameState.kindProgress[4] = 98;
    barStep(4, 2);
    EXPECT_EQ(GameState.kindProgress[4], 100);
    EXPECT_EQ(GameState.score, 540);
    EXPECT_EQ(plays("sam/kreski.wav"), 1);
    // Bar 4 of the sheet, 101 pixels for a full bar, in the panel's fourth row.
    auto bar = sheetPieces(116, 599, 101, 8);
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].dx, 117);
    EXPECT_EQ(bar[0].dy, 297);
}

TEST_F(Scoring, BarsOutsideZeroToAHundredAreDrawnInsideTheirFrame) {
    GameState.kindProgress[1] = 0;
    board::drawKindBar(1);
    GameState.kindProgress[5] = -40; // as a damaged stored game might give
    board::drawKindBar(5);
    GameState.kindProgress[3] = 5000;
    board::drawKindBar(3);
    EXPECT_EQ(sheetPieces(116, 572, 1, 8).size(), 1u) << "an empty bar is one pixel wide";
    EXPECT_EQ(sheetPieces(116, 608, 1, 8).size(), 1u);
    EXPECT_EQ(sheetPieces(116, 590, 101, 8).size(), 1u);
}

TEST_F(Scoring, APayingBarTurnsEveryBonusElementIntoItsKindInBothCopies) {
    givenBoard(with({8, 19, 57}, 7));
    GameState.kindProgress[3] = 100;
    barStep(3, 1);
    EXPECT_EQ(board(), with({8, 19, 57}, 3));
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
    givenBoard(kQuiet);
    GameState.kindProgress[1] = 100;
    barStep(1, 1);
    EXPECT_EQ(board(), with({}, 0));
    EXPECT_EQ(GameState.score, 500);
    EXPECT_TRUE(vanishFrames().empty());
    EXPECT_EQ(GameState.kindProgress[1], 0);
}

TEST_F(Scoring, OnlyOrdinaryKindsHaveBars) {
    for (int kind : {0, 6, 7}) {
        barStep(kind, 3);
    }
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(GameState.kindProgress[k], 0);
    }
    EXPECT_EQ(standin::log().flips, 0);
}

} // namespace
