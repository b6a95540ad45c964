// Records of CCacheDb: loading, saving, deleting and the small queries on t_main.

#include "db/CCacheDb.h"

#include "db/CCacheRecord.h"
#include "db/COperationScope.h"
#include "db/ExtraFields.h"
#include "db/SqlQuote.h"
#include "util/CUserInterface.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

QString Num(quint32 n) {
    return QString::number(n);
}

QString Coord(double degrees) {
    return QString::number(degrees, 'f', 6);
}

// The text columns of t_main and their record fields.
struct TextColumn {
    const char* column;
    QString CCacheRecord::*field;
};
const TextColumn kTextColumns[] = {
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
};

void StoreColumn(CCacheRecord& record, const CDbStatement& row, int c) {
    const char* name = row.ColumnName(c);
    for (const TextColumn& text : kTextColumns) {
        if (std::strcmp(name, text.column) == 0) {
            record.*text.field = row.Text(c);
            return;
        }
    }
    if (std::strcmp(name, "id") == 0)
        record.id = quint32(row.Int64(c));
    else if (std::strcmp(name, "cid") == 0)
        record.cid = quint16(row.Int64(c));
    else if (std::strcmp(name, "flags") == 0)
        record.flags = quint32(row.Int64(c));
    else if (std::strcmp(name, "log_type") == 0)
        record.log_type = int(row.Int64(c));
    else if (std::strcmp(name, "lat") == 0)
        record.lat = row.Double(c);
    else if (std::strcmp(name, "lon") == 0)
        record.lon = row.Double(c);
    else if (std::strcmp(name, "log_start") == 0)
        record.log_start = ParseTimestamp(row.Text(c));
    else if (std::strcmp(name, "log_end") == 0)
        record.log_end = ParseTimestamp(row.Text(c));
}

// Removes the characters that would break the record page's link markup.
QString LinkSafe(QString text) {
    text.remove(QLatin1Char('>'));
    text.remove(QLatin1Char('<'));
    text.remove(QLatin1Char('&'));
    text.remove(QLatin1Char('"'));
    return text;
}

} // namespace

void SetExtraField(CCacheRecord& record, const QString& key, const QString& value) {
    if (key == QLatin1String("custom1"))
        record.custom1 = value;
    else if (key == QLatin1String("custom2"))
        record.custom2 = value;
    else if (key == QLatin1String("custom3"))
        record.custom3 = value;
    else if (key == QLatin1String("find_rat"))
        record.find_rat = value;
}

QString BuildExtraFields(CCacheRecord& record) {
    const std::pair<const char*, QString*> items[] = {
        {"custom1", &record.custom1},
        {"custom2", &record.custom2},
        {"custom3", &record.custom3},
        {"find_rat", &record.find_rat},
    };
    QString info;
    for (const auto& [key, value] : items) {
        value->remove(kExtraItemEnd);
        if (!value->isEmpty())
            info += QLatin1String(key) + kExtraKeySeparator + *value + kExtraItemEnd;
    }
    return info;
}

bool CCacheDb::LoadRecord(quint32 id, CCacheRecord& record) {
    InitRecord(record, kRecordVersion, false);
    record.cid = 0;
    record.id = 0;

    CDbStatement row;
    if (!Execute(QStringLiteral("select * from t_main where id=") + Num(id), row))
        return false;
    if (row.Next() != CDbStatement::Step::Row)
        return false;
    for (int c = 0; c < row.ColumnCount(); ++c)
        StoreColumn(record, row, c);
    row.Finalize();
    if (record.cont.isEmpty())
        record.cont = kDefaultContainer;

    CDbStatement extra;
    if (!Execute(QStringLiteral("select info from t_extra where id=") + Num(id), extra))
        return false;
    return ReadExtraFields(extra, record);
}

bool CCacheDb::ReadExtraFields(CDbStatement& stmt, CCacheRecord& record) {
    switch (stmt.Next()) {
    case CDbStatement::Step::Done:
        return true;
    case CDbStatement::Step::Error:
        return false;
    case CDbStatement::Step::Row:
        break;
    }
    ForEachExtraField(stmt.Text(0), [&](const QString& key, const QString& value) {
        SetExtraField(record, key, value);
    });
    stmt.Reset();
    return true;
}

bool CCacheDb::SaveRecord(CCacheRecord& record, bool quiet) {
    if (record.id == 0 && record.wpt.isEmpty())
        record.wpt = NewWaypointId();
    if (record.rtype.isEmpty())
        record.rtype = kDefaultRecordType;
    if (record.cont.isEmpty())
        record.cont = kDefaultContainer;
    const QString extra = BuildExtraFields(record);

    const QString values[] = {
        QuoteText(record.name),
        QuoteText(record.rtype),
        QuoteText(record.wpt),
        QuoteText(record.diff),
        QuoteText(record.terr),
        QuoteText(record.owner),
        QuoteText(record.cont),
        QuoteText(record.descr),
        QuoteText(record.hints),
        QuoteText(record.past_log),
        QuoteText(record.url),
        QuoteText(record.img_urls),
        QuoteText(record.log_notes),
        QuoteTimestamp(record.log_end),
        QuoteTimestamp(record.log_start),
    };
    QString sql;
    qsizetype length = 400; // the column names, numbers and separators
    for (const QString& value : values)
        length += value.size();
    sql.reserve(length);
    if (record.id != 0) {
        static const char* const kSet[] = {
            "name",  "rtype",    "wpt", "diff",     "terr",      "owner",   "cont",      "descr",
            "hints", "past_log", "url", "img_urls", "log_notes", "log_end", "log_start",
        };
        sql += QStringLiteral("update t_main set cid=") + Num(record.cid) +
               QStringLiteral(", log_type=") + QString::number(record.log_type) +
               QStringLiteral(", flags=") + Num(record.flags) + QStringLiteral(", lat=") +
               Coord(record.lat) + QStringLiteral(", lon=") + Coord(record.lon);
        for (int i = 0; i < int(std::size(values)); ++i)
            sql += QStringLiteral(", ") + QLatin1String(kSet[i]) + QLatin1Char('=') + values[i];
        sql += QStringLiteral(" where id=") + Num(record.id);
    } else {
        sql +=
            QStringLiteral("insert into t_main(cid, log_type, flags, lat, lon, name, rtype, wpt, "
                           "diff, terr, owner, cont, descr, hints, past_log, url, img_urls, "
                           "log_notes, log_end, log_start) values(") +
            Num(record.cid) + QStringLiteral(", ") + QString::number(record.log_type) +
            QStringLiteral(", ") + Num(record.flags) + QStringLiteral(", ") + Coord(record.lat) +
            QStringLiteral(", ") + Coord(record.lon);
        for (const QString& value : values)
            sql += QStringLiteral(", ") + value;
        sql += QLatin1Char(')');
    }

    CWaitCursor wait(!quiet);
    const quint32 oldId = record.id;
    COperationScope op(*this);
    if (!op.Begin())
        return false;
    bool ok = Execute(sql);
    if (ok && record.id == 0)
        record.id = quint32(sqlite3_last_insert_rowid(m_db));
    if (ok)
        ok = Execute(QStringLiteral("delete from t_extra where id=") + Num(record.id));
    if (ok && !extra.isEmpty())
        ok = Execute(QStringLiteral("insert into t_extra(id,info) values(") + Num(record.id) +
                     QStringLiteral(",") + QuoteText(extra) + QLatin1Char(')'));
    if (!op.Finish(ok)) {
        record.id = oldId; // the inserted row was undone
        return false;
    }
    return true;
}

bool CCacheDb::DeleteRecord(quint32 id, bool quiet) {
    CWaitCursor wait(!quiet);
    COperationScope op(*this);
    if (!op.Begin())
        return false;
    bool ok = DeleteBugsOf(id, quiet);
    ok = ok && Execute(QStringLiteral("delete from t_main where id=") + Num(id));
    ok = ok && Execute(QStringLiteral("delete from t_extra where id=") + Num(id));
    if (ok)
        m_notesToDelete.push_back(id);
    return op.Finish(ok);
}

bool CCacheDb::DeleteAllRecords() {
    CWaitCursor wait;
    COperationScope op(*this);
    if (!op.Begin())
        return false;
    // The three tables go together or not at all: the first failing delete has shown the
    // database error, and the records, bugs and extra fields all stay as they were.
    const bool ok = Execute(QStringLiteral("delete from t_main")) &&
                    Execute(QStringLiteral("delete from t_bugs")) &&
                    Execute(QStringLiteral("delete from t_extra"));
    // The voice notes go once the deletes are kept (after the commit).
    if (ok)
        m_deleteAllNotes = true;
    return op.Finish(ok);
}

bool CCacheDb::SetRecordCategory(quint32 id, quint16 cid, bool quiet) {
    CWaitCursor wait(!quiet);
    COperationScope op(*this);
    if (!op.Begin())
        return false;
    return op.Finish(Execute(QStringLiteral("update t_main set cid=") + QString::number(cid) +
                             QStringLiteral(" where id=") + Num(id)));
}

bool CCacheDb::SetRecordFlags(quint32 id, quint32 flags, bool quiet) {
    CWaitCursor wait(!quiet);
    COperationScope op(*this);
    if (!op.Begin())
        return false;
    return op.Finish(Execute(QStringLiteral("update t_main set flags=") + Num(flags) +
                             QStringLiteral(" where id=") + Num(id)));
}

bool CCacheDb::SingleNumber(const QString& sql, qint64& out) {
    CDbStatement stmt;
    if (!Execute(sql, stmt) || stmt.Next() != CDbStatement::Step::Row)
        return false;
    out = stmt.Int64(0);
    return true;
}

quint32 CCacheDb::FindRecordByWaypoint(const QString& wpt) {
    QString doubled = wpt;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    qint64 id = 0;
    if (!SingleNumber(
            QStringLiteral("select id from t_main where wpt='") + doubled + QLatin1Char('\''), id))
        return 0;
    return quint32(id);
}

int CCacheDb::CountRecords() {
    qint64 count = 0;
    return SingleNumber(QStringLiteral("select count(id) from t_main"), count) ? int(count) : 0;
}

bool CCacheDb::Compact() {
    CWaitCursor wait;
    // The rebuild cannot run inside a transaction or beside a statement in progress.
    CommitBatch(false);
    EndScan();
    m_extraLookup.Finalize();
    FinalizeKept();
    return Execute(QStringLiteral("vacuum"));
}

int CCacheDb::RefreshBugFlag(CCacheRecord& record) {
    record.flags &= ~kFlagBugs;
    const int count = CountBugsOf(record.id);
    if (count > 0)
        record.flags |= kFlagBugs;
    return count;
}

bool CCacheDb::GetAdditionalWaypoints(const QString& wpt, QString& out) {
    if (wpt.left(2).toLower() != QLatin1String("gc"))
        return false;
    const QString pattern = QStringLiteral("__") + wpt.mid(2);
    out = QStringLiteral("<a name=\"auxwpt\"></a><b>Additional Waypoints</b>\r\n");
    // The matching records are found in the waypoint index alone (the pattern starts with a
    // wildcard, so the index is read whole, but it is small, while the table holds every
    // description); their waypoint IDs and names are then read by id, in table order, as a scan
    // of the table would list them.
    QStringList ids;
    {
        CDbStatement matches;
        if (Execute(QStringLiteral("select id from t_main where wpt like ") + QuoteText(pattern) +
                        QStringLiteral("  and wpt<>") + QuoteText(wpt),
                    matches)) {
            std::vector<qint64> found;
            while (matches.Next() == CDbStatement::Step::Row)
                found.push_back(matches.Int64(0));
            std::sort(found.begin(), found.end());
            for (const qint64 id : found)
                ids.append(QString::number(id));
        }
    }
    bool any = false;
    CDbStatement rows;
    if (!ids.isEmpty() && Execute(QStringLiteral("select wpt,name from t_main where id in (") +
                                      ids.join(QLatin1Char(',')) + QStringLiteral(") order by id"),
                                  rows)) {
        while (rows.Next() == CDbStatement::Step::Row) {
            QString rowWpt, rowName;
            for (int c = 0; c < rows.ColumnCount(); ++c) {
                if (std::strcmp(rows.ColumnName(c), "wpt") == 0)
                    rowWpt = LinkSafe(rows.Text(c));
                else if (std::strcmp(rows.ColumnName(c), "name") == 0)
                    rowName = LinkSafe(rows.Text(c));
            }
            out += QStringLiteral("<a href=\"qbhva:goto-") + rowWpt + QStringLiteral("\">") +
                   rowWpt + QStringLiteral("</a> - ") + rowName + QStringLiteral("\r\n");
            any = true;
        }
    }
    if (!any)
        out.clear();
    return any;
}
