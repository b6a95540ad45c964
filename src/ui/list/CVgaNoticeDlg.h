#pragma once

#include <QDialog>

// The notice shown at start on screens of 130 dots per inch or more: "VGA Bug Workaround". It
// closes itself half a second after it opens.
class CVgaNoticeDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCloseAfterMs = 500;
    static const QString kTitle;
    static const QString kText;

    explicit CVgaNoticeDlg(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};
