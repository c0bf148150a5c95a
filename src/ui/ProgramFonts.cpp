#include "ui/ProgramFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QString>

namespace ui {
namespace {

constexpr const char* kTahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                        "/usr/share/wine/fonts/tahomabd.ttf"};

void loadTahoma() {
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
        return;
    for (const char* file : kTahomaFiles) {
        const QString path = QString::fromLatin1(file);
        // A missing file leaves the fallback face; a damaged one is refused by the database.
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
}

} // namespace

void loadProgramFonts() {
    // Without a GUI application there is no font database to add to.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    static const bool loaded = (loadTahoma(), true);
    (void)loaded;
}

} // namespace ui
