// Figures of the game's logic, headless: the same library as the game, linked against the
// Allegro stand-in of the tests, which records draws instead of drawing and lets al_rest
// only advance a virtual clock. What is measured is the game's own work per frame and
// per rule, plus the stand-in's bookkeeping of each draw.

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/lines.hpp"
#include "board/move_search.hpp"
#include "play/board_animations.hpp"
#include "play/board_input.hpp"
#include "play/clock.hpp"
#include "play/game_loop.hpp"
#include "play/hint_button.hpp"
#include "support/autoplay.hpp"
#include "support/headless.hpp"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

using board::GameState;
using support::givenBoard;

// Where the game loop's pointer rests during a quiet frame (over nothing), and the menu
// button that ends a measured game.
constexpr app::Point kNowhere{30, 30};
constexpr app::Point kMenuButton{90, 560};
// The button row the loop erases at the end of a frame in which nothing is hovered.
constexpr app::Rect kButtonRow{36, 547, 276, 30};

// The stand-in's log grows with every draw; a long measurement keeps only the latest.
void forgetDraws() {
    standin::Log& log = standin::log();
    log.bitmaps.clear();
    log.texts.clear();
    log.shapes.clear();
    log.plays.clear();
}

// A started world with a fresh board of `level` in both copies and the cells placed.
void startWithFreshBoard(int level, unsigned seed) {
    support::startHeadless();
    std::srand(seed);
    GameState.level = level;
    board::fillBoardRandomly();
    play::updateBoardFrame();
    play::showBoardSteps();
    forgetDraws();
}

// The steps of one game-loop frame in their order, on a board without a line, with the
// pointer over nothing and no key: the key poll, the clock, the mouse poll and hit test,
// the line scan that finds nothing, the move search, the hint button and the button row,
// the flip and the frame's rest.
void BM_QuietFrameSteps(benchmark::State& state) {
    startWithFreshBoard(static_cast<int>(state.range(0)), 1);
    GameState.mode = static_cast<int>(state.range(1));
    standin::setMouse(kNowhere.x, kNowhere.y, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(app::takeKey());
        play::clockTick();
        app::pollInput();
        play::updateBoardFrame();
        board::resolveLines();
        board::findMove();
        play::updateHintButton();
        app::restoreFromScreen(kButtonRow);
        al_flip_display();
        al_rest(app::kFrameRest);
        forgetDraws();
    }
    if (GameState.refillCount != 0 || GameState.noMoves != 0) {
        state.SkipWithError("the board was not quiet");
    }
}
BENCHMARK(BM_QuietFrameSteps)
    ->ArgNames({"level", "timed"})
    ->Args({1, 0})
    ->Args({5, 0})
    ->Args({5, 1});

// The real game loop, frame by frame: each iteration is one frame of play::gameLoop on a
// fresh first-level board, measured from flip to flip. The set-up and the way out through
// the menu button are not measured.
void BM_QuietFrameInGameLoop(benchmark::State& state) {
    support::ScratchFolder folder;
    support::startHeadless();
    std::srand(1);
    standin::setMouse(kNowhere.x, kNowhere.y, 0);
    bool leaving = false;
    standin::setFrameDriver([&](int) {
        const auto& draws = standin::log().bitmaps;
        const bool frameEnded = !draws.empty() && draws.back().bitmap == app::Assets.screen &&
                                draws.back().sx == kButtonRow.x && draws.back().sy == kButtonRow.y;
        forgetDraws();
        if (!frameEnded || leaving) {
            return;
        }
        if (!state.KeepRunning()) {
            leaving = true;
            standin::setMouse(kMenuButton.x, kMenuButton.y, app::kLeftButton);
        }
    });
    play::gameLoop();
    standin::setFrameDriver(nullptr);
}
BENCHMARK(BM_QuietFrameInGameLoop);

void BM_FillBoardRandomly(benchmark::State& state) {
    startWithFreshBoard(static_cast<int>(state.range(0)), 2);
    for (auto _ : state) {
        board::fillBoardRandomly();
        benchmark::DoNotOptimize(GameState.grid);
    }
}
BENCHMARK(BM_FillBoardRandomly)->ArgName("level")->Arg(1)->Arg(2)->Arg(3)->Arg(8);

// No swap on this board lines up three, so the search tries all 112 swaps on its copy
// and scans the whole copy after each.
void BM_FindMoveWithoutAMove(benchmark::State& state) {
    support::startHeadless();
    for (int r = 1; r <= board::kSide; ++r) {
        for (int c = 1; c <= board::kSide; ++c) {
            GameState.cellKind[board::cellNumber(c, r)] = (c + 2 * r) % 4 + 1;
        }
    }
    board::rebuildGridFromCells();
    for (auto _ : state) {
        GameState.noMoves = 0;
        board::findMove();
        benchmark::DoNotOptimize(GameState.noMoves);
    }
    if (GameState.noMoves != 1) {
        state.SkipWithError("the board has a move");
    }
}
BENCHMARK(BM_FindMoveWithoutAMove);

// For comparison: a fresh board, where the search stops at the first swap that works.
void BM_FindMoveOnAFreshBoard(benchmark::State& state) {
    startWithFreshBoard(5, 3);
    for (auto _ : state) {
        board::findMove();
        benchmark::DoNotOptimize(GameState.hintX);
    }
}
BENCHMARK(BM_FindMoveOnAFreshBoard);

// A line of three 5s in row 3; when it goes, columns 5 to 7 fall one row and the three 7s
// of column 6 stand in rows 2 to 4: a vertical line that the same scan reaches later.
const std::string kLineWithCascade = R"(
    1 2 3 4 1 7 3 4
    3 4 1 2 3 7 1 2
    1 2 3 4 5 5 5 4
    3 4 1 2 3 7 1 2
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2)";
constexpr unsigned kCascadeSeed = 5;

void startCascade() {
    GameState.level = 3;
    GameState.score = 0;
    GameState.refillCount = 0;
    GameState.boardChanged = 0;
    for (int& progress : GameState.kindProgress) {
        progress = 0;
    }
    givenBoard(kLineWithCascade);
    std::srand(kCascadeSeed);
}

void BM_ResolveLinesWithACascade(benchmark::State& state) {
    support::startHeadless();
    play::updateBoardFrame();
    play::showBoardSteps();
    for (auto _ : state) {
        startCascade();
        board::resolveLines();
        forgetDraws();
    }
    // Both lines went in the one call.
    if (GameState.refillCount != 2) {
        state.SkipWithError("the scan did not remove the line and its cascade");
    }
    state.counters["flips"] = standin::log().flips / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ResolveLinesWithACascade)->Unit(benchmark::kMicrosecond);

// A whole game of eight planets played by the autoplay bot from the main menu to the list
// of results, with its checks of the board after every flip.
void BM_AutoplayWholeGame(benchmark::State& state) {
    support::AutoplaySettings settings;
    settings.seed = 69;
    double flips = 0;
    double loopFrames = 0;
    for (auto _ : state) {
        const support::AutoplayResult r = support::autoplay(settings);
        if (!r.fault.empty() || !r.finalScreen) {
            state.SkipWithError(r.fault.empty() ? "no final screen" : r.fault.c_str());
            break;
        }
        flips += r.flips;
        loopFrames += r.loopFrames;
    }
    state.counters["flips/s"] = benchmark::Counter(flips, benchmark::Counter::kIsRate);
    state.counters["loop_frames/s"] = benchmark::Counter(loopFrames, benchmark::Counter::kIsRate);
    state.counters["flips"] = benchmark::Counter(flips, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_AutoplayWholeGame)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
