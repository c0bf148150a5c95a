#include "dbinit/Passwords.h"

#include "dbinit/Terminal.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>

#include <unistd.h>

namespace dbinit {
namespace {

// A first line longer than this is no password: a binary file, or /dev/zero.
constexpr qsizetype kLongestLine = 4096; // bytes

// subject: what the line is, for the message ("the first line of FILE").
std::optional<QString> decodedLine(QByteArray line, const QString& subject, QString* error) {
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(line);
    if (decoder.hasError()) {
        *error = QStringLiteral("%1 is not UTF-8 text").arg(subject);
        return std::nullopt;
    }
    return text;
}

std::optional<QByteArray> firstLine(QFile& file, const QString& source, QString* error) {
    QByteArray line;
    char byte = 0;
    while (line.size() <= kLongestLine && file.getChar(&byte)) {
        line += byte;
        if (byte == '\n')
            return line;
    }
    if (line.size() > kLongestLine)
        *error = QStringLiteral("the first line of %1 is longer than %2 bytes")
                     .arg(source)
                     .arg(kLongestLine);
    else if (file.error() != QFileDevice::NoError)
        *error = QStringLiteral("cannot read %1: %2").arg(source, file.errorString());
    else if (line.isEmpty())
        *error = QStringLiteral("%1 is empty; its first line should hold the admin password")
                     .arg(source);
    else
        return line;
    return std::nullopt;
}

} // namespace

QString passwordProblem(const QString& password) {
    const QList<uint> characters = password.toUcs4();
    if (characters.size() < kShortestPassword)
        return QStringLiteral("the admin password is too short: it has %1 characters, at least "
                              "%2 are needed")
            .arg(characters.size())
            .arg(kShortestPassword);
    for (const uint character : characters) {
        if (QChar::category(char32_t(character)) == QChar::Other_Control)
            return QStringLiteral("the admin password holds a control character, which cannot "
                                  "be typed at sign-in");
    }
    return {};
}

QString generatedPassword() {
    static const QString alphabet =
        QStringLiteral("ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnpqrstuvwxyz23456789");
    QString password;
    for (int i = 0; i < 12; ++i)
        password += alphabet.at(int(QRandomGenerator::system()->bounded(alphabet.size())));
    return password;
}

std::optional<QString> passwordFromFile(const QString& fileName, QString* error) {
    const bool fromInput = fileName == QLatin1String("-");
    const QString source = fromInput ? QStringLiteral("standard input") : fileName;
    std::optional<QByteArray> line;
    if (fromInput && isatty(STDIN_FILENO)) {
        line = readHiddenLine("Admin password: ");
        if (!line)
            *error = QStringLiteral("standard input ended before a line");
    } else {
        QFile file(fromInput ? QString() : fileName);
        const bool opened = fromInput ? file.open(STDIN_FILENO, QIODevice::ReadOnly)
                                      : file.open(QIODevice::ReadOnly);
        if (!opened) {
            *error = QStringLiteral("cannot read %1: %2").arg(source, file.errorString());
            return std::nullopt;
        }
        line = firstLine(file, source, error);
    }
    if (!line)
        return std::nullopt;
    const QString subject = QStringLiteral("the first line of %1").arg(source);
    std::optional<QString> password = decodedLine(*line, subject, error);
    if (password && password->isEmpty()) {
        *error = subject + QStringLiteral(" is empty; it should hold the admin password");
        return std::nullopt;
    }
    return password;
}

std::optional<QString> passwordFromTerminal(QString* error) {
    const QString subject = QStringLiteral("the typed password");
    const std::optional<QByteArray> first = readHiddenLine("Admin password: ");
    if (!first) {
        *error = QStringLiteral("no admin password given");
        return std::nullopt;
    }
    const std::optional<QString> password = decodedLine(*first, subject, error);
    if (!password)
        return std::nullopt;
    // Refused at once, before it is typed a second time.
    *error = passwordProblem(*password);
    if (!error->isEmpty())
        return std::nullopt;
    const std::optional<QByteArray> second = readHiddenLine("Admin password again: ");
    if (!second || decodedLine(*second, subject, error) != password) {
        *error = QStringLiteral("the two passwords differ");
        return std::nullopt;
    }
    return password;
}

} // namespace dbinit
