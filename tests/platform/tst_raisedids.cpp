// What a program with raised ids keeps of its caller's environment.
#include "platform/RaisedIds.h"

#include <QTest>

class RaisedIdsTest : public QObject {
    Q_OBJECT
private slots:
    void removesWhatNamesCodeOrFiles_data();
    void removesWhatNamesCodeOrFiles();
};

void RaisedIdsTest::removesWhatNamesCodeOrFiles_data() {
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("kept");
    QTest::newRow("plugin folder") << QByteArray("QT_PLUGIN_PATH") << QByteArray("/tmp/p") << false;
    QTest::newRow("platform plugin folder")
        << QByteArray("QT_QPA_PLATFORM_PLUGIN_PATH") << QByteArray("/tmp/p") << false;
    QTest::newRow("platform theme")
        << QByteArray("QT_QPA_PLATFORMTHEME") << QByteArray("gtk3") << false;
    QTest::newRow("input method") << QByteArray("QT_IM_MODULE") << QByteArray("ibus") << false;
    QTest::newRow("style") << QByteArray("QT_STYLE_OVERRIDE") << QByteArray("fusion") << false;
    QTest::newRow("library") << QByteArray("QT_VULKAN_LIB") << QByteArray("/tmp/l.so") << false;
    QTest::newRow("logging rules file")
        << QByteArray("QT_LOGGING_CONF") << QByteArray("/tmp/rules.ini") << false;

    const QByteArray platform("QT_QPA_PLATFORM");
    QTest::newRow("xcb") << platform << QByteArray("xcb") << true;
    QTest::newRow("wayland, else xcb") << platform << QByteArray("wayland;xcb") << true;
    QTest::newRow("offscreen") << platform << QByteArray("offscreen") << true;
    QTest::newRow("offscreen with a file")
        << platform << QByteArray("offscreen:configfile=/tmp/screens.json") << false;
    QTest::newRow("xcb with options") << platform << QByteArray("xcb:nograb") << false;
    QTest::newRow("framebuffer") << platform << QByteArray("linuxfb") << false;
    QTest::newRow("xcb, else vnc") << platform << QByteArray("xcb;vnc") << false;
    QTest::newRow("a name that starts like xcb") << platform << QByteArray("xcbx") << false;

    QTest::newRow("server address") << QByteArray("PGHOSTADDR") << QByteArray("10.9.8.7") << false;
    QTest::newRow("password file") << QByteArray("PGPASSFILE") << QByteArray("/tmp/pw") << false;
    QTest::newRow("client key") << QByteArray("PGSSLKEY") << QByteArray("/tmp/key") << false;

    QTest::newRow("display") << QByteArray("DISPLAY") << QByteArray(":1") << true;
    QTest::newRow("pager") << QByteArray("PAGER") << QByteArray("less") << true;
    QTest::newRow("scale factor") << QByteArray("QT_SCALE_FACTOR") << QByteArray("2") << true;
    QTest::newRow("plugin diagnostics")
        << QByteArray("QT_DEBUG_PLUGINS") << QByteArray("1") << true;
}

void RaisedIdsTest::removesWhatNamesCodeOrFiles() {
    QFETCH(QByteArray, variable);
    QFETCH(QByteArray, value);
    QFETCH(bool, kept);
    const QByteArray before = qgetenv(variable.constData());
    const bool wasSet = qEnvironmentVariableIsSet(variable.constData());
    QVERIFY(qputenv(variable.constData(), value));

    platform::removeCallerControls();
    const bool isSet = qEnvironmentVariableIsSet(variable.constData());
    const QByteArray after = qgetenv(variable.constData());
    if (wasSet)
        qputenv(variable.constData(), before);
    else
        qunsetenv(variable.constData());

    QCOMPARE(isSet, kept);
    if (kept)
        QCOMPARE(after, value);
}

QTEST_GUILESS_MAIN(RaisedIdsTest)
#include "tst_raisedids.moc"
