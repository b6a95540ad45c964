#pragma once

#include <QString>

// The one seam between the core and the user. Core code shows messages, asks questions, shows the
// wait cursor, opens links and help only through the installed CUserInterface. The application
// installs a Qt implementation, the command-line tool a console one, and tests a scripted recorder.

enum class MsgIcon { Stop, Exclamation, Information, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class CUserInterface {
public:
    virtual ~CUserInterface() = default;

    // A modal message box with the given icon and buttons; returns the button pressed.
    virtual MsgAnswer MessageBox(const QString& text, MsgIcon icon, MsgButtons buttons) = 0;
    // Wait cursor on and off; calls nest (the cursor shows while more begins than ends happened).
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Hands a web address, a file or a "qbook:" record link to the desktop. The outcome is not
    // checked by callers; the return value is for tests and logging only.
    virtual bool ShellOpen(const QString& target) = 0;
    // Opens the help file at the anchor `topic`; false when the help cannot be shown.
    virtual bool OpenHelp(const QString& topic) = 0;
    // Tells the desktop that the user is still there during long work without input.
    virtual void ResetIdleTimer() {}

    // The installed implementation; a console one (stderr, every question answered No) when
    // nothing was installed. Install(nullptr) returns to that default. Ownership stays with the
    // caller of Install.
    static CUserInterface& Get();
    static void Install(CUserInterface* ui);
};

// Convenience calls used throughout the core.
MsgAnswer ShowMessage(const QString& text, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok);
inline void ShowError(const QString& text) {
    ShowMessage(text, MsgIcon::Stop);
}
inline void ShowWarning(const QString& text) {
    ShowMessage(text, MsgIcon::Exclamation);
}
inline void ShowInfo(const QString& text) {
    ShowMessage(text, MsgIcon::Information);
}
// A Yes/No question with the question icon; true for Yes.
bool AskYesNo(const QString& text);
// A Yes/No/Cancel question with the question icon.
MsgAnswer AskYesNoCancel(const QString& text);

// Opens a link, file or record link with the desktop; nothing is reported.
void ShellOpen(const QString& target);
// Opens the help file at a topic; shows "Error displaying help topic." when that fails.
void ShowHelpTopic(const QString& topic);

// Shows the wait cursor for the lifetime of the object. `show` false makes it do nothing, so the
// quiet argument of write operations reads naturally: CWaitCursor wait(!quiet);
class CWaitCursor {
public:
    explicit CWaitCursor(bool show = true);
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    bool m_shown;
};

// Keeps error messages (stop icon, OK button) from being shown for the lifetime of the object;
// questions and other messages still reach the user. For a loop that has reported its first
// failure and only counts the rest, such as the records an import could not store.
class CQuietErrors {
public:
    CQuietErrors();
    ~CQuietErrors();
    CQuietErrors(const CQuietErrors&) = delete;
    CQuietErrors& operator=(const CQuietErrors&) = delete;

    // Error messages kept back so far by this object.
    int Count() const;

private:
    int m_countBefore;
};
