#pragma once

#include <QFont>

// The program's face is Tahoma; where it is missing, the font system picks a close sans face.
inline QFont tahoma(double pointSize) {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    return font;
}
