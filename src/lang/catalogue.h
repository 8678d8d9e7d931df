#pragma once

#include <QString>

#include <cstddef>
#include <optional>

// The string catalogue: every caption and message that follows the language.
namespace modLangue {

// The current language: 1 English, 2 French, 3 German, 4 Italian, 5 Spanish;
// 0 means not set and is read as English by the first lookup.
extern float NumLangue;

enum Entry : qint16 {
    MenuFile = 1,
    MenuNew = 2,
    MenuFinish = 3,
    MenuQuit = 4,
    MenuHelp = 6,
    MenuAnswer = 7,
    MenuAbout = 8,
    MenuInfo = 9,
    HintClickCell = 11,
    LabelDifficulty = 12,
    LabelLevel = 13,
    ButtonCancel = 14,
    OptionAssist = 15,
    LevelBeginner = 16,
    LevelEasy = 17,
    LevelMedium = 18,
    LevelAdvanced = 19,
    LevelDifficult = 20,
    LevelExpert = 21,
    MsgBravo = 22,
    LabelShortcuts = 30,
    TextShortcuts = 31,
};

// How many languages there are; English is the first, Spanish the last.
inline constexpr std::size_t LanguageCount = 5;

// The column of the current language, from 0 for English; only the exact values 1 to 5 of
// NumLangue select one, so a fractional, negative, infinite or NaN number selects nothing.
std::optional<std::size_t> languageColumn();

// The text of `entry` in the current language; the empty text for an entry without a
// text or a language number other than 1 to 5. A NumLangue of 0 becomes 1.
QString Traduction(qint16 entry);

} // namespace modLangue
