#pragma once

#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
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
        if (QTest::qWaitFor([&] { return !(m_window = windows().value(0)).isEmpty(); }, Patience))
            return true;
        // What there was instead, for whoever looks into it.
        QProcess look;
        look.start(
            QStringLiteral("sh"),
            {"-c", "xwininfo -root -tree | grep -v 'has no name'; ps -o pid,stat,etime,cmd -p " +
                       QString::number(m_process.processId())});
        look.waitForFinished(Patience);
        qWarning("no game window; on the screen:\n%s", look.readAllStandardOutput().constData());
        return false;
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
    // Clicks cell i (`times` in a row: 2 is a double click) with `button` (1 left, 2 middle),
    // the game window made the active one first.
    bool click(int i, int times = 1, int button = 1) const {
        return xdotool({"windowfocus", "--sync", m_window}) &&
               clickAt(cell(i, client()).center(), times, button);
    }
    // Clicks the screen at `at`, whatever window is there.
    static bool clickAt(QPoint at, int times = 1, int button = 1) {
        return xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()),
                        "click", "--repeat", QString::number(times), "--delay", "80",
                        QString::number(button)})
            .has_value();
    }

    // Where `window` (the game's own by default) is on the screen, its frame left out. Asked of
    // xwininfo: xdotool counts a window manager's frame twice.
    QRect geometry(const QString &window = {}) const {
        QProcess info;
        info.start(QStringLiteral("xwininfo"), {"-id", window.isEmpty() ? m_window : window});
        info.waitForFinished(Patience);
        const QString out = QString::fromLocal8Bit(info.readAllStandardOutput());
        const auto at = [&](const char *name) {
            static const QString number = QStringLiteral(R"(:\s*(-?\d+))");
            return QRegularExpression(QLatin1String(name) + number).match(out).captured(1).toInt();
        };
        return QRect(at("Absolute upper-left X"), at("Absolute upper-left Y"), at("Width"),
                     at("Height"));
    }
    QString window() const { return m_window; }
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

    // Whether cell i shows anything dark on its background: a digit.
    bool showsDigit(int i) const {
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        const int inset = 4 * m_scale;
        const QRect rect = cell(i, client()).adjusted(inset, inset, -inset, -inset);
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (qGray(shot.pixel(x, y)) < 128)
                    return true;
        return false;
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

// openbox on the test's display, and a record of what it does to the windows it frames: each
// frame's position when it is mapped and at every change after.
class WindowManager {
public:
    bool start() {
        m_record.start(QStringLiteral("stdbuf"),
                       {"-oL", "xev", "-root", "-event", "substructure", "-event", "property"});
        // The record is on once it hears a change of the root's properties.
        const auto heard = [&] {
            QProcess::execute(QStringLiteral("xprop"),
                              {"-root", "-f", "VEXORO_TEST", "8s", "-set", "VEXORO_TEST", "on"});
            return m_record.waitForReadyRead(200);
        };
        if (!m_record.waitForStarted(Game::Patience) || !QTest::qWaitFor(heard, Game::Patience))
            return false;
        m_manager.start(QStringLiteral("openbox"), {"--sm-disable"});
        return QTest::qWaitFor(
            [] { return property("_NET_SUPPORTING_WM_CHECK").contains("window id"); },
            Game::Patience);
    }

    // A property of the root window, or of `window`, as xprop prints it.
    static QString property(const QString &name, const QString &window = {}) {
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"),
                    (window.isEmpty() ? QStringList{"-root"} : QStringList{"-id", window}) +
                        QStringList{name});
        xprop.waitForFinished(Game::Patience);
        return QString::fromLocal8Bit(xprop.readAllStandardOutput());
    }
    // The frame's left, right, top and bottom widths around `window`.
    static QList<int> frameExtents(const QString &window) {
        QList<int> widths;
        for (const QString &n : property("_NET_FRAME_EXTENTS", window).section('=', 1).split(','))
            widths << n.trimmed().toInt();
        return widths.size() == 4 ? widths : QList<int>{0, 0, 0, 0};
    }
    // The top-level window (a child of the root) that holds `window`.
    static quint64 frameOf(const QString &window) {
        quint64 id = window.toULongLong();
        for (int depth = 0; depth < 8; ++depth) {
            QProcess info;
            info.start(QStringLiteral("xwininfo"), {"-tree", "-id", QString::number(id)});
            info.waitForFinished(Game::Patience);
            const QString out = QString::fromLocal8Bit(info.readAllStandardOutput());
            const auto idOf = [&](const char *line) {
                const QRegularExpressionMatch m =
                    QRegularExpression(QLatin1String(line) + QStringLiteral(": (0x[0-9a-f]+)"))
                        .match(out);
                return m.hasMatch() ? m.captured(1).toULongLong(nullptr, 0) : 0;
            };
            const quint64 parent = idOf("Parent window id");
            if (!parent || parent == idOf("Root window id"))
                return id;
            id = parent;
        }
        return 0;
    }
    // Every position `frame` had from the moment it was mapped on; the record ends here.
    QList<QPoint> positionsSinceMapped(quint64 frame) {
        m_record.terminate();
        m_record.waitForFinished(Game::Patience);
        const QString text = QString::fromLocal8Bit(m_record.readAllStandardOutput());
        static const QRegularExpression event(
            QStringLiteral(
                R"((\w+) event,.*?event 0x[0-9a-f]+, window (0x[0-9a-f]+)(?:, \((-?\d+),(-?\d+)\))?)"),
            QRegularExpression::DotMatchesEverythingOption);
        QList<QPoint> positions;
        QPoint now;
        bool mapped = false;
        for (const QString &block : text.split(QStringLiteral("\n\n"))) {
            const QRegularExpressionMatch m = event.match(block);
            if (!m.hasMatch() || m.captured(2).toULongLong(nullptr, 0) != frame)
                continue;
            if (!m.captured(3).isEmpty())
                now = QPoint(m.captured(3).toInt(), m.captured(4).toInt());
            mapped = mapped || m.captured(1) == QLatin1String("MapNotify");
            if (mapped && (positions.isEmpty() || positions.last() != now))
                positions << now;
        }
        return positions;
    }

private:
    QProcess m_record;
    QProcess m_manager;
};
