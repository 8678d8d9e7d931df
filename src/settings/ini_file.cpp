#include "settings/ini_file.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace settings {

namespace {

constexpr int sectionSearchRounds = 20000;
constexpr int keySearchRounds = 200;

// One line as far as the searches need it: its first bytes, its full length and where it
// starts, so that a long line is only held whole when it turns out to be the result.
struct Line {
    QByteArray head;
    qint64 start = 0;
    qint64 length = 0;
};

// Streams a file line by line. A line ends at CR; an LF right after that CR is part of the
// line end, any other LF is part of the line. Each line keeps at most `keep` leading bytes.
class LineReader {
public:
    LineReader(QFile &file, qsizetype keep)
        : m_file(file)
        , m_keep(keep) {}

    // False past the last line and on a read error.
    bool next(Line &line) {
        if (m_skipLf) {
            if (!fill())
                return false;
            if (m_buffer[m_pos] == '\n')
                consume(1);
            m_skipLf = false;
        }
        if (!fill())
            return false;

        line.head.truncate(0); // keeps the buffer: one allocation per file, not per line
        line.start = m_offset;
        line.length = 0;
        for (;;) {
            const char *from = m_buffer.data() + m_pos;
            const auto available = static_cast<size_t>(m_end - m_pos);
            const auto *cr = static_cast<const char *>(std::memchr(from, '\r', available));
            const qsizetype taken = cr ? cr - from : static_cast<qsizetype>(available);
            const qsizetype room = m_keep - line.head.size();
            if (room > 0)
                line.head.append(from, std::min(room, taken));
            line.length += taken;
            consume(taken);
            if (cr) {
                consume(1);
                m_skipLf = true;
                return true;
            }
            if (!fill())
                return !m_failed; // the last line may lack its line end
        }
    }

private:
    // True when at least one unread byte is buffered.
    bool fill() {
        if (m_pos < m_end)
            return true;
        if (m_failed)
            return false;
        const qint64 got = m_file.read(m_buffer.data(), static_cast<qint64>(m_buffer.size()));
        if (got < 0)
            m_failed = true;
        m_pos = 0;
        m_end = got > 0 ? static_cast<qsizetype>(got) : 0;
        return m_end > 0;
    }

    void consume(qsizetype count) {
        m_pos += count;
        m_offset += count;
    }

    QFile &m_file;
    qsizetype m_keep;
    std::vector<char> m_buffer = std::vector<char>(std::size_t{64} * 1024);
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    qint64 m_offset = 0;
    bool m_skipLf = false;
    bool m_failed = false;
};

// The bytes of the whole of `line`, read again from the file when only its head was kept.
bool wholeLine(QFile &file, const Line &line, QByteArray &bytes) {
    if (line.length == line.head.size()) {
        bytes = line.head;
        return true;
    }
    if (line.length > std::numeric_limits<qsizetype>::max() / 2 || !file.seek(line.start))
        return false;
    bytes = file.read(line.length);
    return bytes.size() == line.length;
}

QString valueText(const QVariant &value) {
    const auto type = value.metaType().id();
    if (type == QMetaType::Float || type == QMetaType::Double) {
        const double number = value.toDouble();
        // Whole numbers in the exactly representable range go out as plain integers.
        if (std::isfinite(number) && std::trunc(number) == number && std::fabs(number) < 1e15)
            return QString::number(static_cast<qint64>(number));
    }
    return value.toString();
}

bool appendLine(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool written =
        AppendSeam::replaced() ? AppendSeam::call(file, bytes) : file.write(bytes) == bytes.size();
    if (!written || !file.flush())
        return false;
    file.close();
    return file.error() == QFileDevice::NoError;
}

} // namespace

QString LireIni(const QString &section, const QString &key, const QString &file,
                qint16 compareLength) {
    if (compareLength < 0) // no such thing as a negative number of characters
        return {};
    // Only regular files: a device or a pipe could feed a line that never ends.
    if (!QFileInfo(file).isFile())
        return {};
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};

    const QString header = u'[' + section + u']';
    const qsizetype length = compareLength == 0 ? key.size() : compareLength;
    const QString keyHead = key.left(length);
    LineReader reader(input, std::max(header.size(), length));

    const auto isHeader = [&](const Line &line) {
        return line.length == header.size() && QString::fromLatin1(line.head) == header;
    };
    // The line's first `length` characters against the key's; a shorter text counts whole.
    const auto isKey = [&](const Line &line) {
        return QString::fromLatin1(line.head.left(length)) == keyHead;
    };

    Line line;
    if (!reader.next(line))
        return {};
    // Past the last round the key search starts from whatever line is current then.
    for (int round = 0; round < sectionSearchRounds; ++round) {
        if (isHeader(line))
            break;
        if (!reader.next(line))
            return {};
    }
    for (int round = 0; round < keySearchRounds; ++round) {
        if (isKey(line))
            break;
        if (!reader.next(line))
            return {};
    }
    if (!isKey(line))
        return {};

    QByteArray bytes;
    if (!wholeLine(input, line, bytes))
        return {};
    const qsizetype equals = bytes.indexOf('=');
    return QString::fromLatin1(equals < 0 ? QByteArrayView(bytes)
                                          : QByteArrayView(bytes).sliced(equals + 1));
}

QByteArray IniLine(const QString &keyOrHeader, const QVariant &value) {
    const QString line =
        keyOrHeader.startsWith(u'[') ? keyOrHeader : keyOrHeader + u'=' + valueText(value);
    return line.toUtf8() + "\r\n";
}

bool EcrireIni(const QString &keyOrHeader, const QString &file, const QVariant &value) {
    const QByteArray bytes = IniLine(keyOrHeader, value);
    return appendLine(file, bytes) || appendLine(file, bytes);
}

} // namespace settings
