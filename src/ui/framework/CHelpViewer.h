#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QTextBrowser;

// The help window: the help file "Quarrybook.htm" in a text browser, opened at a topic (an anchor
// of the file). Links inside the file move within it; web links go to the desktop. The window
// does not keep the program running when it is the last one open.
class CHelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit CHelpViewer(QWidget* parent = nullptr);

    // Loads the help file, scrolls to the topic's anchor and shows and raises the window.
    // False, with nothing shown, when the help file cannot be found.
    bool ShowTopic(const QString& topic);
    QTextBrowser* Browser() const { return m_browser; }

    // Where the help file is read from: the file set with SetHelpFile when there is one,
    // otherwise the copy built into the program.
    static QString HelpFilePath();
    static bool HelpFileExists();
    // Reads the help from another file (tests, or a help file kept beside the program); the empty
    // text returns to the built-in copy.
    static void SetHelpFile(const QString& path);
    // The address of a topic in the help file.
    static QUrl TopicUrl(const QString& topic);

private:
    QTextBrowser* m_browser;
};
