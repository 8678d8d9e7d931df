// Playing in the real window: the new-game dialog, typing into cells with and without
// assistance, the answer popup, Finish, and the end of a game.
#include "game_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>

using modGrille::Couleur;

class TestGame : public GameTest {
    Q_OBJECT
private slots:
    void firstOpeningOfTheDialog() {
        bool opened = false;
        m_game->newGameDialog([&](frmNew &dlg) {
            opened = true;
            QCOMPARE(dlg.cmbChoix->currentIndex(), 0);
            QCOMPARE(dlg.cmbChoix->count(), 6);
            QCOMPARE(dlg.cmbChoix->itemText(2), QStringLiteral("Means"));
            QVERIFY(dlg.chkAssist->isChecked());
            QCOMPARE(dlg.focusWidget(), dlg.cmdOK);
            QCOMPARE(dlg.cmdOK->text(), QStringLiteral("OK"));
            QCOMPARE(dlg.cmdUndo->text(), QStringLiteral("Cancel"));
            QVERIFY(!dlg.cmdOK->isDefault() && !dlg.cmdUndo->isDefault());
            QVERIFY(!(dlg.windowFlags() & Qt::WindowTitleHint));
            QCOMPARE(dlg.size(), QSize(256, 109));
            // No cancel key: Escape leaves the dialog open.
            QTest::keyClick(&dlg, Qt::Key_Escape);
            QVERIFY(dlg.isVisible());
            QTest::mouseClick(dlg.cmdOK, Qt::LeftButton);
            QVERIFY(!dlg.isVisible());
        });
        QVERIFY(opened);
        QVERIFY(m_game->window->fraGrille->isVisible());
        QVERIFY(m_game->window->lblNiveau->isVisible());
        QVERIFY(!m_game->window->Image1->isVisible());
        QVERIFY(m_game->window->mnuFinir->isEnabled());
        QCOMPARE(m_game->openCells().size(), 40);
        QCOMPARE(m_game->window->lblNiveau->text(),
                 QStringLiteral("Level Beginner       Click in a compartment to have the answer"));
    }

    // Enter did nothing, so F2 then Enter could not start a game from the keyboard.
    void enterPressesTheFocusedButtonOnly_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("open");
        QTest::newRow("OK") << "cmdOK" << true << false;
        QTest::newRow("Annuler") << "cmdUndo" << false << false;
        QTest::newRow("level list") << "cmbChoix" << false << true;
        QTest::newRow("check box") << "chkAssist" << false << true;
    }
    void enterPressesTheFocusedButtonOnly() {
        QFETCH(QString, focus);
        QFETCH(bool, started);
        QFETCH(bool, open);
        bool stillOpen = false;
        m_game->newGameDialog([&](frmNew &dlg) {
            auto *widget = dlg.findChild<QWidget *>(focus);
            QVERIFY(widget);
            widget->setFocus();
            QTest::keyClick(widget, Qt::Key_Return);
            if (dlg.isVisible())
                QTest::keyClick(widget, Qt::Key_Enter);
            stillOpen = dlg.isVisible();
            dlg.reject();
        });
        QCOMPARE(stillOpen, open);
        QCOMPARE(m_game->window->fraGrille->isVisible(), started);
    }

    void levelLineInFrench() {
        modLangue::NumLangue = 2;
        m_game->startGame(0, true);
        QCOMPARE(m_game->window->lblNiveau->text(),
                 QStringLiteral("Niveau Débutant       click dans une case pour avoir la réponse"));
    }

    void cancelChangesNothingButKeepsTheLevel() {
        m_game->startGame(1, true);
        const QString before = m_game->window->lblNiveau->text();
        QList<QString> cells;
        for (CellEdit *cell : m_game->window->txtCh)
            cells << cell->text();
        const qint16 grille = modGrille::NumGrille;
        m_game->newGameDialog([](frmNew &dlg) {
            dlg.cmbChoix->setCurrentIndex(5);
            dlg.chkAssist->setChecked(false);
            QTest::mouseClick(dlg.cmdUndo, Qt::LeftButton);
        });
        QCOMPARE(modGrille::NumGrille, grille);
        QCOMPARE(m_game->window->lblNiveau->text(), before);
        for (int i = 0; i < 81; ++i)
            QCOMPARE(m_game->cell(i)->text(), cells[i]);
        QVERIFY(!modGrille::SansAssistance);
        QVERIFY(m_game->window->mnuFinir->isEnabled());
        m_game->newGameDialog([](frmNew &dlg) {
            QCOMPARE(dlg.cmbChoix->currentText(), QStringLiteral("Expert"));
            QVERIFY(dlg.chkAssist->isChecked()); // only OK records the assistance choice
            dlg.chkAssist->setChecked(false);
            QTest::mouseClick(dlg.cmdOK, Qt::LeftButton);
        });
        QCOMPARE(m_game->openCells().size(), 65);
        QVERIFY(modGrille::SansAssistance);
        m_game->newGameDialog([](frmNew &dlg) {
            QVERIFY(!dlg.chkAssist->isChecked());
            QTest::mouseClick(dlg.cmdUndo, Qt::LeftButton);
        });
    }

    void emptySelectionIsRefusedInFrench() {
        m_game->newGameDialog([&](frmNew &dlg) {
            dlg.cmbChoix->setCurrentIndex(-1);
            QTest::mouseClick(dlg.cmdOK, Qt::LeftButton);
            QVERIFY(dlg.isVisible());
            QTest::mouseClick(dlg.cmdUndo, Qt::LeftButton);
        });
        QCOMPARE(m_game->platform.messages.size(), 1);
        const auto &msg = m_game->platform.messages.first();
        QCOMPARE(msg.text, QStringLiteral("Veuillez choisir la difficulté"));
        QCOMPARE(msg.style, 48 + 65536);
        QCOMPARE(msg.title, QStringLiteral("Vexoro"));
        QCOMPARE(modGrille::NumGrille, qint16(0));
        QVERIFY(!m_game->window->fraGrille->isVisible());
    }

    // The keys' way from the cell to the handler; the handler's rules are tested on their own.
    void keysIntoACell_data() {
        QTest::addColumn<bool>("assistance");
        QTest::addColumn<QString>("keys"); // 'R' right digit, 'W' wrong digit, others as typed
        QTest::addColumn<QString>("text"); // the same letters for the expected text
        QTest::addColumn<bool>("red");
        QTest::addColumn<bool>("locked");
        QTest::newRow("assisted: wrong digit") << true << "W"
                                               << "W" << true << false;
        QTest::newRow("assisted: right digit locks") << true << "R"
                                                     << "R" << false << true;
        QTest::newRow("assisted: digit replaces digit") << true << "WR"
                                                        << "R" << false << true;
        QTest::newRow("assisted: Enter empties") << true << "W\r"
                                                 << "" << true << false;
        QTest::newRow("assisted: Escape empties") << true << "W\x1b"
                                                  << "" << true << false;
        QTest::newRow("assisted: Backspace keeps colours") << true << "W\b"
                                                           << "" << true << false;
        QTest::newRow("unassisted: wrong digit") << false << "W"
                                                 << "W" << false << false;
        QTest::newRow("unassisted: letter empties") << false << "Wa"
                                                    << "" << false << false;
    }
    void keysIntoACell() {
        QFETCH(bool, assistance);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(bool, red);
        QFETCH(bool, locked);
        m_game->startGame(0, assistance);
        const int i = m_game->openCells().first();
        auto letter = [&](QChar c) {
            return c == u'R' ? m_game->right(i) : c == u'W' ? m_game->wrong(i) : char(c.unicode());
        };
        for (QChar key : keys)
            m_game->type(i, letter(key));
        QString expected;
        for (QChar c : text)
            expected += QLatin1Char(letter(c));
        QCOMPARE(m_game->cell(i)->text(), expected);
        QCOMPARE(m_game->cell(i)->foreColor() == Couleur::Rouge, red);
        QCOMPARE(!m_game->cell(i)->isEnabled(), locked);
        QCOMPARE(m_game->cell(i)->backColor(), locked ? Couleur::Vert : Couleur::FondFenetre);
        QVERIFY(m_game->platform.messages.isEmpty());
    }

    void deleteKeepsItsOrdinaryEffect() {
        m_game->startGame(0, true);
        const int i = m_game->openCells().first();
        m_game->type(i, m_game->wrong(i));
        m_game->typeKey(i, Qt::Key_Delete); // caret after the digit: nothing to delete
        QCOMPARE(m_game->cell(i)->text().size(), 1);
        m_game->typeKey(i, Qt::Key_Home);
        m_game->typeKey(i, Qt::Key_Delete);
        QCOMPARE(m_game->cell(i)->text(), QString());
        QCOMPARE(m_game->cell(i)->foreColor(), Couleur::Rouge); // Delete is not judged
    }

    void noOtherEditingPathPutsForeignTextInACell_data() {
        QTest::addColumn<int>("path");
        QTest::newRow("Ctrl+V") << 0;
        QTest::newRow("Shift+Insert") << 1;
        QTest::newRow("input method") << 2;
        QTest::newRow("Ctrl+Z") << 3;
        QTest::newRow("middle click") << 4;
    }
    void noOtherEditingPathPutsForeignTextInACell() {
        QFETCH(int, path);
        m_game->startGame(0, false);
        const int i = m_game->openCells().first();
        QGuiApplication::clipboard()->setText(QStringLiteral("12x"));
        QGuiApplication::clipboard()->setText(QStringLiteral("12x"), QClipboard::Selection);
        m_game->type(i, '4');
        switch (path) {
        case 0:
            m_game->typeKey(i, Qt::Key_V, Qt::ControlModifier);
            break;
        case 1:
            m_game->typeKey(i, Qt::Key_Insert, Qt::ShiftModifier);
            break;
        case 2: {
            QInputMethodEvent event;
            event.setCommitString(QStringLiteral("77"));
            QCoreApplication::sendEvent(m_game->cell(i), &event);
            break;
        }
        case 3:
            m_game->type(i, '5');
            m_game->typeKey(i, Qt::Key_Z, Qt::ControlModifier);
            break;
        case 4:
            QTest::mouseClick(m_game->cell(i), Qt::MiddleButton);
            break;
        }
        const QString text = m_game->cell(i)->text();
        QVERIFY2(text.isEmpty() || (text.size() == 1 && text[0] >= u'1' && text[0] <= u'9'),
                 qPrintable(text));
        QVERIFY(!m_game->cell(i)->acceptDrops());
    }

    void tabMovesToTheNextOpenCell() {
        m_game->startGame(5, true);
        const QList<int> open = m_game->openCells();
        m_game->cell(open[0])->setFocus();
        QTest::keyClick(m_game->cell(open[0]), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_game->cell(open[1]));
        QCOMPARE(m_game->window->CaseCourante, qint16(open[1]));
    }

    void assistedGameEndsWithBravo() {
        m_game->startGame(0, true);
        const QList<int> open = m_game->openCells();
        for (int i : open) {
            QVERIFY(m_game->platform.messages.isEmpty());
            m_game->type(i, m_game->right(i));
        }
        QCOMPARE(m_game->platform.messages.size(), 1);
        const auto &msg = m_game->platform.messages.first();
        QCOMPARE(msg.text, QStringLiteral("Bravo !"));
        QCOMPARE(msg.style, 64 + 65536);
        QCOMPARE(msg.title, QStringLiteral("Vexoro"));
        QCOMPARE(m_game->cell(open.last())->text(),
                 QString(QLatin1Char(m_game->right(open.last()))));
        QVERIFY(!m_game->window->mnuFinir->isEnabled());
        QVERIFY(m_game->openCells().isEmpty());
        QVERIFY(!triggerAction(*m_game->window, "mnuFinir"));
    }

    void unassistedGameIsJudgedWhenFull() {
        modLangue::NumLangue = 5;
        m_game->startGame(0, false);
        const QList<int> open = m_game->openCells();
        const int a = open[3], b = open[17];
        for (int i : open)
            m_game->type(i, i == a || i == b ? m_game->wrong(i) : m_game->right(i));
        QVERIFY(m_game->platform.messages.isEmpty());
        for (int i : open)
            QCOMPARE(m_game->cell(i)->foreColor(),
                     i == a || i == b ? Couleur::Rouge : Couleur::TexteFenetre);
        m_game->type(a, m_game->right(a));
        QVERIFY(m_game->platform.messages.isEmpty());
        m_game->type(b, m_game->right(b));
        QCOMPARE(m_game->platform.messages.size(), 1);
        QCOMPARE(m_game->platform.messages.first().text, QStringLiteral("¡ Bravo!"));
        QVERIFY(!m_game->window->mnuFinir->isEnabled());
        QCOMPARE(m_game->openCells(), open); // the player's cells stay editable
        m_game->type(a, m_game->right(a));   // still right: the message comes again
        QCOMPARE(m_game->platform.messages.size(), 2);
    }

    void popupRevealsTheCurrentCell() {
        m_game->startGame(0, true);
        QList<QMenu *> popups;
        platform::setPopupHandler([&](QMenu &menu, const QPoint &) {
            popups << &menu;
            return menu.actions().value(0);
        });
        const int i = m_game->openCells().first();
        m_game->type(i, m_game->wrong(i));
        QTest::mouseClick(m_game->cell(i), Qt::RightButton);
        QTest::mouseClick(m_game->cell(i), Qt::MiddleButton);
        QVERIFY(popups.isEmpty());
        QTest::mouseClick(m_game->cell(i), Qt::LeftButton);
        QCOMPARE(popups, QList<QMenu *>{m_game->window->mnuAide});
        QCOMPARE(m_game->cell(i)->text(), QString(QLatin1Char(m_game->right(i))));
        QCOMPARE(m_game->cell(i)->backColor(), Couleur::Vert);
        QCOMPARE(m_game->cell(i)->foreColor(), Couleur::TexteFenetre);
        QVERIFY(!m_game->cell(i)->isEnabled());
    }

    void menuKeyOffersThePopupFromTheKeyboard_data() {
        QTest::addColumn<bool>("assistance");
        QTest::newRow("with assistance") << true;
        QTest::newRow("without assistance") << false;
    }
    void menuKeyOffersThePopupFromTheKeyboard() {
        QFETCH(bool, assistance);
        m_game->startGame(0, assistance);
        int popups = 0;
        platform::setPopupHandler([&](QMenu &menu, const QPoint &) {
            ++popups;
            return menu.actions().value(0);
        });
        const int i = m_game->openCells().last();
        m_game->typeKey(i, Qt::Key_Menu);
        QCOMPARE(popups, assistance ? 1 : 0);
        QCOMPARE(m_game->cell(i)->isEnabled(), !assistance);
        if (assistance)
            QCOMPARE(m_game->cell(i)->text(), QString(QLatin1Char(m_game->right(i))));
    }

    void noPopupWithoutAssistance() {
        m_game->startGame(0, false);
        int popups = 0;
        platform::setPopupHandler([&](QMenu &, const QPoint &) -> QAction * {
            ++popups;
            return nullptr;
        });
        const int i = m_game->openCells().first();
        QTest::mouseClick(m_game->cell(i), Qt::LeftButton);
        QTest::mouseClick(m_game->cell(i), Qt::LeftButton);
        QCOMPARE(popups, 0);
    }

    void answerOnTheLastCellLeavesFinishEnabled() {
        m_game->startGame(0, true);
        platform::setPopupHandler(
            [](QMenu &menu, const QPoint &) { return menu.actions().value(0); });
        const QList<int> open = m_game->openCells();
        for (int i : open.mid(1))
            m_game->type(i, m_game->right(i));
        QTest::mouseClick(m_game->cell(open[0]), Qt::LeftButton);
        QCOMPARE(m_game->platform.messages.size(), 1);
        QVERIFY(m_game->window->mnuFinir->isEnabled());
        QVERIFY(triggerAction(*m_game->window, "mnuFinir"));
        QVERIFY(!m_game->window->mnuFinir->isEnabled());
        QCOMPARE(m_game->platform.messages.size(), 1);
    }

    void finishWithF4() {
        m_game->startGame(0, false);
        const QList<int> open = m_game->openCells();
        const int rightCell = open[0], wrongCell = open[1], emptyCell = open[2];
        m_game->type(rightCell, m_game->right(rightCell));
        m_game->type(wrongCell, m_game->wrong(wrongCell));
        QTest::keyClick(m_game->window.get(), Qt::Key_F4);
        for (int i = 0; i < 81; ++i) {
            QCOMPARE(m_game->cell(i)->text(), QString(QLatin1Char(m_game->right(i))));
            QVERIFY(!m_game->cell(i)->isEnabled());
        }
        QCOMPARE(m_game->cell(rightCell)->backColor(), Couleur::FondFenetre);
        QCOMPARE(m_game->cell(wrongCell)->backColor(), Couleur::Rouge);
        QCOMPARE(m_game->cell(emptyCell)->backColor(), Couleur::Vert);
        QVERIFY(!m_game->window->mnuFinir->isEnabled());
        QVERIFY(m_game->platform.messages.isEmpty());
    }

    // A queued F2 must not start a new game in the middle of the last key's handling:
    // the old game's digit, "Bravo !" and the disabled Finish would land on the new board.
    void queuedNewGameDoesNotRunInsideTheLastKey() {
        m_game->startGame(0, true);
        const QList<int> open = m_game->openCells();
        for (int i : open.mid(0, open.size() - 1))
            m_game->type(i, m_game->right(i));
        const int last = open.last();
        const qint16 oldGrid = modGrille::NumGrille;

        QStringList events;
        platform::setMessageHandler([&](const platform::MessageRequest &r) { events << r.text; });
        platform::setModalHandler([&](QDialog &dialog) {
            events << QStringLiteral("new game");
            QTest::mouseClick(static_cast<frmNew &>(dialog).cmdOK, Qt::LeftButton);
        });
        // F2 waits in the event queue while the last digit is typed.
        QTimer::singleShot(0, m_game->window.get(),
                           [this] { QTest::keyClick(m_game->window.get(), Qt::Key_F2); });
        m_game->type(last, m_game->right(last));
        QCOMPARE(events, QStringList{"Bravo !"});
        QCOMPARE(modGrille::NumGrille, oldGrid);

        QTRY_COMPARE(events, QStringList({"Bravo !", "new game"}));
        // The new game is whole: 40 open empty cells, Finish available.
        QCOMPARE(m_game->openCells().size(), 40);
        for (int i : m_game->openCells())
            QVERIFY(m_game->cell(i)->text().isEmpty());
        QVERIFY(m_game->window->mnuFinir->isEnabled());
    }
};

QTEST_MAIN(TestGame)
#include "tst_game.moc"
