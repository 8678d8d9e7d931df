#pragma once

#include <QByteArray>
#include <QString>

// Helpers on grid texts for the puzzle tests: 81 characters, row by row from the top-left.
namespace gridForms {

// The grid as seen through one of the eight symmetries of the board (0-7; 0 leaves it as is).
QByteArray symmetric(const QByteArray &grid, int symmetry);

// The digits renumbered 1, 2, 3... in order of first appearance.
QByteArray relabelled(const QByteArray &grid);

// The smallest relabelled reading over the eight symmetries. Two grids have the same form
// exactly when one is a rotation or reflection of the other with its digits renamed.
QByteArray canonicalForm(const QByteArray &grid);

// True when every row, column and 3x3 box holds each digit 1-9 once. Otherwise false, with
// the first offending unit described in *problem when it is given.
bool isCompleteGrid(const QByteArray &grid, QString *problem = nullptr);

} // namespace gridForms
