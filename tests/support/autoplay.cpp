#include "support/autoplay.hpp"
#include "game/menu_actions.hpp"

#include "app/assets.hpp"
#include "app/geometry.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/paths.hpp"
#include "app/sheet.hpp"
#include "app/texts.hpp"
#include "board/board_setup.hpp"
#include "game/main_menu.hpp"
#include "play/game_loop.hpp"
#include "play/texts.hpp"
#include "records/high_scores.hpp"
#include "records/texts.hpp"
#include "support/headless.hpp"
#include "support/invariants.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>
#include <stdexcept>
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
constexpr app::Rect kContinuePlate = app::sheet::kContinueButton;
constexpr app::Rect kContinueFace = app::sheet::kContinueButtonFace; // lit under the pointer
constexpr app::Rect kTimeUpPicture = app::sheet::kTimeOut;
constexpr app::Rect kMenuPass{285, 170, 225, 275};
constexpr app::Rect kListPass{343, 530, 114, 30};

// Flips between the move onto the neighbour and letting go: the swap has started, and
// the hand lets go while the elements slide.
constexpr int kReleaseAfterMove = 2;
// A game still running after this many flips, or resting this often without a flip, is
// stuck.
constexpr int kGiveUpFlips = 4'000'000;
constexpr int kRestsWithoutFlip = 500'000;
constexpr int kStar = board::ElementKind::Star;

// The board the bot thinks about: [column][row], with an empty border all round.
using Grid = std::array<std::array<int, kSide + 2>, kSide + 2>;
using Marks = std::array<std::array<bool, kSide + 2>, kSide + 2>;

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
    return k >= 1 && k <= board::ElementKind::Bonus;
}

// Run length of equal kinds through (c, r) along (dc, dr), both ways; with `gone`, the
// run is marked there.
int runThrough(const Grid& g, int c, int r, int dc, int dr, Marks* gone = nullptr) {
    int n = -1; // the cell itself is walked both ways
    for (const int s : {1, -1}) {
        for (int x = c, y = r; g[x][y] == g[c][r]; x += s * dc, y += s * dr, ++n) {
            if (gone != nullptr) {
                (*gone)[x][y] = true;
            }
        }
    }
    return n;
}

bool lineThrough(const Grid& g, int c, int r) {
    return isKind(g[c][r]) && (runThrough(g, c, r, 1, 0) >= 3 || runThrough(g, c, r, 0, 1) >= 3);
}

// The swaps of (c, r) with its right and its lower neighbour that make a line, in the
// order the game's move search tries them.
std::vector<Move> movesFrom(const Grid& board, int c, int r) {
    std::vector<Move> moves;
    for (const Move m : {Move{c, r, c + 1, r}, Move{c, r, c, r + 1}}) {
        if (m.c2 > kSide || m.r2 > kSide) {
            continue;
        }
        Grid g = board;
        std::swap(g[m.c1][m.r1], g[m.c2][m.r2]);
        if (lineThrough(g, m.c1, m.r1) || lineThrough(g, m.c2, m.r2)) {
            moves.push_back(m);
        }
    }
    return moves;
}

// How close column c's star is to dropping once the marked cells have vanished and the
// column has fallen: its lowest star weighted by the row it ends in, far more in the
// bottom row. Nothing for a column that has given its star.
double starPotential(const Grid& g, const Marks& gone, int c) {
    if (GameState.columnStar[c] != 0) {
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

// What the move does for the stars still needed: the board held no line, so every line
// after the swap runs through one of the two swapped cells. The lines vanish and their
// columns fall; what enters from the top is unknown, and cascades are not foreseen.
double starValue(const Grid& board, const Move& m) {
    Grid g = board;
    std::swap(g[m.c1][m.r1], g[m.c2][m.r2]);
    Marks gone{};
    for (const auto& [c, r] : {std::pair{m.c1, m.r1}, std::pair{m.c2, m.r2}}) {
        for (const auto& [dc, dr] : {std::pair{1, 0}, std::pair{0, 1}}) {
            if (isKind(g[c][r]) && runThrough(g, c, r, dc, dr) >= 3) {
                runThrough(g, c, r, dc, dr, &gone);
            }
        }
    }
    bool affected[kSide + 2] = {};
    affected[m.c1] = affected[m.c2] = true;
    double value = 0;
    for (int c = 1; c <= kSide; ++c) {
        for (int r = 1; r <= kSide; ++r) {
            affected[c] = affected[c] || gone[c][r];
            // New elements, perhaps stars, enter where they are needed; a needed star in a
            // line of stars is lost.
            if (gone[c][r] && GameState.columnStar[c] == 0) {
                value += 0.5 - (g[c][r] == kStar ? 30 : 0);
            }
        }
    }
    for (int c = 1; c <= kSide; ++c) {
        if (affected[c]) {
            value += starPotential(g, gone, c) - starPotential(board, Marks{}, c);
        }
    }
    return value;
}

app::Point centreOf(int column, int row) {
    constexpr int half = board::kPitch / 2;
    const board::Pixel corner = board::cellPixel(column, row);
    return {corner.x + half, corner.y + half};
}

// The characters of a UTF-8 text as the keyboard delivers them, one code point a key.
std::vector<int> codePoints(const std::string& text) {
    std::vector<int> out;
    for (const unsigned char b : text) {
        if ((b & 0xC0) == 0x80 && !out.empty()) {
            out.back() = (out.back() << 6) | (b & 0x3F);
        } else {
            out.push_back(b >= 0xF0 ? b & 0x07 : b >= 0xE0 ? b & 0x0F : b >= 0xC0 ? b & 0x1F : b);
        }
    }
    return out;
}

bool drawn(const standin::BitmapDraw& d, const ALLEGRO_BITMAP* source, app::Rect piece) {
    return d.bitmap == source && d.sx == piece.x && d.sy == piece.y && d.sw == piece.w &&
           d.sh == piece.h;
}

// The bot. The stand-in calls it after every flip; the log holds only what was drawn
// since the previous flip, because the bot empties it each time.
class Bot {
  public:
    Bot(const AutoplaySettings& settings, AutoplayResult& result)
        : settings_(settings), result_(result), draws_(settings.seed) {}

    void afterFlip(int flips) {
        restsSinceFlip_ = 0;
        if (flips > kGiveUpFlips) {
            throw Stop("the game was still running after " + std::to_string(flips) + " flips");
        }
        if (settings_.eachFlip) {
            settings_.eachFlip(flips);
        }
        if (inGame_) {
            if (const std::string faults = describeBoardFaults(); !faults.empty()) {
                throw Stop("flip " + std::to_string(flips) + ": " + faults);
            }
            result_.starsDropped += std::max(0, GameState.stars - starsSeen_);
            starsSeen_ = GameState.stars;
        }
        readTexts();
        readDraws(flips);
        if (releaseAt_ != 0 && flips >= releaseAt_) {
            releaseAt_ = 0;
            standin::setMouse(kRest.x, kRest.y, 0);
        }
        standin::Log& log = standin::log();
        log.bitmaps.clear();
        log.texts.clear();
        log.shapes.clear();
        log.plays.clear();
    }

    void afterRest() {
        if (++restsSinceFlip_ > kRestsWithoutFlip) {
            throw Stop("the game waited without drawing anything");
        }
    }

    bool gameOver() const { return result_.finalScreen || result_.timeUp; }

  private:
    enum class MovePhase { Idle, Released, Keyed };

    // A press held for one flip: the next poll sees it down, the one after up again.
    void click(app::Point at, int flips) {
        standin::setMouse(at.x, at.y, app::kLeftButton);
        releaseAt_ = flips + 1;
    }

    void readTexts() {
        for (const standin::TextDraw& t : standin::log().texts) {
            result_.textsDrawn.insert(t.text);
            if (t.text == _(records::texts::kNamePrompt) && !result_.nameEntered) {
                result_.nameEntered = true;
                for (int ch : codePoints(settings_.name)) {
                    standin::pressKey(ALLEGRO_KEY_A, ch);
                }
                standin::pressKey(ALLEGRO_KEY_ENTER, 13);
            } else if (t.text == _(play::kFinalTitle) && !result_.finalScreen) {
                result_.finalScreen = true;
                result_.score = GameState.score;
            } else if (t.text == _(app::menuLabels[0]) && gameOver()) {
                result_.backInMenu = true;
            }
        }
    }

    void readDraws(int flips) {
        const auto& draws = standin::log().bitmaps;
        const ALLEGRO_BITMAP* screen = app::Assets.screen;
        const ALLEGRO_BITMAP* sheet = app::Assets.sheet;
        if (!draws.empty() && drawn(draws.back(), screen, kLoopEnd)) {
            loopFrameEnded(flips);
        } else if (!draws.empty() &&
                   (drawn(draws.back(), sheet, kContinuePlate) ||
                    drawn(draws.back(), sheet, kContinueFace)) &&
                   releaseAt_ == 0) {
            // The level is done: whatever drag was under way is over. "Dalej" takes only a
            // press made while it waits, which it shows by drawing its button again.
            move_ = MovePhase::Idle;
            const bool first = !inLevelEnd_;
            result_.levelsCompleted += first ? 1 : 0;
            inLevelEnd_ = true;
            if (first) {
                continuePressed_ = false;
            } else if (!settings_.keysOnly) {
                click(kContinueButton, flips);
            } else if (!continuePressed_) {
                standin::pressKey(ALLEGRO_KEY_ENTER, 13);
                continuePressed_ = true;
                cursor_ = 1; // every level starts with the cursor top left
            }
        } else {
            for (const standin::BitmapDraw& d : draws) {
                if (drawn(d, sheet, kTimeUpPicture) && !result_.timeUp) {
                    result_.timeUp = true;
                    result_.score = GameState.score;
                } else if (drawn(d, screen, kListPass)) {
                    if (!settings_.keysOnly) {
                        if (releaseAt_ == 0) {
                            click(kListReturnButton, flips);
                        }
                    } else if (!listLeft_) {
                        standin::pressKey(ALLEGRO_KEY_ENTER, 13);
                        listLeft_ = true;
                    }
                } else if (drawn(d, screen, kMenuPass) && releaseAt_ == 0) {
                    if (inGame_ && !gameOver()) {
                        throw Stop("the game returned to the main menu before its end");
                    }
                    if (!settings_.keysOnly) {
                        click(inGame_ ? kLeaveItem : kNewGameItem, flips);
                    } else if (menuKeysSent_ == (inGame_ ? 1 : 0)) {
                        // Down from no light lights "Nowa gra"; seven stop on the last item.
                        for (int i = 0; i < (inGame_ ? 7 : 1); ++i) {
                            standin::pressKey(ALLEGRO_KEY_DOWN, 0);
                        }
                        standin::pressKey(ALLEGRO_KEY_ENTER, 13);
                        ++menuKeysSent_;
                    }
                }
            }
        }
    }

    void loopFrameEnded(int flips) {
        inGame_ = true;
        inLevelEnd_ = false;
        ++result_.loopFrames;
        if (const std::string fault = lines_.frameEnded(); !fault.empty()) {
            throw Stop("flip " + std::to_string(flips) + ": " + fault);
        }
        if (move_ == MovePhase::Keyed) {
            // The loop takes one key event a frame: the move is made once all are taken.
            if (!app::keyWaiting()) {
                move_ = MovePhase::Released;
            }
        } else if (move_ == MovePhase::Idle || (move_ == MovePhase::Released && releaseAt_ == 0)) {
            if (move_ == MovePhase::Released && GameState.score == scoreBefore_ &&
                GameState.refillCount == refillsBefore_ && boardNow() == before_) {
                ++result_.refused;
            }
            move_ = MovePhase::Idle;
            startMove();
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
        if (settings_.keysOnly) {
            keyMove(m);
            return;
        }
        const app::Point from = centreOf(m.c1, m.r1);
        target_ = centreOf(m.c2, m.r2);
        // A quick hand: pressed and moved onto the neighbour before the game looks; the
        // drag starts where the button went down and swaps at its first pass.
        standin::setMouse(from.x, from.y, app::kLeftButton);
        standin::setMouse(target_.x, target_.y, app::kLeftButton);
        move_ = MovePhase::Released;
        releaseAt_ = standin::log().flips + kReleaseAfterMove;
    }

    // The cursor walks to the first cell, Space picks it, an arrow swaps it.
    void keyMove(const Move& m) {
        const int from = (m.r1 - 1) * kSide + m.c1;
        int c = (cursor_ - 1) % kSide + 1;
        int r = (cursor_ - 1) / kSide + 1;
        for (; c != m.c1; c += c < m.c1 ? 1 : -1) {
            standin::pressKey(c < m.c1 ? ALLEGRO_KEY_RIGHT : ALLEGRO_KEY_LEFT, 0);
        }
        for (; r != m.r1; r += r < m.r1 ? 1 : -1) {
            standin::pressKey(r < m.r1 ? ALLEGRO_KEY_DOWN : ALLEGRO_KEY_UP, 0);
        }
        cursor_ = from;
        standin::pressKey(ALLEGRO_KEY_SPACE, ' ');
        const int arrow = m.c2 > m.c1   ? ALLEGRO_KEY_RIGHT
                          : m.c2 < m.c1 ? ALLEGRO_KEY_LEFT
                          : m.r2 > m.r1 ? ALLEGRO_KEY_DOWN
                                        : ALLEGRO_KEY_UP;
        standin::pressKey(arrow, 0);
        move_ = MovePhase::Keyed;
    }

    bool chooseMove(const Grid& board, Move& chosen) {
        if (settings_.choice == BotChoice::Hint) {
            // The hinted cell; a hint from before a reshuffle is no move until the next search.
            const int c = (GameState.hintX - board::kBoardX) / board::kPitch + 1;
            const int r = (GameState.hintY - board::kBoardY) / board::kPitch + 1;
            if (c < 1 || c > kSide || r < 1 || r > kSide) {
                return false;
            }
            const std::vector<Move> moves = movesFrom(board, c, r);
            chosen = moves.empty() ? chosen : moves[0];
            return !moves.empty();
        }
        std::uniform_real_distribution<double> jitter(0.0, 0.01);
        double best = -1e9;
        for (int c = 1; c <= kSide; ++c) {
            for (int r = 1; r <= kSide; ++r) {
                for (const Move& m : movesFrom(board, c, r)) {
                    const double value = starValue(board, m) + jitter(draws_);
                    if (value > best) {
                        best = value;
                        chosen = m;
                    }
                }
            }
        }
        return best > -1e9; // none: the reshuffle comes first
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
    bool inLevelEnd_ = false;      // "Dalej" seen since the last loop frame
    bool continuePressed_ = false; // Enter given to this level's "Dalej"
    bool inGame_ = false;
    int cursor_ = 1;        // where the board's cursor stands, in keys-only play
    int menuKeysSent_ = 0;  // the main menu answered by keys: 1 started the game, 2 left
    bool listLeft_ = false; // Enter sent to the list of results
    Grid before_{};
    int scoreBefore_ = 0;
    int refillsBefore_ = 0;
};

} // namespace

AutoplayResult autoplay(const AutoplaySettings& settings) {
    ScratchFolder folder;
    // Full volumes and the mode, as the options screen would have stored them.
    folder.write(app::paths::kOptions, "1.0 1.0 " + std::to_string(settings.mode) + "\n");
    if (!settings.language.empty()) {
        folder.write(app::paths::kLanguage, settings.language + "\n");
    }
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
            game::mainMenu();
        } else {
            play::gameLoop(); // and back to the menu, as its item does
            game::returnToMenu();
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
