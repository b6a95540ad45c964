#include "util/CConsoleUserInterface.h"

#include <cstdio>

namespace {
const char* IconWord(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Stop:
        return "error";
    case MsgIcon::Exclamation:
        return "warning";
    case MsgIcon::Information:
        return "note";
    case MsgIcon::Question:
        return "question";
    }
    return "note";
}
} // namespace

MsgAnswer CConsoleUserInterface::MessageBox(const QString& text, MsgIcon icon, MsgButtons buttons) {
    std::fprintf(stderr, "%s: %s\n", IconWord(icon), text.toLocal8Bit().constData());
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::OkCancel:
        return m_answerYes ? MsgAnswer::Ok : MsgAnswer::Cancel;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        break;
    }
    const MsgAnswer answer = m_answerYes ? MsgAnswer::Yes : MsgAnswer::No;
    std::fprintf(stderr, "  -> %s\n", answer == MsgAnswer::Yes ? "Yes" : "No");
    return answer;
}

bool CConsoleUserInterface::ShellOpen(const QString& target) {
    std::fprintf(stderr, "open: %s\n", target.toLocal8Bit().constData());
    return false;
}

bool CConsoleUserInterface::OpenHelp(const QString& topic) {
    std::fprintf(stderr, "help topic: %s\n", topic.toLocal8Bit().constData());
    return false;
}
