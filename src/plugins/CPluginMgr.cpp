#include "plugins/CPluginMgr.h"

#include "db/CCacheRecord.h"
#include "list/CRecordSummary.h"
#include "plugins/CPluginLibrary.h"
#include "plugins/PluginRecordCopy.h"
#include "util/FileHelpers.h"
#include "util/HomeFolder.h"

#include <sys/utsname.h>

#include <cassert>
#include <cstdio>

namespace {

CPluginMgr* g_manager = nullptr;

// Checks of a plug-in's description; a library failing any of them is not registered.
bool IsAcceptable(const QBEX_INFO& info, quint16 hostVersion) {
    if (info.version < QBEX_VERSION_MIN || info.version > QBEX_VERSION_MAX)
        return false;
    if ((info.flags & ~QBEX_INFO_DEPCHECK) != 0)
        return false;
    if (hostVersion < info.min_os_version)
        return false;
    if (!info.name || info.name[0] == 0)
        return false;
    if (info.role_count < 1 || !info.roles)
        return false;
    for (qint32 i = 0; i < info.role_count; ++i) {
        const int number = info.roles[i] & QBEX_ROLE_NUMBER_MASK;
        if (number < 1 || number > 9 || (info.roles[i] & 0xE0) != 0)
            return false;
    }
    return true;
}

// A zero-terminated UTF-16 text of a plug-in.
QString PluginText(const qbex_char16* text) {
    return QString::fromUtf16(text);
}

} // namespace

CPluginMgr* CPluginMgr::s_invoking = nullptr;

CPluginMgr::CPluginMgr(const QString& programFolder)
    : m_programFolder(programFolder.isEmpty() ? HomeFolderSlash() : programFolder) {
    if (!m_programFolder.endsWith(u'/'))
        m_programFolder += u'/';
}

CPluginMgr::~CPluginMgr() {
    if (g_manager == this)
        g_manager = nullptr;
}

CPluginMgr& CPluginMgr::Global() {
    assert(g_manager && "no plug-in manager installed");
    return *g_manager;
}

void CPluginMgr::SetGlobal(CPluginMgr* manager) {
    g_manager = manager;
}

void CPluginMgr::SetListCategory(quint16 cid) {
    m_listCategory = cid == 0xFFFF ? 0 : cid;
}

QString CPluginMgr::PluginFolder() const {
    return m_programFolder + QStringLiteral("Plugins");
}

quint16 CPluginMgr::HostOsVersion() {
    utsname name{};
    if (uname(&name) != 0)
        return 0;
    unsigned major = 0;
    unsigned minor = 0;
    if (std::sscanf(name.release, "%u.%u", &major, &minor) < 1)
        return 0;
    return quint16(((major & 0xFF) << 8) | (minor & 0xFF));
}

// --- Discovery -------------------------------------------------------------------------------

void CPluginMgr::EnsureScanned() {
    if (m_scanned)
        return;
    // Marked first: a query made while the scan runs sees the entries found so far and does not
    // start a second scan.
    m_scanned = true;
    const quint16 hostVersion = HostOsVersion();
    QStringList names;
    if (ListFolder(PluginFolder(), names)) {
        for (const QString& name : names)
            ScanLibrary(name, hostVersion);
    }
    m_entries.shrink_to_fit();
}

void CPluginMgr::ScanLibrary(const QString& fileName, quint16 hostVersion) {
    const QString path = PluginFolder() + u'/' + fileName;
    CPluginLibrary library(path);
    if (!library.IsLoaded())
        return;
    const QString version = GetFileVersionText(path);
    const auto* info = static_cast<const QBEX_INFO*>(library.Symbol(QBEX_INFO_SYMBOL));
    if (!info || !IsAcceptable(*info, hostVersion))
        return;
    if (info->flags & QBEX_INFO_DEPCHECK) {
        const auto depCheck =
            reinterpret_cast<qbex_depcheck_fn>(library.Symbol(QBEX_DEPCHECK_SYMBOL));
        if (!depCheck || depCheck() == 0)
            return;
    }

    const QString name = PluginText(info->name);
    for (qint32 i = info->role_count - 1; i >= 0; --i) {
        const quint8 roleByte = info->roles[i];
        const quint8 role = roleByte & QBEX_ROLE_NUMBER_MASK;
        // A link plug-in's caption follows the terminating zero of its name.
        const QString caption =
            role == kRoleHyperlink ? PluginText(info->name + name.size() + 1) : QString();
        Register(role, roleByte, name, fileName, version, caption);
        if (role == kRoleCalculation && (roleByte & QBEX_ROLE_NO_RECORDS))
            Register(kRoleListCalculation, roleByte, name, fileName, version, QString());
    }
}

void CPluginMgr::Register(quint8 role, quint8 roleByte, const QString& name, const QString& file,
                          const QString& version, const QString& linkCaption) {
    // The first library registered under a name keeps the role; a later one of the same name
    // adds only its other roles.
    for (const auto& entry : m_entries) {
        if (entry->role == role && entry->name == name)
            return;
    }
    auto entry = std::make_unique<CPluginInfo>();
    entry->role = role;
    entry->roleByte = roleByte;
    entry->name = name;
    entry->file = file;
    entry->version = version;
    entry->linkCaption = linkCaption;
    m_entries.push_back(std::move(entry));
}

// --- Queries ---------------------------------------------------------------------------------

int CPluginMgr::CountForRole(int role) {
    EnsureScanned();
    int count = 0;
    for (const auto& entry : m_entries) {
        if (entry->role == role)
            ++count;
    }
    return count;
}

void CPluginMgr::GetRoleNames(int role, QStringList& out) {
    out.clear();
    EnsureScanned();
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        if ((*it)->role == role && !out.contains((*it)->name))
            out.append((*it)->name);
    }
}

void CPluginMgr::GetHyperlinks(const CCacheRecord& record, QStringList& out) {
    out.clear();
    EnsureScanned();
    // The record as the plug-ins see it: a version 3 structure owned by the host.
    QBEX_RECORD block{};
    block.version = kRecordVersion;
    CopyToPluginRecord(record, &block);
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        const CPluginInfo& entry = **it;
        if (entry.role != kRoleHyperlink)
            continue;
        CPluginLibrary library(PluginFolder() + u'/' + entry.file);
        if (!library.IsLoaded())
            continue;
        const auto show =
            reinterpret_cast<qbex_show_hyperlink_fn>(library.Symbol(QBEX_SHOWHYPERLINK_SYMBOL));
        if (show && show(&block) != 0) {
            out.append(entry.linkCaption);
            out.append(entry.name);
        }
    }
    qbex_record_free_strings(&block);
}

void CPluginMgr::GetVersions(QMap<QString, QString>& out) {
    EnsureScanned();
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        if (!out.contains((*it)->name))
            out.insert((*it)->name, (*it)->version);
    }
}

const CPluginInfo* CPluginMgr::FindEntry(int role, const QString& name) {
    EnsureScanned();
    for (const auto& entry : m_entries) {
        if (entry->role == role && entry->name == name)
            return entry.get();
    }
    return nullptr;
}

const std::vector<std::unique_ptr<CPluginInfo>>& CPluginMgr::Entries() {
    EnsureScanned();
    return m_entries;
}

void CPluginMgr::Release() {
    if (m_busy)
        return;
    m_entries.clear();
    m_entries.shrink_to_fit();
    m_scanned = false;
    ResetQueue();
}

// --- Queue and results -----------------------------------------------------------------------

void CPluginMgr::ResetQueue() {
    m_lat = kNoCoordinate;
    m_lon = kNoCoordinate;
    m_savedRecordId = 0;
    m_changed = false;
    m_queue.clear();
    m_cursor = 0;
}

int CPluginMgr::QueueSummary(const CRecordSummary& summary) {
    if (!HasCoordinates(summary.lat, summary.lon))
        return 0;
    m_queue.push_back(summary.id);
    return 1;
}

int CPluginMgr::QueueRecord(const CCacheRecord& record) {
    if (!HasCoordinates(record.lat, record.lon) || record.id == 0)
        return 0;
    m_queue.push_back(record.id);
    return 1;
}

bool CPluginMgr::TakeChanged() {
    const bool changed = m_changed;
    m_changed = false;
    return changed;
}

void CPluginMgr::GetCoordinates(double& lat, double& lon) const {
    lat = m_lat;
    lon = m_lon;
}
