// Micro-benchmarks of the settings reader LireIni on a 20,000-line file.
#include "settings/ini_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int Lines = 20000;

// `Lines` lines ended by CR LF: filler entries, then `tail` as the last lines.
bool writeFile(const QString &path, const QByteArrayList &tail) {
    QByteArray bytes;
    for (int i = 0; i < Lines - tail.size(); ++i)
        bytes += "Entry" + QByteArray::number(i) + "=value " + QByteArray::number(i) + "\r\n";
    for (const QByteArray &line : tail)
        bytes += line + "\r\n";
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class BenchIni : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void lireIni_data();
    void lireIni();

private:
    QTemporaryDir m_dir;
};

void BenchIni::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("absent.ini")), {}));
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("last.ini")), {"[LastOpen]", "Language=3"}));
}

void BenchIni::lireIni_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");

    // No [LastOpen] section: every line is read, nothing found.
    QTest::newRow("key not found") << QStringLiteral("absent.ini") << QString();
    // The section header and the key are the last two lines.
    QTest::newRow("key found at the end") << QStringLiteral("last.ini") << QStringLiteral("3");
}

void BenchIni::lireIni() {
    QFETCH(QString, file);
    QFETCH(QString, expected);

    const QString path = m_dir.filePath(file);
    QString value;
    QBENCHMARK {
        value = settings::LireIni(QStringLiteral("LastOpen"), QStringLiteral("Language"), path);
    }
    QCOMPARE(value, expected);
}

QTEST_GUILESS_MAIN(BenchIni)
#include "bench_ini.moc"
