// The language chooser: its layout, and what a flag does to the run, to start.ini and to
// the game window's menus.
#include "app/startup_language.h"
#include "dialogs/dialog_fixture.h"
#include "dialogs/frmLangue.h"
#include "platform/unprivileged_run.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QPushButton>

#include <functional>

namespace {
QByteArray lignes(int langue) {
    return "[LastOpen]\r\nLanguage=" + QByteArray::number(langue) + "\r\n";
}

QByteArray octets(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool ecrire(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}
} // namespace

class TestFrmLangue : public QObject, private DialogFixture {
    Q_OBJECT
private slots:
    void init() { demarrer(); }
    void cleanup() { arreter(); }

    void windowHasNoTitleBarAndItsClientArea() { verifierCadre(frmLangue(*m_window), {620, 124}); }

    void controlRectangles_data() {
        colonnesControle();
        ligneControle(QStringLiteral("Label1"), "frmLangue", QRect(24, 8, 553, 25));
        // Buttons 1680 twips (112 px) apart from 360 twips, 1575 x 855 twips each.
        for (int i = 0; i < 5; ++i)
            ligneControle(QStringLiteral("cmdLangue_%1").arg(i), "frmLangue",
                          QRect(24 + 112 * i, 40, 105, 57));
    }
    void controlRectangles() { verifierControle(frmLangue(*m_window)); }

    void flags_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("picture");
        const auto row = [](const char *name, int index, const QString &toolTip, const char *flag) {
            QTest::newRow(name) << index << toolTip
                                << QStringLiteral(":/images/flag_%1.png").arg(QLatin1String(flag));
        };
        row("United Kingdom", 0, QStringLiteral("English"), "uk");
        row("France", 1, QString::fromUtf8("Français"), "fr");
        row("Germany", 2, QStringLiteral("Deutsch"), "de");
        row("Italy", 3, QStringLiteral("Italiano"), "it");
        row("Spain", 4, QStringLiteral("Spanish"), "es");
    }
    void flags() {
        QFETCH(int, index);
        QFETCH(QString, toolTip);
        QFETCH(QString, picture);
        frmLangue dialog(*m_window);
        QPushButton *button = dialog.cmdLangue[index];
        QCOMPARE(button->toolTip(), toolTip);
        QVERIFY(button->text().isEmpty());
        QCOMPARE(button->iconSize(), QSize(32, 32));
        const QImage expected(picture);
        QCOMPARE(expected.size(), QSize(32, 32));
        QCOMPARE(
            button->icon().pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32),
            expected.convertToFormat(QImage::Format_ARGB32));
    }

    void firstFlagHasTheFocusThenTabFollowsTheRow() {
        frmLangue dialog(*m_window);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.cmdLangue[0]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog.cmdLangue[1]);
    }

    void flagSetsTheLanguageWritesTheLinesAndRecaptions_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("before"); // null: no start.ini
        QTest::addColumn<QString>("fileMenu");
        QTest::addColumn<QString>("newItem");
        const auto row = [](const char *name, int index, const QByteArray &before,
                            const char *fileMenu, const char *newItem) {
            QTest::newRow(name) << index << before << QString::fromLatin1(fileMenu)
                                << QString::fromLatin1(newItem);
        };
        row("English, no file", 0, QByteArray(), "&File", "New");
        row("French over English", 1, lignes(1), "&Fichier", "Nouveau");
        row("German, other lines are gone", 2,
            "[Other]\r\nKey=1\r\n[LastOpen]\r\nLanguage=5\r\nMore=2\r\n", "&Datei", "Neu");
        row("Italian, no file", 3, QByteArray(), "&Schedario", "Nuovo");
        row("Spanish again", 4, lignes(5), "&Fichero", "Nuevo");
    }
    void flagSetsTheLanguageWritesTheLinesAndRecaptions() {
        QFETCH(int, index);
        QFETCH(QByteArray, before);
        QFETCH(QString, fileMenu);
        QFETCH(QString, newItem);
        const QString ini = m_folder->filePath(QStringLiteral("start.ini"));
        if (!before.isNull())
            QVERIFY(ecrire(ini, before));

        choisir([index](frmLangue &chooser) {
            QTest::mouseClick(chooser.cmdLangue[index], Qt::LeftButton);
        });
        QCOMPARE(modLangue::NumLangue, float(index + 1));
        QCOMPARE(octets(ini), lignes(index + 1));
        QCOMPARE(m_window->mnuFichier->menuAction()->text(), fileMenu);
        QCOMPARE(m_window->mnuNew->text(), newItem);
        QVERIFY(m_platform->messages.isEmpty());
        QCOMPARE(m_result, int(QDialog::Accepted));
        QVERIFY(!m_stillOpen);
    }

    void keyOnTheFocusedFlagChooses_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Space") << Qt::Key_Space;
        QTest::newRow("Return") << Qt::Key_Return;
        QTest::newRow("Enter") << Qt::Key_Enter;
    }
    void keyOnTheFocusedFlagChooses() {
        QFETCH(Qt::Key, key);
        choisir([key](frmLangue &chooser) {
            chooser.cmdLangue[2]->setFocus();
            QTest::keyClick(chooser.cmdLangue[2], key);
        });
        QCOMPARE(modLangue::NumLangue, 3.0f);
        QCOMPARE(octets(m_folder->filePath(QStringLiteral("start.ini"))), lignes(3));
    }

    void closingWithoutAChoiceChangesNothing_data() {
        QTest::addColumn<bool>("escapeFirst");
        QTest::newRow("window system") << false;
        QTest::newRow("escape, then window system") << true;
    }
    void closingWithoutAChoiceChangesNothing() {
        QFETCH(bool, escapeFirst);
        const QString ini = m_folder->filePath(QStringLiteral("start.ini"));
        QVERIFY(ecrire(ini, lignes(2)));
        modLangue::NumLangue = 2;
        m_window->ChangeLangue();

        bool openAfterEscape = false;
        choisir([&](frmLangue &chooser) {
            if (escapeFirst) {
                QTest::keyClick(&chooser, Qt::Key_Escape);
                openAfterEscape = chooser.isVisible();
            }
            chooser.close();
        });
        QCOMPARE(openAfterEscape, escapeFirst);
        QCOMPARE(m_result, int(QDialog::Rejected));
        QVERIFY(!m_stillOpen);
        QCOMPARE(modLangue::NumLangue, 2.0f);
        QCOMPARE(octets(ini), lignes(2));
        QCOMPARE(m_window->mnuFichier->menuAction()->text(), QStringLiteral("&Fichier"));
    }

    // The choice was silently lost when start.ini could not be written.
    void unwritableFoldersWarnAndKeepTheLanguageForTheRun() {
        RUN_AS_UNPRIVILEGED_USER();
        unprivileged::DossierLectureSeule folder;
        const QString ini = folder.filePath(QStringLiteral("start.ini"));
        QVERIFY(ecrire(ini, lignes(2)));
        QVERIFY2(folder.verrouiller(), "the folder cannot be made read-only");
        platform::setAppPathForTests(folder.path());
        // The configuration folder, the fallback, cannot be created either.
        const unprivileged::VariableTemporaire config("XDG_CONFIG_HOME",
                                                      folder.filePath(QStringLiteral("config")));

        choisir(
            [](frmLangue &chooser) { QTest::mouseClick(chooser.cmdLangue[2], Qt::LeftButton); });
        QCOMPARE(m_platform->messages.size(), 1);
        QCOMPARE(m_platform->messages[0].style, int(platform::vbExclamation));
        QCOMPARE(m_platform->messages[0].title, QStringLiteral("Language Not Saved"));
        QVERIFY(!m_platform->messages[0].text.isEmpty());
        QCOMPARE(modLangue::NumLangue, 3.0f);
        QCOMPARE(m_window->mnuFichier->menuAction()->text(), QStringLiteral("&Datei"));
        QCOMPARE(octets(ini), lignes(2));
        QVERIFY(!m_stillOpen);
    }

    // The new file is put in place by a rename, which needs no right to read the old one.
    void unreadableStartIniIsReplacedWithoutAWarning() {
        RUN_AS_UNPRIVILEGED_USER();
        QTemporaryDir folder;
        const QString ini = folder.filePath(QStringLiteral("start.ini"));
        QVERIFY(ecrire(ini, lignes(2)));
        QVERIFY(QFile::setPermissions(ini, QFileDevice::Permissions()));
        QVERIFY2(octets(ini).isEmpty(), "start.ini is still readable");
        platform::setAppPathForTests(folder.path());

        choisir(
            [](frmLangue &chooser) { QTest::mouseClick(chooser.cmdLangue[4], Qt::LeftButton); });
        QVERIFY(m_platform->messages.isEmpty());
        QCOMPARE(octets(ini), lignes(5));
    }

    // Beside a read-only program the game read only the player's file, ignored one placed
    // beside the program, and created the configuration folder at every start.
    void readOnlyProgramFolderKeepsTheChoiceInTheConfigurationFolder() {
        RUN_AS_UNPRIVILEGED_USER();
        unprivileged::DossierLectureSeule folder;
        QVERIFY(ecrire(folder.filePath(QStringLiteral("start.ini")), lignes(2)));
        QVERIFY2(folder.verrouiller(), "the folder cannot be made read-only");
        platform::setAppPathForTests(folder.path());
        QTemporaryDir home;
        const unprivileged::VariableTemporaire config("XDG_CONFIG_HOME", home.path());
        QCOMPARE(modGrille::LangueDemarrage(
                     platform::CheminLectureReglages(QStringLiteral("start.ini"))),
                 2.0f);
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("vexoro"))));

        choisir(
            [](frmLangue &chooser) { QTest::mouseClick(chooser.cmdLangue[3], Qt::LeftButton); });
        QVERIFY(m_platform->messages.isEmpty());
        QCOMPARE(octets(home.filePath(QStringLiteral("vexoro/start.ini"))), lignes(4));
        QCOMPARE(octets(folder.filePath(QStringLiteral("start.ini"))), lignes(2));
        // The next start reads the player's own file, and comes up in Italian.
        QCOMPARE(modGrille::LangueDemarrage(
                     platform::CheminLectureReglages(QStringLiteral("start.ini"))),
                 4.0f);
    }

private:
    // Opens the chooser from the game window's menu; `player` plays the user's part.
    void choisir(const std::function<void(frmLangue &)> &player) {
        m_result = -1;
        m_stillOpen = true;
        platform::setModalHandler([&](QDialog &dialog) {
            auto *chooser = qobject_cast<frmLangue *>(&dialog);
            QVERIFY(chooser);
            player(*chooser);
            m_result = dialog.result();
            m_stillOpen = dialog.isVisible();
        });
        QVERIFY(triggerAction(*m_window, "Language"));
    }

    int m_result = -1;
    bool m_stillOpen = true;
};

QTEST_MAIN(TestFrmLangue)
#include "tst_frmlangue.moc"
