#include "platform/fonts.h"

#include <QApplication>
#include <QLabel>

namespace platform {

QFont fontOfSize(qreal points) {
    // The application font is the desktop's sans-serif face; a style hint would only add a
    // font-matching pass at start-up.
    QFont font = QApplication::font();
#ifdef Q_OS_WIN
    // The design's MS Sans Serif, which Windows maps to its outline Microsoft Sans Serif;
    // where that is missing (Wine), the dialog face rather than the system's first guess.
    font.setFamilies({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("MS Shell Dlg 2")});
#endif
    font.setPointSizeF(points);
    return font;
}

QFont defaultFont() {
    return fontOfSize(DefaultPoints);
}

void fitFont(QLabel &label, const QFont &base) {
    constexpr qreal smallest = 6;
    QString text = label.text();
    text.remove(u'&');
    const int room = label.contentsRect().width();
    QFont font = base;
    while (font.pointSizeF() > smallest && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label.setFont(font);
}

} // namespace platform
