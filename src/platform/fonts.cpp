#include "platform/fonts.h"

#include <QApplication>

namespace platform {

QFont Police(qreal points) {
    // The application font is the desktop's sans-serif face; a style hint would only add a
    // font-matching pass at start-up.
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    return font;
}

QFont PoliceParDefaut() {
    return Police(8.25);
}

} // namespace platform

#include <QLabel>

namespace platform {

void AjusterPolice(QLabel &label, const QFont &base) {
    QString text = label.text();
    text.remove(QLatin1Char('&'));
    const int room = label.contentsRect().width();
    QFont font = base;
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label.setFont(font);
}

} // namespace platform
