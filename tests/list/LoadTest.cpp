#include "ListTestHome.h"

#include "db/CCacheDb.h"
#include "db/CWriteBatch.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include <vector>

namespace {

class LoadTest : public ListTestHome {
protected:
    void SetUp() override {
        ListTestHome::SetUp();
        QDir().mkpath(Path("DB_Files"));
        ASSERT_TRUE(db.Open(Path("DB_Files/Test"), "Test"));
        list.SetDatabase(&db);
    }
    void TearDown() override {
        list.Clear();
        db.Close();
        ListTestHome::TearDown();
    }

    quint32 Save(CCacheRecord r) {
        EXPECT_TRUE(db.SaveRecord(r, true));
        return r.id;
    }

    CCacheDb db;
};

TEST_F(LoadTest, ReadsEveryListFieldInTableOrder) {
    CCacheRecord full;
    full.cid = 3;
    full.flags = 0x80000015u;
    full.name = QStringLiteral("Größe \"1\"");
    full.rtype = "Multi-cache";
    full.wpt = "GC1ABC";
    full.diff = "1.5";
    full.terr = "4";
    full.owner = "Ann";
    full.cont = "Micro";
    full.descr = "long description";
    full.hints = "hint";
    full.lat = -33.123456;
    full.lon = 151.5;
    full.log_type = 2;
    full.log_end = 0x01D2A3B4C5D6E800ull;
    full.custom1 = "c1";
    full.custom2 = "c2";
    full.custom3 = "c3";
    full.find_rat = "  250";
    const quint32 fullId = Save(full);
    CCacheRecord bare;
    bare.name = "bare";
    const quint32 bareId = Save(bare);
    // A container the database holds as empty shows as "Not chosen".
    ASSERT_TRUE(db.Execute(QStringLiteral("update t_main set cont=NULL where id=%1").arg(bareId)));

    list.LoadSummaries();
    ASSERT_EQ(list.LoadedCount(), 2);
    EXPECT_EQ(list.VisibleCount(), 0);
    const CRecordSummary& s = *list.LoadedAt(0);
    EXPECT_EQ(s.id, fullId);
    EXPECT_EQ(s.cid, 3);
    EXPECT_EQ(s.flags, 0x80000015u);
    EXPECT_EQ(s.log_type, 2);
    EXPECT_DOUBLE_EQ(s.lat, -33.123456);
    EXPECT_DOUBLE_EQ(s.lon, 151.5);
    EXPECT_EQ(s.log_end, 0x01D2A3B4C5D6E800ull);
    const QStringList texts{s.name, s.rtype,   s.wpt,     s.diff,    s.terr,    s.owner,
                            s.cont, s.custom1, s.custom2, s.custom3, s.find_rat};
    EXPECT_EQ(texts, (QStringList{full.name, "Multi-cache", "GC1ABC", "1.5", "4", "Ann", "Micro",
                                  "c1", "c2", "c3", "250"}));
    EXPECT_EQ(s.find_rating, 100);
    EXPECT_FALSE(s.computed);

    const CRecordSummary& b = *list.LoadedAt(1);
    EXPECT_EQ(b.id, bareId);
    EXPECT_EQ(b.cont, "Not chosen");
    EXPECT_EQ(b.find_rat, "");
    EXPECT_EQ(b.find_rating, -1000);
    EXPECT_EQ(b.lat, kNoCoordinate);
    EXPECT_EQ(b.log_end, 0u);

    // Loading again replaces the summaries.
    list.ApplyFilters();
    list.LoadSummaries();
    EXPECT_EQ(list.LoadedCount(), 2);
    EXPECT_EQ(list.VisibleCount(), 0);
    EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(LoadTest, NothingWithoutDatabase) {
    Save(CCacheRecord(true));
    list.LoadSummaries();
    ASSERT_EQ(list.LoadedCount(), 1);
    list.SetDatabase(nullptr);
    list.LoadSummaries();
    EXPECT_EQ(list.LoadedCount(), 0);
}

TEST_F(LoadTest, UpdateAndNewSummaryFromRecord) {
    SetCenter(47.0, 8.0);
    CCacheRecord r;
    r.name = "before";
    r.lat = 47.1;
    r.lon = 8.0;
    r.find_rat = "40";
    Save(r);
    list.LoadSummaries();
    list.ApplyFilters();
    CRecordSummary& s = *list.LoadedAt(0);
    EXPECT_EQ(CRecordList::BearingText(s), "N");

    r.name = "after";
    r.lat = 46.9;
    r.cont.clear();
    r.custom2 = "new";
    r.find_rat = "90"; // the find rate stays as loaded
    ASSERT_TRUE(db.SaveRecord(r, true));
    list.UpdateFromRecord(s, r);
    EXPECT_FALSE(s.computed);
    EXPECT_EQ(s.name, "after");
    EXPECT_EQ(s.custom2, "new");
    EXPECT_EQ(s.find_rat, "40");
    EXPECT_EQ(CRecordList::BearingText(s), "S");

    CCacheRecord added(true);
    added.lat = 47.0;
    added.lon = 8.0;
    ASSERT_TRUE(db.SaveRecord(added, true));
    CRecordSummary* n = list.NewSummaryFromRecord(added);
    EXPECT_EQ(n->id, added.id);
    EXPECT_EQ(n->wpt, added.wpt);
    EXPECT_EQ(n->find_rating, -1000); // as a reload gives it
    EXPECT_EQ(list.IndexInLoaded(added.id), 1);
    EXPECT_EQ(list.IndexInVisible(added.id), -1);
    list.ApplyFilters();
    EXPECT_EQ(list.IndexInVisible(added.id), 1); // "after" sorts before "X..."

    EXPECT_EQ(list.IndexInLoaded(999), -1);

    list.DeleteSummary(n);
    EXPECT_EQ(list.LoadedCount(), 1);
    EXPECT_EQ(list.IndexInVisible(added.id), -1);
}

TEST_F(LoadTest, CategoryResolvedByName) {
    ASSERT_TRUE(db.AddCategory("Mine"));
    const quint16 mine = db.CategoryIdOf("Mine");
    ASSERT_NE(mine, 0);
    const struct {
        const char* name;
        quint16 id;
        const char* resolved;
    } cases[] = {
        {"All", kAllCategoryId, "All"}, {"Mine", mine, "Mine"}, {"Unfiled", 0, "Unfiled"},
        {"Gone", 0, "Unfiled"},         {"mine", 0, "Unfiled"}, // names compare exactly
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list.SelectCategory(c.name);
        EXPECT_EQ(list.CategoryId(), c.id);
        EXPECT_EQ(list.CategoryName(), c.resolved);
    }
}

TEST_F(LoadTest, BookmarksRegardlessOfFilters) {
    const struct {
        const char* name;
        quint32 flags;
        quint16 cid;
    } records[] = {
        {"Banana", kFlagBookmarked | kFlagFound, 0},
        {"cherry", kFlagBookmarked, 2},
        {"plain", 0, 0},
        {"apple", kFlagBookmarked, 0},
    };
    for (const auto& r : records) {
        CCacheRecord rec;
        rec.name = r.name;
        rec.flags = r.flags;
        rec.cid = r.cid;
        Save(rec);
    }
    list.LoadSummaries();
    settings->m_notFoundOnly = 1;
    settings->m_sortColumn = kKindDistance;
    settings->m_sortAscend = 0;
    list.SetCategory(0, "Unfiled");
    list.ApplyFilters();
    ASSERT_EQ(VisibleNames(), (QStringList{"plain", "apple"}));

    ASSERT_EQ(list.CollectBookmarks(), 3);
    QStringList names;
    for (const CRecordSummary* s : list.Bookmarks())
        names.append(s->name);
    EXPECT_EQ(names, (QStringList{"apple", "Banana", "cherry"}));
    EXPECT_EQ(settings->m_sortColumn, kKindDistance);
    EXPECT_EQ(settings->m_sortAscend, 0);

    for (int i = 0; i < list.LoadedCount(); ++i)
        list.LoadedAt(i)->flags &= ~kFlagBookmarked;
    EXPECT_EQ(list.CollectBookmarks(), 0);
    EXPECT_TRUE(list.Bookmarks().empty());
}

} // namespace

namespace {

// Overwrites one page in the middle of the record table's leaves with bytes that are no page, as
// a damaged card would leave it; false when the file's pages cannot be found.
bool DamageMiddleRecordPage(const QString& path) {
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(handle);
        return false;
    }
    std::vector<qint64> leaves;
    qint64 pageSize = 0;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(handle,
                           "select pageno from dbstat where name='t_main' and pagetype='leaf' "
                           "order by pageno",
                           -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW)
            leaves.push_back(sqlite3_column_int64(stmt, 0));
    }
    sqlite3_finalize(stmt);
    if (sqlite3_prepare_v2(handle, "pragma page_size", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        pageSize = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    sqlite3_close(handle);
    if (leaves.size() < 3 || pageSize <= 0)
        return false;

    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    file.seek((leaves[leaves.size() / 2] - 1) * pageSize);
    return file.write(QByteArray(int(pageSize), '\xff')) == pageSize;
}

} // namespace

TEST_F(LoadTest, DatabaseErrorInTheMiddleIsReportedAndTheListSaysItIsIncomplete) {
    {
        CWriteBatch batch(db);
        for (int i = 0; i < 400; ++i) {
            CCacheRecord r;
            r.name = QStringLiteral("Cache %1 ").arg(i) + QString(200, QLatin1Char('x'));
            Save(r);
        }
    }
    ASSERT_TRUE(list.LoadSummaries());
    EXPECT_TRUE(list.IsComplete());
    EXPECT_EQ(list.LoadedCount(), 400);
    db.Close();
    ASSERT_TRUE(DamageMiddleRecordPage(Path("DB_Files/Test")));
    ASSERT_TRUE(db.Open(Path("DB_Files/Test"), "Test"));
    ui.Clear();

    EXPECT_FALSE(list.LoadSummaries());
    EXPECT_FALSE(list.IsComplete());
    EXPECT_GT(list.LoadedCount(), 0);
    EXPECT_LT(list.LoadedCount(), 400);
    ASSERT_EQ(ui.messages.size(), 2u) << ui.Texts().join("\n").toStdString();
    EXPECT_TRUE(ui.messages[0].text.startsWith(QStringLiteral("Database error:\n")));
    EXPECT_EQ(ui.messages[1].text, CRecordList::kIncompleteListMessage.arg(list.LoadedCount()));
    EXPECT_EQ(ui.messages[1].icon, MsgIcon::Stop);
}
