// A rewrite of start.ini killed at random moments: the file is always the old two lines
// or the new two lines, the next write clears what the killed one left, and the game's
// start-up always reads a language.
#include "app/language_file.h"
#include "app/startup_language.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <signal.h>

namespace {
QByteArray lignes(int langue) {
    return "[LastOpen]\r\nLanguage=" + QByteArray::number(langue) + "\r\n";
}
} // namespace

class TestInterruptedRewrite : public QObject {
    Q_OBJECT
private slots:
    void killedAtRandomMoments() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ini = dir.filePath(QStringLiteral("start.ini"));
        QVERIFY(modGrille::EcrireLangue(ini, 2.0f));
        QSet<QByteArray> valides;
        for (int langue = 1; langue <= 5; ++langue)
            valides << lignes(langue);

        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("kill moments seed: %u", seed);
        QRandomGenerator moments(seed);
        int leftovers = 0;
        for (int round = 0; round < 300; ++round) {
            QProcess writer;
            writer.start(QStringLiteral(VEXORO_REWRITE_LOOP), {ini});
            QVERIFY(writer.waitForStarted());
            QThread::usleep(moments.bounded(2000, 40000));
            ::kill(pid_t(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished());

            QFile file(ini);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QVERIFY2(valides.contains(bytes), bytes.constData());
            const float langue = modGrille::LangueDemarrage(ini);
            QVERIFY(langue >= 1 && langue <= 5);
            leftovers += QDir(dir.path()).entryList(QDir::Files).size() > 1;
        }
        // The next write clears the fresh files of the killed writers.
        QVERIFY(modGrille::EcrireLangue(ini, 4.0f));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"start.ini"});
        qInfo("rounds that left a fresh file behind: %d of 300", leftovers);
    }
};

QTEST_GUILESS_MAIN(TestInterruptedRewrite)
#include "tst_interrupted_rewrite.moc"
