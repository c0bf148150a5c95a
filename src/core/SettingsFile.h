#pragma once

#include "core/IniFile.h"
#include "core/ServerUri.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace app {

inline const QString kSettingsFileName = QStringLiteral("quil-data-entry.conf");

// What a settings file chooses. Without a server the store is the file beside the program.
struct Settings {
    std::optional<store::ServerUri> server; // [store] server
};

// Reads a settings file's text. It knows one group, [store], with one key, server, whose value
// is a PostgreSQL connection URI. Any other group or key is a fault, not passed over: a
// misspelt name would otherwise leave the program storing into the file beside it while the
// room expects the server. nullopt with *fault set (its line, and why) when the text cannot
// be used.
std::optional<Settings> readSettings(const QByteArray& bytes, IniFault* fault);

} // namespace app
