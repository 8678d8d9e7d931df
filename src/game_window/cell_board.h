#pragma once

#include "game_window/cell_edit.h"
#include "puzzle/board.h"

#include <array>

// The board over the game window's text boxes: the cells are the state.
class CellBoard final : public modGrille::Board {
public:
    using Cells = std::array<CellEdit *, modGrille::CellCount>;
    explicit CellBoard(const Cells &cells)
        : m_cells(cells) {}

    QString text(int i) const override { return m_cells[i]->text(); }
    void setText(int i, const QString &text) override { m_cells[i]->setText(text); }
    bool isEnabled(int i) const override { return m_cells[i]->isEnabled(); }
    void setEnabled(int i, bool enabled) override { m_cells[i]->setEnabled(enabled); }
    void setBackColor(int i, modGrille::Colour c) override { m_cells[i]->setBackColor(c); }
    void setForeColor(int i, modGrille::Colour c) override { m_cells[i]->setForeColor(c); }

private:
    const Cells &m_cells;
};
