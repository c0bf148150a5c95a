// quil-dbinit: creates the database file of Quil's Data Entry, with its four tables and one
// admin password. The program itself never creates the file or a table.

#include "store/ConnectionString.h"
#include "store/Schema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <csignal>
#include <termios.h>
#include <unistd.h>

namespace {

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int usageError(const QCommandLineParser& parser, const QString& message) {
    print(stderr, QStringLiteral("quil-dbinit: ") + message);
    std::fputs(parser.helpText().toLocal8Bit().constData(), stderr);
    return 1;
}

int failure(const QString& message) {
    print(stderr, QStringLiteral("quil-dbinit: ") + message);
    return 1;
}

// Letters and digits that cannot be mistaken for one another when read aloud or copied by hand.
QString generatedPassword() {
    static const QString alphabet =
        QStringLiteral("ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnpqrstuvwxyz23456789");
    QString password;
    for (int i = 0; i < 12; ++i)
        password += alphabet.at(int(QRandomGenerator::system()->bounded(alphabet.size())));
    return password;
}

termios savedTerminal{};

// Ctrl-C at the prompt must not leave the terminal without echo.
extern "C" void restoreTerminalAndQuit(int signal) {
    tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    const char newline = '\n';
    [[maybe_unused]] const auto written = write(STDERR_FILENO, &newline, 1);
    _exit(128 + signal);
}

// One line from the terminal with echo off; nullopt when input ends.
std::optional<QString> readHidden(const char* prompt) {
    std::fputs(prompt, stderr);
    std::fflush(stderr);
    const bool canHide = tcgetattr(STDIN_FILENO, &savedTerminal) == 0;
    if (canHide) {
        std::signal(SIGINT, restoreTerminalAndQuit);
        std::signal(SIGTERM, restoreTerminalAndQuit);
        termios hidden = savedTerminal;
        hidden.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &hidden);
    }
    std::string line;
    const bool got = bool(std::getline(std::cin, line));
    if (canHide) {
        tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
    }
    std::fputc('\n', stderr);
    if (!got)
        return std::nullopt;
    return QString::fromLocal8Bit(line);
}

// The password asked of the person at the terminal, typed twice; nullopt (with a message
// written) when refused.
std::optional<QString> askPassword() {
    const std::optional<QString> first = readHidden("Admin password: ");
    if (!first) {
        failure(QStringLiteral("no admin password given"));
        return std::nullopt;
    }
    if (first->isEmpty()) {
        failure(QStringLiteral("an empty admin password is refused"));
        return std::nullopt;
    }
    const std::optional<QString> second = readHidden("Admin password again: ");
    if (!second || *second != *first) {
        failure(QStringLiteral("the two passwords differ"));
        return std::nullopt;
    }
    return first;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quil-dbinit"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Creates %1, the database of Quil's Data Entry, with its four tables and "
                       "one admin password. An existing file is never overwritten.")
            .arg(store::kDatabaseFileName));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption passwordOption(
        QStringLiteral("admin-password"),
        QStringLiteral("The admin password. Without it, a terminal is asked for one; otherwise "
                       "one is made up and printed."),
        QStringLiteral("PW"));
    parser.addOption(passwordOption);
    parser.addPositionalArgument(
        QStringLiteral("FOLDER"),
        QStringLiteral("Where to create the file (default: the folder of this tool, which is "
                       "the program folder)."),
        QStringLiteral("[FOLDER]"));

    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser, parser.errorText());
    if (parser.isSet(helpOption)) {
        std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1)
        return usageError(parser, QStringLiteral("more than one folder given"));

    const QString folder =
        folders.isEmpty() ? QCoreApplication::applicationDirPath() : folders.first();
    const QString path =
        QFileInfo(QDir(folder).filePath(store::kDatabaseFileName)).absoluteFilePath();
    if (QFileInfo::exists(path))
        return failure(QStringLiteral("%1 already exists; it is left as it is").arg(path));

    QString password;
    bool generated = false;
    if (parser.isSet(passwordOption)) {
        password = parser.value(passwordOption);
        if (password.isEmpty())
            return usageError(parser, QStringLiteral("an empty admin password is refused"));
    } else if (isatty(STDIN_FILENO)) {
        const std::optional<QString> typed = askPassword();
        if (!typed)
            return 1;
        password = *typed;
    } else {
        password = generatedPassword();
        generated = true;
    }

    QString error;
    if (!store::createDatabase(path, password, &error))
        return failure(error);
    if (generated)
        print(stdout, QStringLiteral("Admin password: ") + password);
    print(stdout, QStringLiteral("Created ") + path);
    return 0;
}
