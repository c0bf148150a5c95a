#pragma once

#include <QFont>

// The face of the program's title, Palatino Linotype; where it is missing, the font system picks
// a close serif face.
inline QFont palatino(double pointSize) {
    QFont font(QStringLiteral("Palatino Linotype"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(pointSize);
    return font;
}
