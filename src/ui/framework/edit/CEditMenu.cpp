#include "ui/framework/edit/CEditMenu.h"

#include "editors/LogTemplate.h"
#include "ui/framework/CModalRunner.h"
#include "ui/framework/edit/CMenuEditFlags.h"
#include "ui/framework/edit/CMenuTextEdit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGestureEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTapAndHoldGesture>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextEdit>

#include <type_traits>

namespace {

// Calls `action` with the field as the text field class it is.
template <class F> void OnField(QWidget* field, F action) {
    if (auto* line = qobject_cast<QLineEdit*>(field))
        action(line);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        action(plain);
    else if (auto* rich = qobject_cast<QTextEdit*>(field))
        action(rich);
}

bool IsMultiLine(QWidget* field) {
    return qobject_cast<QPlainTextEdit*>(field) || qobject_cast<QTextEdit*>(field);
}

QString MultiLineText(QWidget* field) {
    QString text;
    OnField(field, [&text](auto* edit) {
        if constexpr (!std::is_same_v<decltype(edit), QLineEdit*>)
            text = edit->toPlainText();
    });
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void ReplaceMultiLineText(QWidget* field, const QString& stored) {
    if (auto* menuText = qobject_cast<CMenuTextEdit*>(field)) {
        menuText->ReplaceTextAsTyped(stored);
        return;
    }
    QString text = stored;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    auto replace = [&text](QTextDocument* document) {
        QTextCursor cursor(document);
        cursor.beginEditBlock();
        cursor.select(QTextCursor::Document);
        cursor.insertText(text);
        cursor.endEditBlock();
        return cursor;
    };
    OnField(field, [&replace](auto* edit) {
        if constexpr (!std::is_same_v<decltype(edit), QLineEdit*>)
            edit->setTextCursor(replace(edit->document()));
    });
}

// The application-wide filter: context-menu requests and tap-and-hold gestures of text fields
// open the program's Edit menu; text fields ask for tap and hold when they are first polished.
class CEditMenuFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::ContextMenu && type != QEvent::Gesture && type != QEvent::Polish)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        QWidget* field = widget ? CEditMenu::FieldOf(widget) : nullptr;
        if (!field)
            return false;
        switch (type) {
        case QEvent::Polish:
            // The gesture arrives where the presses go: the field, or a multi-line field's
            // viewport.
            if (widget == field)
                (IsMultiLine(field) ? static_cast<QAbstractScrollArea*>(field)->viewport() : field)
                    ->grabGesture(Qt::TapAndHoldGesture);
            return false;
        case QEvent::ContextMenu: {
            auto* menuEvent = static_cast<QContextMenuEvent*>(event);
            QPoint global = menuEvent->globalPos();
            if (menuEvent->reason() == QContextMenuEvent::Keyboard)
                global = field->mapToGlobal(
                    field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
            CEditMenu::Open(field, global);
            return true;
        }
        case QEvent::Gesture: {
            auto* gestures = static_cast<QGestureEvent*>(event);
            auto* hold = static_cast<QTapAndHoldGesture*>(gestures->gesture(Qt::TapAndHoldGesture));
            if (!hold)
                return false;
            if (hold->state() == Qt::GestureFinished)
                CEditMenu::Open(field, hold->position().toPoint());
            gestures->accept(hold);
            return true;
        }
        default:
            return false;
        }
    }
};

} // namespace

QWidget* CEditMenu::FieldOf(QWidget* widget) {
    if (!widget)
        return nullptr;
    if (qobject_cast<QLineEdit*>(widget))
        return widget;
    QWidget* candidate = widget;
    if (!IsMultiLine(candidate)) {
        // The viewport of a multi-line field.
        candidate = widget->parentWidget();
        auto* area = qobject_cast<QAbstractScrollArea*>(candidate);
        if (!area || area->viewport() != widget)
            return nullptr;
    }
    if (!IsMultiLine(candidate) || qobject_cast<QTextBrowser*>(candidate))
        return nullptr;
    return candidate;
}

CEditFieldState CEditMenu::StateOf(QWidget* field) {
    CEditFieldState state;
    state.enabled = field->isEnabled();
    OnField(field, [&state](auto* edit) {
        state.readOnly = edit->isReadOnly();
        if constexpr (std::is_same_v<decltype(edit), QLineEdit*>) {
            state.canUndo = edit->isUndoAvailable();
            state.hasSelection = edit->hasSelectedText();
        } else {
            state.canUndo = edit->document()->isUndoAvailable();
            state.hasSelection = edit->textCursor().hasSelection();
        }
    });
    return state;
}

void CEditMenu::Open(QWidget* field, const QPoint& globalPos) {
    const auto* flags = dynamic_cast<const CMenuEditFlags*>(field);
    const bool extended = flags && flags->Extended();
    QMenu menu(field);
    menu.setTitle(QStringLiteral("Edit"));
    for (const CEditMenuItem& item : EditMenuItems(StateOf(field), extended)) {
        if (item.separatorBefore)
            menu.addSeparator();
        QAction* action = menu.addAction(item.caption);
        action->setEnabled(item.enabled);
        action->setCheckable(item.checkable);
        action->setChecked(item.checked);
        const EEditCommand command = item.command;
        QObject::connect(action, &QAction::triggered, field,
                         [field, command] { Run(field, command); });
    }
    CModalRunner::RunMenu(menu, globalPos);
}

void CEditMenu::Run(QWidget* field, EEditCommand command) {
    auto* line = qobject_cast<QLineEdit*>(field);
    switch (command) {
    case EEditCommand::Undo:
        OnField(field, [](auto* edit) { edit->undo(); });
        return;
    case EEditCommand::Clear:
        OnField(field, [](auto* edit) {
            if constexpr (std::is_same_v<decltype(edit), QLineEdit*>) {
                if (edit->hasSelectedText())
                    edit->del();
            } else {
                QTextCursor cursor = edit->textCursor();
                cursor.removeSelectedText();
                edit->setTextCursor(cursor);
            }
        });
        return;
    case EEditCommand::Copy:
        OnField(field, [](auto* edit) { edit->copy(); });
        return;
    case EEditCommand::Cut:
        OnField(field, [](auto* edit) { edit->cut(); });
        return;
    case EEditCommand::Paste:
        OnField(field, [](auto* edit) { edit->paste(); });
        return;
    case EEditCommand::LogTemplate: {
        const auto* flags = dynamic_cast<const CMenuEditFlags*>(field);
        const QString current = line ? line->text() : MultiLineText(field);
        QString result;
        if (!InsertLogTemplate(current, flags && flags->CountsFind(), result))
            return;
        if (line) {
            // As typed: the change signals are sent and the change can be undone.
            line->selectAll();
            line->insert(result);
        } else {
            ReplaceMultiLineText(field, result);
        }
        return;
    }
    case EEditCommand::AutoInsert:
        ToggleAutoInsertLogTemplate();
        return;
    }
}

void CEditMenu::InstallForApplication() {
    qApp->installEventFilter(new CEditMenuFilter(qApp));
}
