#include "puzzle/memory_board.h"

namespace modGrille {

MemoryBoard MemoryBoard::fromPicture(const QString &picture) {
    MemoryBoard board;
    for (int i = 0; i < NombreCases && i < picture.size(); ++i) {
        Case &c = board.m_cases[i];
        if (picture.at(i) == QLatin1Char('.')) {
            c.enabled = true;
        } else {
            c.text = picture.at(i);
            c.back = Couleur::Cyan;
        }
    }
    return board;
}

QString MemoryBoard::picture() const {
    QString picture;
    for (const Case &c : m_cases)
        picture += c.text.isEmpty() ? QStringLiteral(".") : c.text;
    return picture;
}

} // namespace modGrille
