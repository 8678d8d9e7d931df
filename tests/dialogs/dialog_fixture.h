#pragma once

// What the dialog tests share: message boxes recorded, a program folder of their own and the
// game window the dialog opens from, fresh for every test function; and the layout checks.
#include "game_window/frmMain.h"
#include "support/test_platform.h"

#include <QDialog>
#include <QRect>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class DialogFixture {
protected:
    void demarrer() {
        m_platform = std::make_unique<TestPlatform>();
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
        platform::setAppPathForTests(m_folder->path());
        m_window = std::make_unique<frmMain>();
    }
    void arreter() {
        m_window.reset();
        m_folder.reset();
        m_platform.reset();
    }

    // No title bar, the size of the client area, and not fixed at that size.
    static void verifierCadre(const QDialog &dialog, QSize size) {
        QCOMPARE(dialog.size(), size);
        QVERIFY(dialog.windowFlags() & Qt::CustomizeWindowHint);
        QVERIFY(!(dialog.windowFlags() & Qt::WindowTitleHint));
        QVERIFY(dialog.minimumSize() != dialog.maximumSize());
    }

    // Rows of control name, parent name and rectangle, checked by verifierControle().
    static void colonnesControle() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("rect");
    }
    static void ligneControle(const QString &name, const char *parent, QRect rect) {
        QTest::newRow(qPrintable(name)) << name << QString::fromLatin1(parent) << rect;
    }
    static void verifierControle(const QDialog &dialog) {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, rect);
        auto *widget = dialog.findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), rect);
    }

    std::unique_ptr<TestPlatform> m_platform;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<frmMain> m_window;
};
