#include "skin/edit/tsui_edit.h"

TsuiEdit::TsuiEdit(QWidget *parent)
    : QLineEdit(parent)
{
    resize(121, 21);
}

void TsuiEdit::setUIStyle(TsuiUIStyle style)
{
    style_ = style;
    update();
}
