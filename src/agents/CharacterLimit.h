#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

namespace agents {

// The number of characters in text, a character outside the Basic Multilingual Plane (an
// emoji, say) counting as one although it takes two UTF-16 units.
qsizetype characterCount(const QString& text);

// Whether text is fit for a name: no half of a surrogate pair alone, and no Unicode
// noncharacter (U+FDD0 to U+FDEF, and the last two code points of every plane). These are no
// text of any kind, and the database reads U+FFFE and U+FFFF back as U+FFFD, so that the name
// read back would be another than the one stored.
bool isStorableText(const QString& text);

// Keeps a name field at most limit characters long. A text box's own maximum length counts
// UTF-16 units and cuts an emoji that does not fit in half, leaving a broken character that
// would be stored; this counts characters. A paste too long for the field is cut to the
// characters of it that fit, never inside a character; a key typed into a full field is
// refused. Text that could not be stored as it is is refused whole.
class CharacterLimit : public QValidator {
    Q_OBJECT
public:
    CharacterLimit(int limit, QLineEdit* field);

    int limit() const { return maximum; }
    State validate(QString& input, int& position) const override;

private:
    int maximum;
    QString current; // the field's text as it stands
};

} // namespace agents
