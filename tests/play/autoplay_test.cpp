#include "app/assets.hpp"
#include "app/language.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/lines.hpp"
#include "records/high_scores.hpp"
#include "support/autoplay.hpp"
#include "support/headless.hpp"
#include "support/invariants.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

namespace {

namespace GameMode = board::GameMode;
using board::GameState;
using support::AutoplayResult;
using support::AutoplaySettings;
using support::givenBoard;

// Whole games the bot played, with figures recorded when the game or the bot last changed on
// purpose. For a fixed seed and the same bot the game must play out the same way; any other
// figure is a regression, or a change of the rules to be recorded anew. They depend on
// glibc's rand and libstdc++'s random distributions.
TEST(Autoplay, WholeGamesPlayOutAsRecordedAndEndInTheListAndTheMenu) {
    struct Game {
        const char* what;
        unsigned seed;
        int mode;
        support::BotChoice choice;
        bool throughMenu;
        const char* name;
        int level, score;
    };
    using enum support::BotChoice;
    const Game games[] = {
        {"a relaxed game from the menu goes through all eight planets to the list", 69,
         GameMode::Relaxed, Stars, true, "Wytrwały", 8, 669081},
        {"a timed game beats the clock on every planet, as each new planet resets it", 100,
         GameMode::Timed, Stars, false, "Automat", 8, 692742},
        {"a player who only follows the hint runs out of time on the first planet", 1,
         GameMode::Timed, Hint, true, "Automat", 1, 53803},
    };
    for (const Game& g : games) {
        SCOPED_TRACE(g.what);
        AutoplaySettings settings;
        settings.seed = g.seed;
        settings.mode = g.mode;
        settings.choice = g.choice;
        settings.throughMenu = g.throughMenu;
        settings.name = g.name;
        const AutoplayResult r = support::autoplay(settings);
        ASSERT_EQ(r.fault, "");
        EXPECT_EQ(r.refused, 0) << "a swap that makes a line is never taken back";
        const bool won = g.level == 8;
        EXPECT_EQ(r.finalScreen, won);
        EXPECT_EQ(r.timeUp, !won);
        EXPECT_EQ(r.levelsCompleted, won ? 8 : 0);
        // The name entered, the result first in the (empty) list, the menu back, the game
        // reset with its mode kept.
        EXPECT_TRUE(r.nameEntered && r.backInMenu);
        const records::HighScoreEntry& first = records::HighScoreList.entry[1];
        EXPECT_EQ(std::tie(first.name, first.level, first.score),
                  std::tie(settings.name, g.level, r.score));
        EXPECT_EQ(std::tuple(GameState.score, GameState.level, GameState.stars, GameState.clockBar,
                             GameState.mode),
                  std::tuple(0, 1, 0, 0, g.mode));
        EXPECT_EQ(r.score, g.score) << "the same moves as recorded";
        if (won) {
            EXPECT_EQ(r.starsDropped, 64) << "one star from each column on each planet";
            EXPECT_GT(r.flips, 316 * (600 + 40 * 8 + 1)) << "longer than one planet's clock";
        } else {
            EXPECT_EQ(r.noMoveSeen, 0) << "no board ran out of moves, so every hint was a move";
        }
    }
}

// A whole game in English, from the menu through every planet, the final screen, the name
// entry and the list: no text drawn is Polish, neither a text the catalogue would have
// translated nor one with a Polish letter.
TEST(Autoplay, AnEnglishGameDrawsNoPolishText) {
    AutoplaySettings settings;
    settings.seed = 69;
    settings.name = "Player";
    settings.language = "en";
    const AutoplayResult r = support::autoplay(settings);
    ASSERT_EQ(r.fault, "");
    EXPECT_TRUE(r.finalScreen && r.nameEntered && r.backInMenu);
    ASSERT_TRUE(app::speak(app::Language::English));
    const std::string polishLetters[] = {"ą", "ć", "ę", "ł", "ń", "ó",
                                         "ś", "ź", "ż", "Ł", "Ś", "Ż"};
    for (const std::string& text : r.textsDrawn) {
        SCOPED_TRACE(text);
        EXPECT_EQ(_(text.c_str()), text);
        for (const std::string& letter : polishLetters) {
            EXPECT_EQ(text.find(letter), std::string::npos);
        }
    }
    EXPECT_TRUE(r.textsDrawn.contains("Congratulations"));
    // The words painted into the pictures are the English ones too.
    EXPECT_EQ(app::Assets.sheet->name, "gr/en/elementy.png");
    EXPECT_EQ(app::Assets.title->name, "gr/en/tytul.png");
    app::speak(app::Language::Polish);
}

// The menu, every move, each planet's "Dalej", the list and the way out, by keys alone.
TEST(Autoplay, AGameDrivenByTheKeyboardAloneReachesTheFinalScreenAndTheMenu) {
    AutoplaySettings settings;
    settings.seed = 69;
    settings.keysOnly = true;
    const AutoplayResult r = support::autoplay(settings);
    ASSERT_EQ(r.fault, "");
    EXPECT_EQ(r.refused, 0) << "every key swap that makes a line is made";
    EXPECT_TRUE(r.finalScreen && r.nameEntered && r.backInMenu);
    EXPECT_EQ(r.levelsCompleted, 8);
    EXPECT_EQ(r.starsDropped, 64);
}

TEST(Autoplay, ABoardBrokenDuringPlayStopsTheGameAtThatFlip) {
    struct Breakage {
        void (*breakIt)();
        const char* named;
    };
    const Breakage breakages[] = {
        {[] { GameState.cellKind[10] = GameState.cellKind[10] % 4 + 1; }, "cell 10 holds"},
        {[] { GameState.grid[3][2] = 8; }, "kind 8 at (column 3, row 2)"},
        {[] { GameState.grid[0][5] = 1; }, "the border holds 1 at (column 0, row 5)"},
        {[] { GameState.grid[2][1] = GameState.cellKind[2] = 0; }, "kind 0 at (column 2, row 1)"},
        {[] { GameState.cellKind[0] = 2; }, "cell 0 holds 2"},
    };
    for (const Breakage& b : breakages) {
        AutoplaySettings settings;
        settings.throughMenu = false;
        settings.eachFlip = [&b](int flips) {
            if (flips == 3000) {
                b.breakIt();
            }
        };
        const AutoplayResult r = support::autoplay(settings);
        EXPECT_EQ(r.fault.rfind("flip 3000: ", 0), 0u) << r.fault;
        EXPECT_NE(r.fault.find(b.named), std::string::npos) << r.fault;
        EXPECT_EQ(r.flips, 3000);
    }
}

TEST(BoardInvariants, LinesAreFoundWholeAndOneMayWaitAFrameOnlyIfThatFrameFindsOne) {
    const std::string withLines = R"(
        5 2 3 4 1 2 3 4
        5 4 1 2 3 4 1 2
        5 2 3 4 1 2 3 4
        5 4 1 2 3 4 1 2
        5 2 3 4 1 2 3 6
        3 4 1 2 3 4 1 6
        1 2 3 4 1 2 3 6
        3 4 1 2 3 7 7 7)";
    support::startHeadless();
    givenBoard(withLines);
    const std::vector<support::BoardLine> expected{
        {6, 8, 3, false, 7}, {1, 1, 5, true, 5}, {8, 5, 3, true, 6}};
    EXPECT_EQ(support::linesOnBoard(), expected) << "up to the last cell of each row and column";
    support::LineRule rule;
    EXPECT_EQ(rule.frameEnded(), "") << "the first frame has nothing to be judged against";
    // Frames whose scans find lines pass, however many lines each leaves for the next.
    std::srand(9);
    for (int frame = 0; frame < 20 && !support::linesOnBoard().empty(); ++frame) {
        board::resolveLines();
        EXPECT_EQ(rule.frameEnded(), "");
    }
    ASSERT_EQ(support::linesOnBoard().size(), 0u);
    EXPECT_EQ(support::describeBoardFaults(), "");
    // The lines again, through a frame in which nothing was found.
    givenBoard(withLines);
    EXPECT_EQ(rule.frameEnded(), "");
    EXPECT_EQ(rule.frameEnded(),
              "a horizontal line of 3 of kind 7 from (column 6, row 8) stayed through a frame "
              "whose scan found nothing");
}

} // namespace
