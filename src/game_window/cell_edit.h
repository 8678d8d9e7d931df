#pragma once

#include "puzzle/board.h"

#include <QLineEdit>

// What a cell reports to its window: every character typed (with its character code,
// which the handler may set to 0 to swallow the key), the focus it receives and the
// mouse presses on it.
class CellEvents {
public:
    virtual void txtCh_KeyPress(int index, int &keyAscii) = 0;
    virtual void txtCh_GotFocus(int index) = 0;
    virtual void txtCh_MouseDown(int index, Qt::MouseButton button) = 0;
    // The keyboard's menu key or Shift+F10: asks for the cell's popup without a mouse.
    virtual void txtCh_ContextKey(int index) = 0;

protected:
    ~CellEvents() = default;
};

// The digit of a locked cell on cyan or green, at least 4.5:1 against both; on red it is
// black.
inline constexpr QRgb LockedDigitGrey = 0xFF282828;

// One cell of the board: a single-line text box whose every editing path ends in
// nothing or one digit 1-9, and which keeps showing its background colour when locked.
class CellEdit : public QLineEdit {
    Q_OBJECT
public:
    // `digits` accepts nothing or one digit 1-9; one validator serves every cell.
    CellEdit(int index, CellEvents &events, const QValidator *digits, QWidget *parent);

    // A validator for the cells, owned by `parent`.
    static QValidator *digitValidator(QObject *parent);

    modGrille::Colour backColor() const { return m_back; }
    modGrille::Colour foreColor() const { return m_fore; }
    void setBackColor(modGrille::Colour colour);
    void setForeColor(modGrille::Colour colour);
    // Works the colours out again from the application's palette, after a change of theme.
    void applyColours();

    int index() const { return m_index; }

    // The cell's name and state for assistive technology, in the current language.
    void refreshAccessibleTexts();
    QString placeName() const; // "Row r, column c"
    // What a screen reader is to hear ahead of the cell's name, while the cell takes the focus;
    // empty for nothing.
    void setNews(const QString &news) { m_news = news; }
    // The name a screen reader reads: the news, if any, and the cell's name.
    QString spokenName() const;
    // While held, changes leave the state for assistive technology alone; the release sets it
    // once.
    void holdAccessibleState(bool held);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The character code a key press delivers to the key handler, or -1 for keys that
    // produce none (Delete, arrows, Tab, function keys, ...), which keep their
    // ordinary effect.
    static int characterCode(const QKeyEvent &event);
    // What a screen reader says of the cell's state: given, empty, entered, solved, wrong.
    QString stateText() const;
    void updateAccessibleState();

    int m_index;
    CellEvents &m_events;
    modGrille::Colour m_back = modGrille::Colour::WindowBackground;
    modGrille::Colour m_fore = modGrille::Colour::WindowText;
    QString m_news;
    bool m_held = false;
    bool m_focusFromPress = false; // the focus came with a press not yet delivered
};
