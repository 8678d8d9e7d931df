#include "platform/message_box.h"

#include "platform/twips.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>

#include <algorithm>

namespace platform {

namespace {
QPointer<QWidget> messageOwner;

// The client width a title bar needs to show `title` whole: the title in a bold copy of the
// font (window managers set titles bold and often larger), an icon and three buttons each
// about a line high, and room to spare for another theme; never less than 3000 twips.
int titleBarWidth(const QString &title, const QFont &font) {
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return std::max(twips(3000), metrics.horizontalAdvance(title) + 6 * (metrics.height() + 8));
}
} // namespace

void setMessageOwner(QWidget *owner) {
    messageOwner = owner;
}

void showMessage(const QString &text, int style, const QString &title) {
    const MessageRequest request{text, style, title.isEmpty() ? ApplicationTitle : title};
    if (MessageSeam::replaced()) {
        MessageSeam::call(request);
        return;
    }
    QMessageBox box(messageOwner ? messageOwner.data() : QApplication::activeWindow());
    box.setWindowTitle(request.title);
    box.setText(request.text);
    if ((style & Information) == Information)
        box.setIcon(QMessageBox::Information);
    else if ((style & Exclamation) == Exclamation)
        box.setIcon(QMessageBox::Warning);
    box.setStandardButtons(QMessageBox::Ok);
    // The title bar holds the window's icon and buttons beside the title; a box only as wide
    // as "Bravo !" shows its title cut.
    // The box sizes itself to its layout's minimum: a spacer across it sets the floor.
    auto *floor = new QSpacerItem(titleBarWidth(request.title, box.font()), 0, QSizePolicy::Minimum,
                                  QSizePolicy::Fixed);
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(floor, grid->rowCount(), 0, 1, grid->columnCount());
    else if (box.layout())
        box.layout()->addItem(floor);
    else
        delete floor;
    if (style & Foreground) {
        // Brought to the front once; the player may still put other windows over it.
        box.show();
        box.raise();
        box.activateWindow();
    }
    box.exec();
}

} // namespace platform
