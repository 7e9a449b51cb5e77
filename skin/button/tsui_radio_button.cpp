#include "skin/button/tsui_radio_button.h"

#include <QKeyEvent>
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

QList<TsuiRadioButton *> TsuiRadioButton::groupMembers() const
{
    QList<TsuiRadioButton *> members;
    if (!parentWidget())
        return members;
    for (QObject *child : parentWidget()->children()) {
        auto *radio = qobject_cast<TsuiRadioButton *>(child);
        if (radio && radio->groupIndex() == group_index_ && (radio == this || (radio->isEnabled() && radio->isVisible())))
            members.append(radio);
    }
    return members;
}

void TsuiRadioButton::keyPressEvent(QKeyEvent *event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        step = 1;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        step = -1;
        break;
    default:
        TsuiCheckBox::keyPressEvent(event);
        return;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        TsuiCheckBox::keyPressEvent(event);
        return;
    }
    event->accept();
    const QList<TsuiRadioButton *> members = groupMembers();
    if (members.size() < 2 || !isEnabled())
        return;
    // The choice goes round the group, as on every desktop.
    const qsizetype here = members.indexOf(const_cast<TsuiRadioButton *>(this));
    TsuiRadioButton *next = members.at((here + step + members.size()) % members.size());
    QPointer<TsuiRadioButton> guard(next);
    next->setFocus(Qt::OtherFocusReason);
    if (guard)
        next->Click();
}
