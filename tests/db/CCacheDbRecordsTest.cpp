#include "CDbTestFixture.h"

#include "db/CCacheRecord.h"
#include "db/CSummarySink.h"
#include "db/CWaypointBug.h"
#include "db/CWriteBatch.h"
#include "db/SqlQuote.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QChar k1(0x0001);
const QChar k2(0x0002);

CCacheRecord FullRecord() {
    CCacheRecord r;
    r.cid = 3;
    r.flags = 0x80000015u;
    r.name = QStringLiteral("Ann's \"Cache\" – Größe 😀");
    r.rtype = "Traditional";
    r.wpt = "GC1ABC";
    r.diff = "1.5";
    r.terr = "4";
    r.owner = "Ann";
    r.cont = "Micro";
    r.descr = "line 1\r\nline 2 -- ; drop table t_main;";
    r.hints = "under the [rock]";
    r.past_log = QString("log 1") + k1 + "log 2";
    r.url = "https://example.org/?a=1&b='2'";
    r.img_urls = QString("a.jpg") + k1 + "b.jpg";
    r.lat = -33.123456;
    r.lon = 151.5;
    r.log_type = 2;
    r.log_start = 0x01D2A3B4C5D6E7F8ull;
    r.log_end = 0x01D2A3B4C5D6E800ull;
    r.log_notes = "TFTC 100%";
    r.custom1 = "c1";
    r.custom2 = QString("two") + k1 + "parts";
    r.custom3 = "c3";
    r.find_rat = "75";
    return r;
}

void ExpectSameStoredFields(const CCacheRecord& a, const CCacheRecord& b) {
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.cid, b.cid);
    EXPECT_EQ(a.flags, b.flags);
    const std::pair<const char*, QString CCacheRecord::*> texts[] = {
        {"name", &CCacheRecord::name},
        {"rtype", &CCacheRecord::rtype},
        {"wpt", &CCacheRecord::wpt},
        {"diff", &CCacheRecord::diff},
        {"terr", &CCacheRecord::terr},
        {"owner", &CCacheRecord::owner},
        {"cont", &CCacheRecord::cont},
        {"descr", &CCacheRecord::descr},
        {"hints", &CCacheRecord::hints},
        {"past_log", &CCacheRecord::past_log},
        {"url", &CCacheRecord::url},
        {"img_urls", &CCacheRecord::img_urls},
        {"log_notes", &CCacheRecord::log_notes},
        {"custom1", &CCacheRecord::custom1},
        {"custom2", &CCacheRecord::custom2},
        {"custom3", &CCacheRecord::custom3},
        {"find_rat", &CCacheRecord::find_rat},
    };
    for (const auto& [label, field] : texts)
        EXPECT_EQ(a.*field, b.*field) << label;
    EXPECT_EQ(a.lat, b.lat);
    EXPECT_EQ(a.lon, b.lon);
    EXPECT_EQ(a.log_type, b.log_type);
    EXPECT_EQ(a.log_start, b.log_start);
    EXPECT_EQ(a.log_end, b.log_end);
}

quint32 Base36(const QString& digits) {
    quint32 n = 0;
    for (QChar c : digits)
        n = n * 36 + quint32(c.isDigit() ? c.unicode() - '0' : c.unicode() - 'A' + 10);
    return n;
}

} // namespace

using RecordTest = CDbTestFixture;

TEST_F(RecordTest, EveryFieldSurvivesSaveAndLoad) {
    CCacheRecord saved = FullRecord();
    ASSERT_TRUE(db.SaveRecord(saved));
    ASSERT_NE(saved.id, 0u);
    CCacheRecord loaded;
    ASSERT_TRUE(db.LoadRecord(saved.id, loaded));
    ExpectSameStoredFields(saved, loaded);

    // Updating every field of a stored record.
    saved.name = "renamed";
    saved.owner.clear();
    saved.custom2.clear();
    saved.log_end = 0;
    saved.lat = saved.lon = 200.0;
    ASSERT_TRUE(db.SaveRecord(saved));
    ASSERT_TRUE(db.LoadRecord(saved.id, loaded));
    ExpectSameStoredFields(saved, loaded);
    EXPECT_EQ(db.CountRecords(), 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RecordTest, ValuesAreStoredInTheirColumnForms) {
    CCacheRecord r = FullRecord();
    r.owner.clear();
    r.log_start = 0;
    r.name = "O'Brien";
    r.lat = 47.1234567;
    ASSERT_TRUE(db.SaveRecord(r));
    const QString where = " from t_main where id=" + QString::number(r.id);
    const std::pair<QString, QString> cases[] = {
        {"owner", "<null>"},
        {"name", "O'Brien"},
        {"log_start", "<null>"},
        {"log_end", "01D2A3B4C5D6E800"},
        {"typeof(lat)", "real"},
        {"lat", "47.123457"},
        {"lon", "151.5"},
        {"flags", "2147483669"},
        {"cid", "3"},
    };
    for (const auto& [column, stored] : cases)
        EXPECT_EQ(Value("select " + column + where), stored) << column.toStdString();
}

TEST_F(RecordTest, TimestampTextsOfOtherLengthsReadAsUnset) {
    CCacheRecord r;
    ASSERT_TRUE(db.SaveRecord(r));
    const std::pair<const char*, Timestamp> cases[] = {
        {"'0123456789ABCDEF'", 0x0123456789ABCDEFull},
        {"'0123456789ABCDE'", 0},
        {"'0123456789ABCDEF0'", 0},
        {"''", 0},
        {"null", 0},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(db.Execute(
            QString("update t_main set log_start=%1, log_end=%1 where id=%2").arg(text).arg(r.id)));
        CCacheRecord loaded;
        ASSERT_TRUE(db.LoadRecord(r.id, loaded));
        EXPECT_EQ(loaded.log_start, expected);
        EXPECT_EQ(loaded.log_end, expected);
    }
}

TEST_F(RecordTest, TypeAndContainerDefaults) {
    CCacheRecord r;
    r.rtype.clear();
    r.cont.clear();
    r.wpt = "GC0001";
    ASSERT_TRUE(db.SaveRecord(r));
    EXPECT_EQ(r.rtype, "Waypoint");
    EXPECT_EQ(r.cont, "Not chosen");
    EXPECT_EQ(Value("select rtype||'/'||cont from t_main"), "Waypoint/Not chosen");

    // A NULL container loads as "Not chosen"; a NULL type stays empty.
    ASSERT_TRUE(db.Execute("update t_main set rtype=null, cont=null"));
    CCacheRecord loaded;
    ASSERT_TRUE(db.LoadRecord(r.id, loaded));
    EXPECT_EQ(loaded.rtype, "");
    EXPECT_EQ(loaded.cont, "Not chosen");

    CCacheRecord missing;
    missing.name = "stale";
    missing.id = 77;
    EXPECT_FALSE(db.LoadRecord(999, missing));
    EXPECT_EQ(missing.id, 0u);
    EXPECT_TRUE(missing.name.isEmpty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RecordTest, GeneratedWaypointIds) {
    const std::pair<quint32, const char*> digits[] = {
        {0, "X00000"}, {35, "X0000Z"}, {36, "X00010"}, {60466175, "XZZZZZ"}, {60466176, "X00000"},
    };
    for (const auto& [n, id] : digits)
        EXPECT_EQ(WaypointIdFromNumber(n), id) << n;

    const QRegularExpression form("^X[0-9A-Z]{5}$");
    CCacheRecord first, second;
    first.wpt.clear();
    ASSERT_TRUE(db.SaveRecord(first));
    ASSERT_TRUE(db.SaveRecord(second));
    EXPECT_TRUE(form.match(first.wpt).hasMatch()) << first.wpt.toStdString();
    EXPECT_EQ((Base36(first.wpt.mid(1)) + 1) % 60466176u, Base36(second.wpt.mid(1)));
    EXPECT_TRUE(first.name.isEmpty()); // saving fills the waypoint ID only

    // A stored record without a waypoint ID keeps it empty.
    CCacheRecord stored;
    ASSERT_TRUE(db.LoadRecord(first.id, stored));
    stored.wpt.clear();
    ASSERT_TRUE(db.SaveRecord(stored));
    EXPECT_EQ(Value("select wpt from t_main where id=" + QString::number(first.id)), "<null>");

    CCacheRecord fresh(true);
    EXPECT_TRUE(form.match(fresh.wpt).hasMatch());
    EXPECT_EQ(fresh.name, fresh.wpt);
    EXPECT_EQ(fresh.rtype, "Waypoint");
    EXPECT_EQ(fresh.cont, "Not chosen");
    EXPECT_EQ(fresh.lat, 200.0);
    EXPECT_EQ(fresh.version, 3);
}

TEST_F(RecordTest, InitRecordTouchesOnlyTheFieldsOfItsVersion) {
    for (int version : {1, 2, 3}) {
        SCOPED_TRACE(version);
        CCacheRecord r = FullRecord();
        r.bugs = "bugs";
        InitRecord(r, version, false);
        EXPECT_EQ(r.version, version);
        EXPECT_EQ(r.name, "");
        EXPECT_EQ(r.flags, 0u);
        EXPECT_EQ(r.rtype, "Waypoint");
        EXPECT_EQ(r.log_start, 0u);
        EXPECT_EQ(r.bugs.isEmpty(), version >= 2);
        EXPECT_EQ(r.custom1.isEmpty(), version >= 3);
        EXPECT_EQ(r.find_rat.isEmpty(), version >= 3);
        EXPECT_EQ(r.cid, 3); // not part of the block
    }
}

TEST_F(RecordTest, ExtraFieldsAreStoredAsKeyValueItems) {
    struct Case {
        QString custom1, custom2, custom3, find_rat;
        QString stored;
    };
    const Case cases[] = {
        {"", "", "", "75", QString("find_rat") + k1 + "75" + k2},
        {"a", "", "c", "", QString("custom1") + k1 + "a" + k2 + "custom3" + k1 + "c" + k2},
        {QString("x") + k2 + "y", "", "", "", QString("custom1") + k1 + "xy" + k2},
        {"", QString("p") + k1 + "q", "", "", QString("custom2") + k1 + "p" + k1 + "q" + k2},
        {"", "", "", "", "<none>"},
        {QString(k2), "it's", "", "", QString("custom2") + k1 + "it's" + k2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        CCacheRecord r;
        r.custom1 = c.custom1;
        r.custom2 = c.custom2;
        r.custom3 = c.custom3;
        r.find_rat = c.find_rat;
        ASSERT_TRUE(db.SaveRecord(r));
        EXPECT_EQ(Value("select info from t_extra where id=" + QString::number(r.id)), c.stored);
        CCacheRecord loaded;
        ASSERT_TRUE(db.LoadRecord(r.id, loaded));
        EXPECT_EQ(loaded.custom1, QString(c.custom1).remove(k2));
        EXPECT_EQ(loaded.custom2, c.custom2);
        EXPECT_EQ(loaded.find_rat, c.find_rat);
        EXPECT_EQ(r.custom1, loaded.custom1); // the record's own value lost U+0002 too
    }
}

TEST_F(RecordTest, StoredExtraFieldTextsAreReadLeniently) {
    struct Case {
        QString info;
        QString custom1, find_rat;
    };
    const Case cases[] = {
        {QString("owner") + k1 + "x" + k2 + "custom1" + k1 + "a" + k2, "a", ""},
        {QString("custom1") + k1 + "a" + k2 + "custom1" + k1 + "b" + k2, "b", ""},
        {QString("custom1") + k1 + "a" + k2 + "find_rat" + k1 + "9", "a", ""},
        {QString(k1) + "custom1" + k2 + "find_rat" + k1 + k2, "", ""},
        {QString("custom1") + k2 + "find_rat" + k1 + "50" + k1 + "x" + k2, "",
         QString("50") + k1 + "x"},
    };
    CCacheRecord r;
    ASSERT_TRUE(db.SaveRecord(r));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.info.toStdString());
        ASSERT_TRUE(db.Execute("delete from t_extra"));
        ASSERT_TRUE(db.Execute(
            QString("insert into t_extra(id,info) values(%1,'%2')").arg(r.id).arg(c.info)));
        CCacheRecord loaded;
        ASSERT_TRUE(db.LoadRecord(r.id, loaded));
        EXPECT_EQ(loaded.custom1, c.custom1);
        EXPECT_EQ(loaded.find_rat, c.find_rat);
    }
}

TEST_F(RecordTest, SmallWritesAndLookups) {
    CCacheRecord a = FullRecord(), b = FullRecord();
    b.wpt = "gc1abc";
    a.wpt = "GC1'Q";
    ASSERT_TRUE(db.SaveRecord(a));
    ASSERT_TRUE(db.SaveRecord(b));
    EXPECT_EQ(db.FindRecordByWaypoint("GC1'Q"), a.id);
    EXPECT_EQ(db.FindRecordByWaypoint("gc1abc"), b.id);
    EXPECT_EQ(db.FindRecordByWaypoint("GC1ABC"), 0u);
    EXPECT_EQ(db.FindRecordByWaypoint(""), 0u);

    ASSERT_TRUE(db.SetRecordCategory(a.id, 65535));
    ASSERT_TRUE(db.SetRecordFlags(a.id, 0xFFFFFFFFu));
    CCacheRecord loaded;
    ASSERT_TRUE(db.LoadRecord(a.id, loaded));
    EXPECT_EQ(loaded.cid, 65535);
    EXPECT_EQ(loaded.flags, 0xFFFFFFFFu);
    EXPECT_EQ(db.CountRecords(), 2);
    EXPECT_TRUE(db.Compact());
    EXPECT_EQ(db.CountRecords(), 2);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RecordTest, WritesShowTheWaitCursorUnlessQuiet) {
    CCacheRecord r;
    ASSERT_TRUE(db.SaveRecord(r, true));
    ASSERT_TRUE(db.SetRecordFlags(r.id, 2, true));
    ASSERT_TRUE(db.DeleteRecord(r.id, true));
    EXPECT_EQ(ui.waitCursorShown, 0);
    CCacheRecord s;
    ASSERT_TRUE(db.SaveRecord(s));
    EXPECT_EQ(ui.waitCursorShown, 1);
    ASSERT_TRUE(db.DeleteRecord(s.id));
    EXPECT_EQ(ui.waitCursorShown, 2);
}

TEST_F(RecordTest, AdditionalWaypointsShareTheCharactersAfterTheFirstTwo) {
    const std::pair<const char*, const char*> records[] = {
        {"GC12AB", "Main"},  {"PK12AB", "Parking"}, {"pk12ab", "A<B>C & \"D\""},
        {"GC12AC", "Other"}, {"PK12ABX", "Longer"},
    };
    for (const auto& [wpt, name] : records) {
        CCacheRecord r;
        r.wpt = wpt;
        r.name = name;
        ASSERT_TRUE(db.SaveRecord(r));
    }
    const QString header = "<a name=\"auxwpt\"></a><b>Additional Waypoints</b>\r\n";
    const QString expected = header + "<a href=\"qbhva:goto-PK12AB\">PK12AB</a> - Parking\r\n"
                                      "<a href=\"qbhva:goto-pk12ab\">pk12ab</a> - ABC  D\r\n";
    for (const char* wpt : {"GC12AB", "gc12ab", "Gc12Ab"}) {
        SCOPED_TRACE(wpt);
        QString out;
        if (QString(wpt) == "GC12AB") {
            EXPECT_TRUE(db.GetAdditionalWaypoints(wpt, out));
            EXPECT_EQ(out, expected);
        } else {
            // Other spellings of the ID find the main record as well.
            EXPECT_TRUE(db.GetAdditionalWaypoints(wpt, out));
            EXPECT_TRUE(out.contains("goto-GC12AB\""));
        }
    }
    for (const char* wpt : {"PK12AB", "G", "", "XGC12AB"}) {
        SCOPED_TRACE(wpt);
        QString out = "untouched";
        EXPECT_FALSE(db.GetAdditionalWaypoints(wpt, out));
        EXPECT_EQ(out, "untouched");
    }
    QString out = "x";
    EXPECT_FALSE(db.GetAdditionalWaypoints("GC99ZZ", out));
    EXPECT_EQ(out, "");
}

TEST_F(RecordTest, DeleteRecordRemovesBugsExtraFieldsAndVoiceNote) {
    CCacheRecord doomed = FullRecord(), kept = FullRecord();
    ASSERT_TRUE(db.SaveRecord(doomed));
    ASSERT_TRUE(db.SaveRecord(kept));
    const QString bugs = QString("TB1") + k2 + "One" + k1 + "TB2" + k2 + "Two";
    ASSERT_TRUE(db.ReplaceBugsOf(doomed.id, bugs));
    ASSERT_TRUE(db.ReplaceBugsOf(kept.id, bugs));
    auto note = [&](quint32 id) { return "VoiceNotes/Test/vn" + QString::number(id) + ".snd"; };
    WriteFile(note(doomed.id), "samples");
    WriteFile(note(kept.id), "samples");

    ASSERT_TRUE(db.DeleteRecord(doomed.id));
    EXPECT_EQ(db.CountRecords(), 1);
    EXPECT_EQ(Value("select count(*) from t_bugs"), "2");
    EXPECT_EQ(db.CountBugsOf(doomed.id), 0);
    EXPECT_EQ(Rows("select id from t_extra"), QStringList({QString::number(kept.id)}));
    EXPECT_FALSE(QFileInfo::exists(Path(note(doomed.id))));
    EXPECT_TRUE(QFileInfo::exists(Path(note(kept.id))));

    EXPECT_TRUE(db.DeleteAllRecords());
    EXPECT_EQ(Value("select (select count(*) from t_main)+(select count(*) from t_bugs)+"
                    "(select count(*) from t_extra)"),
              "0");
    EXPECT_FALSE(QFileInfo::exists(Path(note(kept.id))));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RecordTest, DeleteAllRecordsIsAllOrNothing) {
    CCacheRecord r = FullRecord();
    ASSERT_TRUE(db.SaveRecord(r));
    ASSERT_TRUE(db.ReplaceBugsOf(r.id, QString("TB1") + k2 + "One"));
    const QString note = "VoiceNotes/Test/vn" + QString::number(r.id) + ".snd";
    WriteFile(note, "samples");
    const QString counts = "select (select count(*) from t_main)||'/'||(select count(*) from "
                           "t_bugs)||'/'||(select count(*) from t_extra)";
    ASSERT_EQ(Value(counts), "1/1/1");

    // The second and the third of the three deletes fail in turn.
    for (const char* table : {"t_bugs", "t_extra"}) {
        SCOPED_TRACE(table);
        ASSERT_TRUE(db.Execute(QString("create trigger refuse before delete on %1 begin "
                                       "select raise(abort, 'refused'); end")
                                   .arg(table)));
        ui.Clear();
        EXPECT_FALSE(db.DeleteAllRecords());
        EXPECT_EQ(ui.Texts(), QStringList({"Database error:\nrefused"})) << "reported once";
        EXPECT_EQ(Value(counts), "1/1/1") << "nothing is deleted";
        EXPECT_TRUE(QFileInfo::exists(Path(note))) << "the voice note stays";
        ASSERT_TRUE(db.Execute(QString("drop trigger refuse")));
    }
    ui.Clear();
    EXPECT_TRUE(db.DeleteAllRecords());
    EXPECT_EQ(Value(counts), "0/0/0");
    EXPECT_FALSE(QFileInfo::exists(Path(note)));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RecordTest, RelatedWaypointsAreThoseOfTheTableScanInItsOrder) {
    // Mixed letter case, the wildcards "%" and "_" inside IDs, empty and missing IDs.
    const char* stored[] = {"GC12AB", "pk12ab", "PK12AB", "0112AB", "GC12ABC", "GC_2AB",
                            "GC1%",   "XY1",    "XY1Z",   "",       "GC",      "ab",
                            "GC%",    "Q_12AB", "gc12ab", "GCé1",   "zzé1",    "ZZ12AB"};
    {
        CWriteBatch batch(db);
        int n = 0;
        for (const char* wpt : stored) {
            CCacheRecord r;
            r.wpt = QString::fromUtf8(wpt);
            r.name = QStringLiteral("Name <%1> & \"%2\"").arg(++n).arg(QString::fromUtf8(wpt));
            ASSERT_TRUE(db.SaveRecord(r, true));
            // An empty waypoint ID would be generated; store it as it came.
            if (!*wpt) {
                ASSERT_TRUE(
                    db.Execute(QStringLiteral("update t_main set wpt='' where id=%1").arg(r.id)));
            }
        }
        CCacheRecord missing;
        missing.name = QStringLiteral("no wpt");
        ASSERT_TRUE(db.SaveRecord(missing, true));
        ASSERT_TRUE(
            db.Execute(QStringLiteral("update t_main set wpt=NULL where id=%1").arg(missing.id)));
    }
    auto linkSafe = [](QString text) {
        for (const char c : {'>', '<', '&', '"'})
            text.remove(QLatin1Char(c));
        return text;
    };
    const char* asked[] = {"GC12AB", "gc12ab", "GC_2AB", "GC1%", "GC%", "GC", "GCé1", "Gc12ABC"};
    for (const char* w : asked) {
        const QString wpt = QString::fromUtf8(w);
        SCOPED_TRACE(w);
        // The statement the related section is defined by, a scan of the table.
        QString expected;
        const QString pattern = QStringLiteral("__") + wpt.mid(2);
        for (const QString& row :
             Rows(QStringLiteral("select wpt,name from t_main where wpt like ") +
                  QuoteText(pattern) + QStringLiteral("  and wpt<>") + QuoteText(wpt))) {
            const QString rowWpt = linkSafe(row.section(u'|', 0, 0));
            const QString rowName = linkSafe(row.section(u'|', 1));
            expected +=
                "<a href=\"qbhva:goto-" + rowWpt + "\">" + rowWpt + "</a> - " + rowName + "\r\n";
        }
        QString out;
        const bool found = db.GetAdditionalWaypoints(wpt, out);
        EXPECT_EQ(found, !expected.isEmpty());
        if (found) {
            EXPECT_EQ(out, "<a name=\"auxwpt\"></a><b>Additional Waypoints</b>\r\n" + expected);
        }
    }
    QString out;
    EXPECT_TRUE(db.GetAdditionalWaypoints(QStringLiteral("GC12AB"), out));
    EXPECT_TRUE(out.contains("goto-pk12ab") && out.contains("goto-0112AB") &&
                out.contains("goto-gc12ab") && !out.contains("goto-GC12AB\""));
    EXPECT_TRUE(ui.messages.empty());
}

namespace {

struct CollectingSink : CSummarySink {
    void SetColumn(const QString& name, const QString& value) override {
        row.append(name + "=" + value);
    }
    void SetExtraField(const QString& key, const QString& value) override {
        row.append(key + ":" + value);
    }
    QStringList row;
};

} // namespace

TEST_F(RecordTest, SummaryScanHandsOverColumnsAndExtraFields) {
    CCacheRecord a = FullRecord(), b;
    a.custom2.clear();
    b.wpt = "GC2";
    b.cont.clear();
    ASSERT_TRUE(db.SaveRecord(a));
    ASSERT_TRUE(db.SaveRecord(b));
    ASSERT_TRUE(db.Execute("update t_main set cont=null where id=" + QString::number(b.id)));

    ASSERT_TRUE(db.BeginSummaryScan());
    CollectingSink first, second, end;
    ASSERT_TRUE(db.NextSummary(first));
    ASSERT_TRUE(db.NextSummary(second));
    EXPECT_FALSE(db.NextSummary(end));
    EXPECT_FALSE(db.NextSummary(end));
    EXPECT_EQ(first.row.join(";"),
              QString("id=%1;cid=3;log_type=2;flags=2147483669;lat=-33.123456;lon=151.5;"
                      "log_end=01D2A3B4C5D6E800;name=%2;rtype=Traditional;wpt=GC1ABC;diff=1.5;"
                      "terr=4;owner=Ann;cont=Micro;custom1:c1;custom3:c3;find_rat:75")
                  .arg(a.id)
                  .arg(a.name));
    EXPECT_EQ(second.row.join(";"),
              QString("id=%1;cid=0;log_type=0;flags=0;lat=200.0;lon=200.0;log_end=;name=;"
                      "rtype=Waypoint;wpt=GC2;diff=;terr=;owner=;cont=")
                  .arg(b.id));

    // Starting a bug scan ends the record scan, and the reverse.
    ASSERT_TRUE(db.BeginSummaryScan());
    ASSERT_TRUE(db.BeginBugScan(a.id));
    EXPECT_FALSE(db.NextSummary(end));
    ASSERT_TRUE(db.BeginSummaryScan());
    CWaypointBug bug;
    EXPECT_FALSE(db.NextBug(bug));
    EXPECT_TRUE(db.NextSummary(end));
}
