#pragma once

#include "recordview/CRecPageGenerator.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class CCacheDb;
class CCacheRecord;
class QAction;
class QTextBrowser;
class QToolBar;
class QUrl;

// "Record View": one record read as its generated pages in a page display that fills the window,
// with the record plug-ins on a toolbar at the bottom. The display never navigates by itself:
// every activated link comes here. "#anchor" scrolls, "qbhv:PAGE" shows a page, "qbhva:ACTION"
// runs an action of the program (view online, go to a related record, edit, run a plug-in), and
// web and mail addresses go to the desktop; any other link (script, local file, data) does
// nothing. Runs modally through CModalRunner; afterwards the caller reads Modified().
class CRecViewWnd : public QDialog {
    Q_OBJECT
public:
    static constexpr int kToolbarRoles[] = {1, 2, 3, 4};

    // `record` is the caller's and stays loaded while the window is open; a change made through
    // the window (a bookmark, an edit) is made to it in place.
    CRecViewWnd(CCacheDb& db, CCacheRecord& record, QWidget* parent = nullptr);
    ~CRecViewWnd() override;

    // Runs the window modally.
    int DoModal();
    // The record or its flags were changed through the window.
    bool Modified() const { return m_modified; }

    // Acts on an activated link, as a tap on it does; false when the target is not the program's
    // and was left alone (not handed anywhere).
    void ActivateLink(const QString& target);
    // Shows a page by its name, optionally followed by "#" and an anchor.
    void ShowPage(const QString& pageName);

    QTextBrowser* PageDisplay() const { return m_page; }
    QToolBar* Toolbar() const { return m_toolbar; }
    QAction* ToolbarAction(int role) const;
    const CRecPageGenerator& Generator() const { return m_generator; }
    const CCacheRecord& Record() const { return m_record; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class CBrowserSink;

    void OnAnchorClicked(const QUrl& url);
    void OnAction(const QString& action);
    // The editors are not part of the program yet: the edit requests arrive here, after the tap
    // has been answered, and do nothing.
    void OnEditRequest(bool editRecord);
    void OnPluginLink(int index);
    void RunPlugin(int role);
    void UpdateToolbar();

    CCacheDb& m_db;
    CCacheRecord& m_record;
    CRecPageGenerator m_generator;
    QTextBrowser* m_page;
    QToolBar* m_toolbar;
    QList<QAction*> m_toolbarActions;
    bool m_modified = false;
};
