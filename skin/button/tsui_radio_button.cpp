#include "skin/button/tsui_radio_button.h"

#include <QMouseEvent>
#include <QPointer>

TsuiRadioButton::TsuiRadioButton(QWidget *parent)
    : TsuiCheckBox(parent)
{
}

void TsuiRadioButton::CheckedChanged()
{
    if (!isChecked())
        return;
    // Siblings are unchecked also while loading, so a stored window never shows two checked.
    if (QWidget *parent = parentWidget()) {
        QList<QPointer<TsuiRadioButton>> siblings;
        for (QObject *child : parent->children()) {
            if (auto *radio = qobject_cast<TsuiRadioButton *>(child))
                siblings.append(radio);
        }
        for (const QPointer<TsuiRadioButton> &sibling : siblings) {
            if (sibling && sibling != this && sibling->groupIndex() == group_index_)
                sibling->setChecked(false);
        }
    }
    TsuiCheckBox::CheckedChanged();
}

void TsuiRadioButton::Toggle()
{
    if (!isChecked())
        setChecked(true);
}

void TsuiRadioButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    if (canTakeFocus())
        setFocus(Qt::MouseFocusReason);
    setClickArmed(false);
    emit OnDblClick();
}
