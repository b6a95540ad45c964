#include "CDbTestFixture.h"
#include "CManualClock.h"

#include "db/CCacheRecord.h"
#include "db/CWriteBatch.h"

#include <QFileInfo>

namespace {

const QChar k1(0x0001);
const QChar k2(0x0002);

} // namespace

class WriteBatchTest : public CDbTestFixture {
protected:
    // What another connection to the same file sees committed.
    int CommittedRecords() {
        CCacheDb observer;
        if (!observer.Open(DbPath("Test"), "Test"))
            return -1;
        return observer.CountRecords();
    }

    void RefuseExtraFields() {
        ASSERT_TRUE(db.Execute("create trigger no_extra before insert on t_extra begin "
                               "select raise(abort, 'extra refused'); end"));
    }
};

TEST_F(WriteBatchTest, TenThousandSavesCommitAndSurviveReopening) {
    {
        CWriteBatch batch(db);
        for (int i = 0; i < 10000; ++i) {
            CCacheRecord r;
            r.name = QString("Cache %1").arg(i);
            r.custom1 = QString::number(i);
            ASSERT_TRUE(db.SaveRecord(r, true));
        }
    }
    EXPECT_FALSE(QFileInfo::exists(DbPath("Test-journal")));
    db.Close();
    ASSERT_TRUE(db.Open(DbPath("Test"), "Test"));
    EXPECT_EQ(db.CountRecords(), 10000);
    CCacheRecord last;
    ASSERT_TRUE(db.LoadRecord(db.FindRecordByWaypoint(Value("select max(wpt) from t_main")), last));
    EXPECT_EQ(last.custom1, "9999");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.waitCursorShown, 0);
}

TEST_F(WriteBatchTest, CommitsEvery500OperationsOrSecondAndWhenTheOuterScopeEnds) {
    CManualClock clock;
    CCacheRecord r;
    {
        CWriteBatch outer(db);
        {
            CWriteBatch inner(db);
            for (int i = 0; i < 499; ++i) {
                r.id = 0;
                ASSERT_TRUE(db.SaveRecord(r, true));
            }
        }
        EXPECT_EQ(CommittedRecords(), 0); // the inner scope joined the outer one
        r.id = 0;
        ASSERT_TRUE(db.SaveRecord(r, true));
        EXPECT_EQ(CommittedRecords(), 500);

        r.id = 0;
        ASSERT_TRUE(db.SaveRecord(r, true));
        EXPECT_EQ(CommittedRecords(), 500);
        clock.Advance(999);
        ASSERT_TRUE(db.SetRecordFlags(r.id, 2, true));
        EXPECT_EQ(CommittedRecords(), 500);
        clock.Advance(1);
        ASSERT_TRUE(db.SetRecordFlags(r.id, 2, true));
        EXPECT_EQ(CommittedRecords(), 501);

        r.id = 0;
        ASSERT_TRUE(db.SaveRecord(r, true));
        EXPECT_EQ(CommittedRecords(), 501);
    }
    EXPECT_EQ(CommittedRecords(), 502);
}

TEST_F(WriteBatchTest, CommitTellsWhetherWhatSucceededWasKept) {
    // The last record leaves a row that breaks a deferred foreign key: its own save succeeds,
    // the commit of the batch fails.
    ASSERT_TRUE(db.Execute("create table guard(x integer references t_main(id) deferrable "
                           "initially deferred)"));
    ASSERT_TRUE(db.Execute("create trigger poison after insert on t_main when new.name = "
                           "'poison' begin insert into guard values(-1); end"));
    ASSERT_TRUE(db.Execute("pragma foreign_keys=on"));
    CCacheRecord good;
    good.name = "good";
    {
        CWriteBatch batch(db);
        ASSERT_TRUE(db.SaveRecord(good, true));
        CWriteBatch nested(db);
        EXPECT_TRUE(nested.Commit()) << "a nested scope leaves the answer to the outer one";
        CCacheRecord poison;
        poison.name = "poison";
        ASSERT_TRUE(db.SaveRecord(poison, true));
        ui.Clear();
        EXPECT_FALSE(batch.Commit());
        EXPECT_FALSE(batch.Commit()) << "asking again gives the same answer";
        EXPECT_EQ(ui.Texts(), QStringList({"Database error:\nFOREIGN KEY constraint failed"}));
    }
    EXPECT_EQ(CommittedRecords(), 0);

    // The next batch starts clean.
    ASSERT_TRUE(db.Execute("drop trigger poison"));
    CWriteBatch batch(db);
    good.id = 0;
    ASSERT_TRUE(db.SaveRecord(good, true));
    EXPECT_TRUE(batch.Commit());
    EXPECT_EQ(CommittedRecords(), 1);
}

TEST_F(WriteBatchTest, FailingSaveOutsideBatchLeavesNothingBehind) {
    CCacheRecord stored;
    stored.name = "before";
    ASSERT_TRUE(db.SaveRecord(stored));
    RefuseExtraFields();
    ui.Clear();

    struct Case {
        const char* label;
        bool update;
    };
    for (const Case& c : {Case{"new record", false}, Case{"stored record", true}}) {
        SCOPED_TRACE(c.label);
        ui.Clear();
        CCacheRecord r;
        if (c.update)
            r = stored;
        r.name = "after";
        r.custom1 = "refused";
        const quint32 idBefore = r.id;
        EXPECT_FALSE(db.SaveRecord(r));
        EXPECT_EQ(r.id, idBefore);
        EXPECT_EQ(ui.Texts(), QStringList({"Database error:\nextra refused"}));
        EXPECT_EQ(Rows("select id, name from t_main"),
                  QStringList({QString::number(stored.id) + "|before"}));
        EXPECT_EQ(ui.waitDepth, 0);
    }
}

TEST_F(WriteBatchTest, FailingOperationInBatchIsUndoneAloneAndTheOthersStay) {
    RefuseExtraFields();
    CCacheRecord a, b, c;
    a.name = "a";
    b.name = "b";
    b.custom1 = "refused";
    c.name = "c";
    {
        CWriteBatch batch(db);
        ASSERT_TRUE(db.SaveRecord(a, true));
        EXPECT_FALSE(db.SaveRecord(b, true));
        ASSERT_TRUE(db.SaveRecord(c, true));
    }
    EXPECT_EQ(b.id, 0u);
    EXPECT_EQ(ui.Texts(), QStringList({"Database error:\nextra refused"}));
    EXPECT_EQ(CommittedRecords(), 2);
    EXPECT_EQ(Rows("select name from t_main order by id"), QStringList({"a", "c"}));
}

TEST_F(WriteBatchTest, FailingDeleteKeepsBugsRowAndVoiceNote) {
    CCacheRecord r;
    r.custom1 = "extra";
    ASSERT_TRUE(db.SaveRecord(r));
    ASSERT_TRUE(db.ReplaceBugsOf(r.id, QString("TB1") + k2 + "One"));
    const QString note = "VoiceNotes/Test/vn" + QString::number(r.id) + ".snd";
    WriteFile(note, "samples");
    ASSERT_TRUE(db.Execute("create trigger keep_extra before delete on t_extra begin "
                           "select raise(abort, 'extra kept'); end"));

    EXPECT_FALSE(db.DeleteRecord(r.id));
    EXPECT_EQ(ui.Texts(), QStringList({"Database error:\nextra kept"}));
    EXPECT_EQ(db.CountRecords(), 1);
    EXPECT_EQ(db.CountBugsOf(r.id), 1);
    EXPECT_TRUE(QFileInfo::exists(Path(note)));
}

TEST_F(WriteBatchTest, VoiceNoteOfADeletedRecordGoesWithTheCommit) {
    CCacheRecord r;
    ASSERT_TRUE(db.SaveRecord(r));
    const QString note = "VoiceNotes/Test/vn" + QString::number(r.id) + ".snd";
    WriteFile(note, "samples");
    {
        CWriteBatch batch(db);
        ASSERT_TRUE(db.DeleteRecord(r.id, true));
        EXPECT_TRUE(QFileInfo::exists(Path(note)));
        EXPECT_EQ(CommittedRecords(), 1);
    }
    EXPECT_FALSE(QFileInfo::exists(Path(note)));
    EXPECT_EQ(CommittedRecords(), 0);
}

TEST_F(WriteBatchTest, ClosingTheDatabaseCommitsAnOpenBatch) {
    CWriteBatch batch(db);
    CCacheRecord r;
    ASSERT_TRUE(db.SaveRecord(r, true));
    db.Close();
    EXPECT_EQ(CommittedRecords(), 1);
}
