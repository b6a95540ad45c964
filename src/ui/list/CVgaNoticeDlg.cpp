#include "ui/list/CVgaNoticeDlg.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

const QString CVgaNoticeDlg::kTitle = QStringLiteral("VGA Bug Workaround");
const QString CVgaNoticeDlg::kText = QStringLiteral(
    "Hi!  You can blame Microsoft for my appearance, due to certain buggy implementations of VGA "
    "support on some Pocket PC devices.");

CVgaNoticeDlg::CVgaNoticeDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(kTitle);
    auto* label = new QLabel(kText, this);
    label->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
}

void CVgaNoticeDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QTimer::singleShot(kCloseAfterMs, this, &QDialog::accept);
}
