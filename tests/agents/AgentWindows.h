#pragma once

#include "agents/frmAgent.h"
#include "agents/frmLog.h"
#include "app/frmEntry.h"
#include "ui/Windows.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>

namespace agenttest {

// Releases the windows a case loaded, the secondary ones before the main window.
inline void unloadAll() {
    delete Windows::find<frmAgent>();
    delete Windows::find<frmLog>();
    delete Windows::find<frmEntry>();
}

// Lets closed windows go, as the event loop would before the operator's next step.
inline void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline bool activate(QWidget* window) {
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

// Types text as key presses, one character at a time (a character outside the Basic
// Multilingual Plane arrives whole, as a keyboard or input method delivers it).
inline void typeText(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
        const QString character = text.mid(i, length);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
        i += length - 1;
    }
}

// A Numeric test left to run out: its result row is stored when the countdown reaches zero.
inline void runNumericTestOut(frmEntry* main) {
    main->number->trigger();
    for (int tick = 0; tick < 25; ++tick)
        main->Timer2_Timer();
}

} // namespace agenttest
