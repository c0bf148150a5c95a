#include "agents/CharacterLimit.h"

namespace agents {

qsizetype characterCount(const QString& text) {
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}

CharacterLimit::CharacterLimit(int limit, QObject* parent) : QValidator(parent), maximum(limit) {}

QValidator::State CharacterLimit::validate(QString& input, int&) const {
    // Half a character can never be stored as typed.
    if (!input.isValidUtf16())
        return Invalid;
    return characterCount(input) <= maximum ? Acceptable : Invalid;
}

} // namespace agents
