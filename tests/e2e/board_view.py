"""The board as a player sees it: cell geometry, the elements read from a screenshot,
the moves a player can find on it, and stored games written by hand."""

import itertools
import os
import subprocess
import tempfile

import sheet
from picture import Picture, distance
from player import check

SIDE = 8
BOARD_X, BOARD_Y, PITCH = 350, 100, 46
BOARD_BOX = (BOARD_X, BOARD_Y, PITCH * SIDE, PITCH * SIDE)
SCORE_BOX = (70, 170, 200, 40)
LEVEL_DIGIT_BOX = (150, 100, 50, 55)
KIND_NAMES = {1: "red", 2: "green", 3: "blue", 4: "yellow", 5: "purple", 6: "star", 7: "bonus"}


def cell_origin(column, row):
    """Top left of cell (column, row), both counted from 1."""
    return BOARD_X + PITCH * (column - 1), BOARD_Y + PITCH * (row - 1)


def cell_centre(column, row):
    x, y = cell_origin(column, row)
    return x + PITCH // 2, y + PITCH // 2


def _core(column_or_x, row_or_y, origin=True):
    x, y = cell_origin(column_or_x, row_or_y) if origin else (column_or_x, row_or_y)
    return (x + 15, y + 15, 16, 16)


class ElementColours:
    """The average colour of the middle of each element picture, taken from the sheet
    the game draws them from (flattened on black as the board shows it)."""

    def __init__(self, assets):
        flat = os.path.join(tempfile.mkdtemp(prefix="orbelium-sheet-"), "flat.png")
        subprocess.run(["convert", os.path.join(assets, "gr", "elementy.png"), "-background",
                        "black", "-alpha", "remove", "-alpha", "off", flat], check=True)
        picture = Picture(flat)
        self.colours = {kind: picture.mean(_core(*sheet.origin(f"element_{kind}"), origin=False))
                        for kind in KIND_NAMES}

    def kind_at(self, picture, x, y):
        """The kind whose picture lies at (x, y), or 0 when nothing matches well."""
        seen = picture.mean(_core(x, y, origin=False))
        kind, gap = min(((k, distance(seen, c)) for k, c in self.colours.items()),
                        key=lambda pair: pair[1])
        return kind if gap < 25 else 0

    def read_board(self, picture):
        """The 8 x 8 kinds on screen, board[row - 1][column - 1]; fails on any unknown cell."""
        board = [[self.kind_at(picture, *cell_origin(c, r)) for c in range(1, SIDE + 1)]
                 for r in range(1, SIDE + 1)]
        unknown = [(c + 1, r + 1) for r in range(SIDE) for c in range(SIDE) if board[r][c] == 0]
        check(not unknown, f"cells that show no element: {unknown} in {picture.path}")
        return board


def board_text(board):
    return "\n".join(" ".join(str(k) for k in row) for row in board)


def has_line(board):
    for r in range(SIDE):
        for c in range(SIDE - 2):
            if board[r][c] == board[r][c + 1] == board[r][c + 2]:
                return True
    for c in range(SIDE):
        for r in range(SIDE - 2):
            if board[r][c] == board[r + 1][c] == board[r + 2][c]:
                return True
    return False


def swapped(board, a, b):
    """The board with cells a and b, each (column, row), exchanged."""
    result = [row[:] for row in board]
    (c1, r1), (c2, r2) = a, b
    result[r1 - 1][c1 - 1], result[r2 - 1][c2 - 1] = board[r2 - 1][c2 - 1], board[r1 - 1][c1 - 1]
    return result


def first_move(board):
    """The move the hint button shows: rows first, left to right, then columns."""
    for r in range(1, SIDE + 1):
        for c in range(1, SIDE):
            if has_line(swapped(board, (c, r), (c + 1, r))):
                return (c, r), (c + 1, r)
    for r in range(2, SIDE + 1):
        for c in range(1, SIDE + 1):
            if has_line(swapped(board, (c, r - 1), (c, r))):
                return (c, r - 1), (c, r)
    return None


def no_equal_neighbours(board):
    for r in range(SIDE):
        for c in range(SIDE):
            if c + 1 < SIDE and board[r][c] == board[r][c + 1]:
                return False
            if r + 1 < SIDE and board[r][c] == board[r + 1][c]:
                return False
    return True


def a_fresh_fill(board, kinds, reshuffled=3):
    """Whether the board is a fresh level's fill (only `kinds`, no two equal neighbours)
    but for at most `reshuffled` cells: a fill without a move has one element replaced, at
    random, until it has one."""
    cells = [(r, c) for r in range(SIDE) for c in range(SIDE)]

    def holds(spared):
        for r, c in cells:
            if (r, c) in spared:
                continue
            if board[r][c] not in kinds:
                return False
            for nr, nc in ((r, c + 1), (r + 1, c)):
                if nr < SIDE and nc < SIDE and (nr, nc) not in spared and \
                        board[nr][nc] == board[r][c]:
                    return False
        return True

    return any(holds(set(spared)) for n in range(reshuffled + 1)
               for spared in itertools.combinations(cells, n))


def stored_game_text(board, column_stars=(0,) * 8, bars=(0,) * 5, level=1, stars=0, score=0,
                     record=0, clock=0, music="0.5", effects="1", mode=0):
    """A stored game exactly as the game writes one: eight board rows with trailing spaces,
    an empty line, the column stars, the kind bars, then the figures, no final line end."""
    text = "".join(" ".join(str(k) for k in row) + " \n" for row in board)
    text += "\n"
    text += " ".join(str(s) for s in column_stars) + " \n"
    text += " ".join(str(b) for b in bars) + " \n"
    text += f"{level} {stars} {score} {record} {clock} {music} {effects} {mode} "
    return text


def board_from_stored(text):
    rows = text.split("\n")[:SIDE]
    return [[int(k) for k in row.split()] for row in rows]


def filler_board():
    """A board of kinds 1..4 without a line, with moves on it."""
    return [[(r + 2 * c) % 4 + 1 for c in range(1, SIDE + 1)] for r in range(1, SIDE + 1)]


def hint_outline_cell(picture):
    """The cell the blinking hint outlines, or None while the outline is blinked away."""
    hint = (44, 133, 166)
    best, best_count = None, 0
    for r in range(1, SIDE + 1):
        for c in range(1, SIDE + 1):
            x, y = cell_origin(c, r)
            # A whole top edge and a whole left edge in the hint's colour.
            top = sum(1 for dx in range(4, PITCH - 4)
                      if any(distance(picture.pixel(x + dx, y + dy), hint) < 40
                             for dy in (-1, 0, 1)))
            left = sum(1 for dy in range(4, PITCH - 4)
                       if any(distance(picture.pixel(x + dx, y + dy), hint) < 40
                              for dx in (-1, 0, 1)))
            score = min(top, left)
            if score > best_count:
                best, best_count = (c, r), score
    return best if best_count >= PITCH - 12 else None

