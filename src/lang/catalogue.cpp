#include "lang/catalogue.h"

#include <array>
#include <cstddef>
#include <optional>

namespace modLangue {

float NumLangue = 0.0f;

namespace {

constexpr qint16 lastEntry = 31;

using Row = std::array<const char16_t *, LanguageCount>;

// One row per entry number 0 to 31, one column per language (English, French, German,
// Italian, Spanish). A null row is an entry without a text; entry 31 is composed below.
constexpr std::array<Row, lastEntry + 1> texts{{
    /* 0 */ {},
    /* 1 MenuFile */ {u"&File", u"&Fichier", u"&Datei", u"&Schedario", u"&Fichero"},
    /* 2 MenuNew */ {u"New", u"Nouveau", u"Neu", u"Nuovo", u"Nuevo"},
    /* 3 MenuFinish */
    {u"Finish the railing", u"Finir la grille", u"Gitter beenden", u"Finire la griglia",
     u"Acabar la verja"},
    /* 4 MenuQuit */ {u"Exit", u"Quitter", u"Verlassen", u"Lasciare", u"Irse"},
    /* 5 */ {},
    /* 6 MenuHelp */ {u"&Help", u"&Aide", u"&Helf", u"&Aiuto", u"&Ayuda"},
    /* 7 MenuAnswer */ {u"Réponse", u"Réponse", u"Antwort", u"risposta", u"Respuesta"},
    /* 8 MenuAbout */
    {u"&About", u"A &propos", u"&Bezüglich", u"A &proposito", u"A &propósito"},
    /* 9 MenuInfo */ {u"VEXORO", u"de VEXORO", u"VEXORO", u"di VEXORO", u"de VEXORO"},
    /* 10 */ {},
    /* 11 HintClickCell */
    {u"Click in a compartment to have the answer", u"click dans une case pour avoir la réponse",
     u"Click in einem Feld für die Antwort", u"click in una capanna per avere la risposta",
     u"Click en un compartimiento para tener la respuesta"},
    /* 12 LabelDifficulty */
    {u"Difficulty", u"Difficulté", u"Schwierigkeit", u"Difficoltà", u"Dificultad"},
    /* 13 LabelLevel */ {u"Level", u"Niveau", u"Niveau", u"Livello", u"Nivel"},
    /* 14 ButtonCancel */ {u"Cancel", u"Annuler", u"Aufheben", u"Annullare", u"Anular"},
    /* 15 OptionAssist */
    {u"Activate the assistance", u"Activer l'assistance", u"Beistand aktivieren",
     u"Attivare l'assistenza", u"Acelerar la asistencia"},
    /* 16 LevelBeginner */
    {u"Beginner", u"Débutant", u"Anfänger", u"Esordendo", u"Principiante"},
    /* 17 LevelEasy */ {u"Easy", u"Facile", u"Leicht", u"Facile", u"Fácil"},
    /* 18 LevelMedium */ {u"Means", u"Moyen", u"Mittel", u"Mezzo", u"Medio"},
    /* 19 LevelAdvanced */
    {u"Advanced", u"Avancé", u"Fortgeschritten", u"Avanzato", u"Avanzado"},
    /* 20 LevelDifficult */ {u"Difficult", u"Difficile", u"Schwer", u"Difficile", u"Difícil"},
    /* 21 LevelExpert */ {u"Expert", u"Expert", u"Experte", u"Perito", u"Experto"},
    /* 22 MsgBravo */ {u"Bravo !", u"Bravo !", u"Bravo !", u"Applauso!", u"¡ Bravo!"},
    /* 23 */ {},
    /* 24 */ {},
    /* 25 */ {},
    /* 26 */ {},
    /* 27 */ {},
    /* 28 */ {},
    /* 29 */ {},
    /* 30 LabelShortcuts */
    {u"Keyboard shortcuts :", u"Raccourcis clavier :", u"Kürze Tastatur :", u"Accorcia tasteria :",
     u"Teclas aceleradoras :"},
    /* 31 TextShortcuts */ {},
}};

// The About box's shortcut line: three groups separated by runs of spaces whose lengths
// differ from language to language, so they are kept as counts rather than typed out.
struct ShortcutLine {
    const char16_t *first;
    qsizetype gap1;
    const char16_t *second;
    qsizetype gap2;
    const char16_t *third;
};

constexpr std::array<ShortcutLine, LanguageCount> shortcutLines{{
    {u"F2 New railing", 13, u"F4 Finish the railing", 5, u"F3 Exit"},
    {u"F2 Nouvelle Grille", 5, u"F4 Finir la grille", 9, u"F3 Quitter"},
    {u"F2 Neu Gitter", 13, u"F4 Gitter beenden", 6, u"F3 Verlassen"},
    {u"F2 Nuovo griglia", 9, u"F4 Finire la griglia", 9, u"F3 Lasciare"},
    {u"F2 Nuevo verja", 9, u"F4 Acabar la verja", 7, u"F3 Irse"},
}};

QString composeShortcuts(const ShortcutLine &line) {
    return QString::fromUtf16(line.first) + QString(line.gap1, u' ') +
           QString::fromUtf16(line.second) + QString(line.gap2, u' ') +
           QString::fromUtf16(line.third);
}

} // namespace

std::optional<std::size_t> languageColumn() {
    for (std::size_t column = 0; column < LanguageCount; ++column) {
        if (NumLangue == static_cast<float>(column + 1))
            return column;
    }
    return std::nullopt;
}

QString Traduction(qint16 entry) {
    if (NumLangue == 0.0f)
        NumLangue = 1.0f;

    const std::optional<std::size_t> column = languageColumn();
    if (!column || entry < 1 || entry > lastEntry)
        return {};

    if (entry == TextShortcuts)
        return composeShortcuts(shortcutLines[*column]);

    const char16_t *text = texts[static_cast<std::size_t>(entry)][*column];
    return text ? QString::fromUtf16(text) : QString();
}

} // namespace modLangue
