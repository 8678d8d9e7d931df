#pragma once

#include "puzzle/board.h"

#include <array>

namespace modGrille {

// A board held in memory, for tests and benchmarks. Its picture is 81 characters row by
// row: a digit for a cell's text, '.' for an empty cell.
class MemoryBoard final : public Board {
public:
    struct Case {
        QString text;
        bool enabled = false;
        Couleur back = Couleur::FondFenetre;
        Couleur fore = Couleur::TexteFenetre;
    };

    MemoryBoard() = default;
    // Digits become locked givens on cyan, '.' open empty cells.
    static MemoryBoard fromPicture(const QString &picture);
    QString picture() const;

    QString text(int i) const override { return m_cases[i].text; }
    void setText(int i, const QString &text) override { m_cases[i].text = text; }
    bool isEnabled(int i) const override { return m_cases[i].enabled; }
    void setEnabled(int i, bool enabled) override { m_cases[i].enabled = enabled; }
    Couleur backColor(int i) const override { return m_cases[i].back; }
    void setBackColor(int i, Couleur colour) override { m_cases[i].back = colour; }
    Couleur foreColor(int i) const override { return m_cases[i].fore; }
    void setForeColor(int i, Couleur colour) override { m_cases[i].fore = colour; }

    const Case &at(int i) const { return m_cases[i]; }
    Case &at(int i) { return m_cases[i]; }

private:
    std::array<Case, NombreCases> m_cases{};
};

} // namespace modGrille
