#include "dialogs/design_dialog.h"

#include "platform/fonts.h"
#include "platform/twips.h"

#include <QKeyEvent>
#include <QPushButton>

DesignDialog::DesignDialog(QWidget *parent, const char *name, QSize clientTwips)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint) {
    setObjectName(QLatin1String(name));
    setFont(platform::defaultFont());
    resize(twips(clientTwips.width()), twips(clientTwips.height()));
}

void DesignDialog::setColour(QWidget *widget, QPalette::ColorRole role, QRgb rgb) {
    QPalette colours = widget->palette();
    colours.setColor(role, QColor(rgb));
    widget->setPalette(colours);
}

void DesignDialog::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter presses the focused button, as Space does; anywhere else it does nothing,
        // since no button is the default.
        event->accept();
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void DesignDialog::showEvent(QShowEvent *event) {
    // No button becomes the default by taking the focus either.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
    QDialog::showEvent(event);
}
