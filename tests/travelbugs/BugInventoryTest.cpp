#include "CTestHome.h"

#include "db/CCacheRecord.h"
#include "settings/CAppSettings.h"
#include "travelbugs/CBugInventory.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include <algorithm>

namespace {

// Runs one query on a database file outside the inventory and returns the first column of the
// first row ("<null>" for NULL, "<none>" without a row).
QString QueryFile(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* statement = nullptr;
    QString result = QStringLiteral("<none>");
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        result = text ? QString::fromUtf8(text) : QStringLiteral("<null>");
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

void ExecFile(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                    SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
}

CBugRecord MakeBug(const QString& name, const QString& ref, const QString& serial) {
    CBugRecord bug;
    bug.name = name;
    bug.tb_num = ref;
    bug.serial = serial;
    return bug;
}

// The current local time, whole seconds, so that it survives a round trip through a timestamp.
QDateTime NowToTheSecond() {
    QDateTime now = QDateTime::currentDateTime();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    return now;
}

// SQLite keeps the create statement as given, except that it writes the leading words upper-case.
std::string StoredSql(const char* sql) {
    QString text = QString::fromLatin1(sql);
    text.replace(0, 12, QStringLiteral("CREATE TABLE"));
    return text.toStdString();
}

} // namespace

class BugInventoryTest : public CTestHome {
protected:
    void SetUp() override {
        CTestHome::SetUp();
        CAppSettings::SetGlobal(&settings);
        settings.m_bugMaxDays = 30;
        CBugInventory::SetGlobal(&inventory);
        ASSERT_TRUE(inventory.Open(Home()));
    }
    void TearDown() override {
        inventory.Close();
        CBugInventory::SetGlobal(nullptr);
        CAppSettings::SetGlobal(nullptr);
        CTestHome::TearDown();
    }

    // Stores a bug with a chosen entry time (an update writes the held time back).
    quint32 StoreBugEntered(const QDateTime& enteredLocal) {
        CBugRecord bug = MakeBug(QStringLiteral("Bug"), QStringLiteral("TB1"), QStringLiteral("1"));
        EXPECT_TRUE(inventory.SaveBug(bug));
        bug.insert_ts = LocalToTimestamp(enteredLocal);
        EXPECT_TRUE(inventory.SaveBug(bug));
        return bug.id;
    }

    CAppSettings settings;
    CBugInventory inventory;
};

TEST_F(BugInventoryTest, FirstStartCreatesTheTableAndNoLog) {
    EXPECT_EQ(&CBugInventory::Global(), &inventory);
    EXPECT_EQ(inventory.DatabasePath(), Path("TravelBugs.db"));
    EXPECT_EQ(inventory.LogPath(), Path("TravelBugs.txt"));
    EXPECT_EQ(QueryFile(Path("TravelBugs.db"),
                        "select sql from sqlite_master where type='table' and name='t_bugs'")
                  .toStdString(),
              StoredSql(CBugInventory::CreateTableSql));
    EXPECT_EQ(QString::fromLatin1(CBugInventory::CreateTableSql),
              QStringLiteral("create table t_bugs (\nid integer primary key,\ninsert_ts text,\n"
                             "name text,\ntb_num text,\nserial text,\nurl text,\nmission text\n)"));
    EXPECT_EQ(inventory.CountBugs(), 0);
    EXPECT_FALSE(QFile::exists(Path("TravelBugs.txt")));
    EXPECT_EQ(inventory.GetLogSize(), -1);

    inventory.ViewLog();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("Travel bug log is empty."));
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Information);
    EXPECT_TRUE(ui.opened.isEmpty());
}

TEST_F(BugInventoryTest, ExistingTableIsUsedAsItIs) {
    inventory.Close();
    QFile::remove(Path("TravelBugs.db"));
    const char* schema = "create table t_bugs (id integer primary key, insert_ts text, name text, "
                         "tb_num text, serial text, url text, mission text, extra text)";
    ExecFile(Path("TravelBugs.db"), schema);
    ExecFile(Path("TravelBugs.db"), "insert into t_bugs(id,name,mission,extra) "
                                    "values(7,'Old','Go far','kept')");
    ASSERT_TRUE(inventory.Open(Home()));
    CBugRecord bug;
    ASSERT_TRUE(inventory.LoadBug(7, bug));
    EXPECT_EQ(bug.name, QStringLiteral("Old"));
    EXPECT_EQ(bug.mission, QStringLiteral("Go far"));
    EXPECT_EQ(bug.insert_ts, 0u);
    EXPECT_EQ(QueryFile(Path("TravelBugs.db"), "select sql from sqlite_master").toStdString(),
              StoredSql(schema));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BugInventoryTest, FileThatIsNoDatabaseFailsAndIsKept) {
    inventory.Close();
    const QByteArray junk("These are my notes, not a database.\n");
    WriteFile("TravelBugs.db", junk);
    EXPECT_FALSE(inventory.Open(Home()));
    EXPECT_FALSE(inventory.IsOpen());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.startsWith(QStringLiteral("Database error:\n")));
    EXPECT_GT(ui.messages[0].text.size(), 16);
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
    EXPECT_EQ(ReadFile("TravelBugs.db"), junk);
}

TEST_F(BugInventoryTest, SaveLoadUpdateDelete) {
    CBugRecord bug = MakeBug(QStringLiteral("O'Brien's \"Cat\" \u00e9\u4e2d"),
                             QStringLiteral("TB12AB"), QStringLiteral("S-1"));
    bug.url = QStringLiteral("http://example.org/track?id=1");
    const Timestamp before = CurrentTimestamp();
    ASSERT_TRUE(inventory.SaveBug(bug));
    const Timestamp after = CurrentTimestamp();
    EXPECT_NE(bug.id, 0u);
    EXPECT_GE(bug.insert_ts, before);
    EXPECT_LE(bug.insert_ts, after);
    EXPECT_EQ(ui.waitCursorShown, 1);

    CBugRecord loaded = MakeBug("stale", "stale", "stale");
    loaded.mission = QStringLiteral("stale");
    ASSERT_TRUE(inventory.LoadBug(bug.id, loaded));
    EXPECT_EQ(loaded.id, bug.id);
    EXPECT_EQ(loaded.name, bug.name);
    EXPECT_EQ(loaded.tb_num, bug.tb_num);
    EXPECT_EQ(loaded.serial, bug.serial);
    EXPECT_EQ(loaded.url, bug.url);
    EXPECT_EQ(loaded.mission, QString());
    EXPECT_EQ(loaded.insert_ts, bug.insert_ts);
    // Empty texts are stored as NULL; the entry time as 16 hex digits.
    EXPECT_EQ(QueryFile(Path("TravelBugs.db"), "select mission from t_bugs"),
              QStringLiteral("<null>"));
    EXPECT_EQ(QueryFile(Path("TravelBugs.db"), "select insert_ts from t_bugs"),
              TimestampHex(bug.insert_ts));

    // Editing keeps the entry time, so the overdue clock does not restart.
    loaded.serial = QStringLiteral("S-2");
    ASSERT_TRUE(inventory.SaveBug(loaded));
    CBugRecord edited;
    ASSERT_TRUE(inventory.LoadBug(bug.id, edited));
    EXPECT_EQ(edited.serial, QStringLiteral("S-2"));
    EXPECT_EQ(edited.insert_ts, bug.insert_ts);

    CBugRecord second = MakeBug("Two", "TB2", "2");
    ASSERT_TRUE(inventory.SaveBug(second));
    EXPECT_NE(second.id, bug.id);
    EXPECT_EQ(inventory.CountBugs(), 2);

    ASSERT_TRUE(inventory.DeleteBug(bug.id));
    EXPECT_FALSE(inventory.LoadBug(bug.id, edited));
    EXPECT_EQ(inventory.CountBugs(), 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BugInventoryTest, FailingStatementShowsDatabaseError) {
    ExecFile(Path("TravelBugs.db"), "drop table t_bugs");
    CBugRecord bug = MakeBug("A", "TB1", "1");
    EXPECT_FALSE(inventory.SaveBug(bug));
    EXPECT_EQ(inventory.CountBugs(), 0);
    ASSERT_EQ(ui.messages.size(), 2u);
    for (const auto& message : ui.messages) {
        EXPECT_EQ(message.text, QStringLiteral("Database error:\nno such table: t_bugs"));
        EXPECT_EQ(message.icon, MsgIcon::Stop);
    }
}

TEST_F(BugInventoryTest, ListsFillTheirColumns) {
    CBugRecord a = MakeBug("Alpha", "TB1", "11");
    a.url = QStringLiteral("http://a");
    ASSERT_TRUE(inventory.SaveBug(a));
    CBugRecord b = MakeBug("Beta", "TB2", "22");
    ASSERT_TRUE(inventory.SaveBug(b));

    ASSERT_TRUE(inventory.BeginList(true));
    QStringList seen;
    CBugRecord row;
    while (inventory.NextBug(row)) {
        EXPECT_NE(row.id, 0u);
        EXPECT_NE(row.insert_ts, 0u);
        EXPECT_TRUE(row.url.isEmpty()) << "the full list does not read the web link";
        seen << row.tb_num + "/" + row.name + "/" + row.serial;
    }
    inventory.EndList();
    seen.sort();
    EXPECT_EQ(seen, QStringList({"TB1/Alpha/11", "TB2/Beta/22"}));

    ASSERT_TRUE(inventory.BeginList(false));
    int rows = 0;
    while (inventory.NextBug(row)) {
        ++rows;
        EXPECT_EQ(row.id, 0u);
        EXPECT_TRUE(row.name.isEmpty());
        EXPECT_NE(row.insert_ts, 0u);
    }
    EXPECT_EQ(rows, 2);
    // A new list ends the one in progress.
    ASSERT_TRUE(inventory.BeginList(true));
    ASSERT_TRUE(inventory.BeginList(true));
    EXPECT_TRUE(inventory.NextBug(row));
    inventory.EndList();
    EXPECT_FALSE(inventory.NextBug(row));
}

TEST_F(BugInventoryTest, OverdueAtExactlyTheLimit) {
    struct Case {
        const char* what;
        int maxDays;
        qint64 secondsAgo;
        bool overdue;
    };
    const Case cases[] = {
        {"exactly 30 days", 30, 30LL * 86400, true},
        {"one second short of 30 days", 30, 30LL * 86400 - 1, false},
        {"long ago", 30, 400LL * 86400, true},
        {"just now", 1, 0, false},
        {"exactly 7 days", 7, 7LL * 86400, true},
        {"a second short of 7 days", 7, 7LL * 86400 - 1, false},
    };
    const QDateTime now = NowToTheSecond();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QDateTime entered = now.addSecs(-c.secondsAgo);
        EXPECT_EQ(CBugInventory::IsOverdue(LocalToTimestamp(entered), c.maxDays, now), c.overdue);
        const quint32 id = StoreBugEntered(entered);
        EXPECT_EQ(inventory.CountOverdue(c.maxDays, now), c.overdue ? 1 : 0);
        ASSERT_TRUE(inventory.DeleteBug(id));
    }
}

TEST_F(BugInventoryTest, OverdueCountUsesTheSettingAndWallClockDays) {
    const QDateTime now = NowToTheSecond();
    // Yesterday at the same time of day is one day on the wall clock.
    StoreBugEntered(now.addDays(-1));
    StoreBugEntered(now.addDays(-1).addSecs(3600));
    CBugRecord unknownEntry = MakeBug("NoTime", "TB9", "9");
    ASSERT_TRUE(inventory.SaveBug(unknownEntry));
    unknownEntry.insert_ts = 0;
    ASSERT_TRUE(inventory.SaveBug(unknownEntry));

    EXPECT_EQ(inventory.CountOverdue(1, now), 1);
    settings.m_bugMaxDays = 1;
    EXPECT_EQ(inventory.CountOverdue(), 1);
    settings.m_bugMaxDays = 2;
    EXPECT_EQ(inventory.CountOverdue(), 0);
}

TEST_F(BugInventoryTest, LogLineFormats) {
    const CBugRecord bug = MakeBug(QStringLiteral("Rusty \"Car\""), "TB77", "S9");
    CCacheRecord cache;
    cache.name = QStringLiteral("Old Mill");
    cache.wpt = QStringLiteral("GC1234");
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    const QString date = CBugInventory::DateTimeText(when);
    EXPECT_TRUE(date.contains(QStringLiteral("07:09")) || date.contains(QStringLiteral("7:09")))
        << date.toStdString();

    struct Case {
        const char* what;
        const CCacheRecord* cache;
        bool taken;
        QString expected;
    };
    const Case cases[] = {
        {"took", &cache, true,
         "[[" + date + "]] Took \"Rusty \"Car\"\" (TB77, serial=S9) from \"Old Mill\" (GC1234)\n"},
        {"dropped", &cache, false,
         "[[" + date +
             "]] Dropped \"Rusty \"Car\"\" (TB77, serial=S9) into \"Old Mill\" "
             "(GC1234)\n"},
        {"grabbed", nullptr, true,
         "[[" + date + "]] Grabbed \"Rusty \"Car\"\" (TB77, serial=S9)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CBugInventory::LogLine(bug, c.cache, c.taken, when), c.expected);
    }
}

TEST_F(BugInventoryTest, TransferAppendsToLogAndCacheNotes) {
    const CBugRecord bug = MakeBug("Frog", "TB5", "55");
    CCacheRecord cache;
    cache.name = QStringLiteral("Pond");
    cache.wpt = QStringLiteral("GC55");
    cache.log_notes = QStringLiteral("Nice");

    const QDateTime before = QDateTime::currentDateTime();
    inventory.LogTransfer(bug, &cache, true);
    inventory.LogTransfer(bug, nullptr, true);
    const QDateTime after = QDateTime::currentDateTime();
    EXPECT_EQ(cache.log_notes, QStringLiteral("Nice\r\n- Bug \"Frog\" taken"));
    EXPECT_EQ(cache.log_type, 1);

    cache.log_type = 2;
    inventory.LogTransfer(bug, &cache, false);
    EXPECT_EQ(cache.log_notes,
              QStringLiteral("Nice\r\n- Bug \"Frog\" taken\r\n- Bug \"Frog\" dropped"));
    EXPECT_EQ(cache.log_type, 2);
    EXPECT_TRUE(ui.messages.empty());

    const QString log = QString::fromUtf8(ReadFile("TravelBugs.txt"));
    const QStringList lines = log.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    // The line carries the time it was written: some second from `before` to `after`.
    const auto matches = [&](const QString& line, const CCacheRecord* c, bool taken) {
        for (QDateTime t = before; t <= after.addSecs(1); t = t.addSecs(1)) {
            if (line + '\n' == CBugInventory::LogLine(bug, c, taken, std::min(t, after)))
                return true;
        }
        return false;
    };
    EXPECT_TRUE(matches(lines[0], &cache, true)) << lines[0].toStdString();
    EXPECT_TRUE(matches(lines[1], nullptr, true)) << lines[1].toStdString();
    EXPECT_TRUE(matches(lines[2], &cache, false)) << lines[2].toStdString();
    EXPECT_EQ(inventory.GetLogSize(), log.toUtf8().size());

    inventory.ViewLog();
    EXPECT_EQ(ui.opened, QStringList({Path("TravelBugs.txt")}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BugInventoryTest, WarnsAfterEveryLineOnceTheLogExceeds30KB) {
    const CBugRecord bug = MakeBug("Frog", "TB5", "55");
    const qint64 lineSize =
        CBugInventory::LogLine(bug, nullptr, true, QDateTime::currentDateTime()).toUtf8().size();
    WriteFile("TravelBugs.txt", QByteArray(CBugInventory::LogWarningSize - lineSize, 'x'));

    inventory.LogTransfer(bug, nullptr, true);
    ASSERT_EQ(inventory.GetLogSize(), CBugInventory::LogWarningSize);
    EXPECT_TRUE(ui.messages.empty());

    const QString warning = QStringLiteral(
        "The travel bug log has grown to over 30KB in size.  You may want to clear it soon.");
    for (int i = 0; i < 2; ++i) {
        ui.Clear();
        inventory.LogTransfer(bug, nullptr, true);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, warning);
        EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
    }
}

TEST_F(BugInventoryTest, UnwritableLogIsReportedAndNotesStillChange) {
    ASSERT_TRUE(QDir(Home()).mkdir(QStringLiteral("TravelBugs.txt")));
    CCacheRecord cache;
    inventory.LogTransfer(MakeBug("Frog", "TB5", "55"), &cache, false);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              QStringLiteral(
                  "Error writing to travel bug log.  Is the file open in another application?"));
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
    EXPECT_EQ(cache.log_notes, QStringLiteral("\r\n- Bug \"Frog\" dropped"));
    EXPECT_EQ(cache.log_type, 1);
}

TEST_F(BugInventoryTest, ClearLog) {
    const QString cleared = QStringLiteral("Travel bug log is cleared.");
    // No log yet: nothing to delete, still cleared.
    inventory.ClearLog();
    // An existing log is deleted.
    WriteFile("TravelBugs.txt", "line\n");
    inventory.ClearLog();
    EXPECT_FALSE(QFile::exists(Path("TravelBugs.txt")));
    EXPECT_EQ(inventory.GetLogSize(), -1);
    ASSERT_EQ(ui.messages.size(), 2u);
    for (const auto& message : ui.messages) {
        EXPECT_EQ(message.text, cleared);
        EXPECT_EQ(message.icon, MsgIcon::Information);
    }

    // Something that cannot be deleted is reported and left alone.
    ui.Clear();
    WriteFile("TravelBugs.txt/inside", "keep");
    inventory.ClearLog();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(
        ui.messages[0].text,
        QStringLiteral("Error clearing travel bug log.  Is the file open in another application?"));
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
    EXPECT_EQ(ReadFile("TravelBugs.txt/inside"), QByteArray("keep"));
}

TEST_F(BugInventoryTest, CompactKeepsTheBugs) {
    CBugRecord bug = MakeBug("Frog", "TB5", "55");
    ASSERT_TRUE(inventory.SaveBug(bug));
    ui.waitCursorShown = 0;
    EXPECT_TRUE(inventory.Compact());
    EXPECT_EQ(ui.waitCursorShown, 1);
    EXPECT_EQ(inventory.CountBugs(), 1);
    inventory.Close();
    EXPECT_FALSE(inventory.Compact());
}
