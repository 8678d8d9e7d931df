#pragma once

#include "platform/seam.h"

#include <QString>
#include <QStringList>

namespace platform {

// Where the desktop keeps its settings and programs, as the XDG base-directory variables
// give it. An empty field takes the freedesktop default; relative folders are ignored.
struct XdgEnvironment {
    QString home;                // HOME
    QString configHome;          // XDG_CONFIG_HOME, default $HOME/.config
    QStringList configDirs;      // XDG_CONFIG_DIRS, default /etc/xdg
    QString dataHome;            // XDG_DATA_HOME, default $HOME/.local/share
    QStringList dataDirs;        // XDG_DATA_DIRS, default /usr/local/share, /usr/share
    QStringList currentDesktops; // XDG_CURRENT_DESKTOP
    QStringList path;            // PATH, where a program named without a folder is found

    // The variables of this process.
    static XdgEnvironment fromProcess();
};

// The environment the lookups use: the process's own unless a test stands in another.
XdgEnvironment currentXdgEnvironment();
using XdgSeam = Seam<struct XdgTag, XdgEnvironment()>;

// The MIME type a document's name extension gives it ("text/html" for .htm and .html, in
// any case); empty when the name says nothing.
QString MimeTypeOfFile(const QString &document);

// The command line that opens `address` with the program the desktop opens `document` with
// by default: the program's full path, then its arguments from the desktop entry's Exec
// value. The entry is found by the freedesktop rules: the mimeapps.list files in precedence
// order ([Default Applications], then [Added Associations], minus [Removed Associations]),
// then the installed desktop entries that list the type; an entry whose program is missing
// or whose Exec value cannot be parsed is passed over. Empty when `document` is not an
// existing file or no usable program is associated with its type.
QStringList FindExecutable(const QString &document, const QString &address,
                           const XdgEnvironment &environment);

} // namespace platform
