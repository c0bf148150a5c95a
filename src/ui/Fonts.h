#pragma once

#include <QFont>

// A font of the given family and size; where the family is missing, the font system picks a
// close face of the hinted kind.
inline QFont face(const char* family, QFont::StyleHint hint, double pointSize) {
    QFont font{QString::fromLatin1(family)};
    font.setStyleHint(hint);
    font.setPointSizeF(pointSize);
    return font;
}

// The program's face; ui::loadProgramFonts brings a face of its metrics where the system lacks
// it.
inline QFont tahoma(double pointSize) {
    return face("Tahoma", QFont::SansSerif, pointSize);
}

// The face of the program's title; where it is missing, the font system's aliases give URW's
// P052, made to Palatino's metrics.
inline QFont palatino(double pointSize) {
    return face("Palatino Linotype", QFont::Serif, pointSize);
}
