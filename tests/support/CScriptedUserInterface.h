#pragma once

#include "util/CUserInterface.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

// The user-interface seam for tests: records every message, answers questions from a script and
// keeps count of the wait cursor, links and help topics. A question without a scripted answer
// fails the running test and is answered No (or Cancel).
class CScriptedUserInterface : public CUserInterface {
public:
    struct Message {
        QString text;
        MsgIcon icon;
        MsgButtons buttons;
    };

    MsgAnswer MessageBox(const QString& text, MsgIcon icon, MsgButtons buttons) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    bool ShellOpen(const QString& target) override;
    bool OpenHelp(const QString& topic) override;
    void ResetIdleTimer() override { ++idleResets; }

    // Queue the answers for the next questions, in order.
    void Answer(MsgAnswer answer) { m_answers.push_back(answer); }
    void AnswerYes() { Answer(MsgAnswer::Yes); }
    void AnswerNo() { Answer(MsgAnswer::No); }
    void AnswerCancel() { Answer(MsgAnswer::Cancel); }
    bool AllAnswersUsed() const { return m_answers.empty(); }

    // The texts of all messages so far, and a way to start over.
    QStringList Texts() const;
    void Clear() { messages.clear(); }

    std::vector<Message> messages;
    QStringList opened;     // targets handed to ShellOpen
    QStringList helpTopics; // topics handed to OpenHelp
    bool helpAvailable = true;
    int waitDepth = 0;       // current nesting of the wait cursor
    int waitCursorShown = 0; // how often the cursor went from hidden to shown
    int idleResets = 0;

private:
    std::deque<MsgAnswer> m_answers;
};
