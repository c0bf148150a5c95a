#pragma once

#include "core/ServerUri.h"

#include <QString>
#include <optional>

namespace dbinit {

// The server named on the command line. Refused when the URI holds a password (or a client
// key's), which the process list would show to every user of the machine: libpq reads it
// from ~/.pgpass or the file PGPASSFILE names.
std::optional<store::ServerUri> serverFromArgument(const QString& text, QString* error);

// Creates the four tables on the server with one admin password row, and writes to *script
// what was done, as SQL comments, followed by the GRANT statements for the workstations'
// role: a script to run as the tables' owner. The generated password, when there is one, is
// in its comments. False with *error when the server cannot be reached or already holds a
// table; nothing is changed then.
bool createOnServer(const store::ServerUri& server, const QString& adminPassword,
                    bool passwordGenerated, QString* script, QString* error);

} // namespace dbinit
