// The language chooser: its layout, and what a flag does to the run, to start.ini and to
// the game window's menus.
#include "app/startup_language.h"
#include "dialogs/frmLangue.h"
#include "game_window/frmMain.h"
#include "platform/unprivileged_run.h"
#include "support/test_platform.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

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

class TestFrmLangue : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_platform = std::make_unique<TestPlatform>();
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
        platform::setAppPathForTests(m_folder->path());
        m_window = std::make_unique<frmMain>();
    }
    void cleanup() {
        m_window.reset();
        m_folder.reset();
        m_platform.reset();
    }

    void windowHasNoTitleBarAndItsClientArea() {
        frmLangue dialog(*m_window);
        QCOMPARE(dialog.size(), QSize(620, 124));
        QVERIFY(dialog.windowFlags() & Qt::CustomizeWindowHint);
        QVERIFY(!(dialog.windowFlags() & Qt::WindowTitleHint));
        QVERIFY(dialog.minimumSize() != dialog.maximumSize());
    }

    void controlRectangles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("Label1") << "Label1" << QRect(24, 8, 553, 25);
        // Buttons 1680 twips (112 px) apart from 360 twips, 1575 x 855 twips each.
        for (int i = 0; i < 5; ++i)
            QTest::addRow("cmdLangue %d", i)
                << QStringLiteral("cmdLangue_%1").arg(i) << QRect(24 + 112 * i, 40, 105, 57);
    }
    void controlRectangles() {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        frmLangue dialog(*m_window);
        auto *widget = dialog.findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), rect);
    }

    void flags_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("picture");
        QTest::newRow("United Kingdom") << 0 << "English"
                                        << ":/images/flag_uk.png";
        QTest::newRow("France") << 1 << QString::fromUtf8("Français") << ":/images/flag_fr.png";
        QTest::newRow("Germany") << 2 << "Deutsch"
                                 << ":/images/flag_de.png";
        QTest::newRow("Italy") << 3 << "Italiano"
                               << ":/images/flag_it.png";
        QTest::newRow("Spain") << 4 << "Spanish"
                               << ":/images/flag_es.png";
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
        QTest::newRow("English, no file") << 0 << QByteArray() << "&File"
                                          << "New";
        QTest::newRow("French over English") << 1 << lignes(1) << "&Fichier"
                                             << "Nouveau";
        QTest::newRow("German, other lines are gone")
            << 2 << QByteArray("[Other]\r\nKey=1\r\n[LastOpen]\r\nLanguage=5\r\nMore=2\r\n")
            << "&Datei"
            << "Neu";
        QTest::newRow("Italian, no file") << 3 << QByteArray() << "&Schedario"
                                          << "Nuovo";
        QTest::newRow("Spanish again") << 4 << lignes(5) << "&Fichero"
                                       << "Nuevo";
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

    void spaceOnTheFocusedFlagChooses() {
        choisir([](frmLangue &chooser) { QTest::keyClick(chooser.cmdLangue[2], Qt::Key_Space); });
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

    void readOnlyProgramFolderKeepsTheChoiceInTheConfigurationFolder() {
        RUN_AS_UNPRIVILEGED_USER();
        unprivileged::DossierLectureSeule folder;
        QVERIFY2(folder.verrouiller(), "the folder cannot be made read-only");
        platform::setAppPathForTests(folder.path());
        QTemporaryDir home;
        const unprivileged::VariableTemporaire config("XDG_CONFIG_HOME", home.path());

        choisir(
            [](frmLangue &chooser) { QTest::mouseClick(chooser.cmdLangue[3], Qt::LeftButton); });
        QVERIFY(m_platform->messages.isEmpty());
        QCOMPARE(octets(home.filePath(QStringLiteral("vexoro/start.ini"))), lignes(4));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("start.ini"))));
        // The next start, which reads start.ini where it is kept, comes up in Italian.
        QCOMPARE(modGrille::LangueDemarrage(platform::CheminReglages(QStringLiteral("start.ini"))),
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

    std::unique_ptr<TestPlatform> m_platform;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<frmMain> m_window;
    int m_result = -1;
    bool m_stillOpen = true;
};

QTEST_MAIN(TestFrmLangue)
#include "tst_frmlangue.moc"
