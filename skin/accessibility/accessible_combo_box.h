#pragma once

#include <QAccessibleWidget>

class QComboBox;

// A combo box as a screen reader meets it: named by its label, its current text as its value,
// its open list and its editor as children, and an action that opens and closes the list.
// (Qt's own interface names a combo box by its current text on Linux, so that a reader that does
// not follow label relations says something; the skinned windows give every combo box a label.)
class AccessibleComboBox : public QAccessibleWidget {
public:
    explicit AccessibleComboBox(QComboBox *combo);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    QComboBox *combo() const;
};
