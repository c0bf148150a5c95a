#pragma once

#include <functional>

namespace ui {

// Ends the program at once with the given exit code: open database connections are closed
// first, so the file is left consistent and without journal files.
void endProgram(int exitCode);

using EndProgramHook = std::function<void(int exitCode)>;
// Tests record the end instead; the process goes on. An empty hook restores the real end.
void setEndProgramHook(EndProgramHook hook);

} // namespace ui
