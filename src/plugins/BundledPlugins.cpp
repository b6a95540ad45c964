#include "plugins/BundledPlugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

QString BundledPluginFolder() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString installed = exeDir + QStringLiteral("/../lib/quarrybook/plugins");
    if (QFileInfo(installed).isDir())
        return QDir(installed).absolutePath();
#if defined(QB_BUILD_TREE) && defined(QB_BUNDLED_PLUGIN_DIR)
    // Run from the build tree: the plug-ins are built into one folder of it.
    const QString buildTree = QStringLiteral(QB_BUILD_TREE);
    const QString built = QStringLiteral(QB_BUNDLED_PLUGIN_DIR);
    if (QDir(exeDir).absolutePath().startsWith(buildTree + u'/') && QFileInfo(built).isDir())
        return built;
#endif
    return QString();
}

int CopyBundledPlugins(const QString& from, const QString& to) {
    int copied = 0;
    const QFileInfoList sources =
        QDir(from).entryInfoList({QStringLiteral("*.so")}, QDir::Files | QDir::Readable);
    for (const QFileInfo& source : sources) {
        const QFileInfo target(to + u'/' + source.fileName());
        if (target.exists() && target.lastModified() >= source.lastModified())
            continue;
        const QString part = target.absoluteFilePath() + QStringLiteral(".part");
        QFile::remove(part);
        if (!QFile::copy(source.absoluteFilePath(), part))
            continue;
        QFile copy(part);
        if (copy.open(QIODevice::ReadWrite)) {
            copy.setFileTime(source.lastModified(), QFileDevice::FileModificationTime);
            copy.close();
        }
        if (std::rename(QFile::encodeName(part).constData(),
                        QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
            QFile::remove(part);
            continue;
        }
        ++copied;
    }
    return copied;
}
