#include "platform/browser_command.h"

#include <QDir>

#include <windows.h>

#include <shellapi.h>

namespace platform {

QStringList browserCommand(const QString &document, const QString &address) {
    wchar_t program[MAX_PATH + 1] = {};
    const std::wstring name = QDir::toNativeSeparators(document).toStdWString();
    // Above 32 when the shell found the program; it looks at the document's extension, and
    // needs the document to exist.
    const auto found = reinterpret_cast<INT_PTR>(::FindExecutableW(name.c_str(), nullptr, program));
    if (found <= 32 || program[0] == L'\0')
        return {};
    return {QString::fromWCharArray(program), address};
}

} // namespace platform
