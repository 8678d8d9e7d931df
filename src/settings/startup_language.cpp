#include "settings/startup_language.h"

#include "settings/ini_file.h"
#include "settings/language_file.h"

#include <QFileInfo>
#include <QLocale>

#include <cmath>

namespace settings {

namespace {

bool isSpace(QChar c) {
    return c == u' ' || c == u'\t';
}

// A plain decimal number: spaces or tabs around it, an optional sign, digits with an
// optional decimal point and fraction. Returns the number without its surrounding blanks,
// or an empty text when `text` is not such a number (a sign or point alone passes here and
// is refused by the conversion).
QString plainNumber(const QString &text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isSpace(text[first]))
        ++first;
    while (last > first && isSpace(text[last - 1]))
        --last;
    qsizetype i = first;
    if (i < last && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    bool point = false;
    for (; i < last; ++i) {
        if (text[i] == u'.' && !point)
            point = true;
        else if (text[i] < u'0' || text[i] > u'9')
            return {};
    }
    return text.mid(first, last - first);
}

} // namespace

float startupLanguage(const QString &iniPath) {
    if (!QFileInfo(iniPath).isFile())
        return 0.0f;
    const QString number = plainNumber(
        LireIni(QLatin1String(SettingsSection), QLatin1String(LanguageKey), iniPath, 0));
    if (number.isEmpty())
        return 0.0f;
    bool ok = false;
    const float language = QLocale::c().toFloat(number, &ok);
    // Only the five catalogue languages; anything else would caption every menu with "".
    if (ok && language >= 1.0f && language <= 5.0f && std::trunc(language) == language)
        return language;
    return 0.0f;
}

} // namespace settings
