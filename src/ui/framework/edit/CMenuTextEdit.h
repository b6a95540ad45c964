#pragma once

#include "ui/framework/edit/CMenuEditFlags.h"

#include <QPlainTextEdit>
#include <QString>

// The program's multi-line text field (notes, descriptions, hints), with the program's Edit menu
// like CMenuEdit. Line ends are "\r\n" in the texts it takes and gives, as they are stored.
class CMenuTextEdit : public QPlainTextEdit, public CMenuEditFlags {
    Q_OBJECT
public:
    explicit CMenuTextEdit(QWidget* parent = nullptr);

    // The text with "\r\n" line ends, and setting it (any line ends).
    QString Text() const;
    void SetText(const QString& text);
    // Replaces the whole text as typing would: one undoable change, the change signals are sent
    // and the caret ends after the text.
    void ReplaceTextAsTyped(const QString& text);
};
