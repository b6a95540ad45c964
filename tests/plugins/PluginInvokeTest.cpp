#include "CPluginTestHome.h"

#include "db/CCacheRecord.h"
#include "list/CRecordSummary.h"
#include "util/HomeFolder.h"

#include <QFile>

namespace {

const QString kNeedsRecords =
    QStringLiteral("At least one record with valid coordinates is required.");
const QString kLoadError = QStringLiteral("Error loading plugin!");

// Fetches every queued record, as a plug-in that walks record_count calls does; an unreadable
// record shows as "<0>".
QStringList FetchAll(QBEX_INVOKE* invoke) {
    CPluginRecordBlock record(3);
    QStringList wpts;
    for (int i = 0; i < invoke->record_count; ++i) {
        wpts.append(invoke->get_record(record.get()) ? record.Get(&QBEX_RECORD::wpt)
                                                     : QStringLiteral("<0>"));
    }
    return wpts;
}

class PluginInvokeTest : public CPluginTestHome {
protected:
    void SetUp() override {
        CPluginTestHome::SetUp();
        InstallPlugin(QStringLiteral("tp_script"));
    }

    // Queues `count` new records of the current database ("Default"): WP1, WP2, ...
    void QueueRecords(int count) {
        for (int i = 1; i <= count; ++i) {
            CCacheRecord record;
            record.id = AddStoredRecord(QStringLiteral("Default"), QStringLiteral("WP%1").arg(i));
            record.lat = 1;
            record.lon = 2;
            mgr->QueueRecord(record);
        }
    }
};

TEST_F(PluginInvokeTest, ChoosesThePluginAsTheRoleRequires) {
    struct Case {
        int role;
        bool secondMapping; // also install a second Mapping plug-in
        std::vector<int> selectCalls;
        int importCalls;
    };
    const Case cases[] = {
        {kRoleMapping, false, {}, 0},
        {kRoleNavigation, false, {}, 0},
        {kRoleMarkWaypoint, false, {}, 0},
        {kRoleMapping, true, {kRoleMapping}, 0},
        {kRoleExportRecord, false, {kRoleExportRecord}, 0},
        {kRoleCalculation, false, {kRoleCalculation}, 0},
        {kRoleExportRecords, false, {kRoleExportRecords}, 0},
        {kRoleListCalculation, false, {kRoleListCalculation}, 0},
        {kRoleConfiguration, false, {kRoleConfiguration}, 0},
        {kRoleImportRecords, false, {}, 1},
        {kRoleHyperlink, false, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "role " << c.role << (c.secondMapping ? " of two" : ""));
        if (c.secondMapping)
            InstallPlugin(QStringLiteral("tp_good"));
        mgr->Release();
        dialogs = CScriptedDialogs();
        invoked.clear();
        settings->SetRolePlugin(c.role, QString());
        // The record page names the link's plug-in in the setting before it invokes role 9.
        if (c.role == kRoleHyperlink)
            settings->SetRolePlugin(kRoleHyperlink, QStringLiteral("Script"));
        mgr->ResetQueue();
        QueueRecords(1);

        EXPECT_EQ(Run(c.role, [](const QString&, QBEX_INVOKE* invoke) { return invoke->role; }),
                  c.role);
        EXPECT_EQ(invoked, QStringList{"Script"});
        EXPECT_EQ(dialogs.selectCalls, c.selectCalls);
        EXPECT_EQ(dialogs.importCalls, c.importCalls);
        // The choice is remembered, also when it was made without asking.
        CAppSettings stored;
        stored.LoadSettings();
        if (c.role != kRoleHyperlink) {
            EXPECT_EQ(stored.GetRolePlugin(c.role), QStringLiteral("Script"));
        }
        QFile::remove(Path(QStringLiteral("Plugins/tp_good.so")));
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PluginInvokeTest, NothingRunsWhenTheChoiceIsCancelledOrStale) {
    struct Case {
        const char* what;
        int role;
        bool noDialogs;
        bool start;
        QString plugin;
    };
    const Case cases[] = {
        {"Select Plugin cancelled", kRoleExportRecords, false, false, "Script"},
        {"import dialog cancelled", kRoleImportRecords, false, false, "Script"},
        {"no dialogs installed", kRoleExportRecords, true, true, "Script"},
        {"no dialogs installed, import", kRoleImportRecords, true, true, "Script"},
        {"chosen name not in the table", kRoleExportRecords, false, true, "Gone"},
        {"import plug-in not in the table", kRoleImportRecords, false, true, "Gone"},
        {"role nobody offers", 10, false, true, "Script"},
    };
    QueueRecords(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.start = c.start;
        dialogs.plugin = c.plugin;
        mgr->SetDialogs(c.noDialogs ? nullptr : &dialogs);
        EXPECT_EQ(Run(c.role, [](const QString&, QBEX_INVOKE*) { return 1; }), 0);
        EXPECT_TRUE(invoked.isEmpty());
        EXPECT_FALSE(mgr->IsBusy());
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PluginInvokeTest, MaximumRecordCountCutsTheQueue) {
    struct Case {
        const char* maxRec;
        int role;
        QStringList fetched; // empty: the plug-in must not run
    };
    const QStringList all = {"WP1", "WP2", "WP3", "WP4", "WP5"};
    const Case cases[] = {
        {"", kRoleExportRecords, all},
        {"2", kRoleExportRecords, {"WP1", "WP2"}},
        {"5", kRoleExportRecords, all},
        {"9", kRoleExportRecords, all},
        {"3x", kRoleExportRecords, {"WP1", "WP2", "WP3"}},
        {"0", kRoleExportRecords, {}},
        // A stored limit also holds for a role chosen without a dialog.
        {"0", kRoleNavigation, {}},
        {"1", kRoleNavigation, {"WP1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "limit \"" << c.maxRec << "\" role " << c.role);
        ui.Clear();
        invoked.clear();
        dialogs.selectCalls.clear();
        dialogs.maxRec = QString::fromLatin1(c.maxRec);
        settings->m_expMaxRec = dialogs.maxRec;
        mgr->ResetQueue();
        QueueRecords(5);
        QStringList fetched;
        int count = -1;
        const qint32 result = Run(c.role, [&](const QString&, QBEX_INVOKE* invoke) {
            count = invoke->record_count;
            fetched = FetchAll(invoke);
            CPluginRecordBlock record(3);
            return invoke->get_record(record.get()) == 0 ? 1 : 0; // nothing past the limit
        });
        if (c.fetched.isEmpty()) {
            EXPECT_EQ(result, 0);
            EXPECT_TRUE(invoked.isEmpty());
            EXPECT_EQ(ui.Texts(), QStringList{kNeedsRecords});
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
        } else {
            EXPECT_EQ(result, 1);
            EXPECT_EQ(count, c.fetched.size());
            EXPECT_EQ(fetched, c.fetched);
            EXPECT_TRUE(ui.messages.empty());
        }
        if (c.role == kRoleNavigation) {
            EXPECT_TRUE(dialogs.selectCalls.empty());
        }
    }
}

TEST_F(PluginInvokeTest, OnlyRecordsWithCoordinatesAndAnIdAreQueued) {
    struct Case {
        double lat, lon;
        quint32 id;
        int queued;
    };
    const Case cases[] = {
        {47, 8, 5, 1},    {200, 8, 5, 0}, {47, 200, 5, 0},
        {200, 200, 5, 0}, {0, 0, 7, 1},   {47, 8, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lat << "," << c.lon << " id " << c.id);
        mgr->ResetQueue();
        CCacheRecord record;
        record.lat = c.lat;
        record.lon = c.lon;
        record.id = c.id;
        EXPECT_EQ(mgr->QueueRecord(record), c.queued);
        CRecordSummary summary;
        summary.lat = c.lat;
        summary.lon = c.lon;
        summary.id = c.id;
        // A list row is queued by its coordinates alone.
        EXPECT_EQ(mgr->QueueSummary(summary), HasCoordinates(c.lat, c.lon) ? 1 : 0);
        EXPECT_EQ(mgr->Queue().size(), size_t(c.queued + (HasCoordinates(c.lat, c.lon) ? 1 : 0)));
    }
}

TEST_F(PluginInvokeTest, EmptyQueueNeedsTheNoRecordsBit) {
    InstallPlugin(QStringLiteral("tp_calc04"));
    struct Case {
        int role;
        QString plugin;
        bool runs;
    };
    const Case cases[] = {
        {kRoleExportRecord, "Script", false},                                          // 0x03
        {kRoleMapping, "Script", false},                                               // 0x01
        {kRoleCalculation, "Calc Record", false},                                      // 0x04
        {kRoleCalculation, "Script", true},                                            // 0x14
        {kRoleListCalculation, "Script", true},   {kRoleMarkWaypoint, "Script", true}, // 0x16
        {kRoleConfiguration, "Script", true},                                          // 0x18
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "role " << c.role << " " << qPrintable(c.plugin));
        ui.Clear();
        invoked.clear();
        mgr->ResetQueue();
        dialogs.plugin = c.plugin;
        EXPECT_EQ(Run(c.role, [](const QString&, QBEX_INVOKE*) { return 1; }), c.runs ? 1 : 0);
        EXPECT_EQ(invoked.size(), c.runs ? 1 : 0);
        EXPECT_EQ(ui.Texts(), c.runs ? QStringList() : QStringList{kNeedsRecords});
    }
}

TEST_F(PluginInvokeTest, LibraryWithoutInvokeOrGoneShowsTheLoadError) {
    InstallPlugin(QStringLiteral("tp_noinvoke"));
    dialogs.plugin = QStringLiteral("No Invoke");
    EXPECT_EQ(Run(kRoleMarkWaypoint, [](const QString&, QBEX_INVOKE*) { return 1; }), 0);
    dialogs.plugin = QStringLiteral("Script");
    EXPECT_EQ(mgr->CountForRole(kRoleConfiguration), 1);
    QFile::remove(Path(QStringLiteral("Plugins/tp_script.so")));
    EXPECT_EQ(Run(kRoleConfiguration, [](const QString&, QBEX_INVOKE*) { return 1; }), 0);
    EXPECT_EQ(ui.Texts(), (QStringList{kLoadError, kLoadError}));
    for (const auto& message : ui.messages)
        EXPECT_EQ(message.icon, MsgIcon::Stop);
    EXPECT_FALSE(mgr->IsBusy());
}

TEST_F(PluginInvokeTest, FillsTheInvocationBlock) {
    for (const int sortColumn : {7, 6}) {
        SCOPED_TRACE(sortColumn);
        settings->m_sortColumn = sortColumn;
        settings->m_gpsAveraging = sortColumn == 7 ? 1 : 0;
        mgr->ResetQueue();
        QueueRecords(3);
        QBEX_INVOKE seen{};
        QString appFolder;
        EXPECT_EQ(Run(kRoleExportRecords,
                      [&](const QString&, QBEX_INVOKE* invoke) {
                          seen = *invoke;
                          appFolder = QString::fromUtf16(invoke->app_folder);
                          return 5;
                      }),
                  5);
        EXPECT_EQ(seen.role, kRoleExportRecords);
        EXPECT_EQ(seen.sorted_by_wpt, sortColumn == 7 ? 1 : 0);
        EXPECT_EQ(seen.record_count, 3);
        EXPECT_EQ(appFolder, HomeFolderSlash());
        EXPECT_EQ(seen.gps_averaging, sortColumn == 7 ? 1 : 0);
        EXPECT_EQ(seen.show_saved, 0);
        EXPECT_EQ(seen.lat, 200.0);
        EXPECT_EQ(seen.lon, 200.0);
        EXPECT_TRUE(seen.init_record && seen.add_record && seen.get_record && seen.reset_records);
    }
}

TEST_F(PluginInvokeTest, KeepsCoordinatesOnlyFromASuccessfulRun) {
    struct Case {
        qint32 result;
        double lat, lon;         // what the plug-in returns
        double keptLat, keptLon; // GetCoordinates afterwards
    };
    const Case cases[] = {
        {1, 47.25, -122.5, 47.25, -122.5},
        {0, 47.25, -122.5, 200, 200},
        {1, 200, 200, 200, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "result " << c.result << " at " << c.lat);
        mgr->ResetQueue();
        EXPECT_EQ(Run(kRoleMarkWaypoint,
                      [&](const QString&, QBEX_INVOKE* invoke) {
                          invoke->lat = c.lat;
                          invoke->lon = c.lon;
                          return c.result;
                      }),
                  c.result);
        double lat = 0;
        double lon = 0;
        mgr->GetCoordinates(lat, lon);
        EXPECT_EQ(lat, c.keptLat);
        EXPECT_EQ(lon, c.keptLon);
    }
}

TEST_F(PluginInvokeTest, SavedRecordIsKeptOnlyWhenThePluginAsksToShowIt) {
    for (const qint32 showSaved : {1, 0}) {
        for (const qint32 result : {1, 0}) {
            SCOPED_TRACE(testing::Message() << "show_saved " << showSaved << " result " << result);
            const QString last = QStringLiteral("NEW%1%2").arg(showSaved).arg(result);
            mgr->ResetQueue();
            QueueRecords(1);
            EXPECT_EQ(Run(kRoleExportRecord,
                          [&](const QString&, QBEX_INVOKE* invoke) {
                              CPluginRecordBlock record(3);
                              invoke->init_record(record.get(), 0);
                              record.Set(&QBEX_RECORD::wpt, QStringLiteral("NEW1"));
                              invoke->add_record(record.get());
                              record.Set(&QBEX_RECORD::wpt, last);
                              invoke->add_record(record.get());
                              invoke->show_saved = showSaved;
                              return result;
                          }),
                      result);
            const QStringList ids =
                Rows(QStringLiteral("Default"),
                     QStringLiteral("select id from t_main where wpt='%1'").arg(last));
            ASSERT_EQ(ids.size(), 1);
            EXPECT_EQ(mgr->GetSavedRecordId(), showSaved ? ids[0].toUInt() : 0u);
            // Saved records stay saved, whatever the plug-in answers.
            EXPECT_TRUE(mgr->TakeChanged());
            EXPECT_FALSE(mgr->TakeChanged());
            mgr->ResetQueue();
            EXPECT_EQ(mgr->GetSavedRecordId(), 0u);
        }
    }
}

TEST_F(PluginInvokeTest, ImportRunsTheDialogAndWritesIntoItsDatabase) {
    // Even the only import plug-in is chosen through the dialog; the target is its database.
    dialogs.impDatabase = QStringLiteral("Imports");
    auto addOne = [](const QString&, QBEX_INVOKE* invoke) {
        CPluginRecordBlock record(3);
        invoke->init_record(record.get(), 1);
        return invoke->add_record(record.get());
    };
    EXPECT_EQ(Run(kRoleImportRecords, addOne), 1);
    EXPECT_EQ(dialogs.importCalls, 1);
    EXPECT_EQ(Rows(QStringLiteral("Imports"), QStringLiteral("select count(*) from t_main")),
              QStringList{"1"});
    EXPECT_EQ(Rows(QStringLiteral("Default"), QStringLiteral("select count(*) from t_main")),
              QStringList{"0"});

    // A caller that names the plug-in skips the dialog and imports into the current database.
    EXPECT_EQ(Run(kRoleImportRecords, addOne, QStringLiteral("Script")), 1);
    EXPECT_EQ(dialogs.importCalls, 1);
    EXPECT_EQ(Rows(QStringLiteral("Default"), QStringLiteral("select count(*) from t_main")),
              QStringList{"1"});
    EXPECT_TRUE(mgr->TakeChanged());
}

} // namespace
