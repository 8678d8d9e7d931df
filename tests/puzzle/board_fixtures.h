#pragma once

#include "platform/random_source.h"
#include "puzzle/bank.h"
#include "puzzle/cell_entry.h"
#include "puzzle/memory_board.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QtTest>

#include <iterator>

// Shared helpers of the puzzle tests. Boards are 81-character pictures, '.' for empty.
namespace modGrille {

// Lets QCOMPARE name a colour when it fails.
inline char *toString(Couleur colour) {
    // In the order of the enumeration.
    static const char *const names[] = {"FondFenetre", "TexteFenetre", "Cyan", "Vert", "Rouge"};
    const auto i = static_cast<std::size_t>(colour);
    return qstrdup(i < std::size(names) ? names[i] : "?");
}

} // namespace modGrille

Q_DECLARE_METATYPE(modGrille::Couleur)

namespace fixtures {

using modGrille::Couleur;
using modGrille::MemoryBoard;
using modGrille::NombreCases;

// Bank entry `grille` read straight from the stored table, not through ChiffreSolution.
inline QString solvedPicture(qint16 grille) {
    return QString::fromLatin1(modGrille::BanqueGrilles[grille - 1], modGrille::NombreCases);
}

// The solution digit of cell i, as the one character a cell shows.
inline QString digitOf(qint16 grille, int i) {
    return solvedPicture(grille).mid(i, 1);
}

// A digit 1-9 that is not the solution of cell i.
inline QString wrongDigitOf(qint16 grille, int i) {
    return QString::number(digitOf(grille, i).toInt() % 9 + 1);
}

// The solved grid of `grille` as locked cyan givens, with the cells `open` empty and open.
inline MemoryBoard boardWithOpen(qint16 grille, const QList<int> &open) {
    QString picture = solvedPicture(grille);
    for (int i : open)
        picture[i] = QLatin1Char('.');
    return MemoryBoard::fromPicture(picture);
}

// Cells of the board that are empty.
inline QList<int> emptyCells(const modGrille::Board &board) {
    QList<int> cells;
    for (int i = 0; i < modGrille::NombreCases; ++i) {
        if (board.text(i).isEmpty())
            cells << i;
    }
    return cells;
}

// Logs the calls the game logic makes to the window, in order: "Bravo", "Finir:false",
// "Rafraichir". When `watched` is set it also keeps what that cell showed at "Bravo".
class RecordingHooks final : public modGrille::GameHooks {
public:
    explicit RecordingHooks(const modGrille::Board *watchedBoard = nullptr, int watchedCell = -1)
        : board(watchedBoard)
        , watched(watchedCell) {}

    QStringList calls;
    const modGrille::Board *board;
    int watched;
    QString textAtBravo;

    void AfficherBravo() override {
        calls << QStringLiteral("Bravo");
        if (board && watched >= 0)
            textAtBravo = board->text(watched);
    }
    void ActiverFinir(bool enabled) override {
        calls << (enabled ? QStringLiteral("Finir:true") : QStringLiteral("Finir:false"));
    }
    void Rafraichir() override { calls << QStringLiteral("Rafraichir"); }
};

// Hands out a fixed sequence of draws and records the bound of every call. Past the end
// of the script it flags `overrun` and counts upwards, so a faulty loop still ends.
class ScriptedRandom final : public platform::RandomSource {
public:
    explicit ScriptedRandom(QList<int> script)
        : m_script(std::move(script)) {}

    int below(int n) override {
        bounds << n;
        if (m_next < m_script.size())
            return m_script.at(m_next++);
        overrun = true;
        return m_spare++ % n;
    }

    bool consumed() const { return m_next == m_script.size(); }

    QList<int> bounds;
    bool overrun = false;

private:
    QList<int> m_script;
    qsizetype m_next = 0;
    int m_spare = 0;
};

} // namespace fixtures
