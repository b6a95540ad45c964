#pragma once

#include "util/CUserInterface.h"

#include <QPointer>
#include <QString>

#include <functional>

class CHelpViewer;
class QWidget;

// The user-interface seam of the program, on Qt Widgets: message boxes titled "Quarrybook" run
// through CModalRunner, the wait cursor is the application's override cursor, links go to the
// desktop, and help opens in the program's own help viewer.
class CQtUserInterface : public CUserInterface {
public:
    // Receives record links ("qbook:" followed by a waypoint ID) that ShellOpen is given; the
    // main window installs it to serve them as requests from outside.
    using RecordLinkHandler = std::function<void(const QString& link)>;

    CQtUserInterface();
    ~CQtUserInterface() override;

    MsgAnswer MessageBox(const QString& text, MsgIcon icon, MsgButtons buttons) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    // Record links go to the record link handler when one is set; everything else (and record
    // links without a handler) goes to the desktop: an absolute path as a local file, other text
    // as a URL ("https://...", "mailto:...").
    bool ShellOpen(const QString& target) override;
    // Shows the help viewer at the topic; false when the help file cannot be found.
    bool OpenHelp(const QString& topic) override;

    void SetRecordLinkHandler(RecordLinkHandler handler);
    // The viewer last opened by OpenHelp, if it is still open.
    CHelpViewer* HelpViewer() const;
    int WaitCursorDepth() const { return m_waitDepth; }

private:
    RecordLinkHandler m_recordLinkHandler;
    QPointer<CHelpViewer> m_helpViewer;
    int m_waitDepth = 0;
};
