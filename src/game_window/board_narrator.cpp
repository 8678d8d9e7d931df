#include "game_window/board_narrator.h"

#include "game_window/announcer.h"
#include "game_window/cell_edit.h"
#include "lang/accessible_words.h"

#include <QApplication>

#include <utility>

using modLangue::AccessibleText;
using modLangue::CountedText;
using modLangue::Word;

namespace {
constexpr int newsLasts = 500; // ms: a screen reader asks for the name as it speaks it
} // namespace

BoardNarrator::BoardNarrator(QWidget *client, QWidget *board, const Cells &cells)
    : QObject(client)
    , m_cells(cells)
    , m_board(board)
    , m_announcer(new Announcer(client)) {
    m_newsTimer.setSingleShot(true);
    m_newsTimer.setInterval(newsLasts);
    connect(&m_newsTimer, &QTimer::timeout, this, &BoardNarrator::dropNews);
    connect(qApp, &QApplication::focusChanged, this, &BoardNarrator::focusChanged);
}

void BoardNarrator::wrongDigit(int typed) {
    m_announcer->say(AccessibleText(Word::WrongDigit).arg(QChar(char16_t(typed))));
}

void BoardNarrator::gridFull(int wrong) {
    m_announcer->say(AccessibleText(Word::GridFull).arg(CountedText(Word::WrongCount, wrong)));
}

void BoardNarrator::rightDigit(int cell, int typed) {
    // Earlier news is dropped at the focus change that follows, which hands on this one.
    m_pendingNews = AccessibleText(Word::Right).arg(QChar(char16_t(typed))) + QStringLiteral(", ") +
                    m_cells[cell]->placeName();
    m_newsTimer.start();
    // The toolkit may have moved the focus on already, as the cell locked.
    if (auto *now = qobject_cast<CellEdit *>(QApplication::focusWidget()); now && now->isEnabled())
        focusChanged(nullptr, now);
}

void BoardNarrator::revealed(int cell) {
    m_announcer->say(AccessibleText(Word::Revealed).arg(m_cells[cell]->text()) +
                     QStringLiteral(", ") + m_cells[cell]->placeName());
}

void BoardNarrator::finished(const modGrille::FinishCount &count) {
    m_finished = count;
    nameBoard();
}

void BoardNarrator::newGame() {
    m_finished.reset();
    nameBoard();
}

void BoardNarrator::languageChanged() {
    dropNews();
    for (CellEdit *cell : m_cells)
        cell->refreshAccessibleTexts();
    nameBoard();
}

void BoardNarrator::nameBoard() {
    // Unnamed, the board is called by its word in the current language.
    if (!m_finished)
        return m_board->setAccessibleName(QString());
    m_board->setAccessibleName(AccessibleText(Word::Board) + QStringLiteral(". ") +
                               AccessibleText(Word::GridFinished)
                                   .arg(CountedText(Word::FilledCount, m_finished->filled),
                                        CountedText(Word::CorrectedCount, m_finished->corrected)));
}

void BoardNarrator::focusChanged(QWidget *, QWidget *now) {
    // The news is for the focus change that follows the verdict; a reader moving on finds each
    // cell under its own name.
    const QString news = std::exchange(m_pendingNews, QString());
    dropNews();
    auto *cell = qobject_cast<CellEdit *>(now);
    if (!cell || news.isEmpty())
        return;
    m_newsCell = cell;
    cell->setNews(news);
    m_newsTimer.start();
}

void BoardNarrator::dropNews() {
    m_newsTimer.stop();
    m_pendingNews.clear();
    if (m_newsCell)
        m_newsCell->setNews(QString());
    m_newsCell = nullptr;
}

BoardNarrator::Quiet::Quiet(const Cells &cells)
    : m_cells(cells)
    // A flood of events makes a screen reader fall behind and drop what matters.
    , m_previous(QAccessible::installUpdateHandler([](QAccessibleEvent *) {})) {
    for (CellEdit *cell : m_cells)
        cell->holdAccessibleState(true);
}

BoardNarrator::Quiet::~Quiet() {
    // Each cell's state is set once, still unheard; the screen reader reads it when it asks.
    for (CellEdit *cell : m_cells)
        cell->holdAccessibleState(false);
    QAccessible::installUpdateHandler(m_previous);
}
