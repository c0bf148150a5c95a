#include "core/SettingsFile.h"

namespace app {
namespace {

const QString kStoreGroup = QStringLiteral("store");
const QString kServerKey = QStringLiteral("server");

} // namespace

std::optional<Settings> readSettings(const QByteArray& bytes, IniFault* fault) {
    QList<IniEntry> entries;
    if (!readIni(bytes, &entries, fault))
        return std::nullopt;
    Settings settings;
    for (const IniEntry& entry : std::as_const(entries)) {
        if (entry.group != kStoreGroup) {
            *fault = IniFault{entry.line, QStringLiteral("unknown group [%1]: the settings know "
                                                         "only [store]")
                                              .arg(entry.group)};
            return std::nullopt;
        }
        if (entry.key != kServerKey) {
            *fault = IniFault{entry.line, QStringLiteral("unknown key \"%1\" in [store]: it "
                                                         "knows only \"server\"")
                                              .arg(entry.key)};
            return std::nullopt;
        }
        if (entry.value.isEmpty()) {
            *fault =
                IniFault{entry.line, QStringLiteral("the server is empty: give a URI such as "
                                                    "postgresql://agent@db.example:5432/quil, or "
                                                    "remove the line to store into the file beside "
                                                    "the program")};
            return std::nullopt;
        }
        QString error;
        settings.server = store::parseServerUri(entry.value, &error);
        if (!settings.server) {
            *fault = IniFault{entry.line, QStringLiteral("the server's URI: ") + error};
            return std::nullopt;
        }
    }
    return settings;
}

} // namespace app
