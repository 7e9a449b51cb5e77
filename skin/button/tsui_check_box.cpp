#include "skin/button/tsui_check_box.h"

TsuiCheckBox::TsuiCheckBox(QWidget *parent)
    : QCheckBox(parent)
{
    // toggled fires only on a real change, from a click or from setChecked alike.
    connect(this, &QCheckBox::toggled, this, [this] { CheckedChanged(); });
}

void TsuiCheckBox::setUIStyle(TsuiUIStyle style)
{
    style_ = style;
    update();
}

void TsuiCheckBox::CheckedChanged()
{
    if (!loading_)
        emit OnClick();
}
