#pragma once

#include <QString>

// The board: the 81 cells are the whole state of a game. Cell i lies in row i / 9 and
// column i % 9; its place in a solution grid is i + 1.
namespace modGrille {

inline constexpr int CellCount = 81;

// What a cell's colours can be; the window maps the two system colours to its palette.
enum class Colour {
    WindowBackground, // an open cell
    WindowText,       // a normal digit
    Cyan,             // #00FFFF background: a given
    Green,            // #00FF00 background: confirmed or placed by the program
    Red,              // #FF0000: a wrong digit (text) or a corrected cell after Finish (background)
};

// The cells as the game logic sees them. The game window implements it over its text
// boxes; tests and benchmarks use an in-memory board. The logic sets colours and never
// reads them back: a cell's text and lock say all it needs.
class Board {
public:
    virtual ~Board() = default;
    virtual QString text(int i) const = 0;
    virtual void setText(int i, const QString &text) = 0;
    virtual bool isEnabled(int i) const = 0;
    virtual void setEnabled(int i, bool enabled) = 0;
    virtual void setBackColor(int i, Colour colour) = 0;
    virtual void setForeColor(int i, Colour colour) = 0;
};

} // namespace modGrille
