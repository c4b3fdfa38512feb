#include "board_fixture.hpp"

#include "board/scoring.hpp"
#include "play/panel.hpp"

#include <tuple>

namespace {

constexpr app::Rect kBar = app::sheet::kKindBar1;
constexpr int kBarPitch = app::sheet::kKindBar2.y - app::sheet::kKindBar1.y;

using namespace boardtest;

class Scoring : public BoardTest {
  protected:
    static void barStep(int kind, int size) {
        GameState.lineKind = kind;
        GameState.lineSize = size;
        board::advanceKindBar();
    }
};

TEST_F(Scoring, EveryRowOfThePointsTableWithItsCues) {
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
    givenBoard(kQuiet);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        standin::log() = standin::Log{};
        EXPECT_EQ(awardFor(r.kind, r.size, r.level, r.score), r.award);
        EXPECT_EQ(GameState.awardPoints, r.award);
        // Every line its cue, a bonus line a second one, a star line its banner's.
        EXPECT_EQ(plays("sam/snd1.wav"), 1);
        EXPECT_EQ(plays("sam/s6.wav"), r.kind == 7 ? 1 : 0);
        EXPECT_EQ(plays("sam/s7.wav"), r.kind == 6 ? 1 : 0);
    }
    // A star's award is set before the call, with no line kind, and has no cue.
    standin::log() = standin::Log{};
    GameState.awardPoints = 5000;
    EXPECT_EQ(awardFor(0, 3, 5, 300), 5000);
    EXPECT_EQ(GameState.awardPoints, 5000);
    EXPECT_TRUE(standin::log().plays.empty());
}

TEST_F(Scoring, TheRecordLineShowsTheLargerOfScoreAndRecordGreenOnceReached) {
    GameState.record = 100;
    awardFor(1, 1, 1, 80);
    EXPECT_EQ(shown(" 100"), 1);
    awardFor(1, 1, 1, 90); // reaching the record turns the line green
    ASSERT_EQ(shown(" 100"), 2);
    EXPECT_EQ(standin::rgba(standin::textsWith(" 100")[1].colour),
              (standin::Rgba{99, 220, 66, 255}));
    awardFor(1, 1, 1, 100);
    EXPECT_EQ(shown(" 110"), 1);
}

TEST_F(Scoring, ABarAt99PaysOnALineOfFourTurningTheBonusElementsAndAt98StopsAtAHundred) {
    givenBoard(with({8, 19, 57}, 7));
    GameState.kindProgress[2] = 99;
    GameState.score = 40;
    barStep(2, 2);
    EXPECT_EQ(plays("sam/kreski.wav"), 1);
    EXPECT_EQ(GameState.kindProgress[2], 0);
    EXPECT_EQ(GameState.score, 540);
    EXPECT_EQ(GameState.awardPoints, 500);
    EXPECT_EQ(board(), with({8, 19, 57}, 2));
    expectSoundBoard(); // in both copies
    EXPECT_EQ(plays("sam/snd1.wav"), 3);
    EXPECT_EQ(vanishFrames(), 33);

    GameState.kindProgress[4] = 98;
    barStep(4, 2);
    EXPECT_EQ(GameState.kindProgress[4], 100);
    EXPECT_EQ(GameState.score, 540);
    EXPECT_EQ(plays("sam/kreski.wav"), 1);
    EXPECT_EQ(sheetPieces(app::sheet::kKindBar4).size(), 1u) << "bar 4 drawn full";

    // Only the ordinary kinds have bars.
    const int flips = standin::log().flips;
    for (int kind : {0, 6, 7}) {
        barStep(kind, 3);
    }
    EXPECT_EQ(standin::log().flips, flips);
    const auto& bars = GameState.kindProgress;
    EXPECT_EQ(std::vector<int>(bars, bars + 6), (std::vector<int>{0, 0, 0, 0, 100, 0}));
}

TEST_F(Scoring, BarsOutsideZeroToAHundredAreDrawnInsideTheirFrame) {
    // An empty bar is one pixel wide; -40 is what a damaged stored game might give.
    for (auto [kind, progress, width] : {std::tuple{1, 0, 1}, {5, -40, 1}, {3, 5000, 101}}) {
        GameState.kindProgress[kind] = progress;
        play::drawKindBar(kind, GameState.kindProgress[kind]);
        EXPECT_EQ(sheetPieces(kBar.x, kBar.y + kBarPitch * (kind - 1), width, kBar.h).size(), 1u)
            << kind;
    }
}

} // namespace
