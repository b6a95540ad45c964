#include "ui/framework/CPropertyPageEx.h"

#include "ui/framework/CPropertySheetEx.h"

#include <QDialog>

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
}
