// The record list cursor and the travel bugs listed for a cache.

#include "db/CCacheDb.h"

#include "db/COperationScope.h"
#include "db/CSummarySink.h"
#include "db/CWaypointBug.h"
#include "db/ExtraFields.h"
#include "db/SqlQuote.h"
#include "util/CUserInterface.h"
#include "util/TextHelpers.h"

#include <sqlite3.h>

#include <cstring>

namespace {

QString Num(quint32 n) {
    return QString::number(n);
}

const QChar kBugEntrySeparator = QChar(0x0001);
const QChar kBugFieldSeparator = QChar(0x0002);

} // namespace

void CCacheDb::EndScan() {
    m_scan.Finalize();
    m_scanColumns.clear();
}

bool CCacheDb::ScanStepFailed() {
    m_scanFailed = true;
    return ReportDbError(FromUtf8(sqlite3_errmsg(m_db)));
}

bool CCacheDb::BeginSummaryScan() {
    EndScan();
    m_scanFailed = false;
    if (!Execute(QStringLiteral("select id, cid, log_type, flags, lat, lon, log_end, name, rtype, "
                                "wpt, diff, terr, owner, cont from t_main"),
                 m_scan))
        return false;
    for (int c = 0; c < m_scan.ColumnCount(); ++c)
        m_scanColumns.append(QString::fromLatin1(m_scan.ColumnName(c)));
    // One lookup statement serves every row; it is re-bound to each record id.
    if (!m_extraLookup.IsValid() &&
        !Execute(QStringLiteral("select info from t_extra where id=?"), m_extraLookup)) {
        EndScan();
        return false;
    }
    return true;
}

bool CCacheDb::NextSummary(CSummarySink& sink) {
    if (!m_scan.IsValid() || m_scanColumns.isEmpty())
        return false;
    switch (m_scan.Next()) {
    case CDbStatement::Step::Row:
        break;
    case CDbStatement::Step::Done:
        return false;
    case CDbStatement::Step::Error:
        return ScanStepFailed();
    }
    qint64 id = 0;
    for (int c = 0; c < m_scanColumns.size(); ++c) {
        if (m_scanColumns[c] == QLatin1String("id"))
            id = m_scan.Int64(c);
    }
    if (!sink.TakeRow(m_scan)) {
        for (int c = 0; c < m_scanColumns.size(); ++c)
            sink.SetColumn(m_scanColumns[c], m_scan.Text(c));
    }
    if (!m_extraLookup.BindInt64(1, id))
        return ScanStepFailed();
    const CDbStatement::Step extra = m_extraLookup.Next();
    if (extra == CDbStatement::Step::Row) {
        ForEachExtraField(m_extraLookup.Text(0), [&](const QString& key, const QString& value) {
            sink.SetExtraField(key, value);
        });
    }
    m_extraLookup.Reset(); // holds no lock between rows
    // A record whose extra fields cannot be read would show without them: that ends the scan
    // as a failure too.
    return extra == CDbStatement::Step::Error ? ScanStepFailed() : true;
}

bool CCacheDb::BeginBugScan(quint32 recordId) {
    EndScan();
    m_scanFailed = false;
    return Execute(QStringLiteral("select id,name from t_bugs where wpt_id=") + Num(recordId),
                   m_scan);
}

bool CCacheDb::NextBug(CWaypointBug& bug) {
    bug.Reset();
    if (!m_scan.IsValid() || !m_scanColumns.isEmpty())
        return false;
    switch (m_scan.Next()) {
    case CDbStatement::Step::Row:
        break;
    case CDbStatement::Step::Done:
        return false;
    case CDbStatement::Step::Error:
        return ScanStepFailed();
    }
    for (int c = 0; c < m_scan.ColumnCount(); ++c) {
        if (std::strcmp(m_scan.ColumnName(c), "id") == 0)
            bug.id = quint32(m_scan.Int64(c));
        else if (std::strcmp(m_scan.ColumnName(c), "name") == 0)
            bug.name = m_scan.Text(c);
    }
    return true;
}

bool CCacheDb::LoadBug(quint32 bugId, CWaypointBug& bug) {
    bug.Reset();
    CDbStatement row;
    if (!Execute(QStringLiteral("select * from t_bugs where id=") + Num(bugId), row) ||
        row.Next() != CDbStatement::Step::Row)
        return false;
    const std::pair<const char*, QString CWaypointBug::*> texts[] = {
        {"name", &CWaypointBug::name},       {"tb_num", &CWaypointBug::tb_num},
        {"serial", &CWaypointBug::serial},   {"url", &CWaypointBug::url},
        {"mission", &CWaypointBug::mission},
    };
    for (int c = 0; c < row.ColumnCount(); ++c) {
        const char* name = row.ColumnName(c);
        if (std::strcmp(name, "id") == 0)
            bug.id = quint32(row.Int64(c));
        else if (std::strcmp(name, "wpt_id") == 0)
            bug.wpt_id = quint32(row.Int64(c));
        for (const auto& [column, field] : texts) {
            if (std::strcmp(name, column) == 0)
                bug.*field = row.Text(c);
        }
    }
    return true;
}

bool CCacheDb::SaveBug(CWaypointBug& bug, bool quiet) {
    if (bug.wpt_id == 0)
        return false;
    QString sql;
    if (bug.id != 0) {
        sql = QStringLiteral("update t_bugs set wpt_id=") + Num(bug.wpt_id) +
              QStringLiteral(", tb_num=") + QuoteText(bug.tb_num) + QStringLiteral(", name=") +
              QuoteText(bug.name) + QStringLiteral(", serial=") + QuoteText(bug.serial) +
              QStringLiteral(", url=") + QuoteText(bug.url) + QStringLiteral(", mission=") +
              QuoteText(bug.mission) + QStringLiteral(" where id=") + Num(bug.id);
    } else {
        sql = QStringLiteral("insert into t_bugs(wpt_id,tb_num,name,serial,url,mission) values(") +
              Num(bug.wpt_id) + QLatin1Char(',') + QuoteText(bug.tb_num) + QLatin1Char(',') +
              QuoteText(bug.name) + QLatin1Char(',') + QuoteText(bug.serial) + QLatin1Char(',') +
              QuoteText(bug.url) + QLatin1Char(',') + QuoteText(bug.mission) + QLatin1Char(')');
    }
    CWaitCursor wait(!quiet);
    const quint32 oldId = bug.id;
    COperationScope op(*this);
    if (!op.Begin())
        return false;
    const bool ok = Execute(sql);
    if (ok && bug.id == 0)
        bug.id = quint32(sqlite3_last_insert_rowid(m_db));
    if (!op.Finish(ok)) {
        bug.id = oldId; // the inserted row was undone
        return false;
    }
    return true;
}

bool CCacheDb::DeleteBug(quint32 bugId, bool quiet) {
    CWaitCursor wait(!quiet);
    COperationScope op(*this);
    if (!op.Begin())
        return false;
    return op.Finish(Execute(QStringLiteral("delete from t_bugs where id=") + Num(bugId)));
}

bool CCacheDb::DeleteBugsOf(quint32 recordId, bool quiet) {
    CWaitCursor wait(!quiet);
    COperationScope op(*this);
    if (!op.Begin())
        return false;
    return op.Finish(Execute(QStringLiteral("delete from t_bugs where wpt_id=") + Num(recordId)));
}

int CCacheDb::CountBugsOf(quint32 recordId) {
    qint64 count = 0;
    return SingleNumber(
               QStringLiteral("select count(id) from t_bugs where wpt_id=") + Num(recordId), count)
               ? int(count)
               : 0;
}

bool CCacheDb::ReplaceBugsOf(quint32 recordId, const QString& bugList) {
    COperationScope op(*this);
    if (!op.Begin())
        return false;
    if (!DeleteBugsOf(recordId, true))
        return op.Finish(false);
    QStringList entries;
    SplitText(bugList, entries, kBugEntrySeparator, true);
    QStringList fields;
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry) {
        SplitText(*entry, fields, kBugFieldSeparator, true);
        if (fields.size() < 2)
            continue;
        CWaypointBug bug;
        bug.wpt_id = recordId;
        bug.tb_num = fields[0];
        bug.name = fields[1];
        if (fields.size() > 2)
            bug.url = fields[2];
        if (!SaveBug(bug, true))
            return op.Finish(false);
    }
    return op.Finish(true);
}
