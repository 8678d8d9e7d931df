#include "app/ini_fixture.h"
#include "app/startup_language.h"
#include "platform/unprivileged_run.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using modGrille::LangueDemarrage;

namespace {

QByteArray startIni(const QByteArray &languageLine) {
    return "[LastOpen]\r\n" + languageLine + "\r\n";
}

} // namespace

class tst_StartupLanguage : public QObject {
    Q_OBJECT

private slots:
    void langueDemarrage_data();
    void langueDemarrage();
    void emptyMenusFromOutOfRangeLanguage_data();
    void emptyMenusFromOutOfRangeLanguage();
    void noSettingsFile_data();
    void noSettingsFile();
    void unreadableFileReadsAsEnglish();

private:
    QTemporaryDir m_dir;
};

void tst_StartupLanguage::langueDemarrage_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<float>("expected");

    QTest::newRow("French") << startIni("Language=2") << 2.0f;
    QTest::newRow("leading space") << startIni("Language= 3") << 3.0f;
    QTest::newRow("trailing space") << startIni("Language=3 ") << 3.0f;
    QTest::newRow("tabs around") << startIni("Language=\t4\t") << 4.0f;
    QTest::newRow("plus sign") << startIni("Language=+4") << 4.0f;
    QTest::newRow("decimal point, zero fraction") << startIni("Language=5.0") << 5.0f;
    QTest::newRow("decimal point, no fraction") << startIni("Language=5.") << 5.0f;
    QTest::newRow("leading zero") << startIni("Language=01") << 1.0f;

    QTest::newRow("letters") << startIni("Language=abc") << 0.0f;
    QTest::newRow("digit then letter") << startIni("Language=2x") << 0.0f;
    QTest::newRow("space inside") << startIni("Language=2 3") << 0.0f;
    QTest::newRow("point alone") << startIni("Language=.") << 0.0f;
    QTest::newRow("empty value") << startIni("Language=") << 0.0f;
    QTest::newRow("no Language line") << startIni("Other=2") << 0.0f;
    QTest::newRow("zero") << startIni("Language=0") << 0.0f;
    QTest::newRow("no [LastOpen] section") << QByteArray("[Other]\r\nLanguage=2\r\n") << 0.0f;
    QTest::newRow("empty file") << QByteArray() << 0.0f;
}

void tst_StartupLanguage::langueDemarrage() {
    QFETCH(QByteArray, content);
    QFETCH(float, expected);
    QCOMPARE(LangueDemarrage(writeFixture(m_dir, content)), expected);
}

// A number outside 1..5 used to become the language and left every menu caption empty.
void tst_StartupLanguage::emptyMenusFromOutOfRangeLanguage_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("7") << QByteArray("7");
    QTest::newRow("6") << QByteArray("6");
    QTest::newRow("-1") << QByteArray("-1");
    QTest::newRow("2.5") << QByteArray("2.5");
    QTest::newRow("huge") << QByteArray("99999999999999999999999999999999999999999");
}

void tst_StartupLanguage::emptyMenusFromOutOfRangeLanguage() {
    QFETCH(QByteArray, value);
    QCOMPARE(LangueDemarrage(writeFixture(m_dir, startIni("Language=" + value))), 0.0f);
}

void tst_StartupLanguage::noSettingsFile_data() {
    QTest::addColumn<bool>("directory");
    QTest::newRow("no file") << false;
    QTest::newRow("directory in its place") << true;
}

void tst_StartupLanguage::noSettingsFile() {
    QFETCH(bool, directory);
    QTemporaryDir dir;
    if (directory)
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("start.ini")));
    QCOMPARE(LangueDemarrage(dir.filePath(QStringLiteral("start.ini"))), 0.0f);
}

QTEST_GUILESS_MAIN(tst_StartupLanguage)
#include "tst_startup_language.moc"

void tst_StartupLanguage::unreadableFileReadsAsEnglish() {
    RUN_AS_UNPRIVILEGED_USER();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("start.ini"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(startIni("Language=2"));
    }
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    QFile probe(path);
    QVERIFY2(!probe.open(QIODevice::ReadOnly), "the file is still readable");
    QCOMPARE(LangueDemarrage(path), 0.0f);
}
