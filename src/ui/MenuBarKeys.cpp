#include "ui/MenuBarKeys.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace ui {
namespace {

// The bar's own style, which answers that Alt leads to the bar. The bar then does the rest:
// Alt alone, the titles' walk, opening a menu from the keyboard.
class AltReachesTheBar final : public QProxyStyle {
public:
    explicit AltReachesTheBar(QStyle* base) : QProxyStyle(base) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }

    // Some styles (Fusion among them) light a title only while its menu is open, so the title
    // that Alt chose looked like no title at all. Chosen from the keyboard, it is lit as open.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* title = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuBarItem && title && title->state.testFlag(State_Selected) && widget &&
            widget->hasFocus()) {
            QStyleOptionMenuItem lit = *title;
            lit.state |= State_Sunken;
            QProxyStyle::drawControl(element, &lit, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

QAction* firstOpenable(const QMenuBar& bar) {
    for (QAction* title : bar.actions())
        if (title->isVisible() && title->isEnabled() && !title->isSeparator())
            return title;
    return nullptr;
}

} // namespace

void reachByKeyboard(QMenuBar& bar) {
    // The same style as the rest of the program, as a fresh copy the bar owns.
    auto* style = new AltReachesTheBar(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(&bar);
    bar.setStyle(style);

    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), bar.window());
    QObject::connect(f10, &QShortcut::activated, &bar, [&bar] {
        if (QAction* first = firstOpenable(bar))
            bar.setActiveAction(first);
    });
}

} // namespace ui
