#include "ui/framework/CLinkLabel.h"

#include "util/CUserInterface.h"

#include <QKeyEvent>
#include <QMouseEvent>

CLinkLabel::CLinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(palette);
    Underline();
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setToolTip(LinkTarget(text));
}

QString CLinkLabel::LinkTarget(const QString& text) {
    // "https://" counts as a web address too: handing it on as "mailto:https://..." would open
    // the mail program on a web address.
    if (text.startsWith(QStringLiteral("http://")) || text.startsWith(QStringLiteral("https://")))
        return text;
    return QStringLiteral("mailto:") + text;
}

void CLinkLabel::Activate() {
    ShellOpen(LinkTarget(text()));
}

void CLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Activate();
}

void CLinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Activate();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void CLinkLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Underline();
}

void CLinkLabel::Underline() {
    if (font().underline())
        return;
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
}
