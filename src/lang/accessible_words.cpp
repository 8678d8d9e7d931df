#include "lang/accessible_words.h"

#include "lang/catalogue.h"

#include <array>

namespace modLangue {

namespace {

// One row per word, one column per language: English, French, German, Italian, Spanish.
// A counted word holds its singular and its plural form, split by '|'.
using Row = std::array<const char16_t *, LanguageCount>;
constexpr auto words = std::to_array<Row>({
    {u"Row %1, column %2", u"Ligne %1, colonne %2", u"Zeile %1, Spalte %2", u"Riga %1, colonna %2",
     u"Fila %1, columna %2"},
    {u"Board", u"Grille", u"Spielfeld", u"Griglia", u"Tablero"},
    {u"given", u"donnée", u"vorgegeben", u"data", u"dada"},
    {u"empty", u"vide", u"leer", u"vuota", u"vacía"},
    {u"entered", u"saisie", u"eingetragen", u"inserita", u"introducida"},
    {u"solved", u"résolue", u"gelöst", u"risolta", u"resuelta"},
    {u"wrong", u"fausse", u"falsch", u"sbagliata", u"errónea"},
    {u"%1 right", u"%1 juste", u"%1 richtig", u"%1 giusto", u"%1 correcto"},
    {u"%1 wrong", u"%1 faux", u"%1 falsch", u"%1 sbagliato", u"%1 incorrecto"},
    {u"%1 revealed", u"%1 révélé", u"%1 aufgedeckt", u"%1 rivelato", u"%1 revelado"},
    {u"Grid full, %1", u"Grille pleine, %1", u"Gitter voll, %1", u"Griglia piena, %1",
     u"Cuadrícula llena, %1"},
    {u"Grid finished: %1, %2", u"Grille finie : %1, %2", u"Gitter beendet: %1, %2",
     u"Griglia finita: %1, %2", u"Cuadrícula acabada: %1, %2"},
    {u"%1 wrong|%1 wrong", u"%1 fausse|%1 fausses", u"%1 falsch|%1 falsch",
     u"%1 sbagliata|%1 sbagliate", u"%1 errónea|%1 erróneas"},
    {u"%1 filled in|%1 filled in", u"%1 remplie|%1 remplies", u"%1 ausgefüllt|%1 ausgefüllt",
     u"%1 riempita|%1 riempite", u"%1 rellenada|%1 rellenadas"},
    {u"%1 corrected|%1 corrected", u"%1 corrigée|%1 corrigées", u"%1 korrigiert|%1 korrigiert",
     u"%1 corretta|%1 corrette", u"%1 corregida|%1 corregidas"},
    {u"Emblem", u"Emblème", u"Emblem", u"Emblema", u"Emblema"},
});
static_assert(words.size() == std::size_t(Word::Count), "one row for every word");

// The current language's column; English when the language number selects none.
std::size_t column() {
    return languageColumn().value_or(0);
}

} // namespace

QString AccessibleText(Word word) {
    return QString::fromUtf16(words[std::size_t(word)][column()]);
}

QString CountedText(Word word, int count) {
    // French counts nothing and one alike; the other languages only one.
    constexpr std::size_t french = 1;
    const bool singular = count == 1 || (count == 0 && column() == french);
    return AccessibleText(word).section(u'|', singular ? 0 : 1, singular ? 0 : 1).arg(count);
}

} // namespace modLangue
