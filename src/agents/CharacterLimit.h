#pragma once

#include <QValidator>

namespace agents {

// The number of characters in text, a character outside the Basic Multilingual Plane (an
// emoji, say) counting as one although it takes two UTF-16 units.
qsizetype characterCount(const QString& text);

// Keeps a name field at most limit characters long. A text box's own maximum length counts
// UTF-16 units and cuts an emoji that does not fit in half, leaving a broken character that
// would be stored; this refuses such an input whole instead.
class CharacterLimit : public QValidator {
    Q_OBJECT
public:
    CharacterLimit(int limit, QObject* parent);

    int limit() const { return maximum; }
    State validate(QString& input, int& position) const override;

private:
    int maximum;
};

} // namespace agents
