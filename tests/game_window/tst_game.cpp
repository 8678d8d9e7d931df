// The game window's wiring, in the real widgets: the dialogs answered and acted on, keys
// through the cells, the popup, Finish, the language chooser and the About box's link, and
// how the board and the window look.
#include "game_fixture.h"
#include "game_window/window_placement.h"
#include "platform/browser_launch.h"
#include "platform/contrast.h"
#include "platform/web_link.h"

#include <QAccessible>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>

#include <cmath>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

using modGrille::Colour;

namespace {
// The controls of `window` whose text does not fit them, each with what it needs, and those
// that show no text where they have no picture either; then the menu items without a caption.
QStringList clippedIn(const QWidget &window) {
    QStringList clipped;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const QFontMetrics fm(widget->font());
        QString text;
        QSize need;
        auto *label = qobject_cast<QLabel *>(widget);
        auto *button = qobject_cast<QAbstractButton *>(widget);
        if (((label && label->pixmap().isNull() && label->text().isEmpty()) ||
             (button && button->icon().isNull() && button->text().isEmpty())) &&
            widget->isVisibleTo(&window))
            clipped << widget->objectName() + QStringLiteral(" is empty");
        if (label) {
            const int frame = 2 * label->frameWidth() + 2 * label->margin();
            text = label->text();
            need = label->wordWrap()
                       ? QSize(0, label->heightForWidth(label->width()))
                       : QSize(fm.horizontalAdvance(QString(text).remove(u'&')) + frame,
                               fm.height() + frame);
        } else if (button) {
            text = button->text();
            need = {qobject_cast<QCheckBox *>(widget)
                        ? button->sizeHint().width()
                        : fm.horizontalAdvance(QString(text).remove(u'&')) + 8,
                    fm.height()};
        } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
            list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            text = list->currentText();
            need = {list->sizeHint().width(), fm.height()};
        }
        if (!text.isEmpty() && (need.width() > widget->width() || need.height() > widget->height()))
            clipped << QStringLiteral("%1 \"%2\" needs %3x%4 in %5x%6")
                           .arg(widget->objectName(), text)
                           .arg(need.width())
                           .arg(need.height())
                           .arg(widget->width())
                           .arg(widget->height());
    }
    for (QAction *item : window.findChildren<QAction *>()) {
        if (!item->objectName().isEmpty() && !item->isSeparator() && item->text().isEmpty())
            clipped << item->objectName() + QStringLiteral(" has no caption");
    }
    return clipped;
}

// Records the focus and press events `watched` receives, in their order.
class EventLog : public QObject {
public:
    EventLog(QObject *watched, QList<QEvent::Type> &order)
        : m_order(order) {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress)
            m_order << event->type();
        return false;
    }

private:
    QList<QEvent::Type> &m_order;
};

QByteArray bytesOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A dark theme over `light`: dark grounds, light texts, shades of the window colour.
QPalette dusk(const QPalette &light) {
    QPalette dark = light;
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        dark.setColor(role, QColor(0x2A, 0x2A, 0x2A));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    for (auto role : {QPalette::Light, QPalette::Midlight, QPalette::Mid, QPalette::Dark})
        dark.setColor(role, QColor(0x3A, 0x3A, 0x3A));
    return dark;
}
} // namespace

class TestGame : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_game = std::make_unique<GameFixture>();
        QVERIFY(m_game->active);
    }
    void cleanup() {
        QAccessible::installUpdateHandler(nullptr);
        m_game.reset();
    }

    // Enter did nothing, so F2 then Enter could not start a game from the keyboard.
    void enterPressesTheFocusedButtonOnly_data() {
        QTest::addColumn<QString>("focus"); // empty: as the dialog opens
        QTest::addColumn<int>("key");       // the main keyboard's Return or the keypad's Enter
        for (auto [name, key] :
             {std::pair{"Return", Qt::Key_Return}, {"keypad Enter", Qt::Key_Enter}}) {
            QTest::addRow("%s on OK, focused at opening", name) << "" << int(key);
            QTest::addRow("%s on Annuler", name) << "cmdUndo" << int(key);
            QTest::addRow("%s in the level list", name) << "cmbChoix" << int(key);
        }
        QTest::newRow("Return on the check box") << "chkAssist" << int(Qt::Key_Return);
    }
    void enterPressesTheFocusedButtonOnly() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        const bool button = focus.isEmpty() || focus == QLatin1String("cmdUndo");
        m_game->withDialog("mnuNew", [&](QDialog &dialog) {
            if (!focus.isEmpty())
                dialog.findChild<QWidget *>(focus)->setFocus();
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape); // never closes it
            QVERIFY(dialog.isVisible());
            QTest::keyClick(dialog.focusWidget(), Qt::Key(key),
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            QCOMPARE(dialog.isVisible(), !button);
            if (!button)
                dialog.reject();
        });
        const bool started = focus.isEmpty();
        QCOMPARE(get(*m_game->window, "fraGrille")->isVisible(), started);
        QCOMPARE(get(*m_game->window, "Image1")->isVisible(), !started);
        QCOMPARE(get<QAction>(*m_game->window, "mnuFinir")->isEnabled(), started);
        QCOMPARE(m_game->openCells().size(), started ? 40 : 0);
        QCOMPARE(get<QLabel>(*m_game->window, "lblNiveau")->text(),
                 started ? "Level Beginner       Click in a compartment to have the answer" : "");
    }

    // Cancel leaves the game alone but keeps the level picked; only OK records assistance.
    void cancelKeepsTheLevelPicked() {
        m_game->startGame(1, true);
        const qint16 grid = m_game->window->state().NumGrille;
        m_game->withDialog("mnuNew", [](QDialog &dialog) {
            get<QComboBox>(dialog, "cmbChoix")->setCurrentIndex(5);
            get<QCheckBox>(dialog, "chkAssist")->setChecked(false);
            get<QPushButton>(dialog, "cmdUndo")->click();
        });
        QCOMPARE(m_game->window->state().NumGrille, grid);
        QVERIFY(get<QLabel>(*m_game->window, "lblNiveau")->text().startsWith("Level Easy "));
        m_game->withDialog("mnuNew", [](QDialog &dialog) {
            QCOMPARE(get<QComboBox>(dialog, "cmbChoix")->currentText(), "Expert");
            QVERIFY(get<QCheckBox>(dialog, "chkAssist")->isChecked());
            dialog.reject();
        });
    }

    void emptySelectionIsRefusedInFrench() {
        modLangue::NumLangue = 2;
        m_game->withDialog("mnuNew", [](QDialog &dialog) {
            QStringList levels;
            for (int i = 0; i < get<QComboBox>(dialog, "cmbChoix")->count(); ++i)
                levels << get<QComboBox>(dialog, "cmbChoix")->itemText(i);
            QCOMPARE(levels,
                     QStringList({"Débutant", "Facile", "Moyen", "Avancé", "Difficile", "Expert"}));
            // A screen reader reads the list with its label.
            const auto labels = QAccessible::queryAccessibleInterface(get(dialog, "cmbChoix"))
                                    ->relations(QAccessible::Label);
            QVERIFY(!labels.isEmpty() && labels[0].first->object() == get(dialog, "Label1"));
            get<QComboBox>(dialog, "cmbChoix")->setCurrentIndex(-1);
            get<QPushButton>(dialog, "cmdOK")->click();
            QVERIFY(dialog.isVisible());
            dialog.reject();
        });
        QCOMPARE(m_game->platform.texts(), QStringList{"Veuillez choisir la difficulté"});
        QCOMPARE(m_game->platform.messages[0].style, 48 + 65536);
        QCOMPARE(m_game->window->state().NumGrille, qint16(0));
    }

    void noOtherEditingPathPutsForeignTextInACell() {
        m_game->startGame(0, false);
        const int i = m_game->openCells().first();
        QGuiApplication::clipboard()->setText(QStringLiteral("12x"));
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("77"));
        const std::function<void()> paths[] = {
            [&] { m_game->type(i, Qt::Key_V, Qt::ControlModifier); },
            [&] { m_game->type(i, Qt::Key_Insert, Qt::ShiftModifier); },
            [&] { QCoreApplication::sendEvent(m_game->cell(i), &commit); },
            [&] { m_game->type(i, Qt::Key_Z, Qt::ControlModifier); }};
        for (const auto &path : paths) {
            m_game->type(i, '4');
            m_game->type(i, '5');
            path();
            const QString text = m_game->cell(i)->text(); // a control key empties the cell
            QVERIFY2(text.isEmpty() || text == QLatin1String("5"), qPrintable(text));
        }
        // Input methods are told the cell takes no text from them.
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QCoreApplication::sendEvent(m_game->cell(i), &query);
        QVERIFY(!query.value(Qt::ImEnabled).toBool());
        // Keys without a character keep their effect, and a click places the caret as in any
        // text box: Delete before the digit, Backspace after it, delete it.
        m_game->type(i, '6');
        QTest::keyClick(m_game->cell(i), Qt::Key_Home);
        QTest::keyClick(m_game->cell(i), Qt::Key_Delete);
        QCOMPARE(m_game->cell(i)->text(), QString());
        m_game->type(i, '6');
        QTest::keyClick(m_game->cell(i), Qt::Key_Home);
        QTest::mouseClick(m_game->cell(i), Qt::LeftButton, {},
                          m_game->cell(i)->rect().center() + QPoint(12, 0));
        QTest::keyClick(m_game->cell(i), Qt::Key_Backspace);
        QCOMPARE(m_game->cell(i)->text(), QString());
        // A key whose character is NUL (Ctrl+@) is a control key like the others: it empties
        // the cell.
        m_game->type(i, m_game->wrong(i));
        QKeyEvent nul(QEvent::KeyPress, Qt::Key_At, Qt::ControlModifier, QString(QChar(0)));
        QCoreApplication::sendEvent(m_game->cell(i), &nul);
        QCOMPARE(m_game->cell(i)->text(), QString());
    }

    // The cells' popup menu was a hidden menu-bar entry whose access key still took the
    // keyboard from the board: the next digit was lost and Tab opened the About menu.
    void accessKeysLeaveTheBoardAlone() {
        m_game->startGame(0, true);
        const QList<int> open = m_game->openCells();
        m_game->cell(open[0])->setFocus();
        // "&Help" in English, "&Aide" in French.
        for (auto [language, key] : {std::pair{1, Qt::Key_H}, std::pair{2, Qt::Key_A}}) {
            modLangue::NumLangue = float(language);
            m_game->window->ChangeLangue();
            QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
            const char digit = m_game->wrong(open[0]);
            QTest::keyClick(QApplication::focusWidget(), digit);
            QCOMPARE(m_game->cell(open[0])->text(), QString(QLatin1Char(digit)));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
            QCOMPARE(m_game->cell(open[0])->text(), QString());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_game->cell(open[1]));
    }

    // Only a left press on the current cell, or the menu key, offers "Réponse".
    void popupRevealsTheCurrentCell() {
        m_game->startGame(0, true);
        int popups = 0;
        QString caption;
        platform::PopupSeam::replace([&](QMenu &menu, const QPoint &) {
            ++popups;
            caption = menu.actions().value(0)->text();
            return menu.actions().value(0);
        });
        const QList<int> open = m_game->openCells();
        m_game->type(open[0], m_game->wrong(open[0]));
        QTest::mouseClick(m_game->cell(open[0]), Qt::RightButton);
        QTest::mouseClick(m_game->cell(open[0]), Qt::MiddleButton);
        QContextMenuEvent right(QContextMenuEvent::Mouse, QPoint(2, 2), QPoint(2, 2)); // as sent
        QCoreApplication::sendEvent(m_game->cell(open[0]), &right);
        QCOMPARE(popups, 0);
        QTest::mouseClick(m_game->cell(open[0]), Qt::LeftButton);
        QCOMPARE(caption, QStringLiteral("Réponse"));
        QCOMPARE(m_game->cell(open[0])->text(), QString(QLatin1Char(m_game->right(open[0]))));
        QCOMPARE(m_game->cell(open[0])->backColor(), Colour::Green);
        m_game->type(open[1], Qt::Key_Menu);
        QCOMPARE(popups, 2);
        QVERIFY(!m_game->cell(open[1])->isEnabled());
        // From the keyboard the real menu opens with "Réponse" selected: one Enter reveals.
        platform::PopupSeam::replace({});
        QAction *selected = nullptr;
        QTimer::singleShot(0, m_game->window.get(), [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            if (QTest::qWaitFor([&] { return menu->activeAction() != nullptr; }, 1000))
                selected = menu->activeAction();
            QTest::keyClick(menu, Qt::Key_Return);
            menu->close();
        });
        m_game->type(open[2], Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(selected, get<QAction>(*m_game->window, "mnuReponse"));
        QCOMPARE(m_game->cell(open[2])->text(), QString(QLatin1Char(m_game->right(open[2]))));
        QCOMPARE(get(*m_game->window, "announcer")->accessibleName(),
                 QStringLiteral("%1 revealed, %2")
                     .arg(m_game->right(open[2]))
                     .arg(m_game->cell(open[2])->placeName()));
        m_game->startGame(0, false);
        const int i = m_game->openCells().first();
        QTest::mouseClick(m_game->cell(i), Qt::LeftButton);
        QTest::mouseClick(m_game->cell(i), Qt::LeftButton);
        m_game->type(i, Qt::Key_Menu);
        QCOMPARE(popups, 2);
    }

    // A click on an open cell opened "Réponse" at once, and the digit typed next went to the
    // menu: the toolkit gives the focus before it delivers the press. A click selects the
    // cell; a click on the current cell (a second one, or the first on the cell that has the
    // focus) offers the answer.
    void aClickSelectsBeforeItOffersTheAnswer() {
        m_game->startGame(0, true);
        int popups = 0;
        platform::PopupSeam::replace([&](QMenu &, const QPoint &) {
            ++popups;
            return nullptr;
        });
        const QList<int> open = m_game->openCells();
        QCOMPARE(QApplication::focusWidget(), m_game->cell(open[0]));
        QList<QEvent::Type> order;
        EventLog log(m_game->cell(open[1]), order);
        QTest::mouseClick(m_game->cell(open[1]), Qt::LeftButton);
        // As a real click: the focus first, then the press.
        QCOMPARE(order.mid(0, 2), (QList<QEvent::Type>{QEvent::FocusIn, QEvent::MouseButtonPress}));
        QCOMPARE(popups, 0);
        QTest::keyClick(QApplication::focusWidget(), m_game->right(open[1]));
        QCOMPARE(m_game->cell(open[1])->backColor(), Colour::Green);
        QTest::mouseClick(m_game->cell(open[3]), Qt::LeftButton);
        QCOMPARE(popups, 0);
        QTest::mouseClick(m_game->cell(open[3]), Qt::LeftButton);
        QCOMPARE(popups, 1);
        // Tab gives the focus, and with it the current cell.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_game->cell(open[4]));
        QTest::mouseClick(m_game->cell(open[4]), Qt::LeftButton);
        QCOMPARE(popups, 2);
    }

    // A queued F2 used to start a new game in the middle of the last key's handling: the old
    // game's digit, "Bravo !" and the disabled Finish landed on the new board.
    void queuedNewGameDoesNotRunInsideTheLastKey() {
        m_game->startGame(0, true);
        const QList<int> open = m_game->openCells();
        for (int i : open.mid(0, open.size() - 1))
            m_game->type(i, m_game->right(i));
        const qint16 oldGrid = m_game->window->state().NumGrille;
        platform::ModalSeam::replace([&](QDialog &dialog) {
            m_game->platform.messages
                << platform::MessageRequest{QStringLiteral("new game"), 0, {}};
            get<QPushButton>(dialog, "cmdOK")->click();
        });
        QTimer::singleShot(0, m_game->window.get(),
                           [this] { QTest::keyClick(m_game->window.get(), Qt::Key_F2); });
        m_game->type(open.last(), m_game->right(open.last()));
        QCOMPARE(m_game->platform.texts(), QStringList{"Bravo !"});
        QCOMPARE(m_game->platform.messages[0].style, 64 + 65536);
        QCOMPARE(m_game->platform.messages[0].title, "Vexoro");
        QVERIFY(!get<QAction>(*m_game->window, "mnuFinir")->isEnabled());
        QCOMPARE(m_game->window->state().NumGrille, oldGrid);
        QTRY_COMPARE(m_game->platform.texts(), QStringList({"Bravo !", "new game"}));
        QCOMPARE(m_game->openCells().size(), 40);
        for (int i : m_game->openCells())
            QVERIFY(m_game->cell(i)->text().isEmpty());
        QVERIFY(get<QAction>(*m_game->window, "mnuFinir")->isEnabled());
    }

    // A flag sets the language for the run and the next start, and captions the menus; when
    // start.ini cannot be written the player is told and the language holds for the run.
    void languageChooser_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("written") << true;
        QTest::newRow("folder in the file's place") << false;
    }
    void languageChooser() {
        QFETCH(bool, writable);
        const QString ini = m_game->platform.folder.filePath(QStringLiteral("start.ini"));
        QVERIFY(writable || QDir().mkdir(ini));
        m_game->withDialog("Language", [](QDialog &dialog) {
            get(dialog, "cmdLangue_2")->setFocus();
            QTest::keyClick(get(dialog, "cmdLangue_2"), Qt::Key_Return);
            QVERIFY(!dialog.isVisible());
        });
        QCOMPARE(modLangue::NumLangue, 3.0f);
        QCOMPARE(get<QAction>(*m_game->window, "mnuFichier")->text(), "&Datei");
        QCOMPARE(get<QAction>(*m_game->window, "Language")->text(), "Change &Language");
        QCOMPARE(bytesOf(ini), writable ? "[LastOpen]\r\nLanguage=3\r\n" : "");
        QCOMPARE(m_game->platform.texts(),
                 writable ? QStringList()
                          : QStringList{"Could not save the Language for the next start"});
    }

    // The chooser's flags were once swapped: each button shows its country's flag, read by its
    // colours left, above, right and below the middle, and is named after its language.
    void chooserShowsEachLanguagesFlag() {
        const std::pair<const char *, QColor> colours[] = {
            {"k", Qt::black},           {"w", Qt::white},          {"r", QColor(220, 20, 40)},
            {"y", QColor(250, 200, 0)}, {"g", QColor(0, 150, 70)}, {"b", QColor(0, 80, 170)}};
        const auto nearest = [&](QColor c) {
            const auto distance = [&](const QColor &d) {
                return std::abs(c.red() - d.red()) + std::abs(c.green() - d.green()) +
                       std::abs(c.blue() - d.blue());
            };
            return std::min_element(
                       std::begin(colours), std::end(colours),
                       [&](auto a, auto b) { return distance(a.second) < distance(b.second); })
                ->first;
        };
        QStringList seen;
        m_game->withDialog("Language", [&](QDialog &dialog) {
            for (int i = 0; i < 5; ++i) {
                auto *flag =
                    get<QPushButton>(dialog, qPrintable(QStringLiteral("cmdLangue_%1").arg(i)));
                const QImage image = flag->icon().pixmap(flag->iconSize()).toImage();
                const qreal scale = image.width() / 32.0;
                QString letters;
                for (QPoint at : {QPoint(5, 16), QPoint(16, 8), QPoint(26, 16), QPoint(16, 24)})
                    letters += QLatin1String(nearest(image.pixelColor(at * scale)));
                // What hovering shows and what a screen reader says of the flag.
                seen << letters + u' ' + flag->toolTip() + u'/' +
                            QAccessible::queryAccessibleInterface(flag)->text(QAccessible::Name);
            }
            dialog.reject();
        });
        // English, French, German, Italian, Spanish.
        QCOMPARE(seen, QStringList({"rrrr English/English", "bwrw Français/Français",
                                    "rkry Deutsch/Deutsch", "gwrw Italiano/Italiano",
                                    "yryr Spanish/Spanish"}));
    }

    // The link starts the browser and closes the box whatever happened, saying when the
    // browser did not start; the browser found is kept for later openings. A screen reader
    // presses the link through its action. Each dialog is named after its command, and Enter
    // on OK closes the About box.
    void dialogsAndTheAboutBoxLink() {
        int lookups = 0;
        QStringList launched, names;
        platform::LookupSeam::replace([&](const QString &, const QString &page) {
            ++lookups;
            return QStringList{QStringLiteral("/opt/browser"), page};
        });
        platform::LaunchSeam::replace([&](const QString &program, const QStringList &arguments) {
            launched << program + u' ' + arguments.join(u' ');
            return launched.size() == 1;
        });
        for (const char *command : {"mnuNew", "Language", "mnuInfo", "mnuInfo", "mnuInfo"}) {
            m_game->withDialog(command, [&](QDialog &dialog) {
                names << dialog.accessibleName();
                dialog.show(); // as it comes: over the game, when the screen has room
                QVERIFY(names.size() > 1 ||
                        (dialog.geometry().center() - m_game->window->geometry().center())
                                .manhattanLength() < 40);
                QWidget *link = get(dialog, "lblLien");
                if (link) { // the heading, then the legend of the three keys
                    QCOMPARE(get<QLabel>(dialog, "Label4")->text(), "Keyboard shortcuts :");
                    QCOMPARE(QAccessible::queryAccessibleInterface(get(dialog, "Label4"))->role(),
                             QAccessible::StaticText); // only the link is one
                    QStringList pictureAndLink;
                    for (const char *name : {"Image1", "Image2", "lblLien"})
                        pictureAndLink << QAccessible::queryAccessibleInterface(get(dialog, name))
                                              ->text(QAccessible::Name);
                    QCOMPARE(pictureAndLink,
                             QStringList({"Emblem", "VEXORO", "www.example.org/vexoro/"}));
                    QVERIFY(get<QLabel>(dialog, "Label3")
                                ->text()
                                .contains(QRegularExpression(QStringLiteral(
                                    "^F2 New railing +F4 Finish the railing +F3 Exit$"))));
                }
                if (!link || names.size() == 5)
                    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
                else if (names.size() == 3) // at its far corner: all its 2775 x 255 twips
                    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(184, 16));
                else { // as a screen reader does: the action it is offered
                    QAccessibleActionInterface *actions =
                        QAccessible::queryAccessibleInterface(link)->actionInterface();
                    QCOMPARE(actions->actionNames(),
                             QStringList{QAccessibleActionInterface::pressAction()});
                    actions->doAction(actions->actionNames().value(0));
                }
                QVERIFY(!dialog.isVisible());
            });
            // The first start succeeded, the second did not.
            QCOMPARE(m_game->platform.messages.size(), names.size() < 4 ? 0 : 1);
        }
        platform::LookupSeam::replace({});
        platform::LaunchSeam::replace({});
        QCOMPARE(names, QStringList({"New", "Change Language", "VEXORO", "VEXORO", "VEXORO"}));
        QCOMPARE(lookups, 1);
        QCOMPARE(launched, QStringList(2, QStringLiteral("/opt/browser www.example.org/vexoro/")));
        QCOMPARE(m_game->platform.texts(), QStringList{"Web Page not Opened"});
        QCOMPARE(
            QAccessible::queryAccessibleInterface(m_game->window.get())->text(QAccessible::Name),
            QStringLiteral("Vexoro"));
    }

    // The measure the palettes are judged by, against WCAG 2's worked values: each channel's
    // weight, below and above the knee of its curve.
    void contrastIsWcags_data() {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QColor>("ground");
        QTest::addColumn<double>("ratio");
        QTest::newRow("white on black") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
        QTest::newRow("#767676 on white") << QColor(0x767676) << QColor(Qt::white) << 4.5422;
        QTest::newRow("red on black") << QColor(Qt::red) << QColor(Qt::black) << 5.252;
        QTest::newRow("darkest red") << QColor(10, 0, 0) << QColor(Qt::black) << 1.01291;
        QTest::newRow("darkest green") << QColor(0, 10, 0) << QColor(Qt::black) << 1.04342;
        QTest::newRow("darkest blue") << QColor(0, 0, 10) << QColor(Qt::black) << 1.00438;
    }
    void contrastIsWcags() {
        QFETCH(QColor, colour);
        QFETCH(QColor, ground);
        QFETCH(double, ratio);
        QVERIFY(std::abs(platform::contrastRatio(colour, ground) - ratio) < 1e-4 * ratio);
        QVERIFY(std::abs(platform::contrastRatio(ground, colour) - ratio) < 1e-4 * ratio);
    }

    // Texts vanished on a dark palette: the About box's legend (1.0:1), its link (1.8:1), the
    // chooser's title (1.9:1) and wrong digits (2.7:1); locked digits were drawn in the
    // palette's disabled grey, 1.4:1 against cyan and green, and 3.7:1 on red.
    void everyTextReadsOnEveryPalette_data() {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("text");    // a cell's state, or "command/label" in its dialog
        QTest::addColumn<double>("contrast"); // the least its core must reach
        for (bool dark : {false, true}) {
            const char *palette = dark ? "dark" : "default";
            QTest::addRow("%s: given", palette) << dark << "given" << 4.5;
            QTest::addRow("%s: solved", palette) << dark << "solved" << 4.5;
            QTest::addRow("%s: corrected", palette) << dark << "corrected" << 5.0;
            QTest::addRow("%s: right after Finish", palette) << dark << "finished" << 4.5;
            QTest::addRow("%s: open", palette) << dark << "open" << 4.5;
            QTest::addRow("%s: About box legend", palette) << dark << "mnuInfo/Label3" << 4.5;
            QTest::addRow("%s: About box link", palette) << dark << "mnuInfo/lblLien" << 4.5;
            QTest::addRow("%s: chooser's title", palette) << dark << "Language/Label1" << 4.5;
        }
        QTest::addRow("dark: wrong digit") << true << "wrong" << 4.5;
        QTest::addRow("dark: outline between open cells") << true << "outline" << 3.0;
    }
    void everyTextReadsOnEveryPalette() {
        QFETCH(bool, dark);
        QFETCH(QString, text);
        QFETCH(double, contrast);
        const QPalette before = QApplication::palette();
        // Switched while the game runs, after the window or the dialog is built.
        const auto night = [&] {
            if (dark)
                QApplication::setPalette(dusk(before));
            QCoreApplication::processEvents(); // the change reaches the widgets
        };
        QImage image;
        if (text.contains(u'/')) {
            m_game->withDialog(qPrintable(text.section(u'/', 0, 0)), [&](QDialog &dialog) {
                night();
                // Through the parent, as on screen: a widget's own grab() paints its background
                // whether or not it fills it.
                const QWidget *widget = get(dialog, qPrintable(text.section(u'/', 1)));
                image = widget->parentWidget()->grab(widget->geometry()).toImage();
                dialog.reject();
            });
        } else if (text == QLatin1String("outline")) {
            // Across the line where two empty cells meet, in the middle of their height.
            for (int i : {39, 40}) {
                m_game->cell(i)->setBackColor(Colour::WindowBackground);
                m_game->cell(i)->setEnabled(true);
            }
            night();
            const QRect left = m_game->cell(39)->geometry(), right = m_game->cell(40)->geometry();
            image = get(*m_game->window, "fraGrille")
                        ->grab(QRect(right.left() - 4, left.center().y() - 2, 9, 5))
                        .toImage();
        } else {
            const QHash<QString, std::tuple<Colour, Colour, bool>> cells{
                {"given", {Colour::Cyan, Colour::WindowText, true}},
                {"solved", {Colour::Green, Colour::WindowText, true}},
                {"corrected", {Colour::Red, Colour::WindowText, true}},
                {"finished", {Colour::WindowBackground, Colour::WindowText, true}},
                {"open", {Colour::WindowBackground, Colour::WindowText, false}},
                {"wrong", {Colour::WindowBackground, Colour::Red, false}}};
            const auto [back, fore, locked] = cells.value(text);
            CellEdit *cell = m_game->cell(40);
            cell->setText(QStringLiteral("8"));
            cell->setBackColor(back);
            cell->setForeColor(fore);
            cell->setEnabled(!locked);
            night();
            // The digit's middle half, clear of the cell's border.
            const QImage whole = cell->grab().toImage();
            image = whole.copy(whole.width() / 4, 4, whole.width() / 2, whole.height() - 8);
        }
        QApplication::setPalette(before);
        // The background is the commonest colour; the text's core, its pixel that stands out most.
        QHash<QRgb, int> counts;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                ++counts[image.pixel(x, y)];
        }
        const QColor ground = QColor::fromRgb(
            std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
                return a.second < b.second;
            })->first);
        double best = 1.0;
        for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it)
            best = std::max(best, platform::contrastRatio(QColor::fromRgb(*it), ground));
        QVERIFY2(best >= contrast, qPrintable(QString::number(best)));
    }

    // The window is placed once, when its frame is known: a window the player moves stays.
    void aMovedWindowStaysWhereMoved() {
        QWidget &window = *m_game->window;
        const auto settle = [] { // the events of a move, and what they post
            for (int round = 0; round < 3; ++round)
                QCoreApplication::processEvents();
        };
        // Offscreen, the frame is first seen at a move after the window shows; it is placed
        // then: centred, the client area below the menu bar 855 twips from the screen's top.
        window.move(window.pos() + QPoint(1, 1));
        settle();
        const QRect screen = window.screen()->geometry(), frame = window.frameGeometry();
        if (frame.width() <= screen.width() && frame.height() + 57 <= screen.height()) {
            QCOMPARE(frame.left(), screen.left() + (screen.width() - frame.width()) / 2);
            QCOMPARE(window.geometry().top() + m_game->window->menuBar()->height(),
                     screen.top() + 57);
        }
        const QPoint moved = window.pos() + QPoint(37, 23);
        window.move(moved);
        settle();
        QCOMPARE(window.pos(), moved);
    }

    // On a screen a few pixels taller than the frame, the frame goes up just enough to show
    // its foot: whole, inside the free area, its bottom edge on the area's.
    void frameFitsAShortScreen() {
        const QRect frame(100, 100, 413, 407), window(102, 122, 409, 383); // a 20 px title bar
        const QRect screen(0, 0, 1280, 410);
        const QRect placed(FramePosition(screen, screen, frame, window, 21, 57), frame.size());
        QCOMPARE(placed.bottom(), screen.bottom());
    }

    // "Browser Not Found" opened at the screen's corner: its owner was the active window, the
    // frameless About box, whose place the toolkit did not know. Every box belongs to the game.
    void messageBoxesBelongToTheGame() {
        QStringList seen;
        m_game->withDialog("mnuInfo", [&](QDialog &about) {
            about.show();
            QApplication::setActiveWindow(&about);
            platform::MessageSeam::replace({});
            for (int style : {platform::Exclamation, platform::Information}) {
                QTimer::singleShot(0, &about, [&] {
                    if (auto *box =
                            qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                        seen << QStringLiteral("%1 %2").arg(
                            box->parentWidget() == m_game->window.get() ? "game" : "other",
                            box->icon() == QMessageBox::Warning ? "warning" : "information");
                        box->done(0);
                    }
                });
                platform::showMessage(QStringLiteral("!"), style);
            }
            about.reject();
        });
        // And each with the icon of its style: "Browser Not Found" a warning, "Bravo !" not.
        QCOMPARE(seen, QStringList({"game warning", "game information"}));
    }

    // Every window as the player sees it, pixel for pixel, against the pictures looked at and
    // kept in tests/game_window/looks/: a control moved, resized, recoloured or left without
    // its frame shows. VEXORO_NEW_LOOKS=1 writes the pictures anew, to be looked at before
    // they are kept.
    // On a dark palette too, switched while the game runs: the fixed colours made readable;
    // in German, whose shortcuts heading fits at its full size.
    void everyWindowLooksAsKept_data() {
        QTest::addColumn<QString>("command"); // the dialog, or the window at start or in a game
        for (const char *name : {"opening", "game", "mnuNew", "Language", "mnuInfo", "Bravo",
                                 "dark-game", "dark-mnuInfo"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void everyWindowLooksAsKept() {
        QFETCH(QString, command);
        QApplication::setCursorFlashTime(0); // the caret stays, rather than blinking
        const QPalette before = QApplication::palette();
        const bool dark = command.startsWith(QLatin1String("dark-"));
        const QString what = command.section(u'-', -1);
        if (dark) {
            modLangue::NumLangue = 3;
            m_game->window->ChangeLangue();
            QApplication::setPalette(dusk(before));
        }
        QImage image;
        if (what.startsWith(u'm') || what == QLatin1String("Language")) {
            m_game->withDialog(qPrintable(what), [&](QDialog &dialog) {
                image = dialog.grab().toImage();
                dialog.reject();
            });
        } else if (what == QLatin1String("Bravo")) {
            // Under a large font, where the title sets the box's width.
            const QFont font = QApplication::font();
            QApplication::setFont(QFont(font.family(), 16));
            platform::MessageSeam::replace({});
            QTimer::singleShot(0, m_game->window.get(), [&] {
                if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                    image = box->grab().toImage();
                    box->done(0);
                }
            });
            platform::showMessage(QStringLiteral("Bravo !"), platform::Information);
            QApplication::setFont(font);
        } else {
            if (what == QLatin1String("game")) {
                m_game->startGame(2, true); // the grid the fixed seed deals
                // A wrong digit and a solved cell, in the first two open cells.
                const QList<int> open = m_game->openCells();
                m_game->cell(open[0])->setText(QStringLiteral("8"));
                m_game->cell(open[0])->setForeColor(Colour::Red);
                m_game->cell(open[1])->setText(QStringLiteral("8"));
                m_game->cell(open[1])->setBackColor(Colour::Green);
                m_game->cell(open[1])->setEnabled(false);
            }
            // Seen dark while another window has the focus, as behind a message box.
            QWidget other;
            if (dark) {
                other.show();
                other.activateWindow();
                QTRY_VERIFY(!m_game->window->isActiveWindow());
            }
            image = m_game->window->grab().toImage();
        }
        QApplication::setPalette(before);
        const QString name = QStringLiteral("%1@%2.png").arg(command).arg(image.devicePixelRatio());
        const QString kept = QStringLiteral(VEXORO_LOOKS "/") + name;
        if (qEnvironmentVariableIntValue("VEXORO_NEW_LOOKS"))
            QVERIFY(image.save(kept));
        const QString drawn = QDir::temp().filePath(QStringLiteral("vexoro-looks-") + name);
        const QImage expected(kept);
        const bool same = image.convertToFormat(QImage::Format_ARGB32) ==
                          expected.convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(same || !image.save(drawn),
                 qPrintable(QStringLiteral("%1 differs from %2: look at both").arg(drawn, kept)));
    }

    // No text is clipped in any window, in any language, at any level (run at scale 1 and 2),
    // and none is missing.
    void noTextIsClipped_data() {
        QTest::addColumn<int>("language");
        int language = 1;
        for (const char *name : {"English", "French", "German", "Italian", "Spanish"})
            QTest::newRow(name) << language++;
    }
    void noTextIsClipped() {
        QFETCH(int, language);
        modLangue::NumLangue = float(language);
        m_game->window->ChangeLangue();
        QStringList clipped;
        for (int level = 0; level <= 5; ++level) {
            m_game->startGame(level, true);
            clipped << clippedIn(*m_game->window);
        }
        for (const char *command : {"mnuNew", "Language", "mnuInfo"}) {
            m_game->withDialog(command, [&](QDialog &dialog) {
                for (int level = 0; level <= 5; ++level) {
                    if (auto *list = get<QComboBox>(dialog, "cmbChoix"))
                        list->setCurrentIndex(level);
                    clipped << clippedIn(dialog);
                }
                dialog.reject();
            });
        }
        clipped.removeDuplicates();
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
        // Each command of the menus has a caption of its own.
        QStringList captions;
        for (const QAction *action : m_game->window->findChildren<QAction *>())
            if (!action->objectName().isEmpty() && !action->isSeparator())
                captions << action->text();
        QVERIFY(!captions.contains(QString()));
        QCOMPARE(QSet<QString>(captions.begin(), captions.end()).size(), captions.size());
    }

    // A screen reader reads the board as a 9 x 9 table of its cells, givens included, in the
    // player's language.
    void boardIsATableInThePlayersLanguage() {
        modLangue::NumLangue = 3;
        m_game->window->ChangeLangue();
        QCOMPARE(QAccessible::queryAccessibleInterface(get(*m_game->window, "Image1"))
                     ->text(QAccessible::Name),
                 QStringLiteral("Vexoro")); // the picture before the first game
        m_game->startGame(0, true);
        QAccessibleInterface *board =
            QAccessible::queryAccessibleInterface(get(*m_game->window, "fraGrille"));
        QAccessibleTableInterface *table = board->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount() * 10 + table->columnCount(), 99);
        QVERIFY(!table->cellAt(0, 9) && !table->cellAt(9, 0) && !table->cellAt(-1, 0) &&
                !table->cellAt(1, -1));
        QCOMPARE(table->cellAt(8, 0), QAccessible::queryAccessibleInterface(m_game->cell(72)));
        QCOMPARE(table->cellAt(0, 8), QAccessible::queryAccessibleInterface(m_game->cell(8)));
        // Nothing is ever selected: a screen reader would say "selected" of rows and cells.
        QVERIFY(!table->selectedCellCount() && !table->selectedColumnCount() &&
                !table->selectedRowCount() && table->selectedCells().isEmpty() &&
                table->selectedColumns().isEmpty() && table->selectedRows().isEmpty() &&
                !table->isRowSelected(0) && !table->isColumnSelected(0) && !table->selectRow(0) &&
                !table->selectColumn(0) && !table->unselectRow(0) && !table->unselectColumn(0));
        QCOMPARE(board->text(QAccessible::Name), QStringLiteral("Spielfeld"));
        // Row 3, column 8, made a given whatever the grid.
        const int given = 2 * 9 + 7;
        m_game->cell(given)->setText(QString(QLatin1Char(m_game->right(given))));
        m_game->cell(given)->setBackColor(Colour::Cyan);
        m_game->cell(given)->setEnabled(false);
        QAccessibleInterface *cell = table->cellAt(2, 7);
        QCOMPARE(cell->object(), m_game->cell(given));
        QCOMPARE(cell->tableCellInterface()->rowIndex(), 2);
        QCOMPARE(cell->tableCellInterface()->columnIndex(), 7);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("Zeile 3, Spalte 8"));
        QCOMPARE(cell->text(QAccessible::Value), QString(QLatin1Char(m_game->right(given))));
        QCOMPARE(cell->text(QAccessible::Description), QStringLiteral("vorgegeben"));
        modLangue::NumLangue = 4; // and then in the language chosen during the game
        m_game->window->ChangeLangue();
        QCOMPARE(cell->text(QAccessible::Description), QStringLiteral("data"));
        QVERIFY(cell->state().readOnly && !cell->state().disabled);
        // One cell a digit wide, unselected, read character by character as its digit.
        QAccessibleTableCellInterface *place = cell->tableCellInterface();
        QAccessibleTextInterface *digit = cell->textInterface();
        int start = -1, end = -1;
        digit->attributes(0, &start, &end);
        QVERIFY(!place->isSelected() && place->rowExtent() == 1 && place->columnExtent() == 1 &&
                place->table() == board && digit->selectionCount() == 0 &&
                digit->characterCount() == 1 && start == 0 && end == 1 &&
                digit->cursorPosition() == 1); // the caret after the digit
        QCOMPARE(digit->text(0, 1), QString(QLatin1Char(m_game->right(given))));
    }

    // Judgements used to go unspoken: a wrong digit is told by a notification that appears
    // each time, a right one with the cell that takes the focus after it, once: "where am I"
    // on that cell repeated the verdict.
    void judgementsAreAnnounced() {
        m_game->startGame(0, true);
        const QList<int> open = m_game->openCells();
        QWidget *announcer = get(*m_game->window, "announcer");
        startRecording();
        // The highest and the lowest digit, each in a cell whose answer it is not.
        const auto openWhereNot = [&](char digit, int besides) {
            return *std::find_if(open.begin(), open.end(),
                                 [&](int i) { return i != besides && m_game->right(i) != digit; });
        };
        const int nine = openWhereNot('9', -1), one = openWhereNot('1', nine);
        for (auto [i, digit] : {std::pair{nine, '9'}, std::pair{one, '1'}}) {
            s_events.clear();
            m_game->type(i, digit);
            QVERIFY(s_events.contains({QAccessible::ObjectShow, announcer}));
            QCOMPARE(announcer->accessibleName(), QStringLiteral("%1 wrong").arg(digit));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(m_game->cell(one))
                     ->text(QAccessible::Description),
                 QStringLiteral("wrong"));
        m_game->type(open[0], m_game->right(open[0]));
        QCOMPARE(QApplication::focusWidget(), m_game->cell(open[1]));
        const auto name = [this](int i) {
            return QAccessible::queryAccessibleInterface(m_game->cell(i))->text(QAccessible::Name);
        };
        QCOMPARE(name(open[1]),
                 QStringLiteral("%1 right, %2. %3")
                     .arg(m_game->right(open[0]))
                     .arg(m_game->cell(open[0])->placeName(), m_game->cell(open[1])->placeName()));
        QTRY_COMPARE(name(open[1]), m_game->cell(open[1])->placeName());
        QCOMPARE(name(open[0]), m_game->cell(open[0])->placeName());
        QCOMPARE(QAccessible::queryAccessibleInterface(m_game->cell(open[0]))
                     ->text(QAccessible::Description),
                 QStringLiteral("solved"));

        // Without assistance nothing is judged, nor said, before the grid is full.
        m_game->startGame(0, false);
        const QList<int> blank = m_game->openCells();
        for (int i : blank.mid(1))
            m_game->type(i, m_game->right(i));
        QVERIFY(!announcer->accessibleName().startsWith(QLatin1String("Grid")));
        m_game->type(blank[0], m_game->wrong(blank[0]));
        QCOMPARE(announcer->accessibleName(), QStringLiteral("Grid full, 1 wrong"));
    }

    // Finish used to send 346 events and 38 focus moves, a new game 620 events: the screen
    // reader fell behind. Now the board takes the focus once, named with Finish's summary.
    // Its counts agree with their numbers and follow a change of language.
    void bulkChangesAreQuiet() {
        m_game->startGame(0, true);
        const int first = m_game->openCells().first();
        m_game->type(first, m_game->wrong(first));
        m_game->window->setFocus(); // the board takes the focus wherever it was
        startRecording();
        QTest::keyClick(m_game->window.get(), Qt::Key_F4);
        QCOMPARE(recorded(QAccessible::Focus), QList<QObject *>{get(*m_game->window, "fraGrille")});
        QVERIFY2(s_events.size() < 20, qPrintable(QString::number(s_events.size())));
        QVERIFY(!get<QAction>(*m_game->window, "mnuFinir")->isEnabled());
        const auto boardName = [this] {
            return QAccessible::queryAccessibleInterface(get(*m_game->window, "fraGrille"))
                ->text(QAccessible::Name);
        };
        QCOMPARE(boardName(), QStringLiteral("Board. Grid finished: 39 filled in, 1 corrected"));
        modLangue::NumLangue = 2;
        m_game->window->ChangeLangue();
        QCOMPARE(boardName(), QStringLiteral("Grille. Grille finie : 39 remplies, 1 corrigée"));
        modLangue::NumLangue = 5;
        m_game->window->ChangeLangue();
        QCOMPARE(boardName(),
                 QStringLiteral("Tablero. Cuadrícula acabada: 39 rellenadas, 1 corregida"));
        s_events.clear();
        m_game->startGame(5, true);
        // The first open cell, once, and again as the test hands the window the keyboard back.
        const QList<QObject *> focus = recorded(QAccessible::Focus);
        QCOMPARE(QSet<QObject *>(focus.begin(), focus.end()),
                 QSet<QObject *>{m_game->cell(m_game->openCells().first())});
        QVERIFY2(s_events.size() < 40, qPrintable(QString::number(s_events.size())));
        QCOMPARE(boardName(), QStringLiteral("Tablero")); // the new game is not finished
    }

private:
    // Records what Qt tells assistive technology, which the offscreen platform keeps off.
    static void startRecording() {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
            s_events << std::pair{event->type(), event->object()};
        });
        s_events.clear();
    }
    static QList<QObject *> recorded(QAccessible::Event type) {
        QList<QObject *> objects;
        for (const auto &[t, object] : s_events) {
            if (t == type)
                objects << object;
        }
        return objects;
    }

    static inline QList<std::pair<QAccessible::Event, QObject *>> s_events;
    std::unique_ptr<GameFixture> m_game;
};

QTEST_MAIN(TestGame)
#include "tst_game.moc"
