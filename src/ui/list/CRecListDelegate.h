#pragma once

#include <QStyledItemDelegate>

class CRecListView;

// Draws the cells of the record list: text cells as usual, icon cells with their status icon
// (or nothing) over the row's background. In a cell narrower than 21 pixels the icon is centred;
// in a wider one it sits one pixel from the left edge. It is always centred vertically.
class CRecListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CRecListDelegate(CRecListView& view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Where an icon of `edge` pixels goes in a cell.
    static QPoint IconPosition(const QRect& cell, int edge);

private:
    CRecListView& m_view;
};
