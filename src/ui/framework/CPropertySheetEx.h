#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QVector>

class CPropertyPageEx;
class QDialogButtonBox;
class QPushButton;
class QTabWidget;

// The base of every multi-page dialog: pages on tabs above a command bar with the sheet's own text
// buttons, OK and Cancel (and Help when the sheet has a help topic, also on F1).
//
// OK asks the active page to take and check its data (CPropertyPageEx::OnKillActive) and then
// hands the confirmation to that page (OnOK), which ends the sheet; a page that refuses keeps the
// sheet open on it. Leaving a page for another tab takes its data in the same way. Cancel, Escape
// and closing the window go to the active page's OnCancel.
//
// A sheet with a last-page key remembers the caption of the page last shown as the value of that
// name in the settings section "LastTab", and reopens on it; sheets without a key always open on
// their first page and store nothing.
class CPropertySheetEx : public QDialog {
    Q_OBJECT
public:
    explicit CPropertySheetEx(const QString& caption, QWidget* parent = nullptr);
    ~CPropertySheetEx() override;

    // Adds a page on a new tab named by the page's caption; the sheet owns it. Pages are normally
    // added before the sheet is shown (a page added later is initialised at once).
    void AddPage(CPropertyPageEx* page);
    int PageCount() const { return int(m_pages.size()); }
    CPropertyPageEx* Page(int index) const;
    int ActiveIndex() const { return m_activeIndex; }
    CPropertyPageEx* ActivePage() const { return Page(m_activeIndex); }
    // Before the sheet is shown: the page it opens on (a remembered page is then not looked up).
    // Once shown: makes the page active, unless the page being left refuses; true when the page
    // is active afterwards.
    bool SetActivePage(int index);

    // Tab captions; a sheet may rename its tabs after adding the pages.
    QString TabCaption(int index) const;
    void SetTabCaption(int index, const QString& caption);

    // The name under which the sheet remembers its last page in "LastTab"; empty for none.
    void SetLastPageKey(const QString& key) { m_lastPageKey = key; }
    QString LastPageKey() const { return m_lastPageKey; }
    // The help topic the sheet's Help button and F1 open; empty hides the Help button.
    void SetHelpTopic(const QString& topic);
    QString HelpTopic() const { return m_helpTopic; }

    // Appends a text button to the command bar; pressing it calls OnCommand(command).
    QPushButton* AddCommandButton(int command, const QString& caption);
    void SetCancelButtonVisible(bool visible);
    QDialogButtonBox* CommandBar() const { return m_commandBar; }
    QTabWidget* Tabs() const { return m_tabs; }

    // Asks the active page to take and check its data, as when it is left; for commands that act
    // on the sheet's data while it stays open.
    bool UpdateActivePage();
    // Ends the modal run with a result, without asking the pages.
    void EndSheet(int result);
    // Runs the sheet modally (through CModalRunner) and returns its result.
    int DoModal();

public slots:
    // OK: the active page takes its data and handles the confirmation.
    void accept() override;
    // Cancel: the active page handles it.
    void reject() override;

protected:
    // A command button of the sheet was pressed.
    virtual void OnCommand(int command);
    void showEvent(QShowEvent* event) override;

private:
    void OnTabChanged(int index);
    bool ActivatePage(int index);
    void RestoreLastPage();
    void SaveLastPage();
    void ShowHelp();

    QTabWidget* m_tabs;
    QDialogButtonBox* m_commandBar;
    QPushButton* m_helpButton = nullptr;
    QVector<CPropertyPageEx*> m_pages;
    QStringList m_captions;
    QString m_helpTopic;
    int m_activeIndex = -1;
    bool m_shownOnce = false;      // the first page has been made usable
    QString m_lastPageKey;         // name in "LastTab", or empty
    int m_lastPageIndex = 0;       // page to show first; 0 until a remembered page is found
    bool m_lastPageLoaded = false; // the remembered page was looked up; saving may start
};
