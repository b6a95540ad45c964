#include "ui/CPropertyPageEx.h"

#include "ui/CPropertySheetEx.h"

#include <QBoxLayout>
#include <QDialog>
#include <QGridLayout>

namespace {

// Gives the layout item that holds `control` (directly or through nested layouts) all the extra
// height of `layout`; true when the control was found below it.
bool StretchIn(QLayout* layout, QWidget* control) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        bool found = item->widget() == control;
        if (!found && item->layout())
            found = StretchIn(item->layout(), control);
        if (!found)
            continue;
        if (auto* box = qobject_cast<QBoxLayout*>(layout)) {
            if (box->direction() == QBoxLayout::TopToBottom ||
                box->direction() == QBoxLayout::BottomToTop)
                box->setStretch(i, 1);
        } else if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            grid->setRowStretch(row + rowSpan - 1, 1);
        }
        return true;
    }
    return false;
}

} // namespace

CPropertyPageEx::CPropertyPageEx(const QString& caption, QWidget* parent)
    : QWidget(parent), m_caption(caption) {}

void CPropertyPageEx::OnOK() {
    EndSheet(QDialog::Accepted);
}

void CPropertyPageEx::OnCancel() {
    EndSheet(QDialog::Rejected);
}

void CPropertyPageEx::EndSheet(int result) {
    if (m_sheet)
        m_sheet->EndSheet(result);
}

void CPropertyPageEx::StretchControl(QWidget* control) {
    QSizePolicy policy = control->sizePolicy();
    policy.setVerticalPolicy(QSizePolicy::Expanding);
    policy.setVerticalStretch(1);
    control->setSizePolicy(policy);
    if (layout())
        StretchIn(layout(), control);
}
