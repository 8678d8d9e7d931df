#include "platform/browser_launch.h"

#include <QDir>
#include <QRegularExpression>

#include <windows.h>

#include <shellapi.h>

namespace platform {

namespace {
// One argument as the program's start-up code splits its command line again: in double
// quotes when it holds a blank or a quote, with the backslashes before a quote doubled.
QString quoted(const QString &argument) {
    if (!argument.isEmpty() && !argument.contains(QRegularExpression(QStringLiteral("[ \t\"]"))))
        return argument;
    QString out(u'"');
    int backslashes = 0;
    for (const QChar c : argument) {
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        out += QString(c == u'"' ? 2 * backslashes + 1 : backslashes, u'\\') + c;
        backslashes = 0;
    }
    return out + QString(2 * backslashes, u'\\') + u'"';
}
} // namespace

bool startDetached(const QString &program, const QStringList &arguments) {
    QStringList parameters;
    for (const QString &argument : arguments)
        parameters << quoted(argument);
    const std::wstring file = QDir::toNativeSeparators(program).toStdWString();
    const std::wstring line = parameters.join(u' ').toStdWString();
    // The shell starts it and returns at once; above 32 when it started.
    const auto started = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", file.c_str(), line.c_str(), nullptr, SW_SHOWNORMAL));
    return started > 32;
}

} // namespace platform
