#include "agents/CharacterLimit.h"

#include <QLineEdit>

namespace agents {

namespace {

bool startsAPair(const QString& text, qsizetype i) {
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
}

bool endsAPair(const QString& text, qsizetype end) {
    return end >= 2 && text.at(end - 1).isLowSurrogate() && text.at(end - 2).isHighSurrogate();
}

// Where count characters before end begin; -1 when fewer than count lie before it.
qsizetype charactersBefore(const QString& text, qsizetype end, qsizetype count) {
    for (; count > 0; --count) {
        if (end <= 0)
            return -1;
        end -= endsAPair(text, end) ? 2 : 1;
    }
    return end;
}

} // namespace

qsizetype characterCount(const QString& text) {
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (startsAPair(text, i))
            ++i;
        ++count;
    }
    return count;
}

bool isStorableText(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t character = text.at(i).unicode();
        if (startsAPair(text, i)) {
            character = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        } else if (QChar::isSurrogate(character)) {
            return false;
        }
        if (QChar::isNonCharacter(character))
            return false;
    }
    return true;
}

CharacterLimit::CharacterLimit(int limit, QLineEdit* field)
    : QValidator(field), maximum(limit), current(field->text()) {
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { current = text; });
}

QValidator::State CharacterLimit::validate(QString& input, int& position) const {
    if (!isStorableText(input))
        return Invalid;
    const qsizetype excess = characterCount(input) - maximum;
    if (excess <= 0)
        return Acceptable;
    // What was just put in ends at the cursor: its last characters go, as many as are too many.
    const qsizetype cut = charactersBefore(input, position, excess);
    if (cut < 0)
        return Invalid;
    const QString kept = input.left(cut) + input.mid(position);
    // Nothing of it fits (a key typed into a full field): refused, and the field's undo
    // history stays as it was. A cursor placed inside a pair would cut it in half.
    if (kept == current || !kept.isValidUtf16())
        return Invalid;
    // The text box forgets its undo history when its text is changed here: a cut paste
    // cannot be undone, which is still better than a paste refused whole.
    input = kept;
    position = int(cut);
    return Acceptable;
}

} // namespace agents
