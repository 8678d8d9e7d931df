#include "platform/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {
MessageHandler &handler() {
    static MessageHandler h;
    return h;
}
} // namespace

void setMessageHandler(MessageHandler h) {
    handler() = std::move(h);
}

void MsgBox(const QString &text, int style, const QString &title) {
    const MessageRequest request{text, style, title.isEmpty() ? TitreApplication : title};
    if (handler()) {
        handler()(request);
        return;
    }
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.title);
    box.setText(request.text);
    if ((style & vbInformation) == vbInformation)
        box.setIcon(QMessageBox::Information);
    else if ((style & vbExclamation) == vbExclamation)
        box.setIcon(QMessageBox::Warning);
    box.setStandardButtons(QMessageBox::Ok);
    if (style & vbMsgBoxSetForeground) {
        // Brought to the front once; the player may still put other windows over it.
        box.show();
        box.raise();
        box.activateWindow();
    }
    box.exec();
}

} // namespace platform
