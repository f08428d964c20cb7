#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/Errors.h"
#include "platform/PlatformMessages.h"

QString ApplicationDir() {
    return QCoreApplication::applicationDirPath();
}

QString ApplicationExePath() {
    return QCoreApplication::applicationFilePath();
}

QString ApplicationBaseName() {
    return QFileInfo(ApplicationExePath()).completeBaseName();
}

QString UserAppDataDir() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

QString SystemConfigDir() {
    return QStringLiteral("/etc");
}

QString ExtractFileName(const QString& path) {
    // NUL is the one character a Linux path cannot hold.
    if (path.contains(QChar(0))) throw EArgumentError(PlatformMessages::InvalidPathCharacters());
    qsizetype cut = -1;
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path.at(i);
        if (c == u'\\' || c == u'/' || c == u':') {
            cut = i;
            break;
        }
    }
    return path.mid(cut + 1);
}
