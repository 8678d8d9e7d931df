#pragma once

// File permissions do not apply to root, so a case about a read-only folder proves nothing
// when the tests run as root. Such a case starts with RUN_AS_UNPRIVILEGED_USER(): as root
// it runs this same test program again, for that one case, as the unprivileged user 65534
// (through setpriv) and takes over its verdict; as any other user it goes on with the case.
// A case that cannot be arranged fails; it is never skipped.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace unprivileged {

inline constexpr uid_t user = 65534;
inline constexpr auto childMark = "VEXORO_UNPRIVILEGED_RUN";

// Runs the current test case again as the unprivileged user; fails the case unless that run
// passed it.
inline void rerun() {
    // The run gets a folder of its own, holding a copy of this program and the leak
    // checker's suppressions, as its TMPDIR and HOME.
    QTemporaryDir space;
    const QByteArray folder = QFile::encodeName(space.path());
    QVERIFY(space.isValid() && ::chown(folder.constData(), user, user) == 0 &&
            ::chmod(folder.constData(), 0755) == 0);
    const QString program = space.filePath(QStringLiteral("test-program"));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
    QVERIFY(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOther |
                                               QFile::ReadOther));
    QString testCase = QString::fromLatin1(QTest::currentTestFunction());
    if (const char *tag = QTest::currentDataTag(); tag && *tag)
        testCase += u':' + QString::fromLatin1(tag);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(childMark), QStringLiteral("1"));
    env.insert(QStringLiteral("TMPDIR"), space.path());
    env.insert(QStringLiteral("HOME"), space.path());
    QString lsan = env.value(QStringLiteral("LSAN_OPTIONS"));
    const auto match = QRegularExpression(QStringLiteral("suppressions=([^:]+)")).match(lsan);
    if (match.hasMatch()) {
        const QString copy = space.filePath(QStringLiteral("lsan.supp"));
        QVERIFY(QFile::copy(match.captured(1), copy));
        QVERIFY(QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ReadOther));
        env.insert(QStringLiteral("LSAN_OPTIONS"),
                   lsan.replace(match.capturedStart(1), match.capturedLength(1), copy));
    }
    QProcess run;
    run.setProcessEnvironment(env);
    run.setWorkingDirectory(space.path());
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral("setpriv"),
              {QStringLiteral("--reuid=%1").arg(user), QStringLiteral("--regid=%1").arg(user),
               QStringLiteral("--clear-groups"), program, testCase});
    QVERIFY2(run.waitForStarted(), "setpriv cannot be started");
    QVERIFY2(run.waitForFinished(240000), "the unprivileged run did not finish");
    const QString output = QString::fromLocal8Bit(run.readAll());
    QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0, qPrintable(output));
    // The case itself must have run and passed, not merely the program.
    QVERIFY2(output.contains(QStringLiteral("::%1(").arg(QTest::currentTestFunction())) &&
                 output.contains(QStringLiteral(" 0 failed, 0 skipped")),
             qPrintable(output));
}

// A temporary folder that can be made read-only and is writable again for its removal.
class ReadOnlyFolder {
public:
    ~ReadOnlyFolder() { ::chmod(QFile::encodeName(m_dir.path()).constData(), 0700); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // Takes away the right to create, delete or rename in the folder, and checks it holds.
    bool lock() {
        if (!m_dir.isValid() || ::chmod(QFile::encodeName(m_dir.path()).constData(), 0555) != 0)
            return false;
        QFile probe(m_dir.filePath(QStringLiteral("probe")));
        return !probe.open(QIODevice::WriteOnly);
    }

private:
    QTemporaryDir m_dir;
};

// Sets an environment variable for the lifetime of the object, then puts it back.
class ScopedVariable {
public:
    ScopedVariable(const char *name, const QString &value)
        : m_name(name)
        , m_old(qgetenv(name))
        , m_wasSet(qEnvironmentVariableIsSet(name)) {
        qputenv(name, QFile::encodeName(value));
    }
    ~ScopedVariable() { m_wasSet ? void(qputenv(m_name, m_old)) : void(qunsetenv(m_name)); }

private:
    const char *m_name;
    QByteArray m_old;
    bool m_wasSet;
};

} // namespace unprivileged

// As root, hands the current case to an unprivileged run and ends it here.
#define RUN_AS_UNPRIVILEGED_USER()                                                                 \
    do {                                                                                           \
        if (::geteuid() == 0) {                                                                    \
            QVERIFY2(!qEnvironmentVariableIsSet(unprivileged::childMark),                          \
                     "the unprivileged run is still root");                                        \
            unprivileged::rerun();                                                                 \
            return;                                                                                \
        }                                                                                          \
    } while (false)
