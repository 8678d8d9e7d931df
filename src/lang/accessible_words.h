#pragma once

#include <QString>

// What the game says to assistive technology, in the current language: the names of the
// cells, the board and the pictures, the cells' states and the judgements announced. These
// words are the game's own, kept apart from the catalogue of captions.
namespace modLangue {

enum class Word {
    CellName, // "Row %1, column %2"
    Board,    // the board as a table
    Given,    // cell states
    Empty,
    Entered,
    Solved,
    Wrong,
    Right, // judgements: "%1 right", "%1 wrong", "%1 revealed"
    WrongDigit,
    Revealed,
    GridFull,     // "Grid full, %1", with WrongCount
    GridFinished, // "Grid finished: %1, %2", with FilledCount and CorrectedCount
    WrongCount,   // counted: "%1 wrong"
    FilledCount,
    CorrectedCount,
    Emblem, // the About box's emblem
    Count,  // how many words there are
};

// The text of `word` in the language NumLangue selects; English when it selects none.
QString AccessibleText(Word word);

// A counted word with its number, in the form that agrees with it ("1 corrigée",
// "2 corrigées").
QString CountedText(Word word, int count);

} // namespace modLangue
