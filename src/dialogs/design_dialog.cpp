#include "dialogs/design_dialog.h"

#include "platform/contrast.h"
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

void DesignDialog::setFixedTextColour(QWidget *widget, QRgb rgb) {
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, QColor(rgb));
    if (platform::contrastRatio(QColor(rgb), colours.color(QPalette::Window)) < platform::Legible) {
        colours.setColor(QPalette::Window, Qt::white);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(colours);
}

void DesignDialog::setFixedBackground(QWidget *widget, QRgb rgb) {
    QPalette colours = widget->palette();
    const QColor ground(rgb);
    colours.setColor(QPalette::Window, ground);
    if (platform::contrastRatio(colours.color(QPalette::WindowText), ground) < platform::Legible)
        colours.setColor(QPalette::WindowText,
                         platform::isDark(ground) ? QColor(Qt::white) : QColor(Qt::black));
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
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
