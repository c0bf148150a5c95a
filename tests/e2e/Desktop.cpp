#include "Desktop.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

namespace e2e {
namespace {

constexpr int kToolTimeoutMs = 15000;
constexpr int kPollMs = 100;

// The text of a string property as xprop prints it: "text", with \" and \\ escaped.
QString unquoted(QString value) {
    value = value.trimmed();
    if (value.size() < 2 || !value.startsWith(QLatin1Char('"')) ||
        !value.endsWith(QLatin1Char('"')))
        return {};
    value = value.mid(1, value.size() - 2);
    return value.replace(QStringLiteral("\\\""), QStringLiteral("\""))
        .replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
}

// A window's title from xprop -notype: "NAME = value" lines, or "NAME:  not found.".
QString titleOf(const QString& xpropOutput) {
    QString netName, plainName;
    for (const QString& line : xpropOutput.split(QLatin1Char('\n'))) {
        const qsizetype equals = line.indexOf(QStringLiteral(" = "));
        if (equals < 0)
            continue;
        const QString property = line.left(equals).trimmed();
        if (property == QLatin1String("_NET_WM_NAME"))
            netName = unquoted(line.mid(equals + 3));
        else if (property == QLatin1String("WM_NAME"))
            plainName = unquoted(line.mid(equals + 3));
    }
    return netName.isEmpty() ? plainName : netName;
}

// Place, size and kind from xwininfo's "  Name: value" lines. Drop-down menus are
// override-redirect windows, forms and message boxes are not; the toolkit does not always
// mark a menu's type.
void readPlacement(const QString& xwininfoOutput, Window* window) {
    QHash<QString, QString> values;
    for (const QString& line : xwininfoOutput.split(QLatin1Char('\n'))) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0)
            values.insert(line.left(colon).trimmed(), line.mid(colon + 1).trimmed());
    }
    window->geometry = QRect(values.value(QStringLiteral("Absolute upper-left X")).toInt(),
                             values.value(QStringLiteral("Absolute upper-left Y")).toInt(),
                             values.value(QStringLiteral("Width")).toInt(),
                             values.value(QStringLiteral("Height")).toInt());
    window->isPopup =
        values.value(QStringLiteral("Override Redirect State")) == QLatin1String("yes");
}

} // namespace

Desktop::Desktop(const QString& display) : environment(QProcessEnvironment::systemEnvironment()) {
    environment.insert(QStringLiteral("DISPLAY"), display);
}

QStringList Desktop::missingTools() {
    QStringList missing;
    for (const char* tool : {"Xvfb", "xdotool", "xprop", "xwininfo", "import"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            missing << QLatin1String(tool);
    return missing;
}

std::optional<Window> Desktop::waitForWindow(const QString& title, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    do {
        if (std::optional<Window> found = visibleWindow(title))
            return found;
        QThread::msleep(kPollMs);
    } while (!deadline.hasExpired());
    fail(
        QStringLiteral("no window \"%1\" appeared within %2 s").arg(title).arg(timeoutMs / 1000.0));
    return std::nullopt;
}

bool Desktop::waitUntilGone(const QString& title, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    do {
        if (!visibleWindow(title))
            return true;
        QThread::msleep(kPollMs);
    } while (!deadline.hasExpired());
    return fail(QStringLiteral("the window \"%1\" was still open after %2 s")
                    .arg(title)
                    .arg(timeoutMs / 1000.0));
}

bool Desktop::waitForMenu(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    do {
        for (const Window& window : visibleWindows())
            if (window.isPopup)
                return true;
        QThread::msleep(kPollMs);
    } while (!deadline.hasExpired());
    return fail(QStringLiteral("no menu opened within %1 s").arg(timeoutMs / 1000.0));
}

QList<Window> Desktop::visibleWindows() {
    QString ids;
    // xdotool search says nothing, and fails, when no window matches.
    run(QStringLiteral("xdotool"),
        {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
         QString()},
        &ids, true);
    QList<Window> windows;
    for (const QString& id : ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        QString properties, placement;
        // A window may close between the listing and these looks; it is then no longer there.
        if (!run(QStringLiteral("xprop"),
                 {QStringLiteral("-id"), id, QStringLiteral("-notype"),
                  QStringLiteral("_NET_WM_NAME"), QStringLiteral("WM_NAME")},
                 &properties) ||
            !run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id}, &placement))
            continue;
        Window window{id.trimmed(), titleOf(properties), {}, false};
        readPlacement(placement, &window);
        windows << window;
    }
    return windows;
}

std::optional<Window> Desktop::visibleWindow(const QString& title) {
    for (const Window& window : visibleWindows())
        if (!window.isPopup && window.title == title)
            return window;
    return std::nullopt;
}

bool Desktop::activate(const Window& window) {
    return pointTo(window.geometry.center()) &&
           xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window.id});
}

bool Desktop::click(const Window& window, QPoint offset) {
    return pointTo(window.geometry.topLeft() + offset) &&
           xdotool({QStringLiteral("click"), QStringLiteral("1")});
}

// Without --sync, which waits for a motion that never comes when the pointer is there already;
// the tool's closing round trip has the server take the move before the next tool runs.
bool Desktop::pointTo(QPoint screenPoint) {
    return xdotool({QStringLiteral("mousemove"), QString::number(screenPoint.x()),
                    QString::number(screenPoint.y())});
}

bool Desktop::keys(const QStringList& keyNames) {
    return xdotool(
        QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("80")} +
        keyNames);
}

bool Desktop::type(const QString& text) {
    return xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"),
                    QStringLiteral("--"), text});
}

bool Desktop::screenshot(const QString& path) {
    return run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path},
               nullptr);
}

bool Desktop::xdotool(const QStringList& arguments, QString* output) {
    return run(QStringLiteral("xdotool"), arguments, output);
}

bool Desktop::run(const QString& program, const QStringList& arguments, QString* output,
                  bool emptyIsFine) {
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    const QString call = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
    if (!tool.waitForFinished(kToolTimeoutMs)) {
        tool.kill();
        tool.waitForFinished();
        return fail(
            QStringLiteral("%1 did not finish within %2 s").arg(call).arg(kToolTimeoutMs / 1000));
    }
    const QString out = QString::fromLocal8Bit(tool.readAllStandardOutput());
    if (output)
        *output = out;
    const bool ok = tool.exitStatus() == QProcess::NormalExit &&
                    (tool.exitCode() == 0 || (emptyIsFine && out.trimmed().isEmpty()));
    if (!ok)
        return fail(QStringLiteral("%1 failed: %2")
                        .arg(call, QString::fromLocal8Bit(tool.readAllStandardError()).trimmed()));
    return true;
}

bool Desktop::fail(const QString& text) {
    lastError = text;
    return false;
}

} // namespace e2e
