#include "CTestHome.h"

#include "db/CCacheDb.h"
#include "db/CCacheDbManager.h"
#include "db/CCacheRecord.h"
#include "db/CRecordMover.h"
#include "db/CWaypointBug.h"
#include "settings/CAppSettings.h"
#include "util/CVoiceNotes.h"

#include <QDir>
#include <QFile>

#include <memory>

// Two databases, "Source" and "Target", held through a database manager.
class CRecordMoverTest : public CTestHome {
protected:
    void SetUp() override {
        CTestHome::SetUp();
        notes = std::make_unique<CVoiceNotes>();
        CVoiceNotes::SetGlobal(notes.get());
        manager = std::make_unique<CCacheDbManager>();
        source = manager->OpenDb("Source");
        target = manager->OpenDb("Target");
        ASSERT_TRUE(source && target);
        ASSERT_NE(source->CategoryIdOf("Found"), 0);
        ASSERT_TRUE(target->AddCategory("Later") && target->SaveCategories());
        ui.Clear();
    }
    void TearDown() override {
        manager->ReleaseDb(source);
        manager->ReleaseDb(target);
        manager.reset();
        CVoiceNotes::SetGlobal(nullptr);
        notes.reset();
        CTestHome::TearDown();
    }

    // Stores a record with the given number of listed bugs and, when `note` is not empty, a voice
    // note holding it.
    quint32 AddRecord(const QString& name, int bugs, const QByteArray& note) {
        CCacheRecord record;
        record.name = name;
        record.wpt = "GC" + name;
        record.custom1 = "custom of " + name;
        record.log_notes = QStringLiteral("It's here");
        record.flags = bugs > 0 ? kFlagBugs : 0;
        record.cid = source->CategoryIdOf("Found");
        EXPECT_TRUE(source->SaveRecord(record, true));
        for (int i = 0; i < bugs; ++i) {
            CWaypointBug bug;
            bug.wpt_id = record.id;
            bug.tb_num = QStringLiteral("TB%1").arg(i);
            bug.name = name + QStringLiteral(" bug %1").arg(i);
            bug.serial = QStringLiteral("S%1").arg(i);
            bug.url = QStringLiteral("http://bugs/%1").arg(i);
            bug.mission = QStringLiteral("Travel far");
            EXPECT_TRUE(source->SaveBug(bug, true));
        }
        if (!note.isEmpty())
            WriteFile(QStringLiteral("VoiceNotes/Source/vn%1.snd").arg(record.id), note);
        return record.id;
    }

    // "name|tb_num|serial|url|mission" of every bug of a record, sorted.
    static QStringList BugsOf(CCacheDb& db, quint32 recordId) {
        std::vector<quint32> ids;
        CWaypointBug bug;
        db.BeginBugScan(recordId);
        while (db.NextBug(bug))
            ids.push_back(bug.id);
        db.EndScan();
        QStringList rows;
        for (quint32 id : ids) {
            EXPECT_TRUE(db.LoadBug(id, bug));
            EXPECT_EQ(bug.wpt_id, recordId);
            rows << QStringList{bug.name, bug.tb_num, bug.serial, bug.url, bug.mission}.join('|');
        }
        rows.sort();
        return rows;
    }

    std::unique_ptr<CVoiceNotes> notes;
    std::unique_ptr<CCacheDbManager> manager;
    CCacheDb* source = nullptr;
    CCacheDb* target = nullptr;
};

TEST_F(CRecordMoverTest, RecordTakesItsBugsAndVoiceNoteAlong) {
    const quint32 moving = AddRecord("A", 2, "spoken words");
    const quint32 staying = AddRecord("B", 1, "other words");
    const QStringList bugs = BugsOf(*source, moving);
    ASSERT_EQ(bugs.size(), 2);
    const quint16 later = target->CategoryIdOf("Later");

    ui.waitCursorShown = 0;
    CRecordMover mover(*source, *target, later);
    ASSERT_TRUE(mover.Move(moving, source->CategoryIdOf("Found")));
    ASSERT_TRUE(mover.Finish());
    ASSERT_EQ(mover.Moved(), std::vector<quint32>{moving});
    EXPECT_EQ(ui.waitCursorShown, 1);
    EXPECT_TRUE(ui.messages.empty());

    const quint32 arrived = target->FindRecordByWaypoint("GCA");
    ASSERT_NE(arrived, 0u);
    CCacheRecord record;
    ASSERT_TRUE(target->LoadRecord(arrived, record));
    EXPECT_EQ(record.cid, later);
    EXPECT_EQ(record.name, QStringLiteral("A"));
    EXPECT_EQ(record.log_notes, QStringLiteral("It's here"));
    EXPECT_EQ(record.custom1, QStringLiteral("custom of A"));
    EXPECT_EQ(record.flags & kFlagBugs, kFlagBugs);
    EXPECT_EQ(BugsOf(*target, arrived), bugs);
    EXPECT_EQ(ReadFile(QStringLiteral("VoiceNotes/Target/vn%1.snd").arg(arrived)),
              QByteArray("spoken words"));

    // The original is gone with its bugs and note; the other record is untouched.
    EXPECT_FALSE(source->LoadRecord(moving, record));
    EXPECT_EQ(source->CountBugsOf(moving), 0);
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("VoiceNotes/Source/vn%1.snd").arg(moving))));
    EXPECT_EQ(source->CountBugsOf(staying), 1);
    EXPECT_EQ(ReadFile(QStringLiteral("VoiceNotes/Source/vn%1.snd").arg(staying)),
              QByteArray("other words"));
}

TEST_F(CRecordMoverTest, LoopOfMovesShowsOneWaitCursor) {
    std::vector<quint32> ids;
    for (int i = 0; i < 5; ++i)
        ids.push_back(AddRecord(QStringLiteral("R%1").arg(i), i % 2, i == 3 ? "note" : ""));
    ui.waitCursorShown = 0;
    {
        CRecordMover mover(*source, *target, 0);
        for (quint32 id : ids)
            ASSERT_TRUE(mover.Move(id, 0));
        ASSERT_TRUE(mover.Finish());
        EXPECT_EQ(mover.Moved(), ids);
    }
    EXPECT_EQ(ui.waitCursorShown, 1);
    EXPECT_EQ(source->CountRecords(), 0);
    EXPECT_EQ(target->CountRecords(), 5);
    const quint32 r3 = target->FindRecordByWaypoint("GCR3");
    EXPECT_EQ(target->CountBugsOf(r3), 1);
    EXPECT_EQ(ReadFile(QStringLiteral("VoiceNotes/Target/vn%1.snd").arg(r3)), QByteArray("note"));
}

TEST_F(CRecordMoverTest, WithinOneDatabaseOnlyTheCategoryChanges) {
    const quint32 id = AddRecord("A", 1, "note");
    const quint16 found = source->CategoryIdOf("Found");
    struct Case {
        const char* what;
        quint16 targetCid;
        bool moved;
    };
    const Case cases[] = {{"same category: nothing written", found, false},
                          {"other category", 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CCacheRecord record;
        ASSERT_TRUE(source->LoadRecord(id, record));
        CRecordMover mover(*source, *source, c.targetCid);
        EXPECT_TRUE(mover.SameDatabase());
        ASSERT_TRUE(mover.Move(id, record.cid));
        ASSERT_TRUE(mover.Finish());
        EXPECT_EQ(mover.Moved().size(), c.moved ? 1u : 0u);
        ASSERT_TRUE(source->LoadRecord(id, record));
        EXPECT_EQ(record.cid, c.targetCid);
    }
    EXPECT_EQ(source->CountBugsOf(id), 1);
    EXPECT_EQ(ReadFile(QStringLiteral("VoiceNotes/Source/vn%1.snd").arg(id)), QByteArray("note"));
}

TEST_F(CRecordMoverTest, FailedMoveLeavesTheRecordWhereItWas) {
    const quint32 id = AddRecord("A", 2, "keep me");
    // The note cannot be copied: a folder sits where the first record of Target would keep it.
    WriteFile("VoiceNotes/Target/vn1.snd/blocker", "x");
    {
        CRecordMover mover(*source, *target, 0);
        EXPECT_FALSE(mover.Move(id, 0));
        EXPECT_FALSE(mover.Move(id + 100, 0)); // no such record
        EXPECT_TRUE(mover.Finish());
        EXPECT_TRUE(mover.Moved().empty());
    }
    EXPECT_EQ(target->CountRecords(), 0);
    CCacheRecord record;
    ASSERT_TRUE(source->LoadRecord(id, record));
    EXPECT_EQ(source->CountBugsOf(id), 2);
    EXPECT_EQ(ReadFile(QStringLiteral("VoiceNotes/Source/vn%1.snd").arg(id)),
              QByteArray("keep me"));
    EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(CRecordMoverTest, OriginalThatCannotBeDeletedStaysInBothDatabases) {
    const quint32 stuck = AddRecord("Stuck", 1, "note");
    const quint32 free = AddRecord("Free", 0, "");
    ASSERT_TRUE(source->Execute(
        QStringLiteral("create trigger keep before delete on t_main when old.name='Stuck' "
                       "begin select raise(abort, 'record is kept'); end")));
    CRecordMover mover(*source, *target, 0);
    ASSERT_TRUE(mover.Move(stuck, 0));
    ASSERT_TRUE(mover.Move(free, 0));
    EXPECT_FALSE(mover.Finish());
    EXPECT_EQ(mover.Moved(), std::vector<quint32>{free});
    EXPECT_EQ(ui.Texts(), QStringList{"Database error:\nrecord is kept"});

    CCacheRecord record;
    EXPECT_TRUE(source->LoadRecord(stuck, record));
    EXPECT_EQ(source->CountBugsOf(stuck), 1);
    EXPECT_EQ(ReadFile(QStringLiteral("VoiceNotes/Source/vn%1.snd").arg(stuck)),
              QByteArray("note"));
    const quint32 copy = target->FindRecordByWaypoint("GCStuck");
    ASSERT_NE(copy, 0u);
    EXPECT_EQ(target->CountBugsOf(copy), 1);
    EXPECT_FALSE(source->LoadRecord(free, record));
    EXPECT_EQ(target->CountRecords(), 2);
}
