#pragma once

#include "util/CUserInterface.h"

// The user-interface seam for programs without windows: messages go to standard error, questions
// are answered from a fixed choice (No unless the caller allows Yes), links and help are printed.
class CConsoleUserInterface : public CUserInterface {
public:
    explicit CConsoleUserInterface(bool answerYes = false) : m_answerYes(answerYes) {}

    MsgAnswer MessageBox(const QString& text, MsgIcon icon, MsgButtons buttons) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    bool ShellOpen(const QString& target) override;
    bool OpenHelp(const QString& topic) override;

private:
    bool m_answerYes;
};
