#include "CScriptedUserInterface.h"

#include <gtest/gtest.h>

MsgAnswer CScriptedUserInterface::MessageBox(const QString& text, MsgIcon icon,
                                             MsgButtons buttons) {
    messages.push_back({text, icon, buttons});
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    if (m_answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << text.toStdString();
        return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    }
    const MsgAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void CScriptedUserInterface::BeginWaitCursor() {
    if (waitDepth++ == 0)
        ++waitCursorShown;
}

void CScriptedUserInterface::EndWaitCursor() {
    EXPECT_GT(waitDepth, 0) << "wait cursor ended more often than begun";
    --waitDepth;
}

bool CScriptedUserInterface::ShellOpen(const QString& target) {
    opened << target;
    return true;
}

bool CScriptedUserInterface::OpenHelp(const QString& topic) {
    helpTopics << topic;
    return helpAvailable;
}

QStringList CScriptedUserInterface::Texts() const {
    QStringList texts;
    for (const Message& m : messages)
        texts << m.text;
    return texts;
}
