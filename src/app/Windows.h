#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <typeindex>

// Knows the loaded windows, one per window class. A window loads when it is first shown
// (constructed, then its Form_Load runs) and is released when it closes; showing a window that
// is loaded already just shows it again, without a second load.
class Windows {
public:
    template <class W> static W* find() {
        return static_cast<W*>(loaded().value(std::type_index(typeid(W))).data());
    }

    template <class W> static W* load() {
        if (W* existing = find<W>())
            return existing;
        W* window = new W();
        loaded().insert(std::type_index(typeid(W)), window);
        window->Form_Load();
        return window;
    }

    template <class W> static W* show() {
        W* window = load<W>();
        if (window)
            window->show();
        return window;
    }

private:
    static QHash<std::type_index, QPointer<QWidget>>& loaded();
};
