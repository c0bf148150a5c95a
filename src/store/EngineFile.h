#pragma once

#include "store/FileHeader.h"

#include <QSqlDatabase>
#include <optional>

namespace store {

// The database file as the engine behind an open connection has it: read through the engine's
// own handle. Unlike a descriptor of ours, which would drop every lock this process holds on
// the file when closed, and unlike the engine's page cache, which may keep the state from
// before a copy.
std::optional<FileHeader> headerThrough(const QSqlDatabase& db);

// True while some connection, of any program, is in the middle of a write to the file: its
// journal is then its own business, not one left behind.
bool writerActive(const QSqlDatabase& db);

} // namespace store
