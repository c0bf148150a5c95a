#pragma once

#include <QString>
#include <optional>

namespace dbinit {

// Counted in characters (code points), as a person types them.
constexpr qsizetype kShortestPassword = 8;

// Why a password cannot be the admin password; empty when it can.
QString passwordProblem(const QString& password);

// Twelve letters and digits that cannot be mistaken for one another when read aloud or copied
// by hand.
QString generatedPassword();

// The first line of a file, "-" standing for standard input (asked for with echo off when that
// is a terminal), without its line end. nullopt with *error set when there is no such line or
// it is not UTF-8 text.
std::optional<QString> passwordFromFile(const QString& fileName, QString* error);

// Asked at the terminal, twice; nullopt with *error set when refused.
std::optional<QString> passwordFromTerminal(QString* error);

} // namespace dbinit
