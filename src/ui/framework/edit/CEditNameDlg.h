#pragma once

#include <QDialog>
#include <QString>

class CMenuEdit;
class QPushButton;

// The dialog "Edit Name": one text field of at most 30 characters above "OK" and "Cancel". "OK"
// is enabled only while the field holds text. The name is taken as typed; the callers check it
// (duplicates, unchanged names).
class CEditNameDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 30;

    explicit CEditNameDlg(const QString& name = QString(), QWidget* parent = nullptr);

    // Runs the dialog (through CModalRunner) with `name` in the field; true for OK, with the
    // entered name in `name`. Cancel leaves `name` as it was.
    static bool Run(QString& name, QWidget* parent = nullptr);

    QString Name() const;
    CMenuEdit* Field() const { return m_field; }
    QPushButton* OkButton() const { return m_ok; }

private:
    CMenuEdit* m_field;
    QPushButton* m_ok;
};
