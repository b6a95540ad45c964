#include "CPluginTestHome.h"

#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"
#include "db/CDbStatement.h"

#include <QDir>
#include <QFile>

#include <cstring>

namespace {

PluginScript g_script;
QStringList* g_invoked = nullptr;

// The function test plug-ins call from QBEX_Invoke.
extern "C" int32_t QbTestPluginHook(const char* plugin, QBEX_INVOKE* invoke) {
    const QString name = QString::fromUtf8(plugin);
    if (g_invoked)
        g_invoked->append(name);
    return g_script ? g_script(name, invoke) : 0;
}

} // namespace

bool CScriptedDialogs::RunImportDialog() {
    ++importCalls;
    if (!start)
        return false;
    CAppSettings& settings = CAppSettings::Global();
    settings.SetRolePlugin(kRoleImportRecords, plugin);
    if (!impDatabase.isEmpty())
        settings.m_impDatabase = impDatabase;
    settings.SaveSettings();
    return true;
}

bool CScriptedDialogs::RunSelectPluginDialog(int role) {
    selectCalls.push_back(role);
    if (!start)
        return false;
    CAppSettings& settings = CAppSettings::Global();
    settings.SetRolePlugin(role, plugin);
    settings.m_expMaxRec = maxRec;
    settings.SaveSettings();
    return true;
}

CPluginRecordBlock::CPluginRecordBlock(int version) {
    const size_t size = QBEX_RECORD_SIZE(version);
    m_record = static_cast<QBEX_RECORD*>(std::calloc(1, size));
    m_record->version = version;
}

CPluginRecordBlock::~CPluginRecordBlock() {
    qbex_record_free_strings(m_record);
    std::free(m_record);
}

void CPluginRecordBlock::Set(qbex_str QBEX_RECORD::*field, const QString& text) const {
    qbex_str_assign_utf16(&(m_record->*field), reinterpret_cast<const qbex_char16*>(text.utf16()),
                          size_t(text.size()));
}

QString CPluginRecordBlock::Get(qbex_str QBEX_RECORD::*field) const {
    const qbex_str value = m_record->*field;
    return QString(reinterpret_cast<const QChar*>(qbex_str_text(value)),
                   qsizetype(qbex_str_length(value)));
}

void CPluginTestHome::SetUp() {
    CTestHome::SetUp();
    settings = std::make_unique<CAppSettings>();
    settings->LoadSettings();
    CAppSettings::SetGlobal(settings.get());
    m_cacheTypes = COptionList::MakeCacheTypes();
    m_containerTypes = COptionList::MakeContainerTypes();
    m_siteUserIds = COptionList::MakeSiteUserIds();
    COptionList::SetGlobals(&m_cacheTypes, &m_containerTypes, &m_siteUserIds);
    m_notes = std::make_unique<CVoiceNotes>();
    CVoiceNotes::SetGlobal(m_notes.get());
    databases = std::make_unique<CCacheDbManager>();
    CCacheDbManager::SetGlobal(databases.get());
    mgr = std::make_unique<CPluginMgr>();
    CPluginMgr::SetGlobal(mgr.get());
    mgr->SetDialogs(&dialogs);
    QDir().mkpath(Path(QStringLiteral("Plugins")));

    g_script = nullptr;
    g_invoked = &invoked;
    qputenv("QB_TEST_INVOKE_HOOK",
            QByteArray::number(reinterpret_cast<quintptr>(&QbTestPluginHook), 16));
}

void CPluginTestHome::TearDown() {
    qunsetenv("QB_TEST_INVOKE_HOOK");
    g_invoked = nullptr;
    g_script = nullptr;
    CPluginMgr::SetGlobal(nullptr);
    mgr.reset();
    EXPECT_EQ(databases->OpenCount(), 0) << "a database was left open";
    CCacheDbManager::SetGlobal(nullptr);
    databases.reset();
    CVoiceNotes::SetGlobal(nullptr);
    m_notes.reset();
    COptionList::SetGlobals(nullptr, nullptr, nullptr);
    CAppSettings::SetGlobal(nullptr);
    settings.reset();
    CTestHome::TearDown();
}

void CPluginTestHome::InstallPlugin(const QString& name, const QString& asName) {
    const QString source = QStringLiteral(QB_TEST_PLUGIN_DIR "/") + name + QStringLiteral(".so");
    const QString target = Path(QStringLiteral("Plugins/") +
                                (asName.isEmpty() ? name + QStringLiteral(".so") : asName));
    ASSERT_TRUE(QFile::copy(source, target)) << qPrintable(source);
}

quint32 CPluginTestHome::AddStoredRecord(const QString& dbName, const QString& wpt, double lat,
                                         double lon) {
    CCacheDb* db = databases->OpenDb(dbName);
    EXPECT_NE(db, nullptr);
    if (!db)
        return 0;
    CCacheRecord record;
    record.wpt = wpt;
    record.name = QStringLiteral("Name of ") + wpt;
    record.lat = lat;
    record.lon = lon;
    EXPECT_TRUE(db->SaveRecord(record, true));
    databases->ReleaseDb(db);
    return record.id;
}

QStringList CPluginTestHome::Rows(const QString& dbName, const QString& sql) {
    CCacheDb* db = databases->OpenDb(dbName);
    if (!db)
        return {QStringLiteral("<no database>")};
    QStringList rows;
    CDbStatement stmt;
    if (db->Execute(sql, stmt)) {
        while (stmt.Next() == CDbStatement::Step::Row) {
            QStringList values;
            for (int c = 0; c < stmt.ColumnCount(); ++c)
                values.append(stmt.Text(c));
            rows.append(values.join(QLatin1Char('|')));
        }
    } else {
        rows.append(QStringLiteral("<error>"));
    }
    stmt.Finalize();
    databases->ReleaseDb(db);
    return rows;
}

qint32 CPluginTestHome::Run(int role, const PluginScript& script, const QString& name) {
    g_script = script;
    const qint32 result = mgr->Invoke(role, name);
    g_script = nullptr;
    return result;
}
