#include "CDbTestFixture.h"

#include "db/CCacheRecord.h"
#include "db/CWaypointBug.h"

namespace {

const QChar k1(0x0001);
const QChar k2(0x0002);

} // namespace

using BugTest = CDbTestFixture;

TEST_F(BugTest, ReplaceBugsOfInsertsEntriesFromLastToFirst) {
    struct Case {
        const char* label;
        QString list;
        QStringList rows; // tb_num|name|url|serial|mission in insertion order
    };
    const Case cases[] = {
        {"reference and name, then a lone reference",
         QString("TB1") + k2 + "Bug One" + k1 + "TB2",
         {"TB1|Bug One|<null>|<null>|<null>"}},
        {"two entries, the second with a link",
         QString("TB1") + k2 + "One" + k1 + "TB2" + k2 + "Two" + k2 + "http://x/2",
         {"TB2|Two|http://x/2|<null>|<null>", "TB1|One|<null>|<null>|<null>"}},
        {"empty entries and fields are dropped first",
         QString(k1) + k1 + "TB3" + k2 + k2 + "Three" + k1 + "TB4" + k2 + "" + k1,
         {"TB3|Three|<null>|<null>|<null>"}},
        {"fields beyond the link are ignored",
         QString("TB5") + k2 + "Five" + k2 + "u" + k2 + "extra",
         {"TB5|Five|u|<null>|<null>"}},
        {"empty text removes all", QString(), {}},
    };
    CCacheRecord r, other;
    ASSERT_TRUE(db.SaveRecord(r));
    ASSERT_TRUE(db.SaveRecord(other));
    ASSERT_TRUE(db.ReplaceBugsOf(other.id, QString("TBX") + k2 + "Other's"));
    ui.waitCursorShown = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(db.ReplaceBugsOf(r.id, "OLD" + QString(k2) + "old"));
        ASSERT_TRUE(db.ReplaceBugsOf(r.id, c.list));
        EXPECT_EQ(Rows("select tb_num,name,url,serial,mission from t_bugs where wpt_id=" +
                       QString::number(r.id) + " order by id"),
                  c.rows);
        EXPECT_EQ(db.CountBugsOf(r.id), c.rows.size());
    }
    EXPECT_EQ(db.CountBugsOf(other.id), 1);
    EXPECT_EQ(ui.waitCursorShown, 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BugTest, BugRowsAreSavedLoadedScannedAndDeleted) {
    CCacheRecord r;
    ASSERT_TRUE(db.SaveRecord(r));

    CWaypointBug orphan;
    orphan.name = "no record";
    EXPECT_FALSE(db.SaveBug(orphan));
    EXPECT_EQ(orphan.id, 0u);
    EXPECT_EQ(db.CountBugsOf(0), 0);

    CWaypointBug bug;
    bug.wpt_id = r.id;
    bug.tb_num = "TB9";
    bug.name = "Zoë's bug";
    bug.serial = "S1";
    bug.url = "http://tb";
    bug.mission = "travel";
    ASSERT_TRUE(db.SaveBug(bug));
    ASSERT_NE(bug.id, 0u);
    bug.mission = "home";
    ASSERT_TRUE(db.SaveBug(bug));
    CWaypointBug second;
    second.wpt_id = r.id;
    second.name = "Second";
    ASSERT_TRUE(db.SaveBug(second));

    CWaypointBug loaded;
    ASSERT_TRUE(db.LoadBug(bug.id, loaded));
    EXPECT_EQ(loaded.id, bug.id);
    EXPECT_EQ(loaded.wpt_id, r.id);
    EXPECT_EQ(loaded.tb_num, "TB9");
    EXPECT_EQ(loaded.name, "Zoë's bug");
    EXPECT_EQ(loaded.serial, "S1");
    EXPECT_EQ(loaded.url, "http://tb");
    EXPECT_EQ(loaded.mission, "home");
    EXPECT_FALSE(db.LoadBug(9999, loaded));

    ASSERT_TRUE(db.BeginBugScan(r.id));
    QStringList scanned;
    CWaypointBug row;
    while (db.NextBug(row)) {
        EXPECT_TRUE(row.tb_num.isEmpty()); // the scan fills id and name only
        scanned.append(QString::number(row.id) + ":" + row.name);
    }
    EXPECT_EQ(scanned, QStringList({QString::number(bug.id) + ":Zoë's bug",
                                    QString::number(second.id) + ":Second"}));

    EXPECT_EQ(db.RefreshBugFlag(r), 2);
    EXPECT_EQ(r.flags & kFlagBugs, kFlagBugs);
    ASSERT_TRUE(db.DeleteBug(bug.id));
    ASSERT_TRUE(db.DeleteBugsOf(r.id));
    r.flags |= kFlagFound;
    EXPECT_EQ(db.RefreshBugFlag(r), 0);
    EXPECT_EQ(r.flags, kFlagFound);
    EXPECT_TRUE(ui.messages.empty());
}
