#pragma once

#include <QString>
#include <QStringList>

// A user-editable word list backed by a text file in the home folder, one entry per line, kept
// sorted by code unit (case-sensitive). Loaded on first use; a missing file is created from the
// list's default contents when it has some. Entries compare exactly (letter case counts).
//
// The program keeps three of them: the cache types, the container types and the user's website
// user IDs (records owned by the user are those whose owner is one of these IDs).
class COptionList {
public:
    COptionList() = default;
    // A list backed by `fileName` in the home folder. `defaults` holds the default contents with
    // entries separated by "|" (empty: no defaults); `fallback` is the entry put back when the
    // user empties the list (empty: none).
    COptionList(const QString& fileName, const QString& title, const QString& helpTopic,
                const QString& fallback, const QString& defaults);

    // The three lists of the program, configured with their files, titles, help topics,
    // fallback entries and default contents.
    static COptionList MakeCacheTypes();
    static COptionList MakeContainerTypes();
    static COptionList MakeSiteUserIds();

    // Reads the file unless loaded: lines stripped of white space at both ends, empty lines
    // skipped; a file that cannot be read gives the default contents, which are saved at once.
    // The entries are sorted.
    void Load();
    // Drops the entries from memory; the next use reads the file again.
    void Unload();
    // Writes every entry followed by a line feed. A file that cannot be written is left alone.
    void Save() const;
    // True when an entry equals `text` exactly; false for the empty text.
    bool Contains(const QString& text);
    // Adds `text` unless it is empty or already an entry; the list is then sorted and saved.
    void AddIfMissing(const QString& text);
    // Copies every entry, in order, into `out` (replaced).
    void GetItems(QStringList& out);
    // Stores the result of editing the list: the entries are replaced by `items`, the fallback
    // entry is appended when that leaves the list empty, and the list is sorted and saved.
    void SetItems(const QStringList& items);

    bool IsLoaded() const { return m_loaded; }
    const QString& FilePath() const { return m_filePath; }
    const QString& Title() const { return m_title; }
    const QString& HelpTopic() const { return m_helpTopic; }
    const QString& Fallback() const { return m_fallback; }
    const QString& Defaults() const { return m_defaults; }

    // The global lists, installed by the process (or a test); each asserts when none is.
    static COptionList& CacheTypes();
    static COptionList& ContainerTypes();
    static COptionList& SiteUserIds();
    static void SetGlobals(COptionList* cacheTypes, COptionList* containerTypes,
                           COptionList* siteUserIds);

private:
    QString m_filePath;
    QString m_title;
    QString m_helpTopic;
    QString m_fallback;
    QString m_defaults;
    QStringList m_entries;
    bool m_loaded = false;
};
