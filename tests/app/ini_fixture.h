#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

// Writes `bytes` unchanged to `name` in `dir` and returns the file's path.
inline QString writeFixture(const QTemporaryDir &dir, const QByteArray &bytes,
                            const QString &name = QStringLiteral("start.ini")) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush())
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

// The contents of the file at `path`, or a null array when it cannot be read.
inline QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
