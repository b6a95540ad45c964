#include "ui/framework/edit/CEditNameDlg.h"

#include "ui/framework/CModalRunner.h"
#include "ui/framework/edit/CMenuEdit.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

CEditNameDlg::CEditNameDlg(const QString& name, QWidget* parent)
    : QDialog(parent), m_field(new CMenuEdit(this)) {
    setWindowTitle(QStringLiteral("Edit Name"));
    m_field->setMaxLength(kMaxLength);
    // Wide enough to show a whole name of the longest length.
    m_field->setMinimumWidth(m_field->fontMetrics().averageCharWidth() * (kMaxLength + 2));
    m_field->setText(name);
    m_field->selectAll();
    // The field has no label of its own; the dialog's title says what it holds.
    m_field->setAccessibleName(QStringLiteral("Name"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_field);
    layout->addWidget(buttons);

    auto updateOk = [this] { m_ok->setEnabled(!m_field->text().isEmpty()); };
    connect(m_field, &QLineEdit::textChanged, this, updateOk);
    updateOk();
    m_field->setFocus();
}

QString CEditNameDlg::Name() const {
    return m_field->text();
}

bool CEditNameDlg::Run(QString& name, QWidget* parent) {
    CEditNameDlg dialog(name, parent);
    if (CModalRunner::Run(dialog) != QDialog::Accepted)
        return false;
    name = dialog.Name();
    return true;
}
