#pragma once

#include "puzzle/board.h"

#include <array>

namespace modGrille {

// A board held in memory, for tests and benchmarks. Its picture is 81 characters row by
// row: a digit for a cell's text, '.' for an empty cell.
class MemoryBoard final : public Board {
public:
    struct Cell {
        QString text;
        bool enabled = false;
        Colour back = Colour::WindowBackground;
        Colour fore = Colour::WindowText;
    };

    MemoryBoard() = default;
    // One character a cell, all 81: digits become locked givens on cyan, '.' open empty
    // cells.
    static MemoryBoard fromPicture(const QString &picture);
    QString picture() const;

    QString text(int i) const override { return m_cells[i].text; }
    void setText(int i, const QString &text) override { m_cells[i].text = text; }
    bool isEnabled(int i) const override { return m_cells[i].enabled; }
    void setEnabled(int i, bool enabled) override { m_cells[i].enabled = enabled; }
    Colour backColor(int i) const { return m_cells[i].back; }
    void setBackColor(int i, Colour colour) override { m_cells[i].back = colour; }
    Colour foreColor(int i) const { return m_cells[i].fore; }
    void setForeColor(int i, Colour colour) override { m_cells[i].fore = colour; }

    const Cell &at(int i) const { return m_cells[i]; }
    Cell &at(int i) { return m_cells[i]; }

private:
    std::array<Cell, CellCount> m_cells{};
};

} // namespace modGrille
