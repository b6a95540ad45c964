// The loaded and visible lists of the record list: loading, lookups, updates and the category.

#include "list/CRecordList.h"

#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"
#include "db/CDbStatement.h"
#include "db/CSummarySink.h"
#include "list/ListNumbers.h"
#include "util/CUserInterface.h"

#include <QSet>

#include <algorithm>
#include <iterator>

namespace {

// The columns of the list query, in the order the database returns them.
enum SummaryColumn {
    kColId,
    kColCid,
    kColLogType,
    kColFlags,
    kColLat,
    kColLon,
    kColLogEnd,
    kColName,
    kColRtype,
    kColWpt,
    kColDiff,
    kColTerr,
    kColOwner,
    kColCont,
    kSummaryColumnCount,
    kColumnUnknown = kSummaryColumnCount
};

const QLatin1String kColumnNames[kSummaryColumnCount] = {
    QLatin1String("id"),      QLatin1String("cid"),  QLatin1String("log_type"),
    QLatin1String("flags"),   QLatin1String("lat"),  QLatin1String("lon"),
    QLatin1String("log_end"), QLatin1String("name"), QLatin1String("rtype"),
    QLatin1String("wpt"),     QLatin1String("diff"), QLatin1String("terr"),
    QLatin1String("owner"),   QLatin1String("cont"),
};

// Fills one summary per row of the record list cursor. The row is read by column index, numbers
// straight from the database; the columns are matched to their fields by name once per scan.
// Texts that many records repeat are kept once and shared.
class CSummaryLoader : public CSummarySink {
public:
    void Begin(CRecordSummary* summary) {
        m_summary = summary;
        m_summary->find_rating = kNoFindRating;
    }

    bool TakeRow(const CDbStatement& row) override {
        if (!m_mapped)
            MapColumns(row);
        CRecordSummary& s = *m_summary;
        for (size_t c = 0; c < m_fields.size(); ++c) {
            switch (m_fields[c]) {
            case kColId:
                s.id = quint32(row.Int64(int(c)));
                break;
            case kColCid:
                s.cid = quint16(row.Int64(int(c)));
                break;
            case kColLogType:
                s.log_type = qint32(row.Int64(int(c)));
                break;
            case kColFlags:
                s.flags = quint32(row.Int64(int(c)));
                break;
            case kColLat:
                s.lat = row.Double(int(c));
                break;
            case kColLon:
                s.lon = row.Double(int(c));
                break;
            case kColumnUnknown:
                break;
            default:
                Store(m_fields[c], row.Text(int(c)));
                break;
            }
        }
        return true;
    }

    // The same by name and text, for a cursor that hands over columns one by one.
    void SetColumn(const QString& name, const QString& value) override {
        for (int c = 0; c < kSummaryColumnCount; ++c) {
            if (name == kColumnNames[c]) {
                Store(c, value);
                return;
            }
        }
    }

    void SetExtraField(const QString& key, const QString& value) override {
        if (key == QLatin1String("custom1"))
            m_summary->custom1 = Shared(value);
        else if (key == QLatin1String("custom2"))
            m_summary->custom2 = Shared(value);
        else if (key == QLatin1String("custom3"))
            m_summary->custom3 = Shared(value);
        else if (key == QLatin1String("find_rat")) {
            m_summary->SetFindRat(value);
            m_summary->find_rat = Shared(m_summary->find_rat);
        }
    }

private:
    void Store(int column, const QString& value) {
        CRecordSummary& s = *m_summary;
        switch (column) {
        case kColId:
            s.id = TextToUInt(value);
            break;
        case kColCid:
            s.cid = quint16(TextToInt(value));
            break;
        case kColLogType:
            s.log_type = TextToInt(value);
            break;
        case kColFlags:
            s.flags = TextToUInt(value);
            break;
        case kColLat:
            s.lat = TextToDouble(value);
            break;
        case kColLon:
            s.lon = TextToDouble(value);
            break;
        case kColLogEnd:
            s.log_end = ParseTimestamp(value);
            break;
        case kColName:
            s.name = value;
            s.name.squeeze();
            break;
        case kColRtype:
            s.rtype = Shared(value);
            break;
        case kColWpt:
            s.wpt = value;
            s.wpt.squeeze();
            break;
        case kColDiff:
            s.diff = Shared(value);
            break;
        case kColTerr:
            s.terr = Shared(value);
            break;
        case kColOwner:
            s.owner = Shared(value);
            break;
        case kColCont:
            s.cont = value.isEmpty() ? kNoContainer : Shared(value);
            break;
        default:
            break;
        }
    }

    // The one shared copy of a repeated text.
    QString Shared(const QString& value) {
        if (value.isEmpty())
            return QString();
        auto it = m_texts.constFind(value);
        if (it == m_texts.constEnd()) {
            QString copy = value;
            copy.squeeze();
            it = m_texts.insert(copy);
        }
        return *it;
    }

    void MapColumns(const CDbStatement& row) {
        m_fields.assign(size_t(row.ColumnCount()), kColumnUnknown);
        for (size_t c = 0; c < m_fields.size(); ++c) {
            const QLatin1String name(row.ColumnName(int(c)));
            for (int f = 0; f < kSummaryColumnCount; ++f) {
                if (name == kColumnNames[f])
                    m_fields[c] = f;
            }
        }
        m_mapped = true;
    }

    CRecordSummary* m_summary = nullptr;
    bool m_mapped = false;
    std::vector<int> m_fields; // the summary column of each statement column
    QSet<QString> m_texts;
};

} // namespace

CRecordList::CRecordList() : m_categoryId(kAllCategoryId), m_categoryName(kAllCategory) {}

CRecordList::~CRecordList() = default;

void CRecordList::Clear() {
    m_bookmarks.clear();
    m_visible.clear();
    m_loaded.clear();
}

const QString CRecordList::kIncompleteListMessage =
    QStringLiteral("The record list is incomplete: only %1 records could be read from the "
                   "database.");

bool CRecordList::LoadSummaries() {
    Clear();
    m_complete = true;
    if (!m_db || !m_db->IsOpen())
        return true;
    CWaitCursor wait;
    if (!m_db->BeginSummaryScan()) {
        m_complete = false;
        ShowError(kIncompleteListMessage.arg(0));
        return false;
    }
    CSummaryLoader loader;
    for (;;) {
        auto summary = std::make_unique<CRecordSummary>();
        loader.Begin(summary.get());
        if (!m_db->NextSummary(loader))
            break;
        if (summary->cont.isEmpty())
            summary->cont = kNoContainer;
        m_loaded.push_back(std::move(summary));
    }
    // A scan that ended on an error has shown the database error; the list says what it lacks.
    m_complete = !m_db->ScanFailed();
    m_db->EndScan();
    m_loaded.shrink_to_fit();
    if (!m_complete)
        ShowError(kIncompleteListMessage.arg(m_loaded.size()));
    return m_complete;
}

int CRecordList::IndexInLoaded(quint32 id) const {
    for (int i = LoadedCount() - 1; i >= 0; --i) {
        if (m_loaded[size_t(i)]->id == id)
            return i;
    }
    return -1;
}

int CRecordList::IndexInVisible(quint32 id) const {
    for (int i = VisibleCount() - 1; i >= 0; --i) {
        if (m_visible[size_t(i)]->id == id)
            return i;
    }
    return -1;
}

void CRecordList::UpdateFromRecord(CRecordSummary& summary, const CCacheRecord& record) {
    summary.CopyFromRecord(record);
}

CRecordSummary* CRecordList::NewSummaryFromRecord(const CCacheRecord& record) {
    auto summary = std::make_unique<CRecordSummary>();
    summary->CopyFromRecord(record);
    summary->id = record.id;
    // A loaded record without a find rate rates -1000; a new one must sort the same way before
    // and after the next reload.
    summary->SetFindRat(record.find_rat);
    m_loaded.push_back(std::move(summary));
    return m_loaded.back().get();
}

void CRecordList::DeleteSummary(CRecordSummary* summary) {
    if (!summary)
        return;
    std::erase(m_visible, summary);
    std::erase(m_bookmarks, summary);
    const auto it = std::find_if(m_loaded.begin(), m_loaded.end(),
                                 [summary](const auto& owned) { return owned.get() == summary; });
    if (it != m_loaded.end())
        m_loaded.erase(it);
}

int CRecordList::DeleteSummaries(const std::function<bool(const CRecordSummary&)>& doomed) {
    const auto isDoomed = [&doomed](const CRecordSummary* s) { return doomed(*s); };
    std::erase_if(m_visible, isDoomed);
    std::erase_if(m_bookmarks, isDoomed);
    return int(std::erase_if(m_loaded, [&doomed](const auto& s) { return doomed(*s); }));
}

void CRecordList::RemoveVisibleAt(int row) {
    if (row >= 0 && row < VisibleCount())
        m_visible.erase(m_visible.begin() + row);
}

void CRecordList::SetCategory(quint16 id, const QString& name) {
    m_categoryId = id;
    m_categoryName = name;
}

void CRecordList::SelectCategory(const QString& name) {
    if (name == kAllCategory) {
        SetCategory(kAllCategoryId, kAllCategory);
        return;
    }
    if (!m_db)
        return;
    const quint16 id = m_db->CategoryIdOf(name);
    SetCategory(id, m_db->CategoryNameOf(id));
}
