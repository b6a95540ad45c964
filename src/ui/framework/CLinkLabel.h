#pragma once

#include <QLabel>

// The link control of dialogs: its text in blue (0, 0, 255) and underlined; releasing the mouse
// on it (or Enter or Space while it has the focus) opens it through ShellOpen. A web address
// opens as it is; any other text is taken for an e-mail address and opens as "mailto:" + text.
class CLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit CLinkLabel(const QString& text, QWidget* parent = nullptr);

    // What ShellOpen is given for a link text.
    static QString LinkTarget(const QString& text);
    // Opens the link.
    void Activate();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Underline();
};
