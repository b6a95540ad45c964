// The four host functions a plug-in calls while QBEX_Invoke runs.
//
// They are plain functions without a context argument, so they reach the invoking manager through
// s_invoking, which Invoke sets for the duration of the call. A call made when no invocation runs
// (a plug-in that kept the pointers) finds no manager and fails harmlessly.
//
// No module state has to be switched on entry: the host and the plug-ins share one string library
// (libqbex) and no other per-library state, so the callbacks run in the host's context as they are.

#include "plugins/CPluginMgr.h"

#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"
#include "plugins/PluginRecordCopy.h"
#include "settings/CAppSettings.h"
#include "settings/COptionList.h"
#include "util/CUserInterface.h"

#include <optional>

const QString CPluginMgr::kSaveErrorMessage = QStringLiteral("Error saving database record!");

void CPluginMgr::CbInitRecord(QBEX_RECORD* record, int32_t newId) {
    if (!record)
        return;
    // A fresh host record holds the values of a new record; copying it without merge sets every
    // field of the structure's version to them.
    const CCacheRecord fresh(newId != 0);
    CopyToPluginRecord(fresh, record);
}

int32_t CPluginMgr::CbAddRecord(const QBEX_RECORD* record) {
    CUserInterface::Get().ResetIdleTimer();
    if (!s_invoking) {
        ShowError(kSaveErrorMessage);
        return 0;
    }
    return s_invoking->AddRecord(record);
}

int32_t CPluginMgr::CbGetRecord(QBEX_RECORD* record) {
    CUserInterface::Get().ResetIdleTimer();
    return s_invoking ? s_invoking->GetRecord(record) : 0;
}

void CPluginMgr::CbResetRecords() {
    if (s_invoking)
        s_invoking->m_cursor = 0;
}

int32_t CPluginMgr::AddRecord(const QBEX_RECORD* record) {
    // A structure without any field of version 1 carries no record to store.
    if (!m_db || m_currentRole == kRoleMarkWaypoint || m_currentRole == kRoleConfiguration ||
        !record || PluginRecordFields(record->version) < 1) {
        ShowError(kSaveErrorMessage);
        return 0;
    }
    const CAppSettings& settings = CAppSettings::Global();

    CCacheRecord host;
    bool existing = false;
    if (settings.m_impMerge) {
        const quint32 id = m_db->FindRecordByWaypoint(FromQbexStr(record->wpt));
        if (id != 0) {
            existing = m_db->LoadRecord(id, host);
            // A record that cannot be read is not merged into: the plug-in's record is new.
            if (!existing)
                host = CCacheRecord();
        }
    }

    CopyFromPluginRecord(record, host, existing);

    if (!existing || settings.m_impForceCateg) {
        if (host.flags & kFlagExtraWaypoint)
            host.cid = m_categExtra;
        else if (COptionList::SiteUserIds().Contains(host.owner))
            host.cid = m_categOwned;
        else if (host.flags & kFlagFound)
            host.cid = m_categFound;
        else
            host.cid = m_categDefault;
    }

    if (!host.rtype.isEmpty())
        COptionList::CacheTypes().AddIfMissing(host.rtype);

    // The first record that cannot be stored is reported with its database error; the later
    // ones of the same invocation fail silently, so that a refusing database costs one click,
    // not two for every record. The plug-in learns of each and counts them in its summary.
    std::optional<CQuietErrors> quiet;
    if (m_saveFailures > 0)
        quiet.emplace();
    if (!m_db->SaveRecord(host, true)) {
        ShowError(kSaveErrorMessage);
        ++m_saveFailures;
        return 0;
    }
    m_savedRecordId = host.id;
    m_changed = true;

    // The record's travel bugs are those of the plug-in's bug list (none below version 2).
    if (!m_db->ReplaceBugsOf(host.id, host.bugs)) {
        ++m_saveFailures;
        return 0;
    }
    // Both answers are success; the second tells an importer that counts merges apart.
    return existing ? QBEX_MERGED : QBEX_ADDED;
}

int32_t CPluginMgr::GetRecord(QBEX_RECORD* record) {
    if (!m_db || !record || PluginRecordFields(record->version) < 1 || m_cursor >= m_queue.size())
        return 0;
    const quint32 id = m_queue[m_cursor++];
    CCacheRecord host;
    if (!m_db->LoadRecord(id, host))
        return 0;
    // The travel bugs listed for the cache are not handed out.
    host.bugs.clear();
    return CopyToPluginRecord(host, record) ? 1 : 0;
}
