#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <memory>

class QProgressDialog;
class QSaveFile;

// The few windows a file plug-in shows, and their stand-ins when it runs without a user: with a
// QApplication (the program) it asks for files, shows progress with Cancel and a summary box;
// without one (command-line tools), or whenever the environment variable QUARRYBOOK_FILES is set
// (scripted runs of the program, tests), it takes the files from that variable, one path per
// line, shows nothing and writes its summary to stderr.
class CPluginUi {
public:
    // `title`: the caption of the plug-in's windows; `homeFolder`: the host's home folder, below
    // which the last used folder is remembered.
    CPluginUi(const QString& title, const QString& homeFolder);
    ~CPluginUi();

    // True when there is a QApplication and QUARRYBOOK_FILES is not set (or empty).
    static bool Interactive();

    // The paths of QUARRYBOOK_FILES, blank lines skipped.
    static QStringList FilesFromEnvironment();

    // Interactive: the chosen files (empty when cancelled). Otherwise QUARRYBOOK_FILES.
    QStringList OpenFiles(const QString& caption, const QString& filter);
    // Interactive: the chosen path (empty when cancelled). Otherwise the first QUARRYBOOK_FILES
    // line.
    QString SaveFile(const QString& caption, const QString& defaultName, const QString& filter);
    // SaveFile for an export: without a user and without a file, says so in the summary.
    QString ExportFile(const QString& caption, const QString& defaultName, const QString& filter);
    // Opens `file` for writing; when it cannot, reports "<name> cannot be written: <why>".
    bool OpenForWriting(QSaveFile& file);

    // Progress over `maximum` units; Step returns false once the user pressed Cancel.
    void BeginProgress(const QString& label, qint64 maximum);
    bool Step(qint64 value);
    void EndProgress();

    // The summary at the end: a message box (warning icon when `problem`) or stderr.
    void Report(const QString& text, bool problem);

private:
    QString SettingsPath() const;
    QString LastFolder() const;
    void RememberFolder(const QString& path);

    QString m_title;
    QString m_home;
    std::unique_ptr<QProgressDialog> m_progress;
    QElapsedTimer m_sinceUpdate;
    qint64 m_maximum = 0;
    bool m_cancelled = false;
};
