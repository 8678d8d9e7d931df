#pragma once

#include <QFile>
#include <QString>

// Writes `bytes` to `path`, replacing what was there; false when that fails.
inline bool writeBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

// The contents of the file at `path`, or a null array when it cannot be read.
inline QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The two lines of the settings file for `language`.
inline QByteArray languageLines(int language) {
    return "[LastOpen]\r\nLanguage=" + QByteArray::number(language) + "\r\n";
}
