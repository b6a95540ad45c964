#pragma once

#include "db/CCacheDb.h"
#include "list/CListColumns.h"
#include "list/CRecordSummary.h"

#include <QChar>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

class CCacheRecord;

// The record list of the open database, independent of any window: the loaded summaries of every
// record, the visible ones that pass the filters in sort order, the bookmark list and the current
// category. Distance and bearing from the centre point are computed when first needed and cached
// in each summary until the centre point or the filters change.
//
// The filter, sort and unit settings and the centre point are read from CAppSettings::Global();
// ownership of a record is decided by the website user ID list (COptionList::SiteUserIds()).
class CRecordList {
public:
    CRecordList();
    ~CRecordList();
    CRecordList(const CRecordList&) = delete;
    CRecordList& operator=(const CRecordList&) = delete;

    // The open database the list reads (not owned); null when none is open.
    void SetDatabase(CCacheDb* db) { m_db = db; }
    CCacheDb* Database() const { return m_db; }

    // --- The lists -------------------------------------------------------------------------

    // Destroys every summary and empties the loaded, visible and bookmark lists.
    void Clear();
    // Empties and refills the loaded list with a summary of every record of the open database,
    // in table order; the visible list is left empty. Does nothing more when no database is
    // open. When the database fails on the way, the database error is shown, then
    // kIncompleteListMessage with the number of records read; the list keeps those records, is
    // marked incomplete, and the result is false.
    bool LoadSummaries();
    // False after a load that could not read every record, until the next load.
    bool IsComplete() const { return m_complete; }
    static const QString kIncompleteListMessage;

    int LoadedCount() const { return int(m_loaded.size()); }
    CRecordSummary* LoadedAt(int index) const { return m_loaded[size_t(index)].get(); }
    int VisibleCount() const { return int(m_visible.size()); }
    // The summary of a row of the list.
    CRecordSummary* VisibleAt(int row) const { return m_visible[size_t(row)]; }
    const std::vector<CRecordSummary*>& Visible() const { return m_visible; }
    // The index of the summary with that record id, searching from the last to the first; -1
    // when there is none.
    int IndexInLoaded(quint32 id) const;
    int IndexInVisible(quint32 id) const;

    // After a record was edited: copies the fields the list shows (not the find rate) into its
    // summary and marks its distance as not computed.
    void UpdateFromRecord(CRecordSummary& summary, const CCacheRecord& record);
    // Builds a summary of a newly saved record and appends it to the loaded list.
    CRecordSummary* NewSummaryFromRecord(const CCacheRecord& record);
    // Removes a summary from every list and destroys it.
    void DeleteSummary(CRecordSummary* summary);
    // Removes every summary for which `doomed` holds from every list and destroys it, in one pass
    // (for commands that delete many records); returns how many were destroyed.
    int DeleteSummaries(const std::function<bool(const CRecordSummary&)>& doomed);
    // Removes a row from the visible list (the summary stays loaded).
    void RemoveVisibleAt(int row);
    void ClearVisible() { m_visible.clear(); }

    // --- Filter and sort -----------------------------------------------------------------------

    // Rebuilds the visible list from the loaded list with the current filter settings and the
    // current category, then sorts it.
    void ApplyFilters();
    // Sorts the visible list by "SortColumn" and "SortAscend". Records that compare equal keep no
    // defined order among themselves.
    void SortVisible();
    // The sort comparison by "SortColumn" and "SortAscend": below 0 when `a` goes first.
    int CompareSummaries(CRecordSummary& a, CRecordSummary& b);
    // The comparison for a given kind and direction; 0 for an unknown kind.
    int CompareSummaries(CRecordSummary& a, CRecordSummary& b, int kind, bool ascend);

    // --- Distance and bearing --------------------------------------------------------------

    // Marks every loaded summary's distance as not computed; call after the centre point or the
    // filters changed.
    void ResetDistances();
    // The central angle from the centre point in radians, -1.0 when the record or the centre
    // point has no coordinates.
    static double Distance(CRecordSummary& summary);
    // The initial bearing from the centre point in degrees, 0 when the distance is unknown.
    static double Bearing(CRecordSummary& summary);
    // The distance in the current unit ("1.9 km", "44 m", "146 ft"; the unit only with
    // "ShowDistUnits"); empty when unknown.
    static QString DistanceText(CRecordSummary& summary);
    // The compass sector ("N", "NE", ... "NW"); empty when the distance is unknown.
    static QString BearingText(CRecordSummary& summary);
    // The bit of a bearing's compass sector as "BearingFilter" holds it: NW 1, N 2, NE 4, W 8,
    // E 16, SW 32, S 64, SE 128.
    static int BearingFilterBit(double bearing);
    // The compass sector text of a bearing in degrees.
    static QString SectorText(double bearing);

    // --- Cells ---------------------------------------------------------------------------------

    // The text of a cell for a column letter "A" to "S"; icon columns and other letters give the
    // empty text. With `bufferLength` above 0 the text is cut to `bufferLength` - 1 characters.
    QString CellText(CRecordSummary& summary, QChar letter, int bufferLength = 0) const;
    // Whether the record is the user's own: its owner is exactly one of the website user IDs.
    static bool IsOwned(const CRecordSummary& summary);

    // --- Category ------------------------------------------------------------------------------

    quint16 CategoryId() const { return m_categoryId; }
    const QString& CategoryName() const { return m_categoryName; }
    // Sets the current category as given (kAllCategoryId with "All" for all categories).
    void SetCategory(quint16 id, const QString& name);
    // Resolves a category name in the open database: "All" gives all categories; another name
    // gives the id of that name (0, "Unfiled", for an unknown name) and then the name of that id.
    void SelectCategory(const QString& name);

    // --- Bookmarks -----------------------------------------------------------------------------

    // Fills the bookmark list with every loaded summary whose record is bookmarked, whatever the
    // filters and category, sorted by name without regard to case. Returns its size.
    int CollectBookmarks();
    const std::vector<CRecordSummary*>& Bookmarks() const { return m_bookmarks; }
    void ClearBookmarks() { m_bookmarks.clear(); }

private:
    CCacheDb* m_db = nullptr;
    std::vector<std::unique_ptr<CRecordSummary>> m_loaded; // owns every summary, table order
    bool m_complete = true;                                // the last load read every record
    std::vector<CRecordSummary*> m_visible;                // the rows, in sort order
    std::vector<CRecordSummary*> m_bookmarks;              // while the Bookmarks command runs
    quint16 m_categoryId;
    QString m_categoryName;
};
