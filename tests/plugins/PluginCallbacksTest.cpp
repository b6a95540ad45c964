#include "CPluginTestHome.h"

#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"

namespace {

const QString kSaveError = QStringLiteral("Error saving database record!");
const QChar kEntry(0x0001);
const QChar kField(0x0002);

// "TB1|Bear" style bug list texts: "|" separates fields and ";" entries.
QString BugList(QString text) {
    text.replace(u'|', kField);
    text.replace(u';', kEntry);
    return text;
}

class PluginCallbacksTest : public CPluginTestHome {
protected:
    void SetUp() override {
        CPluginTestHome::SetUp();
        InstallPlugin(QStringLiteral("tp_script"));
    }

    // The stored record of a waypoint ID (the last one when there are several).
    CCacheRecord Stored(const QString& dbName, const QString& wpt) {
        CCacheRecord record;
        const QStringList ids = Rows(
            dbName, QStringLiteral("select id from t_main where wpt='%1' order by id").arg(wpt));
        CCacheDb* db = databases->OpenDb(dbName);
        EXPECT_TRUE(db && !ids.isEmpty() && db->LoadRecord(ids.last().toUInt(), record))
            << qPrintable(wpt);
        if (db)
            databases->ReleaseDb(db);
        return record;
    }

    QStringList BugRows(const QString& dbName, quint32 id) {
        return Rows(dbName, QStringLiteral(
                                "select tb_num, name, url from t_bugs where wpt_id=%1 order by id")
                                .arg(id));
    }

    quint16 CategoryId(const QString& dbName, const QString& name) {
        CCacheDb* db = databases->OpenDb(dbName);
        const quint16 id = db ? db->CategoryIdOf(name) : 0;
        if (db)
            databases->ReleaseDb(db);
        return id;
    }
};

TEST_F(PluginCallbacksTest, InitRecordSetsTheFieldsOfTheStructuresVersion) {
    for (const int version : {1, 2, 3}) {
        for (const int32_t newId : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "version " << version << " new id " << newId);
            Run(kRoleMarkWaypoint, [&](const QString&, QBEX_INVOKE* invoke) {
                CPluginRecordBlock record(version);
                for (auto field : {&QBEX_RECORD::name, &QBEX_RECORD::wpt, &QBEX_RECORD::descr,
                                   &QBEX_RECORD::log_notes, &QBEX_RECORD::cont})
                    record.Set(field, QStringLiteral("old"));
                record->flags = 0xFF;
                record->lat = record->lon = 1.0;
                record->log_type = 2;
                record->log_start = record->log_end = qbex_timestamp_make(99);
                if (version >= 2)
                    record.Set(&QBEX_RECORD::bugs, QStringLiteral("old"));
                if (version >= 3)
                    record.Set(&QBEX_RECORD::find_rat, QStringLiteral("old"));

                invoke->init_record(record.get(), newId);

                EXPECT_EQ(record->version, version);
                EXPECT_EQ(record->flags, 0u);
                EXPECT_EQ(record.Get(&QBEX_RECORD::rtype), QStringLiteral("Waypoint"));
                EXPECT_EQ(record.Get(&QBEX_RECORD::cont), QStringLiteral("Not chosen"));
                EXPECT_EQ(record.Get(&QBEX_RECORD::descr), QString());
                EXPECT_EQ(record.Get(&QBEX_RECORD::log_notes), QString());
                EXPECT_EQ(record->lat, 200.0);
                EXPECT_EQ(record->lon, 200.0);
                EXPECT_EQ(record->log_type, 0);
                EXPECT_EQ(qbex_timestamp_get(record->log_start), 0u);
                EXPECT_EQ(qbex_timestamp_get(record->log_end), 0u);
                if (version >= 2) {
                    EXPECT_EQ(record.Get(&QBEX_RECORD::bugs), QString());
                }
                if (version >= 3) {
                    EXPECT_EQ(record.Get(&QBEX_RECORD::find_rat), QString());
                }
                const QString wpt = record.Get(&QBEX_RECORD::wpt);
                EXPECT_EQ(record.Get(&QBEX_RECORD::name), wpt);
                EXPECT_EQ(wpt.isEmpty(), newId == 0) << qPrintable(wpt);
                return 1;
            });
        }
    }
}

TEST_F(PluginCallbacksTest, AddRecordMergesByWaypointId) {
    struct Case {
        const char* what;
        int merge, force, version;
        int rows;             // records with the waypoint ID afterwards
        quint32 flags;        // of the last one: bits 0x1 and 0x8 come from the plug-in alone
        int logType;          // 2: the user's log survived
        const char* category; // of the last one
        const char* custom1;
        const char* findRat;
        QStringList bugs;
    };
    const Case cases[] = {
        {"merge", 1, 0, 3, 1, 0x27, 2, "Not Found", "new c1", "", {"TB9|Fox|"}},
        {"merge, routed again", 1, 1, 3, 1, 0x27, 2, "Found", "new c1", "", {"TB9|Fox|"}},
        {"merge version 2", 1, 0, 2, 1, 0x27, 2, "Not Found", "old c1", "50", {"TB9|Fox|"}},
        {"merge version 1", 1, 0, 1, 1, 0x27, 2, "Not Found", "old c1", "50", {}},
        {"no merge", 0, 0, 3, 2, 0x21, 0, "Saved", "new c1", "", {"TB9|Fox|"}},
    };
    settings->m_impCateg = QStringLiteral("Saved");
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString dbName = QStringLiteral("Merge%1").arg(++n);
        dialogs.impDatabase = dbName;
        settings->m_impMerge = c.merge;
        settings->m_impForceCateg = c.force;

        CCacheDb* db = databases->OpenDb(dbName);
        ASSERT_NE(db, nullptr);
        CCacheRecord existing;
        existing.wpt = QStringLiteral("GC100");
        existing.name = QStringLiteral("Old name");
        existing.cid = db->CategoryIdOf(QStringLiteral("Not Found"));
        existing.flags = kFlagBookmarked | kFlagFound | kFlagDisabled;
        existing.log_type = 2;
        existing.log_start = 1111;
        existing.log_end = 2222;
        existing.log_notes = QStringLiteral("my notes");
        existing.custom1 = QStringLiteral("old c1");
        existing.find_rat = QStringLiteral("50");
        ASSERT_TRUE(db->SaveRecord(existing, true));
        ASSERT_TRUE(db->ReplaceBugsOf(existing.id, BugList(QStringLiteral("TB1|Bear"))));
        databases->ReleaseDb(db);

        EXPECT_EQ(Run(kRoleImportRecords,
                      [&](const QString&, QBEX_INVOKE* invoke) {
                          CPluginRecordBlock record(c.version);
                          invoke->init_record(record.get(), 0);
                          record.Set(&QBEX_RECORD::wpt, QStringLiteral("GC100"));
                          record.Set(&QBEX_RECORD::name, QStringLiteral("New name"));
                          record.Set(&QBEX_RECORD::log_notes, QStringLiteral("plugin notes"));
                          record->flags = kFlagBugs | 0x20;
                          record->log_start = qbex_timestamp_make(5);
                          record->lat = 10;
                          record->lon = 20;
                          if (c.version >= 2)
                              record.Set(&QBEX_RECORD::bugs, BugList(QStringLiteral("TB9|Fox")));
                          if (c.version >= 3)
                              record.Set(&QBEX_RECORD::custom1, QStringLiteral("new c1"));
                          return invoke->add_record(record.get());
                      }),
                  c.merge ? QBEX_MERGED : QBEX_ADDED);

        EXPECT_EQ(Rows(dbName, QStringLiteral("select count(*) from t_main where wpt='GC100'")),
                  QStringList{QString::number(c.rows)});
        const CCacheRecord stored = Stored(dbName, QStringLiteral("GC100"));
        EXPECT_EQ(stored.name, QStringLiteral("New name"));
        EXPECT_EQ(stored.lat, 10.0);
        EXPECT_EQ(stored.flags, c.flags);
        EXPECT_EQ(stored.log_type, c.logType);
        EXPECT_EQ(stored.log_start, c.logType ? 1111u : 5u);
        EXPECT_EQ(stored.log_end, c.logType ? 2222u : 0u);
        EXPECT_EQ(stored.log_notes, QString::fromLatin1(c.logType ? "my notes" : "plugin notes"));
        EXPECT_EQ(stored.cid, CategoryId(dbName, QString::fromLatin1(c.category)));
        EXPECT_EQ(stored.custom1, QString::fromLatin1(c.custom1));
        EXPECT_EQ(stored.find_rat, QString::fromLatin1(c.findRat));
        EXPECT_EQ(BugRows(dbName, stored.id), c.bugs);
        EXPECT_EQ(mgr->GetSavedRecordId(), 0u);
        EXPECT_TRUE(mgr->TakeChanged());
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PluginCallbacksTest, RoutingPrefersExtraThenOwnedThenFound) {
    COptionList::SiteUserIds().SetItems({QStringLiteral("me"), QStringLiteral("Other Me")});
    settings->m_impCateg = QStringLiteral("Saved");
    settings->m_impCategFound = QStringLiteral("Found");
    settings->m_impCategOwned = QStringLiteral("Owned");
    settings->m_impCategExtra = QStringLiteral("Benchmarks");
    struct Case {
        const char* owner;
        quint32 flags;
        const char* imported; // category on import
    };
    const Case cases[] = {
        {"", 0, "Saved"},
        {"", kFlagFound, "Found"},
        {"me", kFlagFound, "Owned"},
        {"me", kFlagFound | kFlagExtraWaypoint, "Benchmarks"},
        {"", kFlagExtraWaypoint, "Benchmarks"},
        {"Me", 0, "Saved"},
        {"someone", kFlagFound, "Found"},
        {"Other Me", kFlagBookmarked, "Owned"},
    };
    auto addAll = [&](const QString&, QBEX_INVOKE* invoke) {
        CPluginRecordBlock record(3);
        int i = 0;
        for (const Case& c : cases) {
            invoke->init_record(record.get(), 0);
            record.Set(&QBEX_RECORD::wpt, QStringLiteral("R%1").arg(++i));
            record.Set(&QBEX_RECORD::owner, QString::fromLatin1(c.owner));
            record->flags = c.flags;
            if (!invoke->add_record(record.get()))
                return 0;
        }
        return 1;
    };
    dialogs.impDatabase = QStringLiteral("Routed");
    ASSERT_EQ(Run(kRoleImportRecords, addAll), 1);

    // Every other role files new records into the category the list shows.
    dialogs.plugin = QStringLiteral("Script");
    settings->m_database = QStringLiteral("Listed");
    mgr->SetListCategory(3);
    ASSERT_EQ(Run(kRoleListCalculation, addAll), 1);
    settings->m_database = QStringLiteral("AllListed");
    mgr->SetListCategory(kAllCategoryId);
    ASSERT_EQ(Run(kRoleListCalculation, addAll), 1);

    int i = 0;
    for (const Case& c : cases) {
        const QString wpt = QStringLiteral("R%1").arg(++i);
        SCOPED_TRACE(qPrintable(wpt));
        EXPECT_EQ(Stored(QStringLiteral("Routed"), wpt).cid,
                  CategoryId(QStringLiteral("Routed"), QString::fromLatin1(c.imported)));
        EXPECT_EQ(Stored(QStringLiteral("Listed"), wpt).cid, 3);
        EXPECT_EQ(Stored(QStringLiteral("AllListed"), wpt).cid, 0);
    }
}

TEST_F(PluginCallbacksTest, UnknownRoutingCategoryFilesAsUnfiled) {
    settings->m_impCateg = QStringLiteral("No Such Category");
    EXPECT_EQ(Run(kRoleImportRecords,
                  [](const QString&, QBEX_INVOKE* invoke) {
                      CPluginRecordBlock record(3);
                      invoke->init_record(record.get(), 0);
                      record.Set(&QBEX_RECORD::wpt, QStringLiteral("U1"));
                      return invoke->add_record(record.get());
                  }),
              1);
    EXPECT_EQ(Stored(QStringLiteral("Default"), QStringLiteral("U1")).cid, 0);
}

TEST_F(PluginCallbacksTest, BugListTextGivesOneRowPerBugFromTheLastEntryToTheFirst) {
    struct Case {
        const char* bugs;
        QStringList rows;
    };
    const Case cases[] = {
        {"TB1|Bear;TB2|Fox|https://x/2", {"TB2|Fox|https://x/2", "TB1|Bear|"}},
        {"TB1|;TB2|Fox", {"TB2|Fox|"}},
        {";;TB3||Owl|url|extra;", {"TB3|Owl|url"}},
        {"TB4", {}},
        {"", {}},
    };
    int i = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bugs);
        const QString wpt = QStringLiteral("B%1").arg(++i);
        ASSERT_EQ(Run(kRoleImportRecords,
                      [&](const QString&, QBEX_INVOKE* invoke) {
                          CPluginRecordBlock record(2);
                          invoke->init_record(record.get(), 0);
                          record.Set(&QBEX_RECORD::wpt, wpt);
                          record.Set(&QBEX_RECORD::bugs, BugList(QString::fromLatin1(c.bugs)));
                          return invoke->add_record(record.get());
                      }),
                  1);
        EXPECT_EQ(BugRows(QStringLiteral("Default"), Stored(QStringLiteral("Default"), wpt).id),
                  c.rows);
    }
}

TEST_F(PluginCallbacksTest, AddRecordIsRefusedWithoutADatabaseAndInMarkWaypointOrConfiguration) {
    struct Case {
        const char* what;
        int role;
        const char* database;
    };
    const Case cases[] = {
        {"Mark Waypoint", kRoleMarkWaypoint, "Default"},
        {"Configuration", kRoleConfiguration, "Default"},
        {"no database", kRoleListCalculation, "./-"},
    };
    const quint32 id = AddStoredRecord(QStringLiteral("Default"), QStringLiteral("OLD"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.Clear();
        settings->m_database = QString::fromLatin1(c.database);
        mgr->ResetQueue();
        mgr->QueueId(id);
        int32_t added = -1;
        int32_t fetched = -1;
        EXPECT_EQ(Run(c.role,
                      [&](const QString&, QBEX_INVOKE* invoke) {
                          CPluginRecordBlock record(3);
                          invoke->init_record(record.get(), 1);
                          added = invoke->add_record(record.get());
                          fetched = invoke->get_record(record.get());
                          return 1;
                      }),
                  1);
        EXPECT_EQ(added, 0);
        EXPECT_EQ(fetched, QLatin1String(c.database) == "Default" ? 1 : 0);
        EXPECT_EQ(ui.Texts(), QStringList{kSaveError});
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
        EXPECT_FALSE(mgr->TakeChanged());
    }
    EXPECT_EQ(Rows(QStringLiteral("Default"), QStringLiteral("select wpt from t_main")),
              QStringList{"OLD"});
}

TEST_F(PluginCallbacksTest, GetRecordWalksTheQueueAndResetRewinds) {
    const quint32 first = AddStoredRecord(QStringLiteral("Default"), QStringLiteral("WP1"));
    const quint32 second = AddStoredRecord(QStringLiteral("Default"), QStringLiteral("WP2"));
    const quint32 third = AddStoredRecord(QStringLiteral("Default"), QStringLiteral("WP3"));
    CCacheDb* db = databases->OpenDb(QStringLiteral("Default"));
    ASSERT_NE(db, nullptr);
    ASSERT_TRUE(db->ReplaceBugsOf(third, BugList(QStringLiteral("TB1|Bear"))));
    ASSERT_TRUE(db->DeleteRecord(second, true));
    databases->ReleaseDb(db);
    for (const quint32 id : {third, second, first})
        mgr->QueueId(id);
    ui.idleResets = 0;

    QStringList walk;
    EXPECT_EQ(Run(kRoleExportRecords,
                  [&](const QString&, QBEX_INVOKE* invoke) {
                      CPluginRecordBlock record(2);
                      record.Set(&QBEX_RECORD::bugs, QStringLiteral("left over"));
                      auto next = [&] {
                          if (!invoke->get_record(record.get()))
                              return QStringLiteral("0");
                          return record.Get(&QBEX_RECORD::wpt) + u'/' +
                                 record.Get(&QBEX_RECORD::name) + u'/' +
                                 record.Get(&QBEX_RECORD::bugs);
                      };
                      for (int i = 0; i < 4; ++i)
                          walk.append(next());
                      invoke->reset_records();
                      walk.append(next());
                      return invoke->record_count;
                  }),
              3);
    // The deleted record leaves a gap: that call answers 0 although a record follows.
    EXPECT_EQ(walk,
              (QStringList{"WP3/Name of WP3/", "0", "WP1/Name of WP1/", "0", "WP3/Name of WP3/"}));
    EXPECT_EQ(ui.idleResets, 5);
}

TEST_F(PluginCallbacksTest, EarlierStructureVersionsCrossOnlyTheirFields) {
    // Blocks of exactly the version's size: the sanitizer reports any byte touched past them.
    const quint32 id = AddStoredRecord(QStringLiteral("Default"), QStringLiteral("FULL"));
    mgr->QueueId(id);
    EXPECT_EQ(Run(kRoleExportRecords,
                  [&](const QString&, QBEX_INVOKE* invoke) {
                      for (const int version : {1, 2}) {
                          CPluginRecordBlock record(version);
                          invoke->init_record(record.get(), 1);
                          EXPECT_TRUE(invoke->add_record(record.get()));
                          invoke->reset_records();
                          EXPECT_TRUE(invoke->get_record(record.get()));
                          EXPECT_EQ(record.Get(&QBEX_RECORD::wpt), QStringLiteral("FULL"));
                          EXPECT_EQ(record->version, version);
                      }
                      return 1;
                  }),
              1);
    EXPECT_EQ(Rows(QStringLiteral("Default"), QStringLiteral("select count(*) from t_main")),
              QStringList{"3"});
}

TEST_F(PluginCallbacksTest, NewCacheTypesJoinTheTypeList) {
    EXPECT_EQ(Run(kRoleImportRecords,
                  [](const QString&, QBEX_INVOKE* invoke) {
                      CPluginRecordBlock record(3);
                      invoke->init_record(record.get(), 0);
                      record.Set(&QBEX_RECORD::wpt, QStringLiteral("T1"));
                      record.Set(&QBEX_RECORD::rtype, QStringLiteral("Puzzle Box"));
                      record.Set(&QBEX_RECORD::cont, QString());
                      const int32_t first = invoke->add_record(record.get());
                      record.Set(&QBEX_RECORD::wpt, QString());
                      record.Set(&QBEX_RECORD::rtype, QString());
                      return first && invoke->add_record(record.get());
                  }),
              1);
    EXPECT_TRUE(COptionList::CacheTypes().Contains(QStringLiteral("Puzzle Box")));
    EXPECT_EQ(Rows(QStringLiteral("Default"),
                   QStringLiteral("select rtype, cont, wpt <> '' from t_main order by id")),
              (QStringList{"Puzzle Box|Not chosen|1", "Waypoint|Not chosen|1"}));
}

TEST_F(PluginCallbacksTest, LargeImportIsCommittedWhenThePluginReturns) {
    constexpr int kCount = 1200;
    EXPECT_EQ(Run(kRoleImportRecords,
                  [](const QString&, QBEX_INVOKE* invoke) {
                      CPluginRecordBlock record(3);
                      for (int i = 0; i < kCount; ++i) {
                          invoke->init_record(record.get(), 1);
                          record->lat = 47.0 + i / 10000.0;
                          record->lon = 8.0;
                          if (!invoke->add_record(record.get()))
                              return 0;
                      }
                      return 1;
                  }),
              1);
    // A second connection to the file sees every record.
    CCacheDb other;
    ASSERT_TRUE(
        other.Open(databases->DbPath(QStringLiteral("Default")), QStringLiteral("Default")));
    EXPECT_EQ(other.CountRecords(), kCount);
    other.Close();
}

// Adds records with the waypoint IDs given, as an import plug-in does; returns how many the host
// refused.
int AddRecords(QBEX_INVOKE* invoke, const QStringList& wpts) {
    CPluginRecordBlock record(3);
    int refused = 0;
    for (const QString& wpt : wpts) {
        invoke->init_record(record.get(), 0);
        record.Set(&QBEX_RECORD::wpt, wpt);
        if (!invoke->add_record(record.get()))
            ++refused;
    }
    return refused;
}

TEST_F(PluginCallbacksTest, RefusedRecordsAreReportedOnceAndTheRestAreCounted) {
    CCacheDb* db = databases->OpenDb(QStringLiteral("Default"));
    ASSERT_TRUE(db);
    ASSERT_TRUE(db->Execute(QStringLiteral("create trigger refuse before insert on t_main when "
                                           "new.wpt like 'BAD%' begin select "
                                           "raise(abort, 'refused'); end")));
    QStringList wpts;
    for (int i = 0; i < 10; ++i)
        wpts << QStringLiteral("%1%2").arg(i % 2 ? "BAD" : "GC").arg(i);
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        ui.Clear();
        int refused = -1;
        EXPECT_EQ(Run(kRoleImportRecords,
                      [&](const QString&, QBEX_INVOKE* invoke) {
                          refused = AddRecords(invoke, wpts);
                          return 1;
                      }),
                  1);
        EXPECT_EQ(refused, 5) << "the plug-in learns of every refused record";
        // Every invocation reports its first refused record, and only that one.
        EXPECT_EQ(ui.Texts(), QStringList({"Database error:\nrefused", kSaveError}));
    }
    EXPECT_EQ(db->CountRecords(), 5) << "the good records are stored (merged the second time)";
    databases->ReleaseDb(db);
}

TEST_F(PluginCallbacksTest, FailedLastCommitFailsTheInvocationAndIsReported) {
    CCacheDb* db = databases->OpenDb(QStringLiteral("Default"));
    ASSERT_TRUE(db);
    // A record "POISON" leaves a row behind that breaks a deferred foreign key, so the commit at
    // the end of the invocation fails although every single save succeeded.
    ASSERT_TRUE(db->Execute(QStringLiteral("create table guard(x integer references t_main(id) "
                                           "deferrable initially deferred)")));
    ASSERT_TRUE(db->Execute(QStringLiteral("create trigger poison after insert on t_main when "
                                           "new.wpt = 'POISON' begin insert into guard "
                                           "values(-1); end")));
    ASSERT_TRUE(db->Execute(QStringLiteral("pragma foreign_keys=on")));
    ui.Clear();
    int refused = -1;
    EXPECT_EQ(Run(kRoleImportRecords,
                  [&](const QString&, QBEX_INVOKE* invoke) {
                      refused = AddRecords(invoke, {"GC1", "GC2", "POISON"});
                      return 1;
                  }),
              0);
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(ui.Texts(),
              QStringList({"Database error:\nFOREIGN KEY constraint failed", kSaveError}));
    EXPECT_EQ(db->CountRecords(), 0);
    EXPECT_EQ(mgr->GetSavedRecordId(), 0u);
    databases->ReleaseDb(db);
}

} // namespace
