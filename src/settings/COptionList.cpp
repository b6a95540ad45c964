#include "settings/COptionList.h"

#include "util/FileHelpers.h"
#include "util/HomeFolder.h"
#include "util/TextHelpers.h"

#include <QtGlobal>

namespace {

struct GlobalLists {
    COptionList* cacheTypes = nullptr;
    COptionList* containerTypes = nullptr;
    COptionList* siteUserIds = nullptr;
};

GlobalLists g_lists;

COptionList& Installed(COptionList* list) {
    Q_ASSERT_X(list, "COptionList", "option lists not installed");
    return *list;
}

} // namespace

COptionList::COptionList(const QString& fileName, const QString& title, const QString& helpTopic,
                         const QString& fallback, const QString& defaults)
    : m_filePath(HomePath(fileName)), m_title(title), m_helpTopic(helpTopic), m_fallback(fallback),
      m_defaults(defaults) {}

COptionList COptionList::MakeCacheTypes() {
    return COptionList(QStringLiteral("CacheTypes.txt"), QStringLiteral("Cache Types"),
                       QStringLiteral("editing_record_types"), QStringLiteral("Waypoint"),
                       QStringLiteral("Benchmark|Cache In Trash Out Event|Event Cache|"
                                      "Letterbox Hybrid|Multi-cache|Traditional Cache|"
                                      "Unknown Cache|Virtual Cache|Webcam Cache"));
}

COptionList COptionList::MakeContainerTypes() {
    return COptionList(QStringLiteral("ContTypes.txt"), QStringLiteral("Container Types"),
                       QStringLiteral("editing_record_types"), QStringLiteral("Not chosen"),
                       QStringLiteral("Not chosen|Virtual|Other|Micro|Small|Regular|Large"));
}

COptionList COptionList::MakeSiteUserIds() {
    return COptionList(QStringLiteral("SiteUserIDs.txt"), QStringLiteral("Website User IDs"),
                       QStringLiteral("editing_site_ids"), QString(), QString());
}

void COptionList::Load() {
    if (m_loaded)
        return;
    m_entries.clear();

    QString text;
    bool usedDefaults = false;
    if (ReadTextFile(m_filePath, text, false)) {
        // Hand-edited files may carry carriage returns, blank lines or indentation.
        QStringList lines;
        SplitText(text, lines, QLatin1Char('\n'), false);
        for (const QString& line : lines) {
            const QString entry = line.trimmed();
            if (!entry.isEmpty())
                m_entries.append(entry);
        }
    } else if (!m_defaults.isEmpty()) {
        SplitText(m_defaults, m_entries, QLatin1Char('|'), true);
        usedDefaults = true;
    }

    SortStrings(m_entries);
    m_loaded = true;
    // The defaults are written at once, sorted like every saved list, so that the file exists
    // for the user to find and edit.
    if (usedDefaults)
        Save();
}

void COptionList::Unload() {
    m_entries.clear();
    m_loaded = false;
}

void COptionList::Save() const {
    QString text;
    for (const QString& entry : m_entries) {
        text += entry;
        text += QLatin1Char('\n');
    }
    const std::unique_ptr<QFile> file = OpenTextFile(m_filePath, QStringLiteral("w"));
    if (!file)
        return;
    WriteText(file.get(), text);
}

bool COptionList::Contains(const QString& text) {
    if (text.isEmpty())
        return false;
    Load();
    return m_entries.contains(text, Qt::CaseSensitive);
}

void COptionList::AddIfMissing(const QString& text) {
    if (text.isEmpty())
        return;
    Load();
    if (m_entries.contains(text, Qt::CaseSensitive))
        return;
    m_entries.append(text);
    SortStrings(m_entries);
    Save();
}

void COptionList::GetItems(QStringList& out) {
    Load();
    out = m_entries;
}

void COptionList::SetItems(const QStringList& items) {
    m_entries = items;
    if (m_entries.isEmpty() && !m_fallback.isEmpty())
        m_entries.append(m_fallback);
    SortStrings(m_entries);
    m_loaded = true;
    Save();
}

COptionList& COptionList::CacheTypes() {
    return Installed(g_lists.cacheTypes);
}

COptionList& COptionList::ContainerTypes() {
    return Installed(g_lists.containerTypes);
}

COptionList& COptionList::SiteUserIds() {
    return Installed(g_lists.siteUserIds);
}

void COptionList::SetGlobals(COptionList* cacheTypes, COptionList* containerTypes,
                             COptionList* siteUserIds) {
    g_lists = {cacheTypes, containerTypes, siteUserIds};
}
