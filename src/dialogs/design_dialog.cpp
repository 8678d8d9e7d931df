#include "dialogs/design_dialog.h"

#include "platform/contrast.h"
#include "platform/fonts.h"
#include "platform/twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

DesignDialog::DesignDialog(QWidget *parent, const char *name, QSize clientTwips)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint) {
    setObjectName(QLatin1String(name));
    setFont(platform::defaultFont());
    resize(twips(clientTwips.width()), twips(clientTwips.height()));
}

void DesignDialog::setFixedTextColour(QWidget *widget, QRgb rgb) {
    m_fixedColours.push_back({widget, rgb, false});
    applyFixedColour(m_fixedColours.back());
}

void DesignDialog::setFixedBackground(QWidget *widget, QRgb rgb) {
    m_fixedColours.push_back({widget, rgb, true});
    applyFixedColour(m_fixedColours.back());
    widget->setAutoFillBackground(true);
}

void DesignDialog::applyFixedColour(const FixedColour &fixed) {
    QPalette colours = QApplication::palette(fixed.widget);
    const QColor ground = fixed.background ? QColor(fixed.rgb) : colours.color(QPalette::Window);
    const QColor text = fixed.background ? colours.color(QPalette::WindowText) : QColor(fixed.rgb);
    colours.setColor(QPalette::Window, ground);
    colours.setColor(QPalette::WindowText, platform::readableOn(text, ground, platform::Legible));
    fixed.widget->setPalette(colours);
}

void DesignDialog::changeEvent(QEvent *event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        for (const FixedColour &fixed : m_fixedColours)
            applyFixedColour(fixed);
    }
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
