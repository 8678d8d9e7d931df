#include "e2e_support.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <functional>

namespace {
QString iniPath() {
    return Game::folder() + QStringLiteral("/start.ini");
}

std::optional<QByteArray> readFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// Removes whatever stands under `path`: a file, a link (not its target) or a folder.
void clear(const QString &path) {
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

void writeFile(const QString &path, const std::optional<QByteArray> &contents) {
    clear(path);
    if (!contents)
        return;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(*contents);
}
} // namespace

Game::Game() = default;

Game::~Game() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    if (m_iniTouched)
        writeFile(iniPath(), m_savedIni);
}

QString Game::folder() {
    return QFileInfo(QStringLiteral(VEXORO_GAME)).absolutePath();
}

void Game::setStartIni(const std::optional<QByteArray> &contents) {
    replaceStartIni([&](const QString &path) { writeFile(path, contents); });
}

void Game::replaceStartIni(const std::function<void(const QString &)> &make) {
    if (!m_iniTouched) {
        m_savedIni = readFile(iniPath());
        m_iniTouched = true;
    }
    clear(iniPath());
    make(iniPath());
}

QString Game::xdotool(const QStringList &args, bool *ok) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), args);
    const bool finished = process.waitForFinished(10000);
    if (!finished)
        process.kill();
    if (ok)
        *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

bool Game::start(int timeoutMs) {
    if (!m_iniTouched)
        setStartIni(std::nullopt);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    if (m_byFontDpi) {
        // The desktop's font setting, as a settings daemon publishes it (each test has a
        // display of its own).
        QProcess xrdb;
        xrdb.start(QStringLiteral("xrdb"), {QStringLiteral("-merge")});
        xrdb.write("Xft.dpi: " + QByteArray::number(96 * m_scale) + "\n");
        xrdb.closeWriteChannel();
        if (!xrdb.waitForFinished() || xrdb.exitCode() != 0)
            return false;
        env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    } else {
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(m_scale));
    }
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    m_process.start(QStringLiteral(VEXORO_GAME), {});
    if (!m_process.waitForStarted(5000))
        return false;
    const QString pid = QString::number(m_process.processId());
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QString ids =
            xdotool({"search", "--onlyvisible", "--pid", pid, "--name", "ve \\| xo"});
        if (!ids.isEmpty()) {
            m_windowId = ids.split(QLatin1Char('\n')).constFirst();
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

QRect Game::geometry() const {
    const QStringList lines =
        xdotool({"getwindowgeometry", "--shell", m_windowId}).split(QLatin1Char('\n'));
    QHash<QString, int> values;
    for (const QString &line : lines) {
        const auto parts = line.split(QLatin1Char('='));
        if (parts.size() == 2)
            values.insert(parts[0], parts[1].toInt());
    }
    return QRect(values.value("X"), values.value("Y"), values.value("WIDTH"),
                 values.value("HEIGHT"));
}

QRect Game::clientArea() const {
    // The client area is the window's bottom 409 x 365 logical pixels, below the menu bar.
    const QRect window = geometry();
    const QSize size(409 * m_scale, 365 * m_scale);
    return QRect(QPoint(window.left(), window.bottom() + 1 - size.height()), size);
}

int Game::cellsOfColour(const QImage &shot, const QColor &colour) const {
    const int lefts[] = {120, 720, 1320, 2040, 2640, 3240, 3960, 4560, 5160};
    const int tops[] = {240, 720, 1200, 1800, 2280, 2760, 3360, 3840, 4320};
    const QPoint frame = clientArea().topLeft() + QPoint(8, 8) * m_scale;
    int count = 0;
    for (int i = 0; i < 81; ++i) {
        const QPoint cell = frame + QPoint(lefts[i % 9] / 15, tops[i / 9] / 15) * m_scale;
        count += shot.pixelColor(cell + QPoint(5, 16) * m_scale) == colour;
    }
    return count;
}

bool Game::key(const QString &keys) {
    bool ok = false;
    xdotool({"windowfocus", "--sync", m_windowId}, &ok);
    xdotool({"key", "--delay", "30", keys}, &ok);
    QThread::msleep(100);
    return ok;
}

bool Game::keyToFocus(const QString &keys) {
    bool ok = false;
    xdotool({"key", "--delay", "30", keys}, &ok);
    QThread::msleep(100);
    return ok;
}

QImage Game::screenshot() const {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

bool Game::waitForScreen(const std::function<bool(const QImage &)> &predicate, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    do {
        if (predicate(screenshot()))
            return true;
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    return false;
}

std::optional<int> Game::waitForExit(int timeoutMs) {
    if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(timeoutMs))
        return std::nullopt;
    if (m_process.exitStatus() != QProcess::NormalExit)
        return -1;
    return m_process.exitCode();
}
