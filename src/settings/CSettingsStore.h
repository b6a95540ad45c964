#pragma once

#include <QString>

#include <memory>

class QSettings;

// The persistent settings store: an INI file with one group per section ("Config", "ListView",
// "Actions", "Plugins", "LastTab"), holding named integers and texts. The file is
// "Quarrybook.ini" in the home folder when the home folder is self-contained, otherwise
// "Quarrybook/Quarrybook.ini" in the user's configuration folder (~/.config).
//
// Open a store for the few calls that need it and let it go: every change is written to the file
// when the store is flushed or destroyed, so short-lived stores never lose a value. Missing and
// unreadable values read as the default given; write failures are not reported.
class CSettingsStore {
public:
    // Opens the program's store (the file that DefaultPath names at this moment).
    CSettingsStore();
    // Opens the store kept in the given file.
    explicit CSettingsStore(const QString& path);
    ~CSettingsStore();
    CSettingsStore(const CSettingsStore&) = delete;
    CSettingsStore& operator=(const CSettingsStore&) = delete;

    // The path of the program's settings file.
    static QString DefaultPath();
    QString Path() const { return m_path; }

    // True when the value exists in the section (an empty text exists).
    bool HasValue(const QString& section, const QString& name) const;

    // A text value, or `fallback` when it is missing.
    QString ReadText(const QString& section, const QString& name,
                     const QString& fallback = QString()) const;
    // A 32-bit integer value, or `fallback` when it is missing or not a decimal integer.
    int ReadInt(const QString& section, const QString& name, int fallback) const;

    void WriteText(const QString& section, const QString& name, const QString& text);
    void WriteInt(const QString& section, const QString& name, int value);
    // Removes a value; a missing value is no fault.
    void DeleteValue(const QString& section, const QString& name);

    // Writes every pending change to the file now.
    void Flush();

private:
    QString m_path;
    std::unique_ptr<QSettings> m_settings;
};
