#include "skin/button/tsui_radio_button.h"

TsuiRadioButton::TsuiRadioButton(QWidget *parent)
    : TsuiCheckBox(parent)
{
    setAutoExclusive(false);
}

void TsuiRadioButton::nextCheckState()
{
    // A click checks a radio button; it never unchecks it.
    setChecked(true);
}

void TsuiRadioButton::CheckedChanged()
{
    if (!isChecked())
        return;
    if (QWidget *parent = parentWidget()) {
        for (QObject *child : parent->children()) {
            auto *sibling = qobject_cast<TsuiRadioButton *>(child);
            if (sibling && sibling != this && sibling->groupIndex() == group_index_)
                sibling->setChecked(false);
        }
    }
    TsuiCheckBox::CheckedChanged();
}
