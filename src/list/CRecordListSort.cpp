// The sort order of the visible list and the bookmark list.

#include "list/CRecordList.h"

#include "db/CCacheRecord.h"
#include "settings/CAppSettings.h"
#include "settings/COptionList.h"

#include <algorithm>
#include <utility>

namespace {

// Text kinds compare without regard to case: code unit by code unit, each case-folded (letters
// equal their other case), then by character code; a text that is the start of another sorts
// first.
inline char16_t FoldUnit(char16_t u) {
    if (u < 0x80)
        return u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
    if (QChar::isSurrogate(u))
        return u;
    const char32_t folded = QChar::toCaseFolded(char32_t(u));
    return folded <= 0xFFFF ? char16_t(folded) : u;
}

int CompareText(QStringView a, QStringView b) {
    // Shared texts (the list loads repeated values once) are equal at once.
    if (a.data() == b.data() && a.size() == b.size())
        return 0;
    const qsizetype n = qMin(a.size(), b.size());
    const char16_t* pa = a.utf16();
    const char16_t* pb = b.utf16();
    // Equal code units are equal folded too: only the positions where they differ are folded.
    for (qsizetype i = 0; i < n; ++i) {
        i = std::mismatch(pa + i, pa + n, pb + i).first - pa;
        if (i == n)
            break;
        const char16_t fa = FoldUnit(pa[i]);
        const char16_t fb = FoldUnit(pb[i]);
        if (fa != fb)
            return fa < fb ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

template <typename T> int CompareNumbers(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// A set flag sorts after a clear one.
int CompareFlag(const CRecordSummary& a, const CRecordSummary& b, quint32 flag) {
    return CompareNumbers(int((a.flags & flag) != 0), int((b.flags & flag) != 0));
}

QString CRecordSummary::*TextField(int kind) {
    switch (kind) {
    case kKindType:
        return &CRecordSummary::rtype;
    case kKindContainer:
        return &CRecordSummary::cont;
    case kKindName:
        return &CRecordSummary::name;
    case kKindWpt:
        return &CRecordSummary::wpt;
    case kKindDiff:
        return &CRecordSummary::diff;
    case kKindTerr:
        return &CRecordSummary::terr;
    case kKindOwner:
        return &CRecordSummary::owner;
    case kKindCustom1:
        return &CRecordSummary::custom1;
    case kKindCustom2:
        return &CRecordSummary::custom2;
    case kKindCustom3:
        return &CRecordSummary::custom3;
    default:
        return nullptr;
    }
}

// The order of the bearing texts by character code: "", "E", "N", "NE", "NW", "S", "SE", "SW",
// "W". Comparing ranks gives the order of the texts without building them.
int BearingRank(CRecordSummary& s) {
    if (CRecordList::Distance(s) < 0.0)
        return 0;
    switch (CRecordList::BearingFilterBit(s.bearing)) {
    case 16: // E
        return 1;
    case 2: // N
        return 2;
    case 4: // NE
        return 3;
    case 1: // NW
        return 4;
    case 64: // S
        return 5;
    case 128: // SE
        return 6;
    case 32: // SW
        return 7;
    default: // W
        return 8;
    }
}

// Owned records sort after the others; then found ones after the others.
int FoundRank(const CRecordSummary& s, bool owned) {
    return (owned ? 2 : 0) + ((s.flags & kFlagFound) != 0 ? 1 : 0);
}

// Sorts the rows by a number computed once per row.
template <typename Key, typename KeyOf>
void SortByKey(std::vector<CRecordSummary*>& rows, bool ascend, KeyOf keyOf) {
    std::vector<std::pair<Key, CRecordSummary*>> keyed;
    keyed.reserve(rows.size());
    for (CRecordSummary* s : rows)
        keyed.emplace_back(keyOf(*s), s);
    if (ascend)
        std::sort(keyed.begin(), keyed.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
    else
        std::sort(keyed.begin(), keyed.end(),
                  [](const auto& a, const auto& b) { return b.first < a.first; });
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = keyed[i].second;
}

// The sort key of a text: its first eight folded code units packed into two numbers that order
// the same way (shorter texts padded with zeros), so that most comparisons need not look at the
// texts themselves.
struct TextKey {
    quint64 prefix[2];
    QStringView text;
    CRecordSummary* summary;

    bool operator<(const TextKey& other) const {
        if (prefix[0] != other.prefix[0])
            return prefix[0] < other.prefix[0];
        if (prefix[1] != other.prefix[1])
            return prefix[1] < other.prefix[1];
        return CompareText(text, other.text) < 0;
    }
};

void SortByText(std::vector<CRecordSummary*>& rows, bool ascend, QString CRecordSummary::*field) {
    std::vector<TextKey> keys;
    keys.reserve(rows.size());
    for (CRecordSummary* s : rows) {
        const QStringView text = s->*field;
        TextKey key{{0, 0}, text, s};
        for (qsizetype i = 0; i < 8; ++i) {
            quint64& part = key.prefix[i / 4];
            part = (part << 16) | (i < text.size() ? FoldUnit(text[i].unicode()) : 0u);
        }
        keys.push_back(key);
    }
    if (ascend)
        std::sort(keys.begin(), keys.end());
    else
        std::sort(keys.begin(), keys.end(),
                  [](const TextKey& a, const TextKey& b) { return b < a; });
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = keys[i].summary;
}

} // namespace

int CRecordList::CompareSummaries(CRecordSummary& a, CRecordSummary& b) {
    const CAppSettings& settings = CAppSettings::Global();
    return CompareSummaries(a, b, settings.m_sortColumn, settings.m_sortAscend != 0);
}

int CRecordList::CompareSummaries(CRecordSummary& a, CRecordSummary& b, int kind, bool ascend) {
    int r = 0;
    if (QString CRecordSummary::*field = TextField(kind)) {
        r = CompareText(a.*field, b.*field);
    } else {
        switch (kind) {
        case kKindBug:
            r = CompareFlag(a, b, kFlagBugs);
            break;
        case kKindNotes:
            r = CompareNumbers(a.log_type, b.log_type);
            break;
        case kKindFound:
            r = CompareNumbers(FoundRank(a, IsOwned(a)), FoundRank(b, IsOwned(b)));
            break;
        case kKindBookmark:
            r = CompareFlag(a, b, kFlagBookmarked);
            break;
        case kKindDistance:
            r = CompareNumbers(Distance(a), Distance(b));
            break;
        case kKindBearing:
            r = CompareNumbers(BearingRank(a), BearingRank(b));
            break;
        case kKindHuntEnd:
            r = CompareNumbers(a.log_end, b.log_end);
            break;
        case kKindDisabled:
            r = CompareFlag(a, b, kFlagDisabled);
            break;
        case kKindFindRating:
            r = CompareNumbers(a.find_rating, b.find_rating);
            break;
        default:
            break;
        }
    }
    return ascend ? r : -r;
}

void CRecordList::SortVisible() {
    const CAppSettings& settings = CAppSettings::Global();
    const int kind = settings.m_sortColumn;
    const bool ascend = settings.m_sortAscend != 0;
    if (QString CRecordSummary::*field = TextField(kind)) {
        SortByText(m_visible, ascend, field);
        return;
    }
    switch (kind) {
    case kKindBug:
        SortByKey<int>(m_visible, ascend,
                       [](CRecordSummary& s) { return int(s.flags & kFlagBugs); });
        break;
    case kKindNotes:
        SortByKey<qint32>(m_visible, ascend, [](CRecordSummary& s) { return s.log_type; });
        break;
    case kKindFound: {
        // The website user IDs are looked up once per row, not once per comparison.
        COptionList& ids = COptionList::SiteUserIds();
        SortByKey<int>(m_visible, ascend, [&ids](CRecordSummary& s) {
            return FoundRank(s, !s.owner.isEmpty() && ids.Contains(s.owner));
        });
        break;
    }
    case kKindBookmark:
        SortByKey<int>(m_visible, ascend,
                       [](CRecordSummary& s) { return int(s.flags & kFlagBookmarked); });
        break;
    case kKindDistance:
        SortByKey<double>(m_visible, ascend, [](CRecordSummary& s) { return Distance(s); });
        break;
    case kKindBearing:
        SortByKey<int>(m_visible, ascend, [](CRecordSummary& s) { return BearingRank(s); });
        break;
    case kKindHuntEnd:
        SortByKey<quint64>(m_visible, ascend, [](CRecordSummary& s) { return s.log_end; });
        break;
    case kKindDisabled:
        SortByKey<int>(m_visible, ascend,
                       [](CRecordSummary& s) { return int(s.flags & kFlagDisabled); });
        break;
    case kKindFindRating:
        SortByKey<qint32>(m_visible, ascend, [](CRecordSummary& s) { return s.find_rating; });
        break;
    default: // an unknown kind compares every record equal
        break;
    }
}

int CRecordList::CollectBookmarks() {
    m_bookmarks.clear();
    for (auto it = m_loaded.rbegin(); it != m_loaded.rend(); ++it) {
        if ((*it)->flags & kFlagBookmarked)
            m_bookmarks.push_back(it->get());
    }
    m_bookmarks.shrink_to_fit();
    // By name, ascending, whatever the list is sorted by.
    std::sort(m_bookmarks.begin(), m_bookmarks.end(), [this](CRecordSummary* a, CRecordSummary* b) {
        return CompareSummaries(*a, *b, kKindName, true) < 0;
    });
    return int(m_bookmarks.size());
}
