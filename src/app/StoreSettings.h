#pragma once

#include "core/SettingsFile.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace app {

// The folders that may hold the settings file, in the order they are looked in: the program
// folder, the user's configuration folders ($XDG_CONFIG_HOME, by default ~/.config), the
// system's ($XDG_CONFIG_DIRS, by default /etc/xdg), each with quil-data-entry/ below the last
// two. With raised ids the caller's environment chooses no folder: only the program folder
// and /etc/xdg/quil-data-entry.
QStringList settingsFolders(bool raisedIds);

// The settings file found first in folders, and what it chooses.
struct SettingsLookup {
    QString path;                     // empty: no folder holds one
    std::optional<Settings> settings; // when the file could be used
    IniFault fault;                   // why it could not (line 0: the file as a whole)
};

// Looks in each folder in turn; the first that holds a file of that name wins, also when it
// cannot be read: a file that is there is never passed over for the next folder's. A folder
// that does not exist, or cannot be reached (its parent cannot be searched), is passed over.
SettingsLookup lookUpSettings(const QStringList& folders);

} // namespace app
