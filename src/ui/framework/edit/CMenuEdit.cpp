#include "ui/framework/edit/CMenuEdit.h"

CMenuEdit::CMenuEdit(QWidget* parent) : QLineEdit(parent) {
    // The Edit menu itself comes from the application's filter (CEditMenu), as for every text
    // field; tap and hold is asked for here so that it also works before the field is polished.
    grabGesture(Qt::TapAndHoldGesture);
}
