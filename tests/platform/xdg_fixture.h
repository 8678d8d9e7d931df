#pragma once

#include "platform/browser_lookup.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <sys/stat.h>

// A desktop of its own inside a temporary folder: home, XDG folders and a bin folder on the
// PATH, so that lookups never see the machine's real associations.
class XdgFixture {
public:
    XdgFixture() {
        for (const char *dir : {"home", "config", "etc", "data/applications", "share1/applications",
                                "share2/applications", "bin"})
            QDir().mkpath(m_dir.filePath(QLatin1String(dir)));
    }

    bool isValid() const { return m_dir.isValid(); }
    QString path(const QString &relative = {}) const {
        return relative.isEmpty() ? m_dir.path() : m_dir.filePath(relative);
    }

    platform::XdgEnvironment environment() const {
        const auto at = [this](const char *relative) { return path(QLatin1String(relative)); };
        return {at("home"),
                at("config"),
                {at("etc")},
                at("data"),
                {at("share1"), at("share2")},
                {QStringLiteral("TestDE")},
                {at("bin")}};
    }

    // Writes `bytes` to `relative`, with "@ROOT@" standing for the fixture's folder.
    bool write(const QString &relative, QByteArray bytes, int mode = 0644) const {
        bytes.replace("@ROOT@", QFile::encodeName(m_dir.path()));
        const QString file = path(relative);
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(bytes) != bytes.size())
            return false;
        out.close();
        return ::chmod(QFile::encodeName(file).constData(), mode_t(mode)) == 0;
    }

private:
    QTemporaryDir m_dir;
};
