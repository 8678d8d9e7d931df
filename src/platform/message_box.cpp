#include "platform/message_box.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>

namespace platform {

void showMessage(const QString &text, int style, const QString &title) {
    const MessageRequest request{text, style, title.isEmpty() ? ApplicationTitle : title};
    if (MessageSeam::replaced()) {
        MessageSeam::call(request);
        return;
    }
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.title);
    box.setText(request.text);
    if ((style & Information) == Information)
        box.setIcon(QMessageBox::Information);
    else if ((style & Exclamation) == Exclamation)
        box.setIcon(QMessageBox::Warning);
    box.setStandardButtons(QMessageBox::Ok);
    // The title bar holds the window's icon and buttons beside the title; a box only as wide
    // as "Bravo !" shows its title as "…". The title bar's font is taken to be the box's.
    const QFontMetrics metrics(box.font());
    const int titleBarButtons = 4 * (metrics.height() + 8);
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(metrics.horizontalAdvance(request.title) + titleBarButtons, 0,
                                      QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    if (style & Foreground) {
        // Brought to the front once; the player may still put other windows over it.
        box.show();
        box.raise();
        box.activateWindow();
    }
    box.exec();
}

} // namespace platform
