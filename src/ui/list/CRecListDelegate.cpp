#include "ui/list/CRecListDelegate.h"

#include "ui/list/CRecListModel.h"
#include "ui/list/CRecListView.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

CRecListDelegate::CRecListDelegate(CRecListView& view) : QStyledItemDelegate(&view), m_view(view) {}

QPoint CRecListDelegate::IconPosition(const QRect& cell, int edge) {
    const int top = cell.top() + (cell.height() - edge) / 2;
    const int left = cell.width() < 21 ? cell.left() + (cell.width() - edge) / 2 : cell.left() + 1;
    return QPoint(left, top);
}

void CRecListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const QVariant icon = index.data(CRecListModel::IconRole);
    if (!icon.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The row's background (selection, focus) without any text, then the icon.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const int number = icon.toInt();
    const auto& icons = m_view.StatusIcons();
    if (number < 0 || number >= int(icons.size()) || icons[size_t(number)].isNull())
        return;
    const QPixmap& pixmap = icons[size_t(number)];
    const int edge = int(pixmap.width() / pixmap.devicePixelRatio());
    painter->save();
    painter->setClipRect(option.rect);
    painter->drawPixmap(IconPosition(option.rect, edge), pixmap);
    painter->restore();
}

QSize CRecListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const QVariant icon = index.data(CRecListModel::IconRole);
    if (!icon.isValid())
        return QStyledItemDelegate::sizeHint(option, index);
    const auto& icons = m_view.StatusIcons();
    const int edge = icons[0].isNull() ? 8 : icons[0].width();
    return QSize(edge + 2, edge + 2);
}
