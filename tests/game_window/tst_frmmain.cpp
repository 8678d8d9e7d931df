// The game window as it opens: layout, design state, menus, shortcuts and captions.
#include "game_window/frmMain.h"
#include "game_window/window_placement.h"
#include "support/test_platform.h"

#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

#include <cmath>
#include <memory>

namespace {
// WCAG 2 contrast between two colours.
double luminance(const QColor &c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
double contrastRatio(const QColor &a, const QColor &b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_platform = std::make_unique<TestPlatform>();
        m_window = std::make_unique<frmMain>();
    }
    void cleanup() {
        m_window.reset();
        m_platform.reset();
    }

    void windowIsFixedWithItsTitleAndClientArea() {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("  ve | xo | ro"));
        QCOMPARE(m_window->centralWidget()->size(), QSize(409, 365));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        const Qt::WindowFlags flags = m_window->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    }

    void windowIsCentredHorizontallyAtTheDesignedTop() {
        const int screenWidth = m_window->screen()->geometry().width();
        QCOMPARE(m_window->x(), (screenWidth - m_window->frameGeometry().width()) / 2);
        // The client area's top lies 855 twips (57 px) from the top of the screen.
        QCOMPARE(m_window->geometry().y() + m_window->menuBar()->sizeHint().height(), 57);
    }

    void cellRectangles_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("rect");
        // Column lefts and row tops in twips: 120 720 1320 2040 2640 3240 3960 4560 5160
        // and 240 720 1200 1800 2280 2760 3360 3840 4320; 615 x 495 each.
        const int lefts[] = {120, 720, 1320, 2040, 2640, 3240, 3960, 4560, 5160};
        const int tops[] = {240, 720, 1200, 1800, 2280, 2760, 3360, 3840, 4320};
        for (int i = 0; i < 81; ++i)
            QTest::addRow("cell %d", i) << i << QRect(lefts[i % 9] / 15, tops[i / 9] / 15, 41, 33);
    }
    void cellRectangles() {
        QFETCH(int, index);
        QFETCH(QRect, rect);
        auto *cell = m_window->findChild<QLineEdit *>(QStringLiteral("txtCh_%1").arg(index));
        QVERIFY(cell);
        QCOMPARE(cell->parentWidget(), m_window->fraGrille);
        QCOMPARE(cell->geometry(), rect);
    }

    void neighbouringCellsOverlapAndBoxesLeaveAGap() {
        const auto &c = m_window->txtCh;
        QCOMPARE(c[0]->geometry().right() + 1 - c[1]->geometry().left(), 1);
        QCOMPARE(c[3]->geometry().left() - (c[2]->geometry().right() + 1), 7);
        QCOMPARE(c[27]->geometry().top() - (c[18]->geometry().bottom() + 1), 7);
    }

    void controlsHaveTheirDesignRectangles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("fraGrille") << "fraGrille" << QRect(8, 8, 393, 329);
        QTest::newRow("Image1") << "Image1" << QRect(40, 32, 336, 288);
        QTest::newRow("lblNiveau") << "lblNiveau" << QRect(8, 344, 393, 17);
    }
    void controlsHaveTheirDesignRectangles() {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        auto *widget = m_window->findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), rect);
    }

    void designStateBeforeTheFirstGame() {
        QVERIFY(!m_window->fraGrille->isVisibleTo(m_window.get()));
        QVERIFY(!m_window->lblNiveau->isVisibleTo(m_window.get()));
        QVERIFY(m_window->Image1->isVisibleTo(m_window.get()));
        for (CellEdit *cell : m_window->txtCh) {
            QVERIFY(cell->text().isEmpty());
            QVERIFY(!cell->isEnabled());
            QCOMPARE(cell->alignment(), Qt::AlignCenter);
            QCOMPARE(cell->font().pointSizeF(), 13.5);
        }
        QVERIFY(!m_window->mnuFinir->isEnabled());
        QCOMPARE(modGrille::NumGrille, qint16(0));
    }

    void menuBarShowsOnlyFileAndAbout() {
        QStringList shown;
        for (QAction *action : m_window->menuBar()->actions()) {
            if (action->isVisible())
                shown << action->objectName();
        }
        QCOMPARE(shown, QStringList({"mnuFichier", "mnuApropos"}));
        // The help menu stays available as the cells' popup.
        QCOMPARE(m_window->mnuAide->actions(), QList<QAction *>{m_window->mnuReponse});
    }

    void fileMenuItemsInOrder() {
        QStringList names;
        for (QAction *action : m_window->mnuFichier->actions())
            names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
        QCOMPARE(names, QStringList({"mnuNew", "mnuFinir", "-", "Language", "-", "mnuQuit"}));
    }

    void shortcuts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QKeySequence>("key");
        QTest::newRow("New") << "mnuNew" << QKeySequence(Qt::Key_F2);
        QTest::newRow("Quit") << "mnuQuit" << QKeySequence(Qt::Key_F3);
        QTest::newRow("Finish") << "mnuFinir" << QKeySequence(Qt::Key_F4);
    }
    void shortcuts() {
        QFETCH(QString, name);
        QFETCH(QKeySequence, key);
        auto *action = m_window->findChild<QAction *>(name);
        QVERIFY(action);
        QCOMPARE(action->shortcut(), key);
    }

    void finishBeforeTheFirstGameDoesNothing() {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTest::keyClick(m_window.get(), Qt::Key_F4);
        QVERIFY(!m_window->fraGrille->isVisible());
        for (CellEdit *cell : m_window->txtCh)
            QVERIFY(cell->text().isEmpty());
    }

    void quitClosesTheWindowWithoutAsking() {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTest::keyClick(m_window.get(), Qt::Key_F3);
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_platform->messages.isEmpty());
    }

    void captions_data() {
        QTest::addColumn<float>("langue");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("not set reads as English")
            << 0.0f
            << QStringList{"&File",  "New",   "Finish the railing", "Exit", "&Help", "Réponse",
                           "&About", "VEXORO"};
        QTest::newRow("French") << 2.0f << QStringList{"&Fichier",  "Nouveau",  "Finir la grille",
                                                       "Quitter",   "&Aide",    "Réponse",
                                                       "A &propos", "de VEXORO"};
        QTest::newRow("German") << 3.0f
                                << QStringList{"&Datei", "Neu",     "Gitter beenden", "Verlassen",
                                               "&Helf",  "Antwort", "&Bezüglich",     "VEXORO"};
    }
    void captions() {
        QFETCH(float, langue);
        QFETCH(QStringList, captions);
        modLangue::NumLangue = langue;
        m_window->ChangeLangue();
        const QStringList actual{m_window->mnuFichier->title(), m_window->mnuNew->text(),
                                 m_window->mnuFinir->text(),    m_window->mnuQuit->text(),
                                 m_window->mnuAide->title(),    m_window->mnuReponse->text(),
                                 m_window->mnuApropos->title(), m_window->mnuInfo->text()};
        QCOMPARE(actual, captions);
        QCOMPARE(m_window->Language->text(), QStringLiteral("Change &Language"));
        QCOMPARE(m_window->mnuNew->shortcut(), QKeySequence(Qt::Key_F2));
    }

    void loadTurnsAnUnsetLanguageIntoEnglish() {
        // The window loaded with NumLangue 0 in init().
        QCOMPARE(modLangue::NumLangue, 1.0f);
        QCOMPARE(m_window->mnuFichier->title(), QStringLiteral("&File"));
    }

    // Locked digits were drawn in the palette's disabled grey, 1.4:1 against cyan and green.
    void lockedDigitsReadOnEveryBackground_data() {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<modGrille::Couleur>("back");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<double>("contrast"); // the least the digit must reach
        for (bool dark : {false, true}) {
            const char *palette = dark ? "dark palette" : "default palette";
            QTest::addRow("%s: given", palette) << dark << modGrille::Couleur::Cyan << true << 4.5;
            QTest::addRow("%s: solved", palette) << dark << modGrille::Couleur::Vert << true << 4.5;
            QTest::addRow("%s: corrected", palette)
                << dark << modGrille::Couleur::Rouge << true << 3.0;
            QTest::addRow("%s: right entry after Finish", palette)
                << dark << modGrille::Couleur::FondFenetre << true << 4.5;
            QTest::addRow("%s: open", palette)
                << dark << modGrille::Couleur::FondFenetre << false << 4.5;
        }
    }
    void lockedDigitsReadOnEveryBackground() {
        QFETCH(bool, dark);
        QFETCH(modGrille::Couleur, back);
        QFETCH(bool, locked);
        QFETCH(double, contrast);
        const QPalette before = QApplication::palette();
        if (dark) {
            QPalette night = before;
            for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
                night.setColor(group, QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
                night.setColor(group, QPalette::Window, QColor(0x35, 0x35, 0x35));
                night.setColor(group, QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
                night.setColor(group, QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
            }
            night.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
            QApplication::setPalette(night);
        }
        CellEdit *cell = m_window->txtCh[40];
        cell->setText(QStringLiteral("8"));
        cell->setBackColor(back);
        cell->setForeColor(modGrille::Couleur::Rouge);
        if (!locked)
            cell->setForeColor(modGrille::Couleur::TexteFenetre);
        cell->setEnabled(!locked);
        const QImage image = cell->grab().toImage();
        QApplication::setPalette(before);

        // The background beside the digit, and the digit's core: its pixel that stands out most.
        const QColor ground = image.pixelColor(4, image.height() / 2);
        if (back != modGrille::Couleur::FondFenetre)
            QCOMPARE(ground, cell->palette().color(QPalette::Base)); // the colour still shows
        double best = 1.0;
        for (int y = 4; y < image.height() - 4; ++y) {
            for (int x = image.width() / 4; x < image.width() * 3 / 4; ++x)
                best = std::max(best, contrastRatio(image.pixelColor(x, y), ground));
        }
        QVERIFY2(best >= contrast, qPrintable(QString::number(best)));
    }

    // The window opened on the wrong screen when that screen did not start at x = 0, and was
    // centred by its width without the frame.
    void framePlacement_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<int>("frameWidth");
        QTest::addColumn<int>("clientTopInFrame");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("first screen, no frame yet")
            << QRect(0, 0, 1280, 1024) << 409 << 20 << QPoint(435, 37);
        QTest::newRow("framed by the window manager")
            << QRect(0, 0, 1280, 1024) << 419 << 50 << QPoint(430, 7);
        QTest::newRow("second screen to the right")
            << QRect(1920, 0, 1280, 1024) << 409 << 20 << QPoint(2355, 37);
        QTest::newRow("screen below another")
            << QRect(0, 1080, 1920, 1080) << 409 << 20 << QPoint(755, 1117);
    }
    void framePlacement() {
        QFETCH(QRect, screen);
        QFETCH(int, frameWidth);
        QFETCH(int, clientTopInFrame);
        QFETCH(QPoint, position);
        QCOMPARE(FramePosition(screen, frameWidth, clientTopInFrame, 57), position);
    }

    void tabOrderFollowsTheCellIndex() {
        for (int i = 0; i < 80; ++i)
            QCOMPARE(m_window->txtCh[i]->nextInFocusChain(), m_window->txtCh[i + 1]);
    }

private:
    std::unique_ptr<TestPlatform> m_platform;
    std::unique_ptr<frmMain> m_window;
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
