#include "dialogs/design_dialog.h"

#include "game_window/twips.h"
#include "platform/fonts.h"

#include <QKeyEvent>
#include <QPushButton>

DesignDialog::DesignDialog(QWidget *parent, const char *name, QSize clientTwips)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint) {
    setObjectName(QLatin1String(name));
    setFont(platform::PoliceParDefaut());
    resize(twips(clientTwips.width()), twips(clientTwips.height()));
}

void DesignDialog::colorer(QWidget *widget, QPalette::ColorRole role, QRgb rgb) {
    QPalette couleurs = widget->palette();
    couleurs.setColor(role, QColor(rgb));
    widget->setPalette(couleurs);
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
