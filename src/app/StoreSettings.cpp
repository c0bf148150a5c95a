#include "app/StoreSettings.h"

#include "platform/ProgramFolder.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace app {
namespace {

const QString kFolderName = QStringLiteral("quil-data-entry");

// A settings file is a few lines; anything this large is no settings file.
constexpr qsizetype kLargestFile = 64 * 1024;

} // namespace

QStringList settingsFolders(bool raisedIds) {
    QStringList folders{platform::programFolder()};
    // The caller of a program with raised ids would otherwise choose the file it reads with
    // them, and with it the server that is given the password.
    const QStringList configFolders =
        raisedIds ? QStringList{QStringLiteral("/etc/xdg")}
                  : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    for (const QString& folder : configFolders)
        folders << QDir(folder).filePath(kFolderName);
    return folders;
}

SettingsLookup lookUpSettings(const QStringList& folders) {
    SettingsLookup lookup;
    for (const QString& folder : folders) {
        // A folder that is not there, or that lies where this user cannot look (a home of
        // another user's), holds no settings for this program; one that is there and hides
        // its file is not passed over.
        if (!QFileInfo(folder).isDir())
            continue;
        const QString path = QDir(folder).filePath(kSettingsFileName);
        QByteArray bytes;
        QString error;
        switch (platform::readRegularFile(path, kLargestFile, &bytes, &error)) {
        case platform::FileRead::Missing:
            continue;
        case platform::FileRead::Refused:
            lookup.path = path;
            lookup.fault = IniFault{0, QStringLiteral("it cannot be read: ") + error};
            return lookup;
        case platform::FileRead::Read:
            lookup.path = path;
            lookup.settings = readSettings(bytes, &lookup.fault);
            return lookup;
        }
    }
    return lookup;
}

} // namespace app
