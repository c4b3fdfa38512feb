#pragma once

// The steps of the rules that the player sees or hears. The rules run on their own; where
// a step of theirs must be shown before they go on (a line vanishing before the cells above
// it fall, each fall, a star dropping, a cue, the score changing), they call the hook of
// that step, which the game screen installs. Every hook is empty by default, so the rules
// run silently in their own tests.
namespace board {

// The cues the rules sound, by the names of the game's sound table; the game screen plays
// each as the cue of that name.
enum class SoundCue { Take, Snd1, Kreski, S6, S7, Gw1 };

// A line of equal kinds along one row or one column, from its first cell.
struct Line {
    int column;
    int row;
    int length;
    int kind;
    bool vertical;
};

struct BoardHooksRecord {
    void (*cue)(SoundCue cue) = nullptr;
    // Every sound stops: the eighth star of a level has dropped.
    void (*silence)() = nullptr;

    // The selected cell and its neighbour (both 1..64) slide past each other; their kinds
    // are exchanged after.
    void (*swapSlides)(int cell, int neighbour) = nullptr;

    // The scored line vanishes (its points shown over it when it is vertical).
    void (*lineVanishes)(const Line& line) = nullptr;
    // Entering element n (0-based) of a line, of `kind`, waits above the board.
    void (*entryWaits)(const Line& line, int n, int kind) = nullptr;
    // The cells above the line fall one cell: all of a row's line at once (n = 0), or a
    // column's for its entering element n (0-based), one at a time.
    void (*lineFalls)(const Line& line, int n) = nullptr;
    // The grid has taken the fall of entering element n.
    void (*lineFell)(const Line& line, int n) = nullptr;
    // The line is refilled and its kind's bar stepped: the board is shown whole again.
    void (*lineRefilled)(const Line& line) = nullptr;

    // A bonus or star line's points are set, before they join the score.
    void (*specialLineScored)(int lineKind) = nullptr;
    // The score (or the record beside it) changed.
    void (*scoreChanged)() = nullptr;
    // The bar of ordinary kind k moved on without paying.
    void (*kindBarAdvanced)(int kind) = nullptr;
    // The bar of kind k passed 100 and empties, and the bar pays; then its bonus elements
    // turn (bonusTurned, one by one) and the bar's pay is over (kindBarPaid).
    void (*kindBarFull)(int kind) = nullptr;
    void (*bonusTurned)(int cell, int kind) = nullptr;
    void (*kindBarPaid)(int kind) = nullptr;

    // With no move left, the element of `cell` is replaced by `kind`.
    void (*elementReshuffled)(int cell, int kind) = nullptr;

    // A star leaves the bottom cell of `column`: its cell emptied, then its fall out of
    // the board; after the award, the board without it; then the column slides down one
    // cell and `kind` enters at its top.
    void (*starLeaves)(int column) = nullptr;
    void (*starFalls)(int column) = nullptr;
    void (*starGone)(int column) = nullptr;
    void (*columnSlides)(int column) = nullptr;
    void (*starColumnFilled)(int column, int kind) = nullptr;
};
extern BoardHooksRecord BoardHooks;

// Calls the hook when one is installed.
template <typename... Args, typename... Given> void show(void (*hook)(Args...), Given&&... args) {
    if (hook != nullptr) {
        hook(static_cast<Given&&>(args)...);
    }
}

} // namespace board
