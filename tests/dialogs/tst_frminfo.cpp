// The About box: layout, the legend in the current language, and the link's wiring to the
// browser start (the lookup itself is tested in tst_web_link).
#include "dialogs/dialog_fixture.h"
#include "dialogs/frmInfo.h"
#include "lang/catalogue.h"
#include "platform/browser_launch.h"
#include "platform/web_link.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace {
const QString adresse = QStringLiteral("www.example.org/vexoro/");
}

class TestFrmInfo : public QObject, private DialogFixture {
    Q_OBJECT
private slots:
    void init() {
        demarrer();
        platform::ForgetBrowserForTests();
        m_lookups = 0;
        m_found = QStringLiteral("/opt/browser/run");
        m_starts = true;
        m_launches.clear();
        platform::setLookupHandler([this](const QString &, const QString &address) {
            ++m_lookups;
            return m_found.isEmpty() ? QStringList() : QStringList{m_found, address};
        });
        platform::setLaunchHandler([this](const QString &program, const QStringList &arguments) {
            m_launches << QStringList{program} + arguments;
            return m_starts;
        });
    }
    void cleanup() {
        arreter();
        platform::setLookupHandler({});
        platform::setLaunchHandler({});
        platform::ForgetBrowserForTests();
    }

    void windowHasNoTitleBarAndItsClientArea() {
        verifierCadre(frmInfo(m_window.get()), {420, 322});
    }

    void controlRectangles_data() {
        colonnesControle();
        ligneControle(QStringLiteral("Frame1"), "frmInfo", QRect(8, 0, 409, 97));
        ligneControle(QStringLiteral("Image1"), "Frame1", QRect(24, 24, 52, 53));
        ligneControle(QStringLiteral("Image2"), "Frame1", QRect(136, 16, 146, 28));
        ligneControle(QStringLiteral("lblLien"), "Frame1", QRect(128, 72, 185, 17));
        ligneControle(QStringLiteral("Label4"), "frmInfo", QRect(8, 232, 145, 25));
        ligneControle(QStringLiteral("Label3"), "frmInfo", QRect(160, 232, 129, 57));
        ligneControle(QStringLiteral("cmdOK"), "frmInfo", QRect(312, 248, 89, 25));
    }
    void controlRectangles() { verifierControle(frmInfo(m_window.get())); }

    void legendFollowsTheLanguageAndTheLinkDoesNot_data() {
        QTest::addColumn<float>("langue");
        QTest::addColumn<QString>("label");
        QTest::newRow("not set") << 0.0f << "Keyboard shortcuts :";
        QTest::newRow("French") << 2.0f << "Raccourcis clavier :";
        QTest::newRow("German") << 3.0f << QString::fromUtf8("Kürze Tastatur :");
        QTest::newRow("Italian") << 4.0f << "Accorcia tasteria :";
        QTest::newRow("Spanish") << 5.0f << "Teclas aceleradoras :";
    }
    void legendFollowsTheLanguageAndTheLinkDoesNot() {
        QFETCH(float, langue);
        QFETCH(QString, label);
        modLangue::NumLangue = langue;
        frmInfo box(m_window.get());
        QCOMPARE(box.Label4->text(), label);
        QCOMPARE(box.Label3->text(), modLangue::Traduction(modLangue::TextShortcuts));
        QVERIFY(box.Label3->text().startsWith(QStringLiteral("F2 ")));
        // The legend wraps at blanks.
        const int oneLine = box.Label3->fontMetrics().lineSpacing();
        QVERIFY(box.Label3->wordWrap() && oneLine > 0);
        QVERIFY(box.Label3->heightForWidth(box.Label3->width()) >= 2 * oneLine);
        QCOMPARE(box.lblLien->text(), adresse);
    }

    void okHasTheFocusAndCloses() {
        frmInfo box(m_window.get());
        box.show();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QCOMPARE(QApplication::focusWidget(), box.cmdOK);
        for (QWidget *child : box.findChildren<QWidget *>()) {
            if (child != box.cmdOK)
                QCOMPARE(child->focusPolicy(), Qt::NoFocus);
        }
        QTest::keyClick(&box, Qt::Key_Escape);
        QVERIFY(box.isVisible());
        QTest::keyClick(box.cmdOK, Qt::Key_Return);
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
        QVERIFY(m_launches.isEmpty());
    }

    void linkStartsTheBrowserAndTheBoxClosesWhateverHappens_data() {
        QTest::addColumn<QString>("found");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<int>("launches");
        QTest::addColumn<QString>("message"); // title of the one message; empty: none
        QTest::newRow("browser started") << "/opt/browser/run" << true << 1 << "";
        QTest::newRow("no browser") << "" << true << 0 << "Browser Not Found";
        QTest::newRow("browser does not start") << "/opt/browser/run" << false << 1 << "URL Failed";
    }
    void linkStartsTheBrowserAndTheBoxClosesWhateverHappens() {
        QFETCH(QString, found);
        QFETCH(bool, starts);
        QFETCH(int, launches);
        QFETCH(QString, message);
        m_found = found;
        m_starts = starts;

        bool stillOpen = true;
        platform::setModalHandler([&](QDialog &dialog) {
            auto *box = qobject_cast<frmInfo *>(&dialog);
            QVERIFY(box);
            QTest::mouseClick(box->lblLien, Qt::LeftButton);
            stillOpen = dialog.isVisible();
        });
        QVERIFY(triggerAction(*m_window, "mnuInfo"));
        QVERIFY(!stillOpen);
        QCOMPARE(m_launches.size(), launches);
        if (launches > 0)
            QCOMPARE(m_launches[0], QStringList({found, adresse}));
        QCOMPARE(m_platform->messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(m_platform->messages[0].title, message);
    }

    void laterOpeningStartsTheBrowserAtOnce() {
        platform::setModalHandler([](QDialog &dialog) {
            QTest::mouseClick(static_cast<frmInfo &>(dialog).lblLien, Qt::LeftButton);
        });
        QVERIFY(triggerAction(*m_window, "mnuInfo"));
        QVERIFY(triggerAction(*m_window, "mnuInfo"));
        QCOMPARE(m_lookups, 1);
        QCOMPARE(m_launches.size(), 2);
        QCOMPARE(m_launches[1], QStringList({QStringLiteral("/opt/browser/run"), adresse}));
    }

    void opensCentredOnTheGameWindow() {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QPoint centre;
        platform::setModalHandler([&](QDialog &dialog) { centre = dialog.geometry().center(); });
        QVERIFY(triggerAction(*m_window, "mnuInfo"));
        const QPoint offset = centre - m_window->geometry().center();
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    }

private:
    int m_lookups = 0;
    QString m_found;
    bool m_starts = true;
    QList<QStringList> m_launches;
};

QTEST_MAIN(TestFrmInfo)
#include "tst_frminfo.moc"
