// quil-dbinit: creates the database file of Quil's Data Entry, or its tables on a PostgreSQL
// server, with its four tables and one admin password. The program itself never creates the
// file or a table.

#include "core/ConnectionString.h"
#include "dbinit/Passwords.h"
#include "dbinit/ServerInit.h"
#include "store/Schema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <grp.h>
#include <optional>
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

struct Options {
    QCommandLineOption password{
        QStringLiteral("admin-password"),
        QStringLiteral("The admin password. Other users of this machine can see it in the "
                       "process list, and the shell keeps it in its history: prefer "
                       "--admin-password-file or the prompt."),
        QStringLiteral("PW")};
    QCommandLineOption passwordFile{
        QStringLiteral("admin-password-file"),
        QStringLiteral("Takes the admin password from the first line of FILE; - reads it from "
                       "standard input."),
        QStringLiteral("FILE")};
    QCommandLineOption group{
        QStringLiteral("group"),
        QStringLiteral("Gives the file to group NAME, readable and writable by its members "
                       "(mode 0660). Without it only the file's owner may use it (0600)."),
        QStringLiteral("NAME")};
    QCommandLineOption server{
        QStringLiteral("server"),
        QStringLiteral("Creates the tables on the PostgreSQL server URI "
                       "(postgresql://[user@][host][:port][/dbname][?param=value&...]) instead "
                       "of a file, and prints the GRANT statements for the workstations' role. "
                       "The URI may not hold the password: libpq reads it from ~/.pgpass or "
                       "the file PGPASSFILE names."),
        QStringLiteral("URI")};
};

// Returns the help option.
QCommandLineOption describe(QCommandLineParser& parser, const Options& options) {
    parser.setApplicationDescription(
        QStringLiteral("Creates %1, the database of Quil's Data Entry, with its four tables and "
                       "one admin password of at least %2 characters; or, with --server, the "
                       "four tables on a PostgreSQL server. Without a password option a "
                       "terminal is asked for it; with no terminal one is made up and printed. "
                       "An existing file, or a database that holds any of the tables, is never "
                       "touched.")
            .arg(store::kDatabaseFileName)
            .arg(dbinit::kShortestPassword));
    const QCommandLineOption help = parser.addHelpOption();
    parser.addOptions({options.password, options.passwordFile, options.group, options.server});
    parser.addPositionalArgument(
        QStringLiteral("FOLDER"),
        QStringLiteral("Where to create the file (default: the folder of this tool, which is "
                       "the program folder)."),
        QStringLiteral("[FOLDER]"));
    return help;
}

// Each option once, and one source of the password at most; empty when so.
QString optionConflict(const QCommandLineParser& parser, const Options& options) {
    for (const QCommandLineOption* option :
         {&options.password, &options.passwordFile, &options.group, &options.server}) {
        if (parser.values(*option).size() > 1)
            return QStringLiteral("--%1 is given more than once").arg(option->names().first());
    }
    if (parser.isSet(options.password) && parser.isSet(options.passwordFile))
        return QStringLiteral("--admin-password and --admin-password-file exclude each other: "
                              "give one");
    if (parser.isSet(options.server) && !parser.positionalArguments().isEmpty())
        return QStringLiteral("--server and a FOLDER exclude each other: give one");
    if (parser.isSet(options.server) && parser.isSet(options.group))
        return QStringLiteral("--group is for a file; on a server the GRANT statements printed "
                              "say who may use the tables");
    return {};
}

// Its owner's alone, or shared with the group named.
std::optional<store::FileAccess> fileAccess(const QCommandLineParser& parser,
                                            const Options& options, QString* error) {
    store::FileAccess access;
    if (!parser.isSet(options.group))
        return access;
    const QString name = parser.value(options.group);
    const group* entry = ::getgrnam(QFile::encodeName(name).constData());
    if (!entry) {
        *error = QStringLiteral("there is no group named \"%1\"").arg(name);
        return std::nullopt;
    }
    access.permissions |= QFileDevice::ReadGroup | QFileDevice::WriteGroup;
    access.group = entry->gr_gid;
    return access;
}

struct AdminPassword {
    QString text;
    bool generated = false;
};

// From the option that names it, else the terminal, else made up.
std::optional<AdminPassword> adminPassword(const QCommandLineParser& parser, const Options& options,
                                           QString* error) {
    std::optional<QString> text;
    if (parser.isSet(options.password))
        text = parser.value(options.password);
    else if (parser.isSet(options.passwordFile))
        text = dbinit::passwordFromFile(parser.value(options.passwordFile), error);
    else if (isatty(STDIN_FILENO))
        text = dbinit::passwordFromTerminal(error);
    else
        return AdminPassword{dbinit::generatedPassword(), true};
    if (!text)
        return std::nullopt;
    *error = dbinit::passwordProblem(*text);
    if (!error->isEmpty())
        return std::nullopt;
    return AdminPassword{*text, false};
}

// The URI is checked before the admin password is asked for.
int createOnServer(const QCommandLineParser& parser, const Options& options) {
    QString error;
    const std::optional<store::ServerUri> server =
        dbinit::serverFromArgument(parser.value(options.server), &error);
    if (!server)
        return failure(error);
    const std::optional<AdminPassword> password = adminPassword(parser, options, &error);
    if (!password)
        return failure(error);
    QString script;
    if (!dbinit::createOnServer(*server, password->text, password->generated, &script, &error))
        return failure(error);
    const QByteArray bytes = script.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quil-dbinit"));

    QCommandLineParser parser;
    const Options options;
    const QCommandLineOption help = describe(parser, options);
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser, parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1)
        return usageError(parser, QStringLiteral("more than one folder given"));
    if (const QString conflict = optionConflict(parser, options); !conflict.isEmpty())
        return usageError(parser, conflict);

    if (parser.isSet(options.server))
        return createOnServer(parser, options);

    const QString folder =
        folders.isEmpty() ? QCoreApplication::applicationDirPath() : folders.first();
    const QString path =
        QFileInfo(QDir(folder).filePath(store::kDatabaseFileName)).absoluteFilePath();
    if (QFileInfo::exists(path))
        return failure(QStringLiteral("%1 already exists; it is left as it is").arg(path));

    QString error;
    const std::optional<store::FileAccess> access = fileAccess(parser, options, &error);
    if (!access)
        return failure(error);
    const std::optional<AdminPassword> password = adminPassword(parser, options, &error);
    if (!password)
        return failure(error);

    if (!store::createDatabase(path, password->text, &error, *access))
        return failure(error);
    if (password->generated)
        print(stdout, QStringLiteral("Admin password: ") + password->text);
    print(stdout, QStringLiteral("Created ") + path);
    return 0;
}
