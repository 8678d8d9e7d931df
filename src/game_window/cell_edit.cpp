#include "game_window/cell_edit.h"

#include "lang/accessible_words.h"
#include "platform/contrast.h"
#include "puzzle/cell_entry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include <utility>

using modGrille::Colour;

namespace {
QColor rgb(Colour colour, const QPalette &system) {
    switch (colour) {
    case Colour::Cyan:
        return QColor(0x00, 0xFF, 0xFF);
    case Colour::Green:
        return QColor(0x00, 0xFF, 0x00);
    case Colour::Red:
        return QColor(0xFF, 0x00, 0x00);
    case Colour::WindowText:
        return system.color(QPalette::Active, QPalette::Text);
    case Colour::WindowBackground:
        break;
    }
    return system.color(QPalette::Active, QPalette::Base);
}
} // namespace

QValidator *CellEdit::digitValidator(QObject *parent) {
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[1-9]?")), parent);
}

CellEdit::CellEdit(int index, CellEvents &events, const QValidator *digits, QWidget *parent)
    : QLineEdit(parent)
    , m_index(index)
    , m_events(events) {
    setObjectName(QStringLiteral("txtCh_%1").arg(index));
    setAlignment(Qt::AlignCenter);
    setEnabled(false);
    // Paste, drops, input methods and the context menu would bypass the key handler.
    // The toolkit's context menu is replaced by the game's own popup (contextMenuEvent).
    setAcceptDrops(false);
    setDragEnabled(false);
    // Last line of defence: whatever reaches the text through editing is one digit or none.
    setValidator(digits);
    connect(this, &QLineEdit::textChanged, this, &CellEdit::updateAccessibleState);
    // The colours take effect when a game first paints the cells; until then the board is
    // hidden, and start-up need not build 81 palettes.
    refreshAccessibleTexts();
}

QString CellEdit::stateText() const {
    using modLangue::Word;
    Word state = Word::Entered;
    if (m_back == Colour::Cyan)
        state = Word::Given;
    else if (m_back == Colour::Green)
        state = Word::Solved;
    else if (m_back == Colour::Red || (m_fore == Colour::Red && !text().isEmpty()))
        state = Word::Wrong; // a red background: corrected by Finish
    else if (text().isEmpty())
        state = Word::Empty;
    return modLangue::AccessibleText(state);
}

QString CellEdit::placeName() const {
    return modLangue::AccessibleText(modLangue::Word::CellName)
        .arg(m_index / 9 + 1)
        .arg(m_index % 9 + 1);
}

void CellEdit::refreshAccessibleTexts() {
    setAccessibleName(placeName());
    updateAccessibleState();
}

QString CellEdit::spokenName() const {
    return m_news.isEmpty() ? accessibleName() : m_news + QStringLiteral(". ") + accessibleName();
}

void CellEdit::holdAccessibleState(bool held) {
    m_held = held;
    if (!held)
        updateAccessibleState();
}

void CellEdit::updateAccessibleState() {
    const QString description = stateText();
    if (!m_held && description != accessibleDescription())
        setAccessibleDescription(description);
}

void CellEdit::setBackColor(Colour colour) {
    m_back = colour;
    applyColours();
}

void CellEdit::setForeColor(Colour colour) {
    m_fore = colour;
    applyColours();
}

void CellEdit::applyColours() {
    const QPalette system = QApplication::palette(this);
    QPalette pal = system;
    // The background shows in every state: it tells givens, solved and corrected cells
    // apart on a locked board.
    const QColor ground = rgb(m_back, system);
    pal.setColor(QPalette::All, QPalette::Base, ground);
    QColor text = rgb(m_fore, system);
    // A wrong digit's red is lightened on a dark base until it reads well.
    if (m_fore == Colour::Red && platform::isDark(ground))
        text = platform::readableOn(text, ground, platform::Legible);
    pal.setColor(QPalette::Active, QPalette::Text, text);
    pal.setColor(QPalette::Inactive, QPalette::Text, text);
    // A locked digit is dark on the three bright backgrounds, whatever the palette: the
    // palette's grey for disabled text can hardly be read on them. On the window background
    // (a right entry locked by Finish) it is the palette's own text colour.
    QColor locked = system.color(QPalette::Active, QPalette::Text);
    if (m_back == Colour::Red)
        locked = Qt::black;
    else if (m_back != Colour::WindowBackground)
        locked = QColor(LockedDigitGrey);
    pal.setColor(QPalette::Disabled, QPalette::Text, locked);
    setPalette(pal);
    updateAccessibleState();
}

void CellEdit::paintEvent(QPaintEvent *event) {
    QLineEdit::paintEvent(event);
    // On a dark palette some styles draw a cell's outline darker than the dark cell, and
    // neighbouring empty cells merge into one block: the outline is drawn again, light
    // enough to be seen. A light palette keeps the style's own outline.
    const QPalette system = QApplication::palette(this);
    const QColor base = system.color(QPalette::Active, QPalette::Base);
    if (!platform::isDark(base))
        return;
    QPainter painter(this);
    painter.setPen(platform::readableOn(system.color(QPalette::Active, QPalette::Mid), base,
                                        platform::Outline));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CellEdit::changeEvent(QEvent *event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::StyleChange)
        applyColours();
    else if (event->type() == QEvent::EnabledChange)
        updateAccessibleState();
}

int CellEdit::characterCode(const QKeyEvent &event) {
    switch (event.key()) {
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return -1;
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty())
        return -1;
    return text.at(0).unicode();
}

void CellEdit::keyPressEvent(QKeyEvent *event) {
    const int code = characterCode(*event);
    if (code < 0) {
        if (event->key() == Qt::Key_Menu ||
            (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
            event->accept();
            m_events.txtCh_ContextKey(m_index);
            return;
        }
        // Keys without a character keep their ordinary effect, except those that would
        // put foreign text into the cell.
        if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Undo) ||
            event->matches(QKeySequence::Redo)) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    int keyAscii = code;
    m_events.txtCh_KeyPress(m_index, keyAscii);
    event->accept();
    if (keyAscii == modGrille::Backspace && code == modGrille::Backspace) {
        QLineEdit::keyPressEvent(event); // Backspace deletes the digit before the caret
        return;
    }
    if (keyAscii != 0)
        insert(QString(QChar(char16_t(keyAscii))));
}

void CellEdit::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    // The toolkit gives the focus before it delivers the press that gave it: the window hears
    // of that focus after the press, so that a press on a cell that is not current only makes
    // it current, as it would in a text box, and the digit typed next lands in it.
    m_focusFromPress = event->reason() == Qt::MouseFocusReason;
    if (!m_focusFromPress)
        m_events.txtCh_GotFocus(m_index);
}

void CellEdit::mousePressEvent(QMouseEvent *event) {
    m_events.txtCh_MouseDown(m_index, event->button());
    if (std::exchange(m_focusFromPress, false))
        m_events.txtCh_GotFocus(m_index);
    // The middle button would paste the X selection.
    if (event->button() != Qt::MiddleButton && isEnabled())
        QLineEdit::mousePressEvent(event);
    else
        event->accept();
}

void CellEdit::mouseDoubleClickEvent(QMouseEvent *event) {
    // The toolkit delivers a double click's second press as a double click: it is a press on
    // the current cell, not a word to select.
    mousePressEvent(event);
}

void CellEdit::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CellEdit::inputMethodEvent(QInputMethodEvent *event) {
    event->accept();
}

QVariant CellEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    // Input methods ask this of the focused control: a line edit says yes whatever its
    // attributes, and a composing method would then take the digit keys for itself.
    if (query == Qt::ImEnabled)
        return false;
    return QLineEdit::inputMethodQuery(query);
}

void CellEdit::contextMenuEvent(QContextMenuEvent *event) {
    // A right click does nothing (the event comes accepted, and goes no further); the
    // keyboard's menu key offers what a left click on the current cell offers.
    if (event->reason() == QContextMenuEvent::Keyboard)
        m_events.txtCh_ContextKey(m_index);
}
