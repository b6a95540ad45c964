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

namespace {

int s_quietErrorDepth = 0;
int s_quietErrorCount = 0;

} // namespace

MsgAnswer ShowMessage(const QString& text, MsgIcon icon, MsgButtons buttons) {
    if (s_quietErrorDepth > 0 && icon == MsgIcon::Stop && buttons == MsgButtons::Ok) {
        ++s_quietErrorCount;
        return MsgAnswer::Ok;
    }
    return CUserInterface::Get().MessageBox(text, icon, buttons);
}

CQuietErrors::CQuietErrors() : m_countBefore(s_quietErrorCount) {
    ++s_quietErrorDepth;
}

CQuietErrors::~CQuietErrors() {
    --s_quietErrorDepth;
}

int CQuietErrors::Count() const {
    return s_quietErrorCount - m_countBefore;
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
