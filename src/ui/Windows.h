#pragma once

#include <QWidget>
#include <typeindex>

// Knows the loaded windows, one per window class. A window loads when it is first shown
// (constructed, then its Form_Load runs) and is released when it closes; showing a window that
// is loaded already just shows it again, without a second load.
class Windows {
public:
    template <class W> static W* find() {
        return static_cast<W*>(stillLoaded(std::type_index(typeid(W))));
    }

    template <class W> static W* load() {
        if (W* existing = find<W>())
            return existing;
        W* window = new W();
        track(std::type_index(typeid(W)), *window);
        window->Form_Load();
        return window;
    }

    template <class W> static W* show() {
        return show<W>([](W&) {});
    }

    // As show; a window loaded afresh is first handed to prepare, after its load and before
    // it shows: its opener places it and connects to it once, not at every show.
    template <class W, class Prepare> static W* show(Prepare prepare) {
        W* window = find<W>();
        if (!window) {
            window = load<W>();
            prepare(*window);
        }
        window->show();
        return window;
    }

private:
    static void track(std::type_index type, QWidget& window);
    // The window of that class, or nullptr once it has closed: a closed window lingers until
    // the event loop deletes it, and must not be shown again meanwhile.
    static QWidget* stillLoaded(std::type_index type);
};
