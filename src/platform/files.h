#pragma once

#include <QByteArray>
#include <QString>

// The few file operations whose safety the system's own calls decide: creating a file that
// nothing else holds, replacing one in a single step, telling whether its writer still runs.
// One implementation for POSIX systems, one for Windows.
namespace platform::files {

// Tells whether a name still holds the file that was created under it.
struct Identity {
    quint64 device = 0;
    quint64 file = 0;
};

enum class Creation { Created, Exists, Failed };

// Creates `path` as a new regular file holding `content`; anything already under that name,
// a link included, makes it fail with Exists. `identity`, when given, receives the file's.
Creation createNew(const QString &path, const QByteArray &content = {},
                   Identity *identity = nullptr);

// Whether `path` is a plain file of this user's with no other name: one that an earlier run
// of the program may have left behind, and may remove.
bool isAbandoned(const QString &path);

// Removes `path`, but only while that name holds the file of `identity`.
void removeIfSame(const QString &path, const Identity &identity);

// Writes the bytes of the file `path` (never through a link) through to the disk.
bool flush(const QString &path);

// Puts the file `from` in place of `to` in one step: a reader sees the old file or the new
// one, never neither; a link under `to` is replaced, not followed. On failure `from` is
// removed.
bool replace(const QString &from, const QString &to);

qint64 processId();
bool processRunning(qint64 pid);

// Whether the program may create and rename files in `folder`.
bool folderWritable(const QString &folder);

// The player's own folder for the game's settings when the program's cannot be written.
QString ownSettingsFolder();

} // namespace platform::files
