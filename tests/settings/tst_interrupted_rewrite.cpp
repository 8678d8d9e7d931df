// A rewrite of start.ini killed at random moments: the file is always the old two lines
// or the new two lines, the next write clears what the killed one left, and the game's
// start-up always reads a language.
#include "settings/language_file.h"
#include "settings/startup_language.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <signal.h>

#include "file_bytes.h"

class TestInterruptedRewrite : public QObject {
    Q_OBJECT
private slots:
    void killedAtRandomMoments() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ini = dir.filePath(QStringLiteral("start.ini"));
        QVERIFY(settings::writeLanguageFile(ini, 2.0f));
        QSet<QByteArray> valid;
        for (int language = 1; language <= 5; ++language)
            valid << languageLines(language);

        // VEXORO_KILL_SEED=<seed> replays a run.
        const quint32 seed = qEnvironmentVariableIsSet("VEXORO_KILL_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("VEXORO_KILL_SEED"))
                                 : QRandomGenerator::global()->generate();
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

            const QByteArray bytes = fileBytes(ini);
            QVERIFY2(valid.contains(bytes), bytes.constData());
            const float language = settings::startupLanguage(ini);
            QVERIFY(language >= 1 && language <= 5);
            leftovers += QDir(dir.path()).entryList(QDir::Files).size() > 1;
        }
        // The next write clears the fresh files of the killed writers.
        QVERIFY(settings::writeLanguageFile(ini, 4.0f));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"start.ini"});
        qInfo("rounds that left a fresh file behind: %d of 300", leftovers);
    }
};

QTEST_GUILESS_MAIN(TestInterruptedRewrite)
#include "tst_interrupted_rewrite.moc"
