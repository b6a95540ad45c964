#pragma once

#include <QAbstractTableModel>

class CListColumns;
class CRecordList;
class CRecordSummary;

// The table model of the record list window. It holds only the row count; every cell is asked
// of the record list when the table draws it, so no text is copied. Icon columns have no text:
// they answer the index of their status icon under IconRole (-1 for none); text columns answer
// nothing there.
class CRecListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role { IconRole = Qt::UserRole + 1 };

    CRecListModel(CRecordList& list, const CListColumns& columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The status icon of a cell: the icon index for the column's kind, or -1.
    static int IconFor(const CRecordSummary& summary, int kind);

    // The row count follows the visible list; each change resets the model.
    void SetRowCount(int count);
    // The columns were rebuilt.
    void ColumnsChanged();
    // Every cell may show something else (after a sort).
    void RefreshAll();
    // One row leaves: call Begin, change the visible list, call End.
    void BeginRemoveRow(int row);
    void EndRemoveRow();
    // The summary of a row, or null past the visible list.
    CRecordSummary* SummaryAt(int row) const;

private:
    CRecordList& m_list;
    const CListColumns& m_columns;
    int m_rowCount = 0;
};
