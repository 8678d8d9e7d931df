#pragma once

#include <QString>

namespace settings {

// The language number stored in the settings file at `iniPath` (section "LastOpen",
// key "Language"): 1 to 5, or 0 (not set, read as English) when the file, the key or a
// usable number is missing. Any value other than exactly 1, 2, 3, 4 or 5 is "not set":
// a stray number would otherwise leave every menu caption empty.
float startupLanguage(const QString &iniPath);

} // namespace settings
