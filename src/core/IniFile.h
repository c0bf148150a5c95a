#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace app {

// One "key = value" line of an INI file, in its group.
struct IniEntry {
    QString group;
    QString key;
    QString value;
    int line = 0; // counted from 1
};

// Where and why a file is no INI file that this reader takes.
struct IniFault {
    int line = 0; // 0: the file as a whole
    QString reason;
};

// Reads INI text: UTF-8 (a byte-order mark at the start is skipped), lines ending in LF or
// CR LF; blank lines; comments, lines whose first character that is not a blank is ';' or
// '#'; "[group]" lines; and "key = value" lines in a group, blanks around key and value
// dropped. A ';' or '#' after a value belongs to it: a URI keeps every character. A value may
// be put in double quotes, inside which \" and \\ stand for " and \. A key given twice in a
// group, a key before the first group, a control character or any other line is a fault.
// Returns false with *fault set on the first fault.
bool readIni(const QByteArray& bytes, QList<IniEntry>* entries, IniFault* fault);

} // namespace app
