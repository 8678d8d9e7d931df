#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>

// Drives the real game on the test's X display: starts it from its build folder, finds
// its window by title, types with xdotool and reads the screen.
class Game {
public:
    Game();
    ~Game();
    Game(const Game &) = delete;
    Game &operator=(const Game &) = delete;

    // The program's folder, where start.ini lives.
    static QString folder();
    // Replaces start.ini beside the program (empty optional: no file) for this test;
    // the folder's own file, if any, is put back when the Game ends.
    void setStartIni(const std::optional<QByteArray> &contents);
    // Clears the place of start.ini, then lets `make` put anything there (a folder, a link).
    void replaceStartIni(const std::function<void(const QString &path)> &make);

    // Runs the program with QT_SCALE_FACTOR=`scale` (logical pixels become `scale` pixels),
    // or, `byFontDpi`, on a display whose font setting is 96 x `scale` dots per inch.
    void setScale(int scale, bool byFontDpi = false) {
        m_scale = scale;
        m_byFontDpi = byFontDpi;
    }
    int scale() const { return m_scale; }

    // Starts the program and waits up to `timeoutMs` for its window.
    bool start(int timeoutMs = 10000);
    QString windowId() const { return m_windowId; }
    qint64 processId() const { return m_process.processId(); }
    // The window's rectangle on the screen, and its client area below the menu bar
    // (in screen pixels).
    QRect geometry() const;
    QRect clientArea() const;

    // xdotool key names, e.g. "F2", "alt+p", "space". Focuses the window first.
    bool key(const QString &keys);
    // Types into whatever window has the focus (a dialog the game opened).
    bool keyToFocus(const QString &keys);
    QImage screenshot() const;
    // Waits for the program to end; its exit status, or nullopt when it is still running.
    std::optional<int> waitForExit(int timeoutMs = 5000);

    // Runs xdotool with `args`; its standard output, trimmed.
    static QString xdotool(const QStringList &args, bool *ok = nullptr);
    // Counts the board's cells whose background, sampled inside the cell beside its digit,
    // is `colour`.
    int cellsOfColour(const QImage &shot, const QColor &colour) const;
    // Waits until `predicate` holds, polling the screen; false on timeout.
    bool waitForScreen(const std::function<bool(const QImage &)> &predicate, int timeoutMs = 5000);

private:
    QProcess m_process;
    QString m_windowId;
    std::optional<QByteArray> m_savedIni;
    int m_scale = 1;
    bool m_byFontDpi = false;
    bool m_iniTouched = false;
};
