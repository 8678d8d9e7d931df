#include "dialogs/design_dialog.h"

#include "game_window/twips.h"
#include "platform/fonts.h"

#include <QKeyEvent>

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
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
