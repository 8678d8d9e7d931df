#include "puzzle/memory_board.h"

namespace modGrille {

MemoryBoard MemoryBoard::fromPicture(const QString &picture) {
    MemoryBoard board;
    for (int i = 0; i < CellCount; ++i) {
        Cell &c = board.m_cells[i];
        if (picture.at(i) == QLatin1Char('.')) {
            c.enabled = true;
        } else {
            c.text = picture.at(i);
            c.back = Colour::Cyan;
        }
    }
    return board;
}

QString MemoryBoard::picture() const {
    QString picture;
    for (const Cell &c : m_cells)
        picture += c.text.isEmpty() ? QStringLiteral(".") : c.text;
    return picture;
}

} // namespace modGrille
