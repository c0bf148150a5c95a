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

// The program's face.
inline QFont tahoma(double pointSize) {
    return face("Tahoma", QFont::SansSerif, pointSize);
}

// The face of the program's title.
inline QFont palatino(double pointSize) {
    return face("Palatino Linotype", QFont::Serif, pointSize);
}
