#pragma once

#include <QString>

namespace platform {

// The folder that holds the program file: the database and the banner movie live there.
QString programFolder();
// An empty folder restores the real one.
void setProgramFolder(const QString& folder);

} // namespace platform
