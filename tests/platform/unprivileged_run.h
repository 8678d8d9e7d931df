#pragma once

// File permissions do not apply to root, so a case about a read-only folder proves nothing
// when the tests run as root. Such a case starts with RUN_AS_UNPRIVILEGED_USER(): as root
// it runs this same test program again, for that one case, as the unprivileged user 65534
// (through setpriv) and takes over its verdict; as any other user it goes on with the case.
// A case that cannot be arranged fails; it is never skipped.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace unprivileged {

inline constexpr uid_t utilisateur = 65534;
inline constexpr auto marqueEnfant = "VEXORO_UNPRIVILEGED_RUN";

// Runs the current test case again as the unprivileged user; fails the case unless that run
// passed it.
inline void relancer() {
    QTemporaryDir espace;
    QVERIFY2(espace.isValid(), "no temporary folder for the unprivileged run");
    // The unprivileged run gets a folder of its own, holding a copy of this program and
    // serving as its TMPDIR and HOME.
    const QByteArray dossier = QFile::encodeName(espace.path());
    QVERIFY(::chown(dossier.constData(), utilisateur, utilisateur) == 0);
    QVERIFY(::chmod(dossier.constData(), 0755) == 0);
    const QString programme = espace.filePath(QStringLiteral("test-program"));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), programme));
    QVERIFY(::chmod(QFile::encodeName(programme).constData(), 0755) == 0);

    QString cas = QString::fromLatin1(QTest::currentTestFunction());
    if (const char *tag = QTest::currentDataTag(); tag && *tag)
        cas += u':' + QString::fromLatin1(tag);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(marqueEnfant), QStringLiteral("1"));
    env.insert(QStringLiteral("TMPDIR"), espace.path());
    env.insert(QStringLiteral("HOME"), espace.path());
    // The leak checker's suppressions may lie in a folder the user cannot read: copy them.
    QString lsan = env.value(QStringLiteral("LSAN_OPTIONS"));
    const QRegularExpression suppressions(QStringLiteral("suppressions=([^:]+)"));
    if (const auto match = suppressions.match(lsan); match.hasMatch()) {
        const QString copie = espace.filePath(QStringLiteral("lsan.supp"));
        QVERIFY(QFile::copy(match.captured(1), copie));
        QVERIFY(::chmod(QFile::encodeName(copie).constData(), 0644) == 0);
        lsan.replace(match.capturedStart(1), match.capturedLength(1), copie);
        env.insert(QStringLiteral("LSAN_OPTIONS"), lsan);
    }
    QProcess run;
    run.setProcessEnvironment(env);
    run.setWorkingDirectory(espace.path());
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=%1").arg(utilisateur),
                                          QStringLiteral("--regid=%1").arg(utilisateur),
                                          QStringLiteral("--clear-groups"), programme, cas});
    QVERIFY2(run.waitForStarted(), "setpriv cannot be started");
    QVERIFY2(run.waitForFinished(240000), "the unprivileged run did not finish");
    const QString sortie = QString::fromLocal8Bit(run.readAll());
    QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0, qPrintable(sortie));
    // The case itself must have run and passed, not merely the program.
    QVERIFY2(sortie.contains(QRegularExpression(
                 QStringLiteral("PASS   : \\S+::%1\\(").arg(QTest::currentTestFunction()))),
             qPrintable(sortie));
    QVERIFY2(sortie.contains(QStringLiteral(" 0 failed, 0 skipped")), qPrintable(sortie));
}

// A temporary folder that can be made read-only and is writable again for its removal.
class DossierLectureSeule {
public:
    DossierLectureSeule() = default;
    ~DossierLectureSeule() { ::chmod(QFile::encodeName(m_dir.path()).constData(), 0700); }
    DossierLectureSeule(const DossierLectureSeule &) = delete;
    DossierLectureSeule &operator=(const DossierLectureSeule &) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Takes away the right to create, delete or rename in the folder, and checks that it
    // holds.
    bool verrouiller() {
        if (!m_dir.isValid() || ::chmod(QFile::encodeName(m_dir.path()).constData(), 0555) != 0)
            return false;
        QFile essai(m_dir.filePath(QStringLiteral("probe")));
        return !essai.open(QIODevice::WriteOnly);
    }

private:
    QTemporaryDir m_dir;
};

// Sets an environment variable for the lifetime of the object, then puts it back.
class VariableTemporaire {
public:
    VariableTemporaire(const char *name, const QString &value)
        : m_name(name)
        , m_wasSet(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name)) {
        qputenv(name, QFile::encodeName(value));
    }
    ~VariableTemporaire() {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    VariableTemporaire(const VariableTemporaire &) = delete;
    VariableTemporaire &operator=(const VariableTemporaire &) = delete;

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_old;
};

} // namespace unprivileged

// As root, hands the current case to an unprivileged run and ends it here.
#define RUN_AS_UNPRIVILEGED_USER()                                                                 \
    do {                                                                                           \
        if (::geteuid() == 0) {                                                                    \
            QVERIFY2(!qEnvironmentVariableIsSet(unprivileged::marqueEnfant),                       \
                     "the unprivileged run is still root");                                        \
            unprivileged::relancer();                                                              \
            return;                                                                                \
        }                                                                                          \
    } while (false)
