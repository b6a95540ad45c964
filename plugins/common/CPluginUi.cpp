#include "CPluginUi.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSaveFile>
#include <QSettings>

#include <cstdio>

namespace {
constexpr int kProgressSteps = 1000;
}

CPluginUi::CPluginUi(const QString& title, const QString& homeFolder)
    : m_title(title), m_home(homeFolder) {}

CPluginUi::~CPluginUi() = default;

bool CPluginUi::Interactive() {
    // Files handed over in the environment mean nobody is there to answer a window.
    if (!qEnvironmentVariableIsEmpty("QUARRYBOOK_FILES")) {
        return false;
    }
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

QStringList CPluginUi::FilesFromEnvironment() {
    QStringList files;
    const QString list = qEnvironmentVariable("QUARRYBOOK_FILES");
    for (const QString& line : list.split(u'\n')) {
        const QString path = line.trimmed();
        if (!path.isEmpty()) {
            files << path;
        }
    }
    return files;
}

QString CPluginUi::SettingsPath() const {
    return m_home.isEmpty() ? QString()
                            : QDir(m_home).filePath(QStringLiteral("PluginData/Files.ini"));
}

QString CPluginUi::LastFolder() const {
    const QString path = SettingsPath();
    QString folder;
    if (!path.isEmpty()) {
        folder =
            QSettings(path, QSettings::IniFormat).value(QStringLiteral("LastFolder")).toString();
    }
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void CPluginUi::RememberFolder(const QString& file) {
    const QString path = SettingsPath();
    if (!path.isEmpty()) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSettings(path, QSettings::IniFormat)
            .setValue(QStringLiteral("LastFolder"), QFileInfo(file).absolutePath());
    }
}

QStringList CPluginUi::OpenFiles(const QString& caption, const QString& filter) {
    if (!Interactive()) {
        return FilesFromEnvironment();
    }
    const QStringList files =
        QFileDialog::getOpenFileNames(QApplication::activeWindow(), caption, LastFolder(), filter);
    if (!files.isEmpty()) {
        RememberFolder(files.first());
    }
    return files;
}

QString CPluginUi::SaveFile(const QString& caption, const QString& defaultName,
                            const QString& filter) {
    if (!Interactive()) {
        const QStringList files = FilesFromEnvironment();
        return files.isEmpty() ? QString() : files.first();
    }
    const QString file = QFileDialog::getSaveFileName(
        QApplication::activeWindow(), caption, QDir(LastFolder()).filePath(defaultName), filter);
    if (!file.isEmpty()) {
        RememberFolder(file);
    }
    return file;
}

QString CPluginUi::ExportFile(const QString& caption, const QString& defaultName,
                              const QString& filter) {
    const QString path = SaveFile(caption, defaultName, filter);
    if (path.isEmpty() && !Interactive()) {
        Report(QStringLiteral("No file given (QUARRYBOOK_FILES is empty)."), true);
    }
    return path;
}

bool CPluginUi::OpenForWriting(QSaveFile& file) {
    if (file.open(QIODevice::WriteOnly)) {
        return true;
    }
    Report(QStringLiteral("%1 cannot be written: %2")
               .arg(QFileInfo(file.fileName()).fileName(), file.errorString()),
           true);
    return false;
}

void CPluginUi::BeginProgress(const QString& label, qint64 maximum) {
    m_maximum = std::max<qint64>(maximum, 1);
    m_cancelled = false;
    if (!Interactive()) {
        return;
    }
    m_progress = std::make_unique<QProgressDialog>(label, QStringLiteral("Cancel"), 0,
                                                   kProgressSteps, QApplication::activeWindow());
    m_progress->setWindowTitle(m_title);
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(300);
    m_progress->setValue(0);
    m_sinceUpdate.start();
}

bool CPluginUi::Step(qint64 value) {
    if (!m_progress) {
        return true;
    }
    // Repainting for every record would cost more than the reading itself.
    if (m_sinceUpdate.elapsed() >= 50) {
        m_progress->setValue(int(std::min<qint64>(value, m_maximum) * kProgressSteps / m_maximum));
        QCoreApplication::processEvents();
        m_sinceUpdate.restart();
    }
    m_cancelled = m_cancelled || m_progress->wasCanceled();
    return !m_cancelled;
}

void CPluginUi::EndProgress() {
    m_progress.reset();
}

void CPluginUi::Report(const QString& text, bool problem) {
    if (!Interactive()) {
        const QByteArray bytes = (m_title + QStringLiteral(": ") + text + u'\n').toLocal8Bit();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
        std::fflush(stderr);
        return;
    }
    if (problem) {
        QMessageBox::warning(QApplication::activeWindow(), m_title, text);
    } else {
        QMessageBox::information(QApplication::activeWindow(), m_title, text);
    }
}
