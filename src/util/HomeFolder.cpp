#include "util/HomeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

struct ResolvedHome {
    bool resolved = false;
    bool selfContained = false;
    QString path;
};

ResolvedHome& Resolved() {
    static ResolvedHome home;
    return home;
}

QString ExecutableFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir(QStringLiteral("/proc/self/exe")).canonicalPath().section(QLatin1Char('/'), 0, -2);
}

void Resolve(ResolvedHome& home) {
    const QString fromEnv = qEnvironmentVariable("QUARRYBOOK_HOME");
    if (!fromEnv.isEmpty()) {
        home.path = QDir(fromEnv).absolutePath();
        home.selfContained = true;
    } else {
        const QString exeDir = ExecutableFolder();
        if (!exeDir.isEmpty() && QDir(exeDir).exists(QStringLiteral("DB_Files"))) {
            home.path = exeDir;
            home.selfContained = true;
        } else {
            QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
            home.path = data + QStringLiteral("/Quarrybook");
            home.selfContained = false;
        }
    }
    QDir().mkpath(home.path);
    home.resolved = true;
}

} // namespace

QString HomeFolder() {
    ResolvedHome& home = Resolved();
    if (!home.resolved)
        Resolve(home);
    return home.path;
}

QString HomeFolderSlash() {
    return HomeFolder() + QLatin1Char('/');
}

QString HomePath(const QString& relative) {
    return HomeFolderSlash() + relative;
}

bool HomeIsSelfContained() {
    HomeFolder();
    return Resolved().selfContained;
}

void ResetHomeFolder() {
    Resolved() = ResolvedHome{};
}
