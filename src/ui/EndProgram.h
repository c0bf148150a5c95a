#pragma once

#include "platform/Seam.h"

namespace ui {

// The end of the program with an exit code.
class ProgramEnd : public platform::Seam<ProgramEnd> {
public:
    virtual ~ProgramEnd() = default;
    virtual void end(int exitCode) = 0;

    // Ends the process at once: open database connections are closed first, so the file is left
    // consistent and without journal files. It never returns.
    static ProgramEnd& real();
};

inline void endProgram(int exitCode) {
    ProgramEnd::instance().end(exitCode);
}

} // namespace ui
