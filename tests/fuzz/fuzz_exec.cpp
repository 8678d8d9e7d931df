// Fuzzes the command line read from a desktop entry's Exec value (the whole input, as
// UTF-8), and checks what holds of every command it accepts: a program named outright, the
// address passed whole and never read as part of the line, and no field code left behind.
#include "platform/desktop_exec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
void require(bool property) {
    if (!property)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString exec = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    // Bracketed by a code unit that valid UTF-8 never gives, so that each copy of the address
    // can be told from the line's own text; between them, what a parser could misread.
    const QChar mark(0xD800);
    const QString address = mark + QStringLiteral(" \"%u\\\" %% $HOME ") + mark;
    const platform::DesktopEntryFields entry{QStringLiteral("web"), QStringLiteral("Web Browser"),
                                             QStringLiteral("/apps/web.desktop")};
    const std::optional<QStringList> command = platform::ExecCommandLine(exec, entry, address);
    if (!command || exec.contains(mark))
        return 0;

    require(!command->isEmpty() && !command->first().isEmpty() && !command->first().contains(mark));
    qsizetype addresses = 0;
    for (const QString &argument : *command) {
        addresses += argument.count(address);
        require(argument.count(mark) == 2 * argument.count(address));
    }
    require(addresses > 0); // by a field code, or appended
    if (!exec.contains(u'%'))
        require(command->last() == address);
    // Outside quotes every % starts a field code, and %% is the only one that leaves a %.
    if (!exec.contains(u'"') && !exec.contains(QLatin1String("%%"))) {
        for (QString argument : *command)
            require(!argument.remove(address).contains(u'%'));
    }
    return 0;
}
