// The settings file's text: what it chooses, and where and why it cannot be used.
#include "core/SettingsFile.h"

#include <QTest>

class SettingsFileTest : public QObject {
    Q_OBJECT
private slots:
    void choosesTheServer_data();
    void choosesTheServer();
    void namesTheLineAndTheReason_data();
    void namesTheLineAndTheReason();
};

void SettingsFileTest::choosesTheServer_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("server"); // shown; empty: no server, the file beside the program

    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("comments and blank lines only")
        << QByteArray("; a comment\n# another\n\n   \t\n[store]\n; server = postgresql://db\n")
        << "";
    QTest::newRow("a server") << QByteArray("[store]\nserver = postgresql://agent@db/quil\n")
                              << "postgresql://agent@db/quil";
    QTest::newRow("CR LF, byte-order mark, blanks, no last line end")
        << QByteArray("\xEF\xBB\xBF [ store ] \r\n\tserver\t=\tpostgresql://agent@db/quil \r\n"
                      "# end")
        << "postgresql://agent@db/quil";
    QTest::newRow("';' and '#' after a value belong to it")
        << QByteArray("[store]\nserver = postgresql://db/quil#2 ;x\n")
        << "postgresql://db/quil#2 ;x";
    QTest::newRow("quoted value with escapes")
        << QByteArray("[store]\nserver = \"postgresql://db/a\\\"b\\\\c\"\n")
        << "postgresql://db/a\"b\\c";
    QTest::newRow("the group given twice")
        << QByteArray("[store]\n[store]\nserver=postgresql://db/quil\n") << "postgresql://db/quil";
    QTest::newRow("an empty group that names nothing")
        << QByteArray("[later]\n[store]\nserver=postgresql://db/quil\n") << "postgresql://db/quil";
}

void SettingsFileTest::choosesTheServer() {
    QFETCH(QByteArray, text);
    QFETCH(QString, server);
    app::IniFault fault;
    const std::optional<app::Settings> settings = app::readSettings(text, &fault);
    QVERIFY2(settings, qPrintable(QStringLiteral("line %1: %2").arg(fault.line).arg(fault.reason)));
    QCOMPARE(settings->server ? store::displayText(*settings->server) : QString(), server);
}

void SettingsFileTest::namesTheLineAndTheReason_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");

    QTest::newRow("key before any group")
        << QByteArray("; settings\nserver = postgresql://db\n") << 2 << "before any [group]";
    QTest::newRow("no '=' (the password is not quoted)")
        << QByteArray("[store]\nserver postgresql://agent:hunter2@db/quil\n") << 2
        << "neither \"[group]\"";
    QTest::newRow("a URI where the key goes (not quoted)")
        << QByteArray("[store]\npostgresql://agent:hunter2@db/quil?sslmode=require\n") << 2
        << "no key";
    QTest::newRow("no key") << QByteArray("[store]\n = postgresql://db\n") << 2 << "no key";
    QTest::newRow("group not closed") << QByteArray("\n[store\n") << 2 << "must end with ']'";
    QTest::newRow("group without name") << QByteArray("[ ]\n") << 1 << "no name";
    QTest::newRow("group name not a name") << QByteArray("[st ore]\n") << 1 << "letters, digits";
    QTest::newRow("misspelt key") << QByteArray("[store]\nsever = postgresql://db\n") << 2
                                  << "unknown key \"sever\" in [store]: it knows only \"server\"";
    QTest::newRow("misspelt group") << QByteArray("[Store]\nserver = postgresql://db\n") << 2
                                    << "unknown group [Store]: the settings know only [store]";
    QTest::newRow("key twice")
        << QByteArray(
               "[store]\nserver = postgresql://a@db\n\n[store]\nserver = postgresql://b@db\n")
        << 5 << "the key \"server\" is given twice in [store] (first on line 2)";
    QTest::newRow("empty server") << QByteArray("[store]\nserver =\n") << 2
                                  << "the server is empty";
    QTest::newRow("bad URI")
        << QByteArray("[store]\n\nserver = mysql://agent:hunter2@db\n") << 3
        << "the server's URI: a server is named by a URI that starts with postgresql://";
    QTest::newRow("bad URI port") << QByteArray("[store]\nserver = postgresql://db:99999\n") << 2
                                  << "the server's URI: the port is not a number from 1 to 65535";
    QTest::newRow("quote not closed")
        << QByteArray("\n\n[store]\nserver = \"postgresql://db\n") << 4 << "no closing quote";
    QTest::newRow("text after the quote")
        << QByteArray("[store]\nserver = \"a\" b\n") << 2 << "text follows the closing quote";
    QTest::newRow("unknown escape")
        << QByteArray("[store]\nserver = \"a\\x\"\n") << 2 << "must be followed by";
    QTest::newRow("not UTF-8") << QByteArray("[store]\n\xff\xfe\n") << 2 << "not UTF-8";
    QTest::newRow("control character")
        << QByteArray("[store]\nser\x01ver = a\n") << 2 << "control character";
    QTest::newRow("binary file") << QByteArray("\0\0\0\0", 4) << 1 << "control character";
}

void SettingsFileTest::namesTheLineAndTheReason() {
    QFETCH(QByteArray, text);
    app::IniFault fault;
    QVERIFY(!app::readSettings(text, &fault));
    QTEST(fault.line, "line");
    QFETCH(QString, reason);
    QVERIFY2(fault.reason.contains(reason), qPrintable(fault.reason));
    QVERIFY2(!fault.reason.contains(QLatin1String("hunter2")), qPrintable(fault.reason));
}

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "tst_settingsfile.moc"
