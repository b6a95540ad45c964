#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QPoint>
#include <QString>

#include <functional>

class QAction;
class QMenu;

// Runs every modal dialog and message box of the program. In the program it is exec(). In
// scripted mode (GUI tests) nothing blocks: the dialog is shown, its posted start-up work runs,
// and then queued script steps act on it, one after the other, until the dialog has ended. Steps
// are consumed in the order dialogs ask for them, so a step that makes its dialog open a nested
// message box is followed in the queue by the step that answers that box.
//
//     CModalRunner::Script([](QDialog& d) { d.accept(); });
//     CModalRunner::ScriptAs<CAboutDlg>([](CAboutDlg& about) { ...; about.accept(); });
//     CModalRunner::AnswerMessage(QMessageBox::Yes);
//     CModalRunner::AnswerMessage(QStringLiteral("Delete the selected record?"), QMessageBox::No);
//
// Pop-up menus (the record menu, the category menu, the Edit menu of the text fields) run here
// too. In scripted mode the menu is shown, a menu step looks at it while it is open and names the
// item to choose (or none), and the menu closes before the chosen item runs, as after a tap:
//
//     CModalRunner::ScriptMenu([](QMenu& menu) { return CModalRunner::MenuItem(menu, "Copy"); });
//
// A dialog that ends by itself while opening needs no step. A dialog run without a step, a step
// for a dialog of another class, or a dialog left open when the steps are used up is reported
// through the failure handler (the test main turns it into a test failure) and the dialog is
// rejected.
class CModalRunner {
public:
    using Step = std::function<void(QDialog&)>;
    // Looks at an open menu and returns the item to choose, or null to close it unchosen.
    using MenuStep = std::function<QAction*(QMenu&)>;
    using FailureHandler = std::function<void(const QString& message)>;

    // Shows the dialog modally and returns its result (for a message box, the pressed button).
    static int Run(QDialog& dialog);

    // Scripted mode on or off. Off (the program's mode) clears nothing; turning it on starts with
    // an empty script.
    static void SetScripted(bool scripted);
    static bool IsScripted();
    // Installs the handler that reports script faults; returns the previous one. Without a
    // handler, faults are written as warnings.
    static FailureHandler SetFailureHandler(FailureHandler handler);
    // Reports a script fault through the handler.
    static void Fail(const QString& message);

    // Queues a step for the next dialog that runs (or for the running one while it stays open).
    static void Script(Step step);
    // Queues a step that expects a dialog of class D; any other dialog is a fault and is rejected.
    template <class D, class F> static void ScriptAs(F step);
    // Queues a step that presses `button` of the message box that runs next.
    static void AnswerMessage(QMessageBox::StandardButton button);
    // Same, and the message text must be exactly `text`.
    static void AnswerMessage(const QString& text, QMessageBox::StandardButton button);

    // Shows a pop-up menu at a screen position until the user chooses an item or closes it; runs
    // the chosen item and returns it (null when closed unchosen).
    static QAction* RunMenu(QMenu& menu, const QPoint& globalPos);
    // Queues a step for the next menu that runs.
    static void ScriptMenu(MenuStep step);
    // The item of an open menu or of one of its submenus with the caption (without "&"), or
    // null, reported as a fault.
    static QAction* MenuItem(QMenu& menu, const QString& caption);

    // Steps not yet consumed; and dropping them.
    static int PendingSteps();
    static void ClearScript();

    // A short description of a dialog for fault messages: class, title and, for a message box,
    // its text.
    static QString Describe(const QDialog& dialog);

private:
    using AnyStep = std::function<void(QWidget&)>;
    static void Queue(AnyStep step);
    static int RunScripted(QDialog& dialog);
    static QAction* RunMenuScripted(QMenu& menu, const QPoint& globalPos);
};

template <class D, class F> void CModalRunner::ScriptAs(F step) {
    Script([step](QDialog& dialog) {
        D* typed = dynamic_cast<D*>(&dialog);
        if (!typed) {
            Fail(QStringLiteral("Script step expected a %1 but got %2")
                     .arg(QString::fromLatin1(D::staticMetaObject.className()), Describe(dialog)));
            dialog.reject();
            return;
        }
        step(*typed);
    });
}
