#include "ui/framework/CEditMenu.h"

#include "editors/LogTemplate.h"
#include "ui/framework/CMenuEditFlags.h"
#include "ui/framework/CMenuTextEdit.h"
#include "ui/framework/CModalRunner.h"

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

namespace {

// Multi-line fields wrapped in one interface.
bool IsMultiLine(QWidget* field) {
    return qobject_cast<QPlainTextEdit*>(field) || qobject_cast<QTextEdit*>(field);
}

QString MultiLineText(QWidget* field) {
    QString text;
    if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        text = plain->toPlainText();
    else if (auto* rich = qobject_cast<QTextEdit*>(field))
        text = rich->toPlainText();
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
    if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        plain->setTextCursor(replace(plain->document()));
    else if (auto* rich = qobject_cast<QTextEdit*>(field))
        rich->setTextCursor(replace(rich->document()));
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
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        state.canUndo = line->isUndoAvailable();
        state.hasSelection = line->hasSelectedText();
        state.readOnly = line->isReadOnly();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) {
        state.canUndo = plain->document()->isUndoAvailable();
        state.hasSelection = plain->textCursor().hasSelection();
        state.readOnly = plain->isReadOnly();
    } else if (auto* rich = qobject_cast<QTextEdit*>(field)) {
        state.canUndo = rich->document()->isUndoAvailable();
        state.hasSelection = rich->textCursor().hasSelection();
        state.readOnly = rich->isReadOnly();
    }
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
    auto* plain = qobject_cast<QPlainTextEdit*>(field);
    auto* rich = qobject_cast<QTextEdit*>(field);
    switch (command) {
    case EEditCommand::Undo:
        if (line)
            line->undo();
        else if (plain)
            plain->undo();
        else if (rich)
            rich->undo();
        return;
    case EEditCommand::Clear:
        if (line) {
            if (line->hasSelectedText())
                line->del();
        } else if (plain) {
            QTextCursor cursor = plain->textCursor();
            cursor.removeSelectedText();
            plain->setTextCursor(cursor);
        } else if (rich) {
            QTextCursor cursor = rich->textCursor();
            cursor.removeSelectedText();
            rich->setTextCursor(cursor);
        }
        return;
    case EEditCommand::Copy:
        if (line)
            line->copy();
        else if (plain)
            plain->copy();
        else if (rich)
            rich->copy();
        return;
    case EEditCommand::Cut:
        if (line)
            line->cut();
        else if (plain)
            plain->cut();
        else if (rich)
            rich->cut();
        return;
    case EEditCommand::Paste:
        if (line)
            line->paste();
        else if (plain)
            plain->paste();
        else if (rich)
            rich->paste();
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
