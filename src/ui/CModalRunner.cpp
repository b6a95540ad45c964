#include "ui/CModalRunner.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDebug>

#include <deque>

namespace {

struct ScriptState {
    bool scripted = false;
    std::deque<CModalRunner::Step> steps;
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
        Step step = std::move(state.steps.front());
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

void CModalRunner::Script(Step step) {
    State().steps.push_back(std::move(step));
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
