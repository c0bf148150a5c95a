#pragma once

#include <QString>

namespace agents {

// An agent's only identity: first name, " ", middle initial, ". ", last name, as typed.
QString displayName(const QString& lastName, const QString& firstName, const QString& middle);

} // namespace agents
