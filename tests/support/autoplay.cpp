#include "support/autoplay.hpp"

#include "app/assets.hpp"
#include "app/geometry.hpp"
#include "app/input.hpp"
#include "app/main_menu.hpp"
#include "app/paths.hpp"
#include "app/texts.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "play/game_loop.hpp"
#include "play/texts.hpp"
#include "records/high_scores.hpp"
#include "records/texts.hpp"
#include "support/headless.hpp"
#include "support/invariants.hpp"

#include <array>
#include <cstdlib>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace support {

namespace {

using board::GameState;
using board::kSide;

// Where the bot points. Nothing on any screen answers at the resting place.
constexpr app::Point kRest{30, 30};
constexpr app::Point kNewGameItem{400, 190};
constexpr app::Point kLeaveItem{400, 425};
constexpr app::Point kContinueButton{531, 398};
constexpr app::Point kListReturnButton{400, 540};

// Draws that tell the bot where the game is: the button row erased at the end of every
// loop frame (the pointer is never over a button or an idle cell then), the "Dalej"
// button waiting, the time-out picture, and the pieces restored by each pass of the
// main menu and of the list of results.
constexpr app::Rect kLoopEnd{36, 547, 276, 30};
constexpr app::Rect kContinuePlate{405, 495, 115, 33};
constexpr app::Rect kTimeUpPicture{416, 716, 208, 65};
constexpr app::Rect kMenuPass{285, 170, 225, 275};
constexpr app::Rect kListPass{343, 530, 114, 30};

// Texts that tell it the same: the name entry asking, the final screen, the main menu.
constexpr std::string_view kNamePrompt{records::texts::kNamePrompt};
constexpr std::string_view kFinalTitle{play::kFinalTitle};
constexpr std::string_view kNewGame{app::menuLabels[0]};

// Flips between moving onto the neighbour and letting go: the drag reads the pointer a
// poll late, so the swap has started well before the button comes up.
constexpr int kReleaseAfterMove = 6;
// The game waiting this long on al_rest without a single flip is stuck.
constexpr int kRestsWithoutFlip = 500'000;
// Samples played are kept in the log; it is emptied once it holds this many.
constexpr std::size_t kPlaysKept = 4096;

constexpr int kEnter = 13;
constexpr int kStar = board::ElementKind::Star;
constexpr int kMaxKind = board::ElementKind::Bonus;

// The board the bot thinks about: [column][row], with an empty border all round.
using Grid = std::array<std::array<int, kSide + 2>, kSide + 2>;

struct Move {
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
};

class Stop : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

Grid boardNow() {
    Grid g{};
    for (int c = 1; c <= kSide; ++c) {
        for (int r = 1; r <= kSide; ++r) {
            g[c][r] = GameState.grid[c][r];
        }
    }
    return g;
}

bool isKind(int k) {
    return k >= 1 && k <= kMaxKind;
}

// Run length of equal kinds through (c, r) along (dc, dr), both ways.
int runThrough(const Grid& g, int c, int r, int dc, int dr) {
    const int k = g[c][r];
    int n = 1;
    for (int x = c + dc, y = r + dr; g[x][y] == k; x += dc, y += dr) {
        ++n;
    }
    for (int x = c - dc, y = r - dr; g[x][y] == k; x -= dc, y -= dr) {
        ++n;
    }
    return n;
}

bool lineThrough(const Grid& g, int c, int r) {
    return isKind(g[c][r]) && (runThrough(g, c, r, 1, 0) >= 3 || runThrough(g, c, r, 0, 1) >= 3);
}

bool makesLine(const Grid& g, const Move& m) {
    return lineThrough(g, m.c1, m.r1) || lineThrough(g, m.c2, m.r2);
}

void swapCells(Grid& g, const Move& m) {
    std::swap(g[m.c1][m.r1], g[m.c2][m.r2]);
}

// Swaps that make a line, found on a scratch copy of the board.
std::vector<Move> movesOn(Grid g) {
    std::vector<Move> moves;
    for (int c = 1; c <= kSide; ++c) {
        for (int r = 1; r <= kSide; ++r) {
            for (const Move m : {Move{c, r, c + 1, r}, Move{c, r, c, r + 1}}) {
                if (m.c2 > kSide || m.r2 > kSide) {
                    continue;
                }
                swapCells(g, m);
                if (makesLine(g, m)) {
                    moves.push_back(m);
                }
                swapCells(g, m);
            }
        }
    }
    return moves;
}

bool needsStar(int column) {
    return GameState.columnStar[column] == 0;
}

using Marks = std::array<std::array<bool, kSide + 2>, kSide + 2>;

// How close column c's star is to dropping once the marked cells have vanished and the
// column has fallen: its lowest star weighted by the row it ends in, far more in the
// bottom row. Nothing for a column that has given its star.
double starPotential(const Grid& g, const Marks& gone, int c) {
    if (!needsStar(c)) {
        return 0;
    }
    int to = kSide;
    for (int r = kSide; r >= 1; --r) {
        if (gone[c][r]) {
            continue;
        }
        if (g[c][r] == kStar) {
            return to * to + (to == kSide ? 100 : 0);
        }
        --to;
    }
    return 0;
}

// Marks the run through (c, r) along (dc, dr) when it is a line.
void markLine(const Grid& g, int c, int r, int dc, int dr, Marks& gone) {
    if (!isKind(g[c][r]) || runThrough(g, c, r, dc, dr) < 3) {
        return;
    }
    const int k = g[c][r];
    for (int x = c, y = r; g[x][y] == k; x += dc, y += dr) {
        gone[x][y] = true;
    }
    for (int x = c - dc, y = r - dr; g[x][y] == k; x -= dc, y -= dr) {
        gone[x][y] = true;
    }
}

// What the move does for the stars still needed: the board held no line, so every line
// after the swap runs through one of the two swapped cells. The lines vanish and their
// columns fall; what enters from the top is unknown, and cascades are not foreseen.
double starValue(Grid& g, const Move& m) {
    static const Marks none{};
    Marks gone{};
    bool affected[kSide + 2] = {};
    affected[m.c1] = affected[m.c2] = true;
    double before = 0;
    swapCells(g, m);
    for (const auto& [c, r] : {std::pair{m.c1, m.r1}, std::pair{m.c2, m.r2}}) {
        markLine(g, c, r, 1, 0, gone);
        markLine(g, c, r, 0, 1, gone);
    }
    double value = 0;
    for (int c = 1; c <= kSide; ++c) {
        for (int r = 1; r <= kSide; ++r) {
            if (!gone[c][r]) {
                continue;
            }
            affected[c] = true;
            if (needsStar(c)) {
                // New elements, perhaps stars, enter where they are needed; a needed star
                // in a line of stars is lost.
                value += 0.5;
                value -= g[c][r] == kStar ? 30 : 0;
            }
        }
    }
    double after = 0;
    for (int c = 1; c <= kSide; ++c) {
        if (affected[c]) {
            after += starPotential(g, gone, c);
        }
    }
    swapCells(g, m);
    for (int c = 1; c <= kSide; ++c) {
        if (affected[c]) {
            before += starPotential(g, none, c);
        }
    }
    return value + after - before;
}

// The hinted cell and the neighbour that makes its line: the right one first, as the
// move search tries the horizontal swaps first.
bool hintedMove(const Grid& board, Move& move) {
    const int c = (GameState.hintX - board::kBoardX) / board::kPitch + 1;
    const int r = (GameState.hintY - board::kBoardY) / board::kPitch + 1;
    if (c < 1 || c > kSide || r < 1 || r > kSide) {
        return false;
    }
    for (const Move m : {Move{c, r, c + 1, r}, Move{c, r, c, r + 1}}) {
        if (m.c2 > kSide || m.r2 > kSide) {
            continue;
        }
        Grid g = board;
        swapCells(g, m);
        if (makesLine(g, m)) {
            move = m;
            return true;
        }
    }
    return false; // the hint is from before a reshuffle; the next frame has a fresh one
}

app::Point centreOf(int column, int row) {
    constexpr int half = board::kPitch / 2;
    return {board::kBoardX + board::kPitch * (column - 1) + half,
            board::kBoardY + board::kPitch * (row - 1) + half};
}

// The characters of a UTF-8 text as the keyboard delivers them, one code point a key.
std::vector<int> codePoints(const std::string& text) {
    std::vector<int> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        const int lead = byte(i);
        int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        if (i + extra >= text.size()) {
            extra = 0; // a cut sequence is typed byte by byte
        }
        int code = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            code = (code << 6) | (byte(i + k) & 0x3F);
        }
        out.push_back(code);
        i += extra + 1;
    }
    return out;
}

bool sameRegion(const standin::BitmapDraw& d, const ALLEGRO_BITMAP* source, app::Rect piece) {
    return d.bitmap == source && d.sx == piece.x && d.sy == piece.y && d.sw == piece.w &&
           d.sh == piece.h;
}

// The bot. The stand-in calls it after every flip; the log holds only what was drawn
// since the previous flip, because the bot empties it each time.
class Bot {
  public:
    Bot(const AutoplaySettings& settings, AutoplayResult& result)
        : settings_(settings), result_(result), draws_(settings.seed) {
        // Nothing the game holds, so the first check always runs.
        std::memset(cells_, 0xff, sizeof cells_);
    }

    void afterFlip(int flips) {
        restsSinceFlip_ = 0;
        if (flips > settings_.giveUpFlips) {
            throw Stop("the game was still running after " + std::to_string(flips) + " flips");
        }
        if (settings_.eachFlip) {
            settings_.eachFlip(flips);
        }
        if (boardInPlay_) {
            checkBoard(flips);
            countStars();
        }
        readTexts();
        readDraws(flips);
        if (releaseAt_ != 0 && flips >= releaseAt_) {
            releaseAt_ = 0;
            rest();
        }
        if (move_ == MovePhase::Moving) {
            standin::setMouse(target_.x, target_.y, app::kLeftButton);
            releaseAt_ = flips + kReleaseAfterMove;
            move_ = MovePhase::Released;
        }
        forgetDraws();
    }

    void afterRest() {
        if (++restsSinceFlip_ > kRestsWithoutFlip) {
            throw Stop("the game waited without drawing anything");
        }
    }

    bool gameOver() const { return result_.finalScreen || result_.timeUp; }

  private:
    enum class MovePhase { Idle, Pressed, Moving, Released };

    static void rest() { standin::setMouse(kRest.x, kRest.y, 0); }

    // A press held for one flip: the screens read the pointer a poll late, so the next
    // poll still sees it down, and the one after sees it up again.
    void click(app::Point at, int flips) {
        standin::setMouse(at.x, at.y, app::kLeftButton);
        releaseAt_ = flips + 1;
    }

    // Most flips are animation steps that leave the board alone; it is checked again
    // whenever either copy has changed since the last check.
    void checkBoard(int flips) {
        const board::GameStateRecord& g = GameState;
        if (std::memcmp(cells_, g.cellKind, sizeof cells_) == 0 &&
            std::memcmp(grid_, g.grid, sizeof grid_) == 0) {
            return;
        }
        std::memcpy(cells_, g.cellKind, sizeof cells_);
        std::memcpy(grid_, g.grid, sizeof grid_);
        const std::string faults = describeBoardFaults();
        if (!faults.empty()) {
            throw Stop("flip " + std::to_string(flips) + ": " + faults);
        }
    }

    void countStars() {
        if (GameState.stars > starsSeen_) {
            result_.starsDropped += GameState.stars - starsSeen_;
        }
        starsSeen_ = GameState.stars;
    }

    void readTexts() {
        for (const standin::TextDraw& t : standin::log().texts) {
            if (t.text == kNamePrompt && !result_.nameEntered) {
                result_.nameEntered = true;
                for (int ch : codePoints(settings_.name)) {
                    standin::pressKey(ALLEGRO_KEY_A, ch);
                }
                standin::pressKey(ALLEGRO_KEY_ENTER, kEnter);
            } else if (t.text == kFinalTitle && !result_.finalScreen) {
                result_.finalScreen = true;
                result_.score = GameState.score;
            } else if (t.text == kNewGame && gameOver()) {
                result_.backInMenu = true;
            }
        }
    }

    void readDraws(int flips) {
        const auto& draws = standin::log().bitmaps;
        if (draws.empty()) {
            return;
        }
        const ALLEGRO_BITMAP* screen = app::Assets.screen;
        const ALLEGRO_BITMAP* sheet = app::Assets.sheet;
        const standin::BitmapDraw& last = draws.back();
        if (sameRegion(last, screen, kLoopEnd)) {
            loopFrameEnded(flips);
            return;
        }
        if (sameRegion(last, sheet, kContinuePlate) && releaseAt_ == 0) {
            // The level is done: whatever drag was under way is over.
            move_ = MovePhase::Idle;
            if (GameState.level != levelContinued_) {
                levelContinued_ = GameState.level;
                ++result_.levelsCompleted;
            }
            click(kContinueButton, flips);
            return;
        }
        for (const standin::BitmapDraw& d : draws) {
            if (sameRegion(d, sheet, kTimeUpPicture) && !result_.timeUp) {
                result_.timeUp = true;
                result_.score = GameState.score;
            } else if (sameRegion(d, screen, kListPass)) {
                standin::setMouse(kListReturnButton.x, kListReturnButton.y, app::kLeftButton);
            } else if (sameRegion(d, screen, kMenuPass) && releaseAt_ == 0) {
                inMenu(flips);
            }
        }
    }

    void inMenu(int flips) {
        if (!gameStarted_) {
            click(kNewGameItem, flips);
        } else if (gameOver()) {
            click(kLeaveItem, flips);
        } else {
            throw Stop("the game returned to the main menu before its end");
        }
    }

    void loopFrameEnded(int flips) {
        gameStarted_ = true;
        boardInPlay_ = true;
        ++result_.loopFrames;
        const std::string fault = lines_.frameEnded();
        result_.linesLeft = lines_.linesLeft();
        if (!fault.empty()) {
            throw Stop("flip " + std::to_string(flips) + ": " + fault);
        }
        switch (move_) {
        case MovePhase::Idle:
            startMove();
            break;
        case MovePhase::Pressed:
            // The frame that read the press has ended; the next one starts the drag.
            move_ = MovePhase::Moving;
            break;
        case MovePhase::Moving:
            break;
        case MovePhase::Released:
            if (releaseAt_ == 0) {
                judgeMove();
                move_ = MovePhase::Idle;
                startMove();
            }
            break;
        }
    }

    void startMove() {
        if (!linesOnBoard().empty()) {
            return; // the next frame's scan takes it; a player waits for the board to settle
        }
        const Grid board = boardNow();
        Move m;
        if (!chooseMove(board, m)) {
            ++result_.noMoveSeen;
            return;
        }
        before_ = board;
        scoreBefore_ = GameState.score;
        refillsBefore_ = GameState.refillCount;
        const app::Point from = centreOf(m.c1, m.r1);
        target_ = centreOf(m.c2, m.r2);
        standin::setMouse(from.x, from.y, app::kLeftButton);
        move_ = MovePhase::Pressed;
        ++result_.drags;
    }

    bool chooseMove(const Grid& board, Move& chosen) {
        if (settings_.choice == BotChoice::Hint) {
            return hintedMove(board, chosen);
        }
        const std::vector<Move> moves = movesOn(board);
        if (moves.empty()) {
            return false; // the reshuffle comes first
        }
        std::uniform_real_distribution<double> jitter(0.0, 0.01);
        double best = -1e9;
        Grid scratch = board;
        for (const Move& m : moves) {
            const double value = starValue(scratch, m) + jitter(draws_);
            if (value > best) {
                best = value;
                chosen = m;
            }
        }
        return true;
    }

    void judgeMove() {
        if (GameState.score == scoreBefore_ && GameState.refillCount == refillsBefore_ &&
            boardNow() == before_) {
            ++result_.refused;
        }
    }

    void forgetDraws() {
        standin::Log& log = standin::log();
        log.bitmaps.clear();
        log.texts.clear();
        log.shapes.clear();
        if (log.plays.size() > kPlaysKept) {
            log.plays.clear();
        }
    }

    const AutoplaySettings& settings_;
    AutoplayResult& result_;
    std::mt19937 draws_;
    LineRule lines_;
    MovePhase move_ = MovePhase::Idle;
    app::Point target_{};
    int releaseAt_ = 0;
    int restsSinceFlip_ = 0;
    int starsSeen_ = 0;
    int levelContinued_ = 0;
    bool gameStarted_ = false;
    bool boardInPlay_ = false;
    Grid before_{};
    int cells_[board::kCells + 1] = {};
    int grid_[kSide + 1][kSide + 1] = {};
    int scoreBefore_ = 0;
    int refillsBefore_ = 0;
};

} // namespace

AutoplayResult autoplay(const AutoplaySettings& settings) {
    ScratchFolder folder;
    // Full volumes and the mode, as the options screen would have stored them.
    folder.write(app::paths::kOptions, "1.0 1.0 " + std::to_string(settings.mode) + "\n");
    startHeadless();
    records::HighScoreList = records::HighScoreListRecord{};
    records::newEntryIndex = 0;
    standin::log() = standin::Log{};
    std::srand(settings.seed);

    AutoplayResult result;
    Bot bot(settings, result);
    standin::setFrameDriver([&bot](int flips) { bot.afterFlip(flips); });
    standin::setRestDriver([&bot](double) { bot.afterRest(); });
    standin::setMouse(kRest.x, kRest.y, 0);
    try {
        if (settings.throughMenu) {
            app::mainMenu();
        } else {
            play::gameLoop();
        }
    } catch (const Stop& stop) {
        result.fault = stop.what();
    }
    standin::setFrameDriver(nullptr);
    standin::setRestDriver(nullptr);
    result.flips = standin::log().flips;
    if (result.fault.empty() && !bot.gameOver()) {
        result.fault = "the game ended without the final screen or the time-out";
    }
    return result;
}

} // namespace support
