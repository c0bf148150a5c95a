#include "core/NumberText.h"

#include <cmath>

QString numberText(double value) {
    // QString::number ignores the locale; 'g' with 15 digits rounds away binary noise such as
    // 7.7 + 7.5 = 15.200000000000001.
    QString text = QString::number(value, 'g', 15);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

double numberValue(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}
