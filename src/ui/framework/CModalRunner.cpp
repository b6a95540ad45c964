#include "ui/framework/CModalRunner.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QMenu>

#include <deque>

namespace {

struct ScriptState {
    bool scripted = false;
    std::deque<std::function<void(QWidget&)>> steps;
    CModalRunner::FailureHandler onFailure;
};

ScriptState& State() {
    static ScriptState state;
    return state;
}

} // namespace

int CModalRunner::Run(QDialog& dialog) {
    if (State().scripted)
        return RunScripted(dialog);
    return dialog.exec();
}

int CModalRunner::RunScripted(QDialog& dialog) {
    ScriptState& state = State();
    dialog.setResult(0);
    // Show it as exec() would, and let the work the dialog posted to itself while opening run
    // (a property sheet restores its last page that way) before the first step looks at it. A
    // dialog that ends itself while opening needs no step.
    dialog.show();
    QCoreApplication::processEvents();

    bool stepped = false;
    while (dialog.isVisible()) {
        if (state.steps.empty()) {
            Fail((stepped ? QStringLiteral("Modal dialog still open after its scripted steps: %1")
                          : QStringLiteral("Modal dialog shown without a scripted step: %1"))
                     .arg(Describe(dialog)));
            dialog.reject();
            if (dialog.isVisible()) // its page refused to cancel
                dialog.done(QDialog::Rejected);
            break;
        }
        // Take the step before running it: a nested dialog opened by the step takes the next.
        auto step = std::move(state.steps.front());
        state.steps.pop_front();
        stepped = true;
        step(dialog);
        QCoreApplication::processEvents();
    }
    return dialog.result();
}

void CModalRunner::SetScripted(bool scripted) {
    State().scripted = scripted;
    if (scripted)
        State().steps.clear();
}

bool CModalRunner::IsScripted() {
    return State().scripted;
}

CModalRunner::FailureHandler CModalRunner::SetFailureHandler(FailureHandler handler) {
    FailureHandler previous = std::move(State().onFailure);
    State().onFailure = std::move(handler);
    return previous;
}

void CModalRunner::Fail(const QString& message) {
    if (State().onFailure)
        State().onFailure(message);
    else
        qWarning().noquote() << message;
}

void CModalRunner::Queue(AnyStep step) {
    State().steps.push_back(std::move(step));
}

void CModalRunner::Script(Step step) {
    Queue([step = std::move(step)](QWidget& widget) {
        auto* dialog = qobject_cast<QDialog*>(&widget);
        if (!dialog) {
            Fail(QStringLiteral("Dialog step given the menu \"%1\"").arg(widget.windowTitle()));
            widget.close();
            return;
        }
        step(*dialog);
    });
}

void CModalRunner::ScriptMenu(MenuStep step) {
    Queue([step = std::move(step)](QWidget& widget) {
        auto* menu = qobject_cast<QMenu*>(&widget);
        if (!menu) {
            Fail(QStringLiteral("Menu step given %1")
                     .arg(Describe(*static_cast<QDialog*>(&widget))));
            static_cast<QDialog*>(&widget)->reject();
            return;
        }
        QAction* chosen = step(*menu);
        menu->setProperty("qb_chosen", QVariant::fromValue(static_cast<QObject*>(chosen)));
        menu->close();
    });
}

QAction* CModalRunner::RunMenu(QMenu& menu, const QPoint& globalPos) {
    if (State().scripted)
        return RunMenuScripted(menu, globalPos);
    return menu.exec(globalPos);
}

QAction* CModalRunner::RunMenuScripted(QMenu& menu, const QPoint& globalPos) {
    ScriptState& state = State();
    menu.popup(globalPos);
    QCoreApplication::processEvents();
    if (state.steps.empty()) {
        Fail(QStringLiteral("Menu shown without a scripted step: %1")
                 .arg(menu.actions().isEmpty() ? QString() : menu.actions().first()->text()));
        menu.close();
        return nullptr;
    }
    auto step = std::move(state.steps.front());
    state.steps.pop_front();
    step(menu);
    menu.close();
    QCoreApplication::processEvents();
    auto* chosen = qobject_cast<QAction*>(menu.property("qb_chosen").value<QObject*>());
    menu.setProperty("qb_chosen", QVariant());
    // As after a tap: only an enabled item runs, once the menu has closed.
    if (!chosen || !chosen->isEnabled() || chosen->menu())
        return nullptr;
    chosen->trigger();
    return chosen;
}

QAction* CModalRunner::MenuItem(QMenu& menu, const QString& caption) {
    for (QAction* action : menu.actions()) {
        if (QString(action->text()).remove(QLatin1Char('&')) == caption)
            return action;
        if (QMenu* sub = action->menu()) {
            for (QAction* inner : sub->actions()) {
                if (QString(inner->text()).remove(QLatin1Char('&')) == caption)
                    return inner;
            }
        }
    }
    Fail(QStringLiteral("The menu has no item \"%1\"").arg(caption));
    return nullptr;
}

void CModalRunner::AnswerMessage(QMessageBox::StandardButton button) {
    AnswerMessage(QString(), button);
}

void CModalRunner::AnswerMessage(const QString& text, QMessageBox::StandardButton button) {
    // A null text accepts any message.
    ScriptAs<QMessageBox>([text, button](QMessageBox& box) {
        if (!text.isNull() && box.text() != text)
            Fail(QStringLiteral("Expected the message \"%1\" but got %2").arg(text, Describe(box)));
        QAbstractButton* pressed = box.button(button);
        if (!pressed) {
            Fail(QStringLiteral("Message box has no button 0x%1: %2")
                     .arg(QString::number(int(button), 16), Describe(box)));
            box.reject();
            return;
        }
        pressed->click();
    });
}

int CModalRunner::PendingSteps() {
    return int(State().steps.size());
}

void CModalRunner::ClearScript() {
    State().steps.clear();
}

QString CModalRunner::Describe(const QDialog& dialog) {
    QString text =
        QStringLiteral("%1 \"%2\"")
            .arg(QString::fromLatin1(dialog.metaObject()->className()), dialog.windowTitle());
    if (const auto* box = qobject_cast<const QMessageBox*>(&dialog))
        text += QStringLiteral(" with the text \"%1\"").arg(box->text());
    return text;
}
