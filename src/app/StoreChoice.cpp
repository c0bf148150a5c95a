#include "app/StoreChoice.h"

#include "app/StoreSettings.h"
#include "core/ConnectionString.h"
#include "store/Server.h"
#include "ui/EndProgram.h"
#include "ui/MessageBox.h"

#include <cstdio>

namespace app {
namespace {

bool endWith(const QString& text) {
    // Written first: if the box cannot be shown, the reason still reaches a log.
    const QByteArray block = "quil-data-entry: " + text.toLocal8Bit() + '\n';
    std::fwrite(block.constData(), 1, size_t(block.size()), stderr);
    std::fflush(stderr);
    ui::messageBox(ui::Icon::Critical, text, QStringLiteral("Quil's Data Entry"));
    ui::endProgram(1);
    return false;
}

QString faultText(const SettingsLookup& lookup) {
    const IniFault& fault = lookup.fault;
    return QStringLiteral("The settings file could not be used, so Quil's Data Entry must "
                          "end.\n\nSettings file: %1\n%2")
        .arg(lookup.path, fault.line > 0
                              ? QStringLiteral("Line %1: %2").arg(fault.line).arg(fault.reason)
                              : QStringLiteral("Error: ") + fault.reason);
}

} // namespace

bool chooseStore(const QStringList& folders) {
    const SettingsLookup lookup = lookUpSettings(folders);
    if (lookup.path.isEmpty())
        return true;
    if (!lookup.settings)
        return endWith(faultText(lookup));
    if (!lookup.settings->server)
        return true;
    const store::ServerUri& server = *lookup.settings->server;
    QString error;
    if (!store::reachServer(server, &error))
        return endWith(QStringLiteral("The database server could not be reached, so Quil's "
                                      "Data Entry must end.\n\nSettings file: %1\nServer: "
                                      "%2\nError: %3")
                           .arg(lookup.path, store::displayText(server), error));
    return endWith(QStringLiteral("The settings file chooses a database server, but this build "
                                  "of Quil's Data Entry stores only into the file %1 beside the "
                                  "program: server stores are not available in this build yet, "
                                  "so it must end. Remove the settings file (or its server) to "
                                  "use the file.\n\nSettings file: %2\nServer: %3")
                       .arg(store::kDatabaseFileName, lookup.path, store::displayText(server)));
}

} // namespace app
