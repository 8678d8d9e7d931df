#pragma once

#include <QDialog>
#include <QPalette>
#include <QSize>

#include <vector>

class QKeyEvent;

// What the game's three dialogs share: no title bar, a resizable border, the design's
// default font, a client area given in twips, no default button and no key that closes
// them by itself.
class DesignDialog : public QDialog {
    Q_OBJECT
public:
    DesignDialog(QWidget *parent, const char *name, QSize clientTwips);

protected:
    // Colours the design fixes, kept readable on any palette by one rule: where a text and its
    // background do not reach 4.5:1, the text, fixed or the palette's, is moved towards black
    // or white just enough. The designed look stays wherever it reads; a change of palette
    // while the dialog is open is followed.
    void setFixedTextColour(QWidget *widget, QRgb rgb);
    void setFixedBackground(QWidget *widget, QRgb rgb);

    // Escape would reject the dialog: none of them has a cancel button. Return and Enter
    // press the focused push button.
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct FixedColour {
        QWidget *widget;
        QRgb rgb;
        bool background; // else the text's
    };
    static void applyFixedColour(const FixedColour &fixed);

    std::vector<FixedColour> m_fixedColours;
};
