#include "platform/desktop_exec.h"

namespace platform {

namespace {

// One word of the command line as written: its pieces, each quoted or not, since field
// codes count only outside quotes.
struct Piece {
    QString text;
    bool quoted = false;
};
using Word = QList<Piece>;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

std::optional<QList<Word>> splitWords(const QString &text) {
    QList<Word> words;
    Word word;
    bool inWord = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isBlank(c)) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c != u'"') {
            if (word.isEmpty() || word.last().quoted)
                word << Piece{};
            word.last().text += c;
            continue;
        }
        // Inside quotes a backslash escapes ", `, $ and itself.
        Piece quoted{{}, true};
        for (++i;; ++i) {
            if (i >= text.size())
                return std::nullopt; // no closing quote
            const QChar q = text.at(i);
            if (q == u'"')
                break;
            if (q == u'\\' && i + 1 < text.size() &&
                QStringView(u"\"`$\\").contains(text.at(i + 1)))
                ++i;
            quoted.text += text.at(i);
        }
        word << quoted;
    }
    if (inWord)
        words << word;
    return words;
}

bool isAddressCode(QChar code) {
    return code == u'u' || code == u'U' || code == u'f' || code == u'F';
}

} // namespace

QString UnescapedValue(const QString &value) {
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 == value.size()) {
            text += c;
            continue;
        }
        switch (value.at(++i).unicode()) {
        case 's':
            text += u' ';
            break;
        case 'n':
            text += u'\n';
            break;
        case 't':
            text += u'\t';
            break;
        case 'r':
            text += u'\r';
            break;
        case '\\':
            text += u'\\';
            break;
        default:
            text += c;
            text += value.at(i);
        }
    }
    return text;
}

std::optional<QStringList> ExecCommandLine(const QString &exec, const DesktopEntryFields &entry,
                                           const QString &address) {
    const std::optional<QList<Word>> words = splitWords(UnescapedValue(exec));
    if (!words)
        return std::nullopt;
    QStringList command;
    bool addressGiven = false;
    for (const Word &word : *words) {
        const bool programWord = command.isEmpty();
        // %i stands for two arguments, or none without an icon.
        if (word.size() == 1 && !word[0].quoted && word[0].text == QLatin1String("%i")) {
            if (programWord)
                return std::nullopt;
            if (!entry.icon.isEmpty())
                command << QStringLiteral("--icon") << entry.icon;
            continue;
        }
        QString argument;
        bool literal = false; // a word that is only dropped codes disappears
        for (const Piece &piece : word) {
            if (piece.quoted) {
                argument += piece.text;
                literal = true;
                continue;
            }
            for (qsizetype i = 0; i < piece.text.size(); ++i) {
                const QChar c = piece.text.at(i);
                if (c != u'%') {
                    argument += c;
                    literal = true;
                    continue;
                }
                // The program is named outright, never by a field code.
                if (++i == piece.text.size() || programWord)
                    return std::nullopt;
                const QChar code = piece.text.at(i);
                if (isAddressCode(code)) {
                    argument += address;
                    addressGiven = literal = true;
                } else if (code == u'%') {
                    argument += u'%';
                    literal = true;
                } else if (code == u'c') {
                    argument += entry.name;
                    literal = true;
                } else if (code == u'k') {
                    argument += entry.location;
                    literal = true;
                } else if (!QStringView(u"dDnNvmi").contains(code)) {
                    return std::nullopt;
                }
            }
        }
        if (literal)
            command << argument;
    }
    if (command.isEmpty() || command.first().isEmpty())
        return std::nullopt;
    if (!addressGiven)
        command << address;
    return command;
}

} // namespace platform
