#pragma once

#include <QDialog>
#include <QPalette>
#include <QSize>

class QKeyEvent;

// What the game's three dialogs share: no title bar, a resizable border, the design's
// default font, a client area given in twips, no default button and no key that closes
// them by itself.
class DesignDialog : public QDialog {
    Q_OBJECT
public:
    DesignDialog(QWidget *parent, const char *name, QSize clientTwips);

protected:
    // Colours the design fixes, kept readable on any palette. A text in a fixed colour gets a
    // white background where the palette's would not let it read; a fixed background gets
    // black or white text where the palette's text would not read on it.
    static void setFixedTextColour(QWidget *widget, QRgb rgb);
    static void setFixedBackground(QWidget *widget, QRgb rgb);

    // Escape would reject the dialog: none of them has a cancel button. Return and Enter
    // press the focused push button.
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
};
