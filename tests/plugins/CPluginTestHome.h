#pragma once

#include "CTestHome.h"

#include "db/CCacheDbManager.h"
#include "plugins/CPluginMgr.h"
#include "plugins/IPluginDialogs.h"
#include "qbex.h"
#include "settings/CAppSettings.h"
#include "settings/COptionList.h"
#include "util/CVoiceNotes.h"

#include <QString>
#include <QStringList>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

class CCacheDb;
class CCacheRecord;

// What a test plug-in does when it is invoked: the test's function gets the plug-in's name and
// the invocation block and returns the plug-in's result.
using PluginScript = std::function<int32_t(const QString& plugin, QBEX_INVOKE* invoke)>;

// Dialog answers from a script: Start stores `plugin` (and for Select Plugin `maxRec`, for the
// import `impDatabase` when not empty) as the real dialogs would; every call is counted.
class CScriptedDialogs : public IPluginDialogs {
public:
    bool RunImportDialog() override;
    bool RunSelectPluginDialog(int role) override;

    bool start = true;
    QString plugin = QStringLiteral("Script");
    QString maxRec;
    QString impDatabase;
    int importCalls = 0;
    std::vector<int> selectCalls;
};

// A record structure allocated by the "plug-in" with exactly the size of its version, so that the
// address sanitizer reports any byte the host touches past it. The strings are freed at the end.
class CPluginRecordBlock {
public:
    explicit CPluginRecordBlock(int version);
    ~CPluginRecordBlock();
    CPluginRecordBlock(const CPluginRecordBlock&) = delete;
    CPluginRecordBlock& operator=(const CPluginRecordBlock&) = delete;

    QBEX_RECORD* operator->() const { return m_record; }
    QBEX_RECORD* get() const { return m_record; }
    void Set(qbex_str QBEX_RECORD::*field, const QString& text) const;
    QString Get(qbex_str QBEX_RECORD::*field) const;

private:
    QBEX_RECORD* m_record;
};

// A home folder with settings, option lists, voice notes, a database manager and a plug-in
// manager installed, a scripted dialog, and a hook through which test plug-ins run `script`.
class CPluginTestHome : public CTestHome {
protected:
    void SetUp() override;
    void TearDown() override;

    // Copies the built test plug-in `name` (without ".so") into the Plugins folder.
    void InstallPlugin(const QString& name, const QString& asName = QString());
    // Stores a record with coordinates in the database of that name; returns its id.
    quint32 AddStoredRecord(const QString& dbName, const QString& wpt, double lat = 47.5,
                            double lon = 8.5);
    // Every row of a query on the named database, the values of a row joined by "|".
    QStringList Rows(const QString& dbName, const QString& sql);
    // Runs Invoke with the script.
    qint32 Run(int role, const PluginScript& script, const QString& name = QString());

    std::unique_ptr<CAppSettings> settings;
    std::unique_ptr<CPluginMgr> mgr;
    std::unique_ptr<CCacheDbManager> databases;
    CScriptedDialogs dialogs;
    QStringList invoked; // names of the plug-ins whose QBEX_Invoke ran, in order

private:
    COptionList m_cacheTypes;
    COptionList m_containerTypes;
    COptionList m_siteUserIds;
    std::unique_ptr<CVoiceNotes> m_notes;
};
