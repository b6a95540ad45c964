#include "ui/list/CRecListModel.h"

#include "db/CCacheRecord.h"
#include "list/CListColumns.h"
#include "list/CRecordList.h"
#include "list/StatusWords.h"
#include "ui/framework/CIconSet.h"

CRecListModel::CRecListModel(CRecordList& list, const CListColumns& columns, QObject* parent)
    : QAbstractTableModel(parent), m_list(list), m_columns(columns) {}

int CRecListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount;
}

int CRecListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns.Count();
}

CRecordSummary* CRecListModel::SummaryAt(int row) const {
    if (row < 0 || row >= m_rowCount || row >= m_list.VisibleCount())
        return nullptr;
    return m_list.VisibleAt(row);
}

int CRecListModel::IconFor(const CRecordSummary& summary, int kind) {
    switch (kind) {
    case kKindBug:
        return (summary.flags & kFlagBugs) ? CIconSet::kBug : -1;
    case kKindNotes:
        switch (summary.log_type) {
        case 1:
            return CIconSet::kNoteLog;
        case 2:
            return CIconSet::kFoundLog;
        case 3:
            return CIconSet::kNotFoundLog;
        default:
            return -1;
        }
    case kKindFound:
        if (CRecordList::IsOwned(summary))
            return CIconSet::kOwned;
        return (summary.flags & kFlagFound) ? CIconSet::kFound : -1;
    case kKindBookmark:
        return (summary.flags & kFlagBookmarked) ? CIconSet::kBookmarked : -1;
    case kKindDisabled:
        return (summary.flags & kFlagDisabled) ? CIconSet::kDisabled : -1;
    default:
        return -1;
    }
}

QVariant CRecListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    CRecordSummary* summary = SummaryAt(index.row());
    if (!summary)
        return QVariant();
    const int kind = m_columns.KindAt(index.column());
    switch (role) {
    case Qt::DisplayRole:
        if (CListColumns::IsIconKind(kind))
            return QVariant();
        return m_list.CellText(*summary, CListColumns::LetterOf(kind));
    case IconRole:
        return CListColumns::IsIconKind(kind) ? QVariant(IconFor(*summary, kind)) : QVariant();
    case Qt::AccessibleTextRole:
        // What an icon means, for screen readers; text cells are read from their display text.
        if (CListColumns::IsIconKind(kind))
            return StatusIconWord(*summary, kind);
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant CRecListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.Count())
        return QVariant();
    if (role == Qt::DisplayRole)
        return CListColumns::HeaderTitle(m_columns.KindAt(section));
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return QVariant();
}

Qt::ItemFlags CRecListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void CRecListModel::SetRowCount(int count) {
    beginResetModel();
    m_rowCount = count;
    endResetModel();
}

void CRecListModel::ColumnsChanged() {
    beginResetModel();
    endResetModel();
}

void CRecListModel::RefreshAll() {
    if (m_rowCount > 0 && m_columns.Count() > 0)
        emit dataChanged(index(0, 0), index(m_rowCount - 1, m_columns.Count() - 1));
}

void CRecListModel::BeginRemoveRow(int row) {
    beginRemoveRows(QModelIndex(), row, row);
}

void CRecListModel::EndRemoveRow() {
    --m_rowCount;
    endRemoveRows();
}
