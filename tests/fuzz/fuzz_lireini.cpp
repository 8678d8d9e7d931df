// Fuzzes the settings reader over arbitrary file contents, sections, keys and compare
// lengths, and the start-up language read from the same file.
//
// Input layout: [section length][section][key length][key][compare length][file contents]
// (lengths are single bytes; a short input leaves the rest empty).
#include "settings/ini_file.h"
#include "settings/startup_language.h"

#include <QByteArray>
#include <QString>

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
QByteArray take(const uint8_t *&data, size_t &size) {
    if (size == 0)
        return {};
    const size_t length = std::min<size_t>(data[0], size - 1);
    QByteArray field(reinterpret_cast<const char *>(data + 1), qsizetype(length));
    data += length + 1;
    size -= length + 1;
    return field;
}

// An in-memory file with a path, so that each run costs no disk I/O.
int memoryFile() {
    static const int fd = memfd_create("start.ini", 0);
    return fd;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString section = QString::fromLatin1(take(data, size));
    const QString key = QString::fromLatin1(take(data, size));
    qint16 compareLength = 0;
    if (size > 0) {
        compareLength = qint16(int8_t(data[0]));
        ++data;
        --size;
    }
    const int fd = memoryFile();
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != ssize_t(size))
        std::abort();
    const QString path = QStringLiteral("/proc/self/fd/%1").arg(fd);

    (void)settings::LireIni(section, key, path, compareLength);
    const float language = settings::startupLanguage(path);
    // The game starts in English (0) or one of the five languages, whatever the file holds.
    if (!(language == 0 || language == 1 || language == 2 || language == 3 || language == 4 ||
          language == 5))
        std::abort();
    return 0;
}
