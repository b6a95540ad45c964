#include "ui/framework/edit/CMenuTextEdit.h"

#include <QTextCursor>

namespace {

QString ToFieldLines(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

CMenuTextEdit::CMenuTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
    viewport()->grabGesture(Qt::TapAndHoldGesture);
    // Tab moves on to the next control, as in every other field of a dialog.
    setTabChangesFocus(true);
}

QString CMenuTextEdit::Text() const {
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void CMenuTextEdit::SetText(const QString& text) {
    setPlainText(ToFieldLines(text));
}

void CMenuTextEdit::ReplaceTextAsTyped(const QString& text) {
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(ToFieldLines(text));
    cursor.endEditBlock();
    setTextCursor(cursor);
}
