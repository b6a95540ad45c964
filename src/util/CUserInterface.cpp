#include "util/CUserInterface.h"

#include "util/CConsoleUserInterface.h"

namespace {
CUserInterface* g_installed = nullptr;
} // namespace

CUserInterface& CUserInterface::Get() {
    static CConsoleUserInterface fallback;
    return g_installed ? *g_installed : fallback;
}

void CUserInterface::Install(CUserInterface* ui) {
    g_installed = ui;
}

MsgAnswer ShowMessage(const QString& text, MsgIcon icon, MsgButtons buttons) {
    return CUserInterface::Get().MessageBox(text, icon, buttons);
}

bool AskYesNo(const QString& text) {
    return ShowMessage(text, MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes;
}

MsgAnswer AskYesNoCancel(const QString& text) {
    return ShowMessage(text, MsgIcon::Question, MsgButtons::YesNoCancel);
}

void ShellOpen(const QString& target) {
    CUserInterface::Get().ShellOpen(target);
}

void ShowHelpTopic(const QString& topic) {
    if (!CUserInterface::Get().OpenHelp(topic))
        ShowError(QStringLiteral("Error displaying help topic."));
}

CWaitCursor::CWaitCursor(bool show) : m_shown(show) {
    if (m_shown)
        CUserInterface::Get().BeginWaitCursor();
}

CWaitCursor::~CWaitCursor() {
    if (m_shown)
        CUserInterface::Get().EndWaitCursor();
}
