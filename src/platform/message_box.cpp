#include "platform/message_box.h"

#include <QApplication>
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
    if (style & Foreground) {
        // Brought to the front once; the player may still put other windows over it.
        box.show();
        box.raise();
        box.activateWindow();
    }
    box.exec();
}

} // namespace platform
