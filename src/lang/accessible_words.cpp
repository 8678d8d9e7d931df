#include "lang/accessible_words.h"

#include "lang/catalogue.h"

#include <array>

namespace modLangue {

namespace {

// One row per word, one column per language: English, French, German, Italian, Spanish.
using Row = std::array<const char16_t *, 5>;
constexpr std::array<Row, 12> words{{
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
    {u"Grid full, %1 wrong", u"Grille pleine, %1 fausses", u"Gitter voll, %1 falsch",
     u"Griglia piena, %1 sbagliate", u"Cuadrícula llena, %1 erróneas"},
    {u"Grid finished: %1 filled in, %2 corrected", u"Grille finie : %1 remplies, %2 corrigées",
     u"Gitter beendet: %1 ausgefüllt, %2 korrigiert", u"Griglia finita: %1 riempite, %2 corrette",
     u"Cuadrícula acabada: %1 rellenadas, %2 corregidas"},
    {u"Emblem", u"Emblème", u"Emblem", u"Emblema", u"Emblema"},
}};

} // namespace

QString AccessibleText(Word word) {
    int column = 0;
    for (int language = 1; language <= 5; ++language) {
        if (NumLangue == float(language))
            column = language - 1;
    }
    return QString::fromUtf16(words[std::size_t(word)][std::size_t(column)]);
}

} // namespace modLangue
