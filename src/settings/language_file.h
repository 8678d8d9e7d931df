#pragma once

#include <QString>

// The settings file that remembers the language, and its rewriting.
namespace settings {

inline constexpr auto SettingsFileName = "start.ini";
inline constexpr auto SettingsSection = "LastOpen";
inline constexpr auto LanguageKey = "Language";

// Replaces the file at `iniPath` by the two lines "[LastOpen]" and "Language=<numLangue>",
// CR LF after each. The lines go through EcrireIni into a fresh file of our own beside it,
// which is then renamed over `iniPath`: at every moment the file is either the old one or
// the new one. A write that fails is started over once on another fresh file. Fresh files
// left behind by an earlier, interrupted rewrite are removed first. Returns false, with the
// old file untouched, when the new one cannot be written or put in place.
bool writeLanguageFile(const QString &iniPath, float numLangue);

// True when `name` is the name of one of the fresh files made for `iniFileName`:
// "<iniFileName>.<writer's process number>-<six letters or digits>.tmp"; `pid`, when given,
// receives the process number.
bool isRewriteTempFile(const QString &iniFileName, const QString &name, qint64 *pid = nullptr);

// How old a fresh file of a running process must be before it counts as left behind
// (process numbers are reused); a file whose writer has ended is removed at once.
inline constexpr int AbandonedTempAge = 10 * 60; // seconds

} // namespace settings
