#include "support/invariants.hpp"

#include "board/board_setup.hpp"
#include "board/game_state.hpp"

#include <sstream>

namespace support {

void givenBoard(const std::string& rows) {
    std::istringstream in(rows);
    for (int cell = 1; cell <= board::kCells; ++cell) {
        in >> board::GameState.cellKind[cell];
    }
    board::rebuildGridFromCells();
}

namespace {

using board::GameState;
using board::kSide;

bool isKind(int kind) {
    return kind >= 1 && kind <= board::ElementKind::Bonus;
}

std::string at(int column, int row) {
    return "(column " + std::to_string(column) + ", row " + std::to_string(row) + ")";
}

} // namespace

std::string describeBoardFaults() {
    const board::GameStateRecord& g = GameState;
    std::string faults;
    auto fault = [&faults](const std::string& text) {
        faults += (faults.empty() ? "" : "; ") + text;
    };
    for (int row = 1; row <= kSide; ++row) {
        for (int column = 1; column <= kSide; ++column) {
            const int kind = g.grid[column][row];
            const int cell = board::cellNumber(column, row);
            if (g.cellKind[cell] != kind) {
                fault("cell " + std::to_string(cell) + " holds " +
                      std::to_string(g.cellKind[cell]) + " but the grid at " + at(column, row) +
                      " holds " + std::to_string(kind));
            }
            if (!isKind(kind)) {
                fault("kind " + std::to_string(kind) + " at " + at(column, row));
            }
        }
    }
    for (int i = 0; i <= kSide; ++i) {
        if (g.grid[0][i] != 0) {
            fault("the border holds " + std::to_string(g.grid[0][i]) + " at " + at(0, i));
        }
        if (i > 0 && g.grid[i][0] != 0) {
            fault("the border holds " + std::to_string(g.grid[i][0]) + " at " + at(i, 0));
        }
    }
    if (g.cellKind[0] != 0) {
        fault("cell 0 holds " + std::to_string(g.cellKind[0]));
    }
    return faults;
}

std::vector<BoardLine> linesOnBoard() {
    std::vector<BoardLine> lines;
    for (const bool vertical : {false, true}) {
        for (int a = 1; a <= kSide; ++a) {
            int length = 1;
            for (int start = 1; start <= kSide; start += length) {
                auto kindAt = [&](int n) {
                    return vertical ? GameState.grid[a][start + n] : GameState.grid[start + n][a];
                };
                for (length = 1; start + length <= kSide && kindAt(length) == kindAt(0);) {
                    ++length;
                }
                if (length >= 3 && isKind(kindAt(0))) {
                    lines.push_back(
                        {vertical ? a : start, vertical ? start : a, length, vertical, kindAt(0)});
                }
            }
        }
    }
    return lines;
}

std::string LineRule::frameEnded() {
    const board::GameStateRecord& g = GameState;
    const std::array<int, 4> found{g.score, g.refillCount, g.stars, g.level};
    std::string fault;
    if (!lines_.empty() && found == found_) {
        const BoardLine& line = lines_.front();
        fault = std::string(line.vertical ? "a vertical" : "a horizontal") + " line of " +
                std::to_string(line.length) + " of kind " + std::to_string(line.kind) + " from " +
                at(line.column, line.row) + " stayed through a frame whose scan found nothing";
    }
    lines_ = linesOnBoard();
    found_ = found;
    return fault;
}

} // namespace support
