#pragma once

#include <QByteArray>
#include <optional>

namespace dbinit {

// One line typed at the terminal on standard input, with echo off from before the prompt is
// shown; without its line end. nullopt when input ends first.
std::optional<QByteArray> readHiddenLine(const char* prompt);

} // namespace dbinit
