#include "ui/framework/CQtUserInterface.h"

#include "ui/framework/CHelpViewer.h"
#include "ui/framework/CModalRunner.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace {

const QString kRecordLinkPrefix = QStringLiteral("qbook:");

QMessageBox::Icon BoxIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Stop:
        return QMessageBox::Critical;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton; // the first button, as on the handheld
    QMessageBox::StandardButton escapeButton;  // what closing the box answers
};

ButtonSet BoxButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
    case MsgButtons::OkCancel:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
    case MsgButtons::YesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
    case MsgButtons::YesNoCancel:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                QMessageBox::Cancel};
    }
    return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

MsgAnswer Answer(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        return MsgAnswer::Cancel;
    }
}

} // namespace

CQtUserInterface::CQtUserInterface() = default;

CQtUserInterface::~CQtUserInterface() {
    while (m_waitDepth > 0)
        EndWaitCursor();
    delete m_helpViewer.data();
}

MsgAnswer CQtUserInterface::MessageBox(const QString& text, MsgIcon icon, MsgButtons buttons) {
    const ButtonSet set = BoxButtons(buttons);
    QMessageBox box(BoxIcon(icon), QStringLiteral("Quarrybook"), text, set.buttons,
                    QApplication::activeWindow());
    box.setDefaultButton(set.defaultButton);
    box.setEscapeButton(set.escapeButton);

    // The user must be able to point at the buttons while a long operation shows the wait cursor.
    if (m_waitDepth > 0)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    CModalRunner::Run(box);
    if (m_waitDepth > 0)
        QApplication::restoreOverrideCursor();

    QAbstractButton* clicked = box.clickedButton();
    const QMessageBox::StandardButton pressed =
        clicked ? box.standardButton(clicked) : set.escapeButton;
    return Answer(pressed == QMessageBox::NoButton ? set.escapeButton : pressed);
}

void CQtUserInterface::BeginWaitCursor() {
    if (m_waitDepth++ == 0)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CQtUserInterface::EndWaitCursor() {
    if (m_waitDepth == 0)
        return;
    if (--m_waitDepth == 0)
        QApplication::restoreOverrideCursor();
}

bool CQtUserInterface::ShellOpen(const QString& target) {
    if (target.startsWith(kRecordLinkPrefix, Qt::CaseInsensitive) && m_recordLinkHandler) {
        m_recordLinkHandler(target);
        return true;
    }
    const QUrl url =
        QDir::isAbsolutePath(target) ? QUrl::fromLocalFile(target) : QUrl::fromUserInput(target);
    if (!url.isValid() || url.scheme().isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

bool CQtUserInterface::OpenHelp(const QString& topic) {
    // Help asked for from a modal dialog must open in a window that dialog does not block.
    QWidget* owner = QApplication::activeModalWidget();
    if (m_helpViewer && m_helpViewer->parentWidget() != owner)
        delete m_helpViewer.data(); // one help window at a time
    if (!m_helpViewer) {
        if (!CHelpViewer::HelpFileExists())
            return false;
        m_helpViewer = new CHelpViewer(owner);
    }
    return m_helpViewer->ShowTopic(topic);
}

void CQtUserInterface::SetRecordLinkHandler(RecordLinkHandler handler) {
    m_recordLinkHandler = std::move(handler);
}

CHelpViewer* CQtUserInterface::HelpViewer() const {
    return m_helpViewer.data();
}
