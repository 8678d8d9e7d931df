#pragma once

#include "puzzle/cell_entry.h"

#include <QAccessible>
#include <QObject>
#include <QTimer>

#include <array>
#include <optional>

class Announcer;
class CellEdit;
class QWidget;

// What a screen reader hears of the game, worded in the current language: the verdict on a
// digit, the news a cell taking the focus is read with, the board's name and Finish's summary,
// the digit revealed. The window tells it what happened; reading a name changes nothing.
class BoardNarrator : public QObject {
    Q_OBJECT
public:
    using Cells = std::array<CellEdit *, 81>;
    BoardNarrator(QWidget *client, QWidget *board, const Cells &cells);

    // A wrong digit with assistance, or, without, the grid just filled with `wrong` digits wrong.
    void wrongDigit(int typed);
    void gridFull(int wrong);
    // A right digit locked `cell`: the open cell that takes the focus next is read with it.
    void rightDigit(int cell, int typed);
    void revealed(int cell);
    // Finish's summary becomes the board's name until the next game.
    void finished(const modGrille::FinishCount &count);
    void newGame();
    // Names the board and every cell again in the current language.
    void languageChanged();

    // While one lives, assistive technology hears nothing of the cells' changes; when it ends,
    // each cell's state is told once.
    class Quiet {
    public:
        explicit Quiet(const Cells &cells);
        ~Quiet();
        Quiet(const Quiet &) = delete;
        Quiet &operator=(const Quiet &) = delete;

    private:
        const Cells &m_cells;
        QAccessible::UpdateHandler m_previous;
    };

private:
    void focusChanged(QWidget *old, QWidget *now);
    void dropNews();
    void nameBoard();

    const Cells &m_cells;
    QWidget *m_board;
    Announcer *m_announcer;
    QTimer m_newsTimer;    // news is for the reading that follows the focus, not for later ones
    QString m_pendingNews; // for the next open cell to take the focus
    CellEdit *m_newsCell = nullptr;
    std::optional<modGrille::FinishCount> m_finished;
};
