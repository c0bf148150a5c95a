#include "platform/RaisedIds.h"

#include <QByteArray>
#include <QList>
#include <cstdlib>
#include <unistd.h>

namespace platform {
namespace {

// What Qt 6 reads from the environment that names code or a file. The dynamic loader
// already ignores its own variables (LD_PRELOAD and the like) in such a process.
constexpr const char* kCallerControls[] = {
    // folders plugins are loaded from
    "QT_PLUGIN_PATH",
    "QT_QPA_PLATFORM_PLUGIN_PATH",
    // plugins by name: each may bring libraries that read their own variables
    "QT_QPA_PLATFORMTHEME",
    "QT_QPA_GENERIC_PLUGINS",
    "QT_STYLE_OVERRIDE",
    "QT_IM_MODULE",
    "QT_XCB_GL_INTEGRATION",
    "QT_WAYLAND_SHELL_INTEGRATION",
    "QT_WAYLAND_CLIENT_BUFFER_INTEGRATION",
    "QT_WAYLAND_DECORATION",
    // libraries by name or path
    "QT_LOAD_TESTABILITY",
    "QT_VULKAN_LIB",
    "QT_VULKAN_INSTANCE_LAYERS",
    // files read as they are named
    "QT_LOGGING_CONF",
    "QT_QPA_FONTDIR",
};

// libpq's variables (PGHOST, PGHOSTADDR, PGPASSFILE, PGSSLKEY, PGSERVICEFILE, ...) choose
// the server that is given the password of the settings file, and files read with the ids.
QList<QByteArray> libpqVariables() {
    QList<QByteArray> names;
    for (char** entry = environ; *entry; ++entry) {
        const QByteArray text(*entry);
        if (text.startsWith("PG"))
            names << text.left(text.indexOf('='));
    }
    return names;
}

} // namespace

bool runsWithRaisedIds() {
    return ::geteuid() != ::getuid() || ::getegid() != ::getgid();
}

bool isPlainPlatformList(QByteArrayView value) {
    // Options after a ':' may name files (offscreen:configfile=...), and other platforms read
    // device and configuration files of their own.
    const QList<QByteArray> names = QByteArray(value.data(), value.size()).split(';');
    for (const QByteArray& name : names) {
        if (name != "xcb" && name != "wayland" && name != "offscreen")
            return false;
    }
    return true;
}

void removeCallerControls() {
    for (const char* variable : kCallerControls)
        ::unsetenv(variable);
    for (const QByteArray& variable : libpqVariables())
        ::unsetenv(variable.constData());
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && !isPlainPlatformList(platform))
        ::unsetenv("QT_QPA_PLATFORM");
}

} // namespace platform
