#include "core/IniFile.h"

#include <QStringDecoder>
#include <optional>

namespace app {
namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Keys and groups are names; anything else before a '=' may be a value gone astray, such as a
// URI with its password, and is never quoted in a message.
bool isName(QStringView text) {
    if (text.isEmpty() || text.size() > 64)
        return false;
    for (const QChar c : text) {
        const bool ascii = c.unicode() < 128;
        if (!ascii || !(c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-') ||
                        c == QLatin1Char('.')))
            return false;
    }
    return true;
}

QStringView trimmed(QStringView text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlank(text.at(start)))
        ++start;
    while (end > start && isBlank(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

// A value in double quotes, with \" and \\ inside; nullopt with *reason set when malformed.
std::optional<QString> unquoted(QStringView value, QString* reason) {
    QString text;
    for (qsizetype i = 1; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('"')) {
            if (i + 1 != value.size()) {
                *reason = QStringLiteral("text follows the closing quote of the value");
                return std::nullopt;
            }
            return text;
        }
        if (c == QLatin1Char('\\')) {
            const QChar next = i + 1 < value.size() ? value.at(i + 1) : QChar();
            if (next != QLatin1Char('"') && next != QLatin1Char('\\')) {
                *reason = QStringLiteral("a '\\' in a quoted value must be followed by \" or "
                                         "\\");
                return std::nullopt;
            }
            text += next;
            ++i;
            continue;
        }
        text += c;
    }
    *reason = QStringLiteral("the quoted value has no closing quote");
    return std::nullopt;
}

class Reader {
public:
    Reader(QList<IniEntry>* entries, IniFault* fault) : entries(entries), fault(fault) {}

    bool line(QStringView text, int number) {
        for (const QChar c : text) {
            if (c.category() == QChar::Other_Control && c != QLatin1Char('\t'))
                return fail(number, QStringLiteral("the line holds a control character"));
        }
        const QStringView content = trimmed(text);
        if (content.isEmpty() || content.startsWith(QLatin1Char(';')) ||
            content.startsWith(QLatin1Char('#')))
            return true;
        if (content.startsWith(QLatin1Char('[')))
            return groupLine(content, number);
        return keyLine(content, number);
    }

    bool fail(int number, const QString& reason) {
        *fault = IniFault{number, reason};
        return false;
    }

private:
    bool groupLine(QStringView content, int number) {
        if (!content.endsWith(QLatin1Char(']')))
            return fail(number, QStringLiteral("a group line must end with ']'"));
        const QStringView name = trimmed(content.mid(1, content.size() - 2));
        if (name.isEmpty())
            return fail(number, QStringLiteral("the group has no name"));
        if (!isName(name))
            return fail(number, QStringLiteral("a group's name is made of letters, digits, "
                                               "'_', '-' and '.'"));
        group = name.toString();
        return true;
    }

    bool keyLine(QStringView content, int number) {
        const qsizetype equals = content.indexOf(QLatin1Char('='));
        if (equals < 0)
            return fail(number, QStringLiteral("the line is neither \"[group]\", \"key = "
                                               "value\" nor a comment (; or #)"));
        const QString key = trimmed(content.left(equals)).toString();
        if (key.isEmpty())
            return fail(number, QStringLiteral("a '=' with no key before it"));
        if (!isName(key))
            return fail(number, QStringLiteral("the text before the first '=' is no key: a key "
                                               "is made of letters, digits, '_', '-' and '.'"));
        if (group.isNull())
            return fail(number,
                        QStringLiteral("the key \"%1\" stands before any [group]").arg(key));
        for (const IniEntry& entry : std::as_const(*entries)) {
            if (entry.group == group && entry.key == key)
                return fail(number, QStringLiteral("the key \"%1\" is given twice in [%2] "
                                                   "(first on line %3)")
                                        .arg(key, group)
                                        .arg(entry.line));
        }
        QStringView raw = trimmed(content.mid(equals + 1));
        QString value = raw.toString();
        if (raw.startsWith(QLatin1Char('"'))) {
            QString reason;
            const std::optional<QString> inner = unquoted(raw, &reason);
            if (!inner)
                return fail(number, reason);
            value = *inner;
        }
        entries->append(IniEntry{group, key, value, number});
        return true;
    }

    QList<IniEntry>* entries;
    IniFault* fault;
    QString group; // null before the first group line
};

} // namespace

bool readIni(const QByteArray& bytes, QList<IniEntry>* entries, IniFault* fault) {
    entries->clear();
    Reader reader(entries, fault);
    const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    const QList<QByteArray> lines = body.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int number = int(i + 1);
        QByteArray line = lines.at(i);
        if (line.endsWith('\r'))
            line.chop(1);
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder.decode(line);
        if (decoder.hasError())
            return reader.fail(number, QStringLiteral("the line is not UTF-8 text"));
        if (!reader.line(text, number))
            return false;
    }
    return true;
}

} // namespace app
