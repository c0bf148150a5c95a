// Where the settings file is looked for, which one wins, and what start-up makes of it.
#include "app/StoreChoice.h"
#include "app/StoreSettings.h"
#include "support/Seams.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {

enum class Holds { Nothing, Good, Broken, Folder, Fifo };

// Three folders standing for the program's, the user's and the system's.
struct Places {
    QTemporaryDir dir;
    QStringList folders;

    Places() {
        for (const char* name : {"program", "user", "system"}) {
            folders << dir.filePath(QLatin1String(name));
            QDir().mkpath(folders.last());
        }
    }

    QString file(int place) const {
        return QDir(folders.at(place)).filePath(app::kSettingsFileName);
    }

    void put(int place, Holds holds) const {
        const QString path = file(place);
        if (holds == Holds::Folder)
            QDir().mkpath(path);
        if (holds == Holds::Fifo)
            ::mkfifo(QFile::encodeName(path).constData(), 0600);
        if (holds != Holds::Good && holds != Holds::Broken)
            return;
        QFile text(path);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write(holds == Holds::Good
                       ? QByteArray("[store]\nserver = postgresql://seat@db/quil" +
                                    QByteArray::number(place) + "\n")
                       : QByteArray("[store]\n\nsever = postgresql://seat@db/quil\n"));
    }
};

} // namespace

class StoreSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void firstFoundWins_data();
    void firstFoundWins();
    void foldersFollowTheEnvironment();
    void raisedIdsLeaveTheCallersFoldersOut();
    void aBrokenFileEndsTheStartWithOneBox();
    void noFileStartsWithTheFileBesideTheProgram();
};

void StoreSettingsTest::firstFoundWins_data() {
    QTest::addColumn<Holds>("program");
    QTest::addColumn<Holds>("user");
    QTest::addColumn<Holds>("system");
    QTest::addColumn<int>("winner"); // -1: none
    QTest::addColumn<QString>("outcome");

    QTest::newRow("none") << Holds::Nothing << Holds::Nothing << Holds::Nothing << -1 << "";
    QTest::newRow("the system's alone")
        << Holds::Nothing << Holds::Nothing << Holds::Good << 2 << "postgresql://seat@db/quil2";
    QTest::newRow("the user's before the system's")
        << Holds::Nothing << Holds::Good << Holds::Good << 1 << "postgresql://seat@db/quil1";
    QTest::newRow("the program folder's before all")
        << Holds::Good << Holds::Good << Holds::Good << 0 << "postgresql://seat@db/quil0";
    QTest::newRow("a broken file is not passed over")
        << Holds::Nothing << Holds::Broken << Holds::Good << 1 << "line 3: unknown key \"sever\"";
    QTest::newRow("a folder in the file's place is not passed over")
        << Holds::Folder << Holds::Good << Holds::Nothing << 0
        << "line 0: it cannot be read: it is a directory";
    QTest::newRow("a FIFO is refused without waiting")
        << Holds::Nothing << Holds::Fifo << Holds::Good << 1
        << "line 0: it cannot be read: it is a FIFO";
}

void StoreSettingsTest::firstFoundWins() {
    QFETCH(Holds, program);
    QFETCH(Holds, user);
    QFETCH(Holds, system);
    QFETCH(int, winner);
    QFETCH(QString, outcome);
    const Places places;
    places.put(0, program);
    places.put(1, user);
    places.put(2, system);

    const app::SettingsLookup lookup = app::lookUpSettings(places.folders);
    QCOMPARE(lookup.path, winner < 0 ? QString() : places.file(winner));
    const QString found =
        lookup.settings
            ? (lookup.settings->server ? store::displayText(*lookup.settings->server) : QString())
            : QStringLiteral("line %1: %2").arg(lookup.fault.line).arg(lookup.fault.reason);
    QVERIFY2(found.startsWith(outcome), qPrintable(found));
}

void StoreSettingsTest::foldersFollowTheEnvironment() {
    quiltest::Seams seams;
    const QByteArray home = qgetenv("HOME");
    qputenv("XDG_CONFIG_HOME", "/srv/seat/config");
    qputenv("XDG_CONFIG_DIRS", "/srv/room:/etc/site");
    const QStringList given = app::settingsFolders(false);
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_DIRS");
    const QStringList defaults = app::settingsFolders(false);

    QCOMPARE(given, (QStringList{seams.folder(), "/srv/seat/config/quil-data-entry",
                                 "/srv/room/quil-data-entry", "/etc/site/quil-data-entry"}));
    QCOMPARE(defaults,
             (QStringList{seams.folder(), QString::fromLocal8Bit(home) + "/.config/quil-data-entry",
                          "/etc/xdg/quil-data-entry"}));
}

void StoreSettingsTest::raisedIdsLeaveTheCallersFoldersOut() {
    quiltest::Seams seams;
    qputenv("XDG_CONFIG_HOME", "/home/caller/config");
    qputenv("XDG_CONFIG_DIRS", "/home/caller/system");
    const QStringList folders = app::settingsFolders(true);
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_DIRS");
    QCOMPARE(folders, (QStringList{seams.folder(), "/etc/xdg/quil-data-entry"}));
}

void StoreSettingsTest::aBrokenFileEndsTheStartWithOneBox() {
    quiltest::Seams seams;
    const Places places;
    places.put(1, Holds::Broken);
    QVERIFY(!app::chooseStore(places.folders));
    QCOMPARE(seams.endCodes, QList<int>{1});
    QCOMPARE(seams.boxes.size(), 1);
    QCOMPARE(seams.boxes.first().icon, ui::Icon::Critical);
    QCOMPARE(seams.boxes.first().title, QStringLiteral("Quil's Data Entry"));
    QCOMPARE(seams.boxes.first().text,
             "The settings file could not be used, so Quil's Data Entry must end.\n\n"
             "Settings file: " +
                 places.file(1) +
                 "\nLine 3: unknown key \"sever\" in [store]: it knows only \"server\"");
}

void StoreSettingsTest::noFileStartsWithTheFileBesideTheProgram() {
    quiltest::Seams seams;
    const Places places;
    QVERIFY(app::chooseStore(places.folders));
    QVERIFY(seams.boxes.isEmpty());
    QVERIFY(seams.endCodes.isEmpty());
}

QTEST_MAIN(StoreSettingsTest)
#include "tst_storesettings.moc"
