#include "VirtualScreen.h"

#include <QDeadlineTimer>
#include <algorithm>

namespace e2e {

VirtualScreen::~VirtualScreen() {
    if (server.state() == QProcess::NotRunning)
        return;
    server.terminate();
    if (!server.waitForFinished(5000)) {
        server.kill();
        server.waitForFinished(5000);
    }
}

bool VirtualScreen::start(const QString& logFile, int timeoutMs) {
    // -displayfd: the server picks a free display itself and writes its number, once it accepts
    // connections, to the given descriptor (here its standard output). -noreset keeps it up
    // between the short connections of the tools that drive it.
    log = logFile;
    server.setStandardErrorFile(log);
    server.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                  QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!server.waitForStarted(timeoutMs)) {
        lastError = QStringLiteral("Xvfb did not start: ") + server.errorString();
        return false;
    }
    QByteArray said;
    const QDeadlineTimer deadline(timeoutMs);
    while (!said.contains('\n')) {
        if (deadline.hasExpired() || server.state() == QProcess::NotRunning) {
            lastError = QStringLiteral("Xvfb named no display within %1 ms; see %2")
                            .arg(timeoutMs)
                            .arg(log);
            return false;
        }
        server.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
        said += server.readAllStandardOutput();
    }
    bool isNumber = false;
    const int number = said.trimmed().toInt(&isNumber);
    if (!isNumber) {
        lastError = QStringLiteral("Xvfb named no display number: ") + QString::fromLocal8Bit(said);
        return false;
    }
    displayName = QStringLiteral(":%1").arg(number);
    return true;
}

} // namespace e2e
