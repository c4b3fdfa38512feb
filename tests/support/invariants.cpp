#include "support/invariants.hpp"

#include "board/board_setup.hpp"
#include "board/game_state.hpp"

#include <sstream>

namespace support {

namespace {

using board::GameState;
using board::kSide;

constexpr int kMinKind = 1;
constexpr int kMaxKind = board::ElementKind::Bonus;
constexpr int kShortestLine = 3;

std::string at(int column, int row) {
    std::ostringstream out;
    out << "(column " << column << ", row " << row << ")";
    return out.str();
}

// The kind at step n of a run starting at (column, row).
int kindAlong(int column, int row, bool vertical, int n) {
    return vertical ? GameState.grid[column][row + n] : GameState.grid[column + n][row];
}

void collectRuns(bool vertical, std::vector<BoardLine>& lines) {
    for (int a = 1; a <= kSide; ++a) {
        int start = 1;
        while (start <= kSide) {
            const int column = vertical ? a : start;
            const int row = vertical ? start : a;
            const int kind = kindAlong(column, row, vertical, 0);
            int length = 1;
            while (start + length <= kSide && kindAlong(column, row, vertical, length) == kind) {
                ++length;
            }
            if (length >= kShortestLine && kind >= kMinKind && kind <= kMaxKind) {
                lines.push_back(BoardLine{column, row, length, vertical, kind});
            }
            start += length;
        }
    }
}

// The check runs after every flip of whole games, so the sound board is found quickly
// and the faults are only described when there are some.
bool boardSound() {
    const board::GameStateRecord& g = GameState;
    const int* cells = g.cellKind + 1;
    for (int row = 1; row <= kSide; ++row) {
        for (int column = 1; column <= kSide; ++column, ++cells) {
            const int kind = g.grid[column][row];
            if (*cells != kind || kind < kMinKind || kind > kMaxKind) {
                return false;
            }
        }
    }
    for (int i = 0; i <= kSide; ++i) {
        if (g.grid[0][i] != 0 || g.grid[i][0] != 0) {
            return false;
        }
    }
    return g.cellKind[0] == 0;
}

} // namespace

std::vector<std::string> boardFaults() {
    std::vector<std::string> faults;
    if (boardSound()) {
        return faults;
    }
    const board::GameStateRecord& g = GameState;
    for (int row = 1; row <= kSide; ++row) {
        for (int column = 1; column <= kSide; ++column) {
            const int kind = g.grid[column][row];
            const int cell = board::cellNumber(column, row);
            if (g.cellKind[cell] != kind) {
                std::ostringstream out;
                out << "cell " << cell << " holds " << g.cellKind[cell] << " but the grid at "
                    << at(column, row) << " holds " << kind;
                faults.push_back(out.str());
            }
            if (kind < kMinKind || kind > kMaxKind) {
                std::ostringstream out;
                out << "kind " << kind << " at " << at(column, row);
                faults.push_back(out.str());
            }
        }
    }
    for (int i = 0; i <= kSide; ++i) {
        if (g.grid[0][i] != 0) {
            faults.push_back("the border holds " + std::to_string(g.grid[0][i]) + " at " +
                             at(0, i));
        }
        if (i > 0 && g.grid[i][0] != 0) {
            faults.push_back("the border holds " + std::to_string(g.grid[i][0]) + " at " +
                             at(i, 0));
        }
    }
    if (g.cellKind[0] != 0) {
        faults.push_back("cell 0 holds " + std::to_string(g.cellKind[0]));
    }
    return faults;
}

std::string describeBoardFaults() {
    std::string text;
    for (const std::string& fault : boardFaults()) {
        text += text.empty() ? fault : "; " + fault;
    }
    return text;
}

std::vector<BoardLine> linesOnBoard() {
    std::vector<BoardLine> lines;
    collectRuns(false, lines);
    collectRuns(true, lines);
    return lines;
}

LineRule::FrameEnd LineRule::now() {
    const board::GameStateRecord& g = GameState;
    return FrameEnd{linesOnBoard(), g.score, g.refillCount, g.stars, g.level};
}

std::string LineRule::frameEnded() {
    FrameEnd current = now();
    std::string fault;
    if (known_ && !last_.lines.empty()) {
        const bool found = current.score != last_.score ||
                           current.refillCount != last_.refillCount ||
                           current.stars != last_.stars || current.level != last_.level;
        if (!found) {
            const BoardLine& line = last_.lines.front();
            std::ostringstream out;
            out << (line.vertical ? "a vertical" : "a horizontal") << " line of " << line.length
                << " of kind " << line.kind << " from " << at(line.column, line.row)
                << " stayed through a frame whose scan found nothing";
            fault = out.str();
        }
    }
    linesLeft_ += current.lines.empty() ? 0 : 1;
    last_ = std::move(current);
    known_ = true;
    return fault;
}

} // namespace support
