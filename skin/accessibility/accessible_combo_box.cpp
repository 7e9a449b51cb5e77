#include "skin/accessibility/accessible_combo_box.h"

#include "skin/accessibility/accessible_actions.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>

namespace {

// The list first, then the editor, as Qt's own combo boxes order them.
constexpr int ListIndex = 0;
constexpr int EditorIndex = 1;

} // namespace

AccessibleComboBox::AccessibleComboBox(QComboBox *combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox)
{
}

QComboBox *AccessibleComboBox::combo() const { return static_cast<QComboBox *>(widget()); }

QString AccessibleComboBox::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return combo()->isEditable() && combo()->lineEdit() ? combo()->lineEdit()->text() : combo()->currentText();
    if (t == QAccessible::Accelerator)
        return QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText);
    return QAccessibleWidget::text(t);
}

QAccessible::State AccessibleComboBox::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = combo()->view() && combo()->view()->isVisible();
    s.editable = combo()->isEditable();
    return s;
}

int AccessibleComboBox::childCount() const { return combo()->isEditable() && combo()->lineEdit() ? 2 : 1; }

QAccessibleInterface *AccessibleComboBox::child(int index) const
{
    if (index == ListIndex && combo()->view())
        return QAccessible::queryAccessibleInterface(combo()->view());
    if (index == EditorIndex && index < childCount())
        return QAccessible::queryAccessibleInterface(combo()->lineEdit());
    return nullptr;
}

int AccessibleComboBox::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    if (child->object() == combo()->view())
        return ListIndex;
    if (combo()->isEditable() && child->object() == combo()->lineEdit())
        return EditorIndex;
    return -1;
}

QStringList AccessibleComboBox::actionNames() const
{
    return {QAccessibleActionInterface::showMenuAction(), QAccessibleActionInterface::pressAction()};
}

void AccessibleComboBox::doAction(const QString &actionName)
{
    if (actionName != QAccessibleActionInterface::showMenuAction() &&
        actionName != QAccessibleActionInterface::pressAction())
        return;
    // The open list runs no loop of its own, but the answer still goes out before it opens.
    PerformAccessibleAction(combo(), [box = combo()] {
        if (box->view() && box->view()->isVisible())
            box->hidePopup();
        else
            box->showPopup();
    });
}

QStringList AccessibleComboBox::keyBindingsForAction(const QString &actionName) const
{
    if (actionName == QAccessibleActionInterface::showMenuAction())
        return {QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText)};
    return {};
}
