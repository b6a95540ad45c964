#pragma once

#include <QString>
#include <QWidget>

class CPropertySheetEx;

// The base of every page of a property sheet. A page builds its controls in its constructor and
// works on data members of its own that the sheet's owner fills before the sheet runs and reads
// after it ended with OK:
//   - OnInitPage fills the controls from the data, once, when the sheet is first shown;
//   - OnKillActive takes the data back from the controls and checks it whenever the page is left
//     (another tab, or OK while the page is active); refusing keeps the page and the sheet open;
//   - OnOK and OnCancel run when the user confirms or cancels the sheet while the page is active;
//     by default they end the sheet.
class CPropertyPageEx : public QWidget {
    Q_OBJECT
public:
    explicit CPropertyPageEx(const QString& caption, QWidget* parent = nullptr);

    // The caption the page was created with (the sheet's tab caption may be renamed later).
    QString Caption() const { return m_caption; }
    // The sheet the page was added to, or null.
    CPropertySheetEx* Sheet() const { return m_sheet; }

    // Fills the controls from the page's data; called once per page, in page order, when the sheet
    // is first shown.
    virtual void OnInitPage() {}
    // The page becomes the active page; false refuses and the sheet stays on the page it was on.
    virtual bool OnSetActive() { return true; }
    // The page is being left: take the data from the controls and check it. A page that refuses
    // tells the user why (ShowWarning), puts the focus into the field and returns false; the
    // page, and the sheet, then stay open.
    virtual bool OnKillActive() { return true; }
    // The sheet was confirmed while this page is active and its data was taken. Ends the sheet
    // with OK; a page that must ask the user first overrides this and calls the base to close.
    virtual void OnOK();
    // The sheet was cancelled while this page is active. Ends the sheet with Cancel.
    virtual void OnCancel();

    // Ends the sheet containing the page with a result (QDialog::Accepted, QDialog::Rejected or
    // a result of the sheet's own) without further checks.
    void EndSheet(int result);

protected:
    // Makes `control`, the page's main text or list control, take all the height the page's other
    // controls leave (in a box or grid layout), so that it grows with the sheet; controls laid
    // out below it move down.
    void StretchControl(QWidget* control);

private:
    friend class CPropertySheetEx;

    QString m_caption;
    CPropertySheetEx* m_sheet = nullptr;
};
