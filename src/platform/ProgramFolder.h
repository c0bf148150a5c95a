#pragma once

#include "platform/Seam.h"

#include <QString>

namespace platform {

// The folder that holds the program file: the database and the banner movie live there.
class ProgramFolder : public Seam<ProgramFolder> {
public:
    virtual ~ProgramFolder() = default;
    virtual QString path() const = 0;

    // The folder of the running program file.
    static ProgramFolder& real();
};

inline QString programFolder() {
    return ProgramFolder::instance().path();
}

} // namespace platform
