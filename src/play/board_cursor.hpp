#pragma once

// The keyboard's cursor on the board: a frame apart from the gold frame of a picked cell,
// drawn from the first key press on and hidden again when the mouse moves. The arrows
// move it (a held arrow repeats) and stop at the board's edges; Space or Enter picks the
// cell under it as a click would; an arrow while a cell is picked swaps the picked cell
// with that neighbour, as a drag does.
namespace play {

class BoardCursor {
  public:
    // Back on the top-left cell, hidden: the start of every game and level.
    void reset();
    // Answers a key pressed in the game (an Allegro key code); returns whether the key
    // was the board's.
    bool serveKey(int key);
    // Hides the cursor (the player took the mouse).
    void hide();
    // Draws the cursor's frame, when shown, on the current target; drawn again every
    // frame, after the pick, so whatever repainted the board does not hide it.
    void draw() const;

    int cell() const { return cell_; }
    bool shown() const { return shown_; }
    bool operator==(const BoardCursor&) const = default;

  private:
    void erase() const;

    int cell_ = 1;
    bool shown_ = false;
};

} // namespace play
