#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// What a desktop entry's field codes may stand for besides the address.
struct DesktopEntryFields {
    QString icon;     // Icon, for %i
    QString name;     // Name, for %c
    QString location; // the entry's file, for %k
};

// A desktop entry's string value with its escapes (\s \n \t \r \\) undone.
QString UnescapedValue(const QString &value);

// The command line that a desktop entry's Exec value gives for opening `address`: the
// string escapes and then the quoting undone, %u %U %f %F replaced by the address as one
// argument, %% by %, %i by "--icon" and the icon, %c by the name, %k by the location, the
// deprecated codes dropped; the address appended when no file or URL code is there. The
// program is the first element, not yet looked up in PATH. Empty when the value cannot be
// parsed: an unterminated quote, an unknown field code, or no program.
std::optional<QStringList> ExecCommandLine(const QString &exec, const DesktopEntryFields &entry,
                                           const QString &address);

} // namespace platform
