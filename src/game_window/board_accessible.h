#pragma once

class QString;
class QObject;
class QAccessibleInterface;

// What assistive technology sees of the board: the frame as a 9 x 9 table whose cells are
// the 81 cells, open or locked, each with its row, column, digit and state, so that a
// screen reader's table navigation reads the givens too, which take no focus. The announcer
// is a notification.
QAccessibleInterface *BoardAccessibleFactory(const QString &className, QObject *object);
