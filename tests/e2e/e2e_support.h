#pragma once

#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <optional>

// The real program on the test's X display: started from its build folder, driven with
// xdotool as a player would, and read from screenshots of the whole display.
class Game {
public:
    // Generous: a sanitizer build on a loaded machine can take seconds to start or repaint.
    static constexpr int Patience = 20000;

    static QString iniPath() {
        return QFileInfo(QStringLiteral(VEXORO_GAME)).absolutePath() + QStringLiteral("/start.ini");
    }

    // Runs xdotool with `args`: its output lines, or nothing when it failed.
    static std::optional<QStringList> xdotool(const QStringList &args) {
        QProcess tool;
        tool.start(QStringLiteral("xdotool"), args);
        if (!tool.waitForFinished(Patience) || tool.exitCode() != 0) // a signal counts too
            return std::nullopt;
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

    // Starts the program with QT_SCALE_FACTOR=`scale`; true once its window shows.
    bool start(int scale) {
        m_scale = scale;
        qputenv("QT_SCALE_FACTOR", QByteArray::number(scale)); // for the program, not this test
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(QStringLiteral(VEXORO_GAME), {});
        return QTest::qWaitFor([&] { return !(m_window = windows().value(0)).isEmpty(); },
                               Patience);
    }

    // The program's visible X windows: its own, plus any open menu or dialog.
    QStringList windows() const {
        const QString pid = QString::number(m_process.processId());
        return xdotool({"search", "--onlyvisible", "--pid", pid}).value_or(QStringList());
    }
    // Waits for a menu or a dialog other than `besides`: its X window, or empty.
    QString popup(const QString &besides = {}) const {
        QStringList others;
        const auto shown = [&] {
            others = windows();
            others.removeAll(m_window);
            others.removeAll(besides);
            return others.size() == 1;
        };
        return QTest::qWaitFor(shown, Patience) ? others.first() : QString();
    }
    // Waits until no menu or dialog is left open.
    bool alone() const {
        return QTest::qWaitFor([&] { return windows() == QStringList{m_window}; }, Patience);
    }

    // Gives `window` (the game's own by default) the focus, then types `keys` into it.
    bool key(const QString &keys, const QString &window = {}) {
        return xdotool({"windowfocus", "--sync", window.isEmpty() ? m_window : window}) &&
               type(keys);
    }
    // Types into whatever has the focus: an open menu holds the keyboard.
    static bool type(const QString &keys) {
        return xdotool(QStringList{"key", "--delay", "30"} + keys.split(' ')).has_value();
    }
    // Keys for the game window, with nothing open over it, then the menu or dialog they open.
    QString open(const QString &keys) { return alone() && key(keys) ? popup() : QString(); }
    // Clicks cell i, the game window made the active one first.
    bool click(int i) const {
        const QPoint at = cell(i, client()).center();
        return xdotool({"windowfocus", "--sync", m_window, "mousemove", "--sync",
                        QString::number(at.x()), QString::number(at.y()), "click", "1"})
            .has_value();
    }

    QRect geometry() const {
        // WINDOW=, X=, Y=, WIDTH=, HEIGHT=, SCREEN=
        const auto v = xdotool({"getwindowgeometry", "--shell", m_window}).value_or(QStringList());
        const auto at = [&](int n) { return v.value(n).section('=', 1).toInt(); };
        return QRect(at(1), at(2), at(3), at(4));
    }
    // The client area below the menu bar: the window's bottom 409 x 365 logical pixels.
    QPoint client() const { return geometry().bottomLeft() - QPoint(0, 365 * m_scale - 1); }
    // Cell i on the screen: the board's frame sits at (120, 120) twips in the client area,
    // 15 twips to a logical pixel.
    QRect cell(int i, QPoint client) const {
        const int r = i / 9, c = i % 9;
        const QPoint twips(240 + 600 * c + 120 * (c / 3), 360 + 480 * r + 120 * (r / 3));
        return QRect(client + twips / 15 * m_scale, QSize(41, 33) * m_scale);
    }

    // The board as one letter a cell, by its background beside the digit: c(yan), g(reen),
    // r(ed), w(hite); upper case when a digit shows in a locked cell's colour (dark grey, black
    // on red; an open cell's digit is black), '!' for a red digit on white.
    QString board() const {
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        const QPoint origin = client();
        const QRgb colours[] = {0xFF00FFFF, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF};
        const int inset = 4 * m_scale; // inside the cell's own frame
        QString letters;
        for (int i = 0; i < 81; ++i) {
            const QRect rect = cell(i, origin).adjusted(inset, inset, -inset, -inset);
            const QRgb back = shot.pixel(rect.topLeft() + QPoint(1, 12) * m_scale);
            int red = 0, darkest = 255;
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x) {
                    const QRgb p = shot.pixel(x, y);
                    red += qRed(p) > 200 && qGreen(p) < 90 && qBlue(p) < 90;
                    darkest = std::min(darkest, std::max({qRed(p), qGreen(p), qBlue(p)}));
                }
            const QChar letter = "cgrw?"[std::find(colours, colours + 4, back) - colours];
            const bool locked = darkest < 128 && (letter == 'r' || darkest >= 32);
            letters += letter == 'w' ? QChar(red ? '!' : 'w') : locked ? letter.toUpper() : letter;
        }
        return letters;
    }

    // F3 ends the program: its exit code, or -1 when it did not end normally.
    int quit() {
        const bool ended = key("F3") && m_process.waitForFinished(Patience);
        return ended && m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

private:
    QProcess m_process;
    QString m_window;
    int m_scale = 1;
};
