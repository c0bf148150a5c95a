#include "core/ServerUri.h"

#include <QStringDecoder>
#include <QStringList>

namespace store {
namespace {

const QString kScheme = QStringLiteral("postgresql://");
const QString kShortScheme = QStringLiteral("postgres://");

// libpq's connection parameters (PostgreSQL 15) besides the parts of the URI itself.
const QStringList kParameters = {
    QStringLiteral("passfile"),
    QStringLiteral("channel_binding"),
    QStringLiteral("connect_timeout"),
    QStringLiteral("client_encoding"),
    QStringLiteral("options"),
    QStringLiteral("application_name"),
    QStringLiteral("fallback_application_name"),
    QStringLiteral("keepalives"),
    QStringLiteral("keepalives_idle"),
    QStringLiteral("keepalives_interval"),
    QStringLiteral("keepalives_count"),
    QStringLiteral("tcp_user_timeout"),
    QStringLiteral("sslmode"),
    QStringLiteral("sslcompression"),
    QStringLiteral("sslcert"),
    QStringLiteral("sslkey"),
    QStringLiteral("sslpassword"),
    QStringLiteral("sslrootcert"),
    QStringLiteral("sslcrl"),
    QStringLiteral("sslcrldir"),
    QStringLiteral("sslsni"),
    QStringLiteral("requirepeer"),
    QStringLiteral("ssl_min_protocol_version"),
    QStringLiteral("ssl_max_protocol_version"),
    QStringLiteral("gssencmode"),
    QStringLiteral("krbsrvname"),
    QStringLiteral("gsslib"),
    QStringLiteral("replication"),
    QStringLiteral("target_session_attrs"),
    QStringLiteral("hostaddr"),
    QStringLiteral("service"),
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// what: the part, for the message ("the password"); its text is never quoted.
std::optional<QString> decoded(QStringView part, const QString& what, QString* error) {
    const QByteArray raw = part.toUtf8();
    QByteArray bytes;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.at(i) != '%') {
            bytes += raw.at(i);
            continue;
        }
        const int high = i + 2 < raw.size() ? hexDigit(raw.at(i + 1)) : -1;
        const int low = high >= 0 ? hexDigit(raw.at(i + 2)) : -1;
        if (low < 0) {
            *error = what + QStringLiteral(" holds a '%' that is not followed by two hex "
                                           "digits (write a '%' itself as %25)");
            return std::nullopt;
        }
        if (high == 0 && low == 0) {
            *error = what + QStringLiteral(" holds %00, which libpq refuses");
            return std::nullopt;
        }
        bytes += char(high * 16 + low);
        i += 2;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        *error = what + QStringLiteral(" is not UTF-8 text once decoded");
        return std::nullopt;
    }
    // Given, though empty: never a null string.
    return text.isNull() ? QStringLiteral("") : text;
}

bool fail(QString* error, const QString& text) {
    *error = text;
    return false;
}

bool setPort(QStringView text, ServerUri& server, QString* error) {
    bool ok = false;
    const int port = text.toInt(&ok);
    for (const QChar c : text)
        ok = ok && c.isDigit() && c.unicode() < 128;
    if (!ok || port < 1 || port > 65535)
        return fail(error, QStringLiteral("the port is not a number from 1 to 65535"));
    server.port = port;
    return true;
}

bool setHost(const QString& host, ServerUri& server, QString* error) {
    if (host.contains(QLatin1Char(',')))
        return fail(error, QStringLiteral("several hosts are given (a ','): name one server"));
    server.host = host;
    return true;
}

// [user[:password]@]
bool parseUserInfo(QStringView info, ServerUri& server, QString* error) {
    const qsizetype colon = info.indexOf(QLatin1Char(':'));
    const std::optional<QString> user =
        decoded(info.left(colon), QStringLiteral("the user name"), error);
    if (!user)
        return false;
    server.user = *user;
    if (colon < 0)
        return true;
    const std::optional<QString> password =
        decoded(info.mid(colon + 1), QStringLiteral("the password"), error);
    if (!password)
        return false;
    server.password = *password;
    return true;
}

// [host][:port], the host an IPv6 address in brackets or a name.
bool parseHostPort(QStringView text, ServerUri& server, QString* error) {
    if (text.contains(QLatin1Char(',')))
        return fail(error, QStringLiteral("several hosts are given (a ','): name one server"));
    QStringView rest;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close < 0)
            return fail(error, QStringLiteral("an IPv6 address lacks its closing ']'"));
        if (close == 1)
            return fail(error, QStringLiteral("the brackets hold no IPv6 address"));
        if (!setHost(text.mid(1, close - 1).toString(), server, error))
            return false;
        rest = text.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':')))
            return fail(error, QStringLiteral("only a ':' and a port may follow an IPv6 "
                                              "address in brackets"));
    } else {
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        const std::optional<QString> host =
            decoded(text.left(colon), QStringLiteral("the host"), error);
        if (!host || !setHost(*host, server, error))
            return false;
        if (colon >= 0)
            rest = text.mid(colon);
    }
    if (rest.isEmpty())
        return true;
    if (rest.size() == 1)
        return fail(error, QStringLiteral("a ':' after the host needs a port"));
    return setPort(rest.mid(1), server, error);
}

// Sets a part given as a query parameter; refused when the URI itself gives it too.
bool setPart(const QString& name, const QString& value, ServerUri& server, QString* error) {
    const auto twice = [&] {
        return fail(error,
                    QStringLiteral("the %1 is given twice: in the URI and as ?%1=").arg(name));
    };
    if (name == QLatin1String("host"))
        return server.host.isEmpty() ? setHost(value, server, error) : twice();
    if (name == QLatin1String("port"))
        return server.port == -1 ? setPort(value, server, error) : twice();
    QString& part = name == QLatin1String("dbname") ? server.databaseName
                    : name == QLatin1String("user") ? server.user
                                                    : server.password;
    if (!part.isEmpty())
        return twice();
    part = value;
    return true;
}

bool addParameter(QStringView piece, ServerUri& server, QString* error) {
    const qsizetype equals = piece.indexOf(QLatin1Char('='));
    if (equals < 0)
        return fail(error, QStringLiteral("a parameter of the query has no '=' and value"));
    const std::optional<QString> name =
        decoded(piece.left(equals), QStringLiteral("a parameter's name"), error);
    if (!name)
        return false;
    std::optional<QString> value = decoded(
        piece.mid(equals + 1), QStringLiteral("the value of parameter \"%1\"").arg(*name), error);
    if (!value)
        return false;
    static const QStringList parts = {QStringLiteral("host"), QStringLiteral("port"),
                                      QStringLiteral("dbname"), QStringLiteral("user"),
                                      QStringLiteral("password")};
    if (parts.contains(*name))
        return setPart(*name, *value, server, error);
    QString key = *name;
    // libpq's own rule for URIs: ssl=true asks for sslmode=require.
    if (key == QLatin1String("ssl")) {
        if (*value != QLatin1String("true"))
            return fail(error, QStringLiteral("parameter \"ssl\" takes only the value true"));
        key = QStringLiteral("sslmode");
        value = QStringLiteral("require");
    } else if (!kParameters.contains(key)) {
        return fail(
            error,
            QStringLiteral("unknown parameter \"%1\": not a libpq connection parameter").arg(key));
    }
    if (!option(server, key).isNull())
        return fail(error, QStringLiteral("parameter \"%1\" is given twice").arg(key));
    // Qt's PostgreSQL driver turns every ';' of its connection options into a blank.
    if (value->contains(QLatin1Char(';')))
        return fail(error, QStringLiteral("the value of parameter \"%1\" holds a ';', which "
                                          "Qt's PostgreSQL driver cannot pass on")
                               .arg(key));
    server.options.append({key, *value});
    return true;
}

bool parseQuery(QStringView query, ServerUri& server, QString* error) {
    qsizetype start = 0;
    while (start <= query.size()) {
        qsizetype end = query.indexOf(QLatin1Char('&'), start);
        if (end < 0)
            end = query.size();
        const QStringView piece = query.mid(start, end - start);
        // An empty piece ("a=1&", "a=1&&b=2") names nothing.
        if (!piece.isEmpty() && !addParameter(piece, server, error))
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace

std::optional<ServerUri> parseServerUri(const QString& text, QString* error) {
    QStringView rest(text);
    if (rest.startsWith(kScheme))
        rest = rest.mid(kScheme.size());
    else if (rest.startsWith(kShortScheme))
        rest = rest.mid(kShortScheme.size());
    else {
        *error = QStringLiteral("a server is named by a URI that starts with postgresql:// "
                                "(or postgres://)");
        return std::nullopt;
    }
    qsizetype question = rest.indexOf(QLatin1Char('?'));
    const QStringView query = question < 0 ? QStringView() : rest.mid(question + 1);
    const QStringView beforeQuery = question < 0 ? rest : rest.left(question);
    const qsizetype slash = beforeQuery.indexOf(QLatin1Char('/'));
    const QStringView authority = slash < 0 ? beforeQuery : beforeQuery.left(slash);
    const QStringView path = slash < 0 ? QStringView() : beforeQuery.mid(slash + 1);

    ServerUri server;
    const qsizetype at = authority.lastIndexOf(QLatin1Char('@'));
    if (at >= 0 && authority.left(at).contains(QLatin1Char('@'))) {
        *error = QStringLiteral("more than one '@' before the host: write an '@' in the user "
                                "name or password as %40");
        return std::nullopt;
    }
    if (at >= 0 && !parseUserInfo(authority.left(at), server, error))
        return std::nullopt;
    if (!parseHostPort(authority.mid(at + 1), server, error))
        return std::nullopt;
    const std::optional<QString> database =
        decoded(path, QStringLiteral("the database name"), error);
    if (!database)
        return std::nullopt;
    server.databaseName = *database;
    if (!parseQuery(query, server, error))
        return std::nullopt;
    return server;
}

QString displayText(const ServerUri& server) {
    QString text = kScheme;
    if (!server.user.isEmpty())
        text += server.user + QLatin1Char('@');
    const bool socketFolder = server.host.startsWith(QLatin1Char('/'));
    if (!socketFolder) {
        if (server.host.contains(QLatin1Char(':')))
            text += QLatin1Char('[') + server.host + QLatin1Char(']');
        else
            text += server.host;
    }
    if (server.port != -1)
        text += QLatin1Char(':') + QString::number(server.port);
    if (!server.databaseName.isEmpty())
        text += QLatin1Char('/') + server.databaseName;
    if (socketFolder)
        text += QStringLiteral("?host=") + server.host;
    return text;
}

QString connectOptions(const ServerUri& server) {
    QStringList pairs;
    for (const auto& [name, value] : server.options) {
        QString quoted = value;
        quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
        quoted.replace(QLatin1Char('\''), QStringLiteral("\\'"));
        pairs << name + QStringLiteral("='") + quoted + QLatin1Char('\'');
    }
    return pairs.join(QLatin1Char(' '));
}

QString option(const ServerUri& server, const QString& name) {
    for (const auto& [key, value] : server.options) {
        if (key == name)
            return value;
    }
    return {};
}

} // namespace store
