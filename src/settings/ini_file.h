#pragma once

#include "platform/seam.h"

#include <QString>
#include <QVariant>

class QFile;

// General routines for small INI-style text files: one item per line, lines ended by
// CR (an LF right after the CR belongs to the line end), section headers "[name]",
// entries "key=value". They know nothing of start.ini.
namespace settings {

// Value of `key` in `section` of `file`: the text after the first "=" of the first line,
// from the section header on, whose first `compareLength` characters (0: the key's length)
// equal the key's. Empty on any failure; the file is always closed again.
QString LireIni(const QString &section, const QString &key, const QString &file,
                qint16 compareLength = 0);

// Appends one line and CR LF to `file`, creating it if needed: `keyOrHeader` unchanged
// when it starts with "[", else "key=value" (a whole number is written without a decimal
// point). A failed attempt is tried once more; returns false when that one fails too.
bool EcrireIni(const QString &keyOrHeader, const QString &file, const QVariant &value = {});

// The bytes EcrireIni appends for `keyOrHeader` and `value`.
QByteArray IniLine(const QString &keyOrHeader, const QVariant &value = {});

// Writing one line's bytes to the open file; true when all of them were written. A test may
// stand in for it to make a write fail part-way.
using AppendSeam = platform::Seam<struct AppendTag, bool(QFile &file, const QByteArray &bytes)>;

} // namespace settings
