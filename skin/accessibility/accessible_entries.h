#pragma once

#include "skin/accessibility/accessible_actions.h"

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

// One part of a skinned widget that is drawn, not a widget of its own: a title-bar button or an
// entry of an open menu. Assistive tools see it as a child of its widget's interface, with a
// role, a name, a state, a place on the screen and one action.
struct AccessibleEntry {
    QAccessible::Role role = QAccessible::NoRole;
    QString name;
    QAccessible::State state;
    QRect rect;                     // in the widget's coordinates
    QString action;                 // QAccessibleActionInterface's name, empty for none
    std::function<void()> perform;  // what the action does
    AccessibleActionKind kind = AccessibleActionKind::Ordinary;
};

// The interface of one entry; it reads the entry afresh from its owner at every question.
class AccessibleEntryInterface : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    using Reader = std::function<AccessibleEntry()>;

    AccessibleEntryInterface(QWidget *owner, QAccessibleInterface *parent, Reader read);

    bool isValid() const override { return !owner_.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override { return parent_; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return read_().role; }
    QAccessible::State state() const override { return read_().state; }
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<QWidget> owner_;
    QAccessibleInterface *parent_;
    Reader read_;
};

// Keeps the entry interfaces of one widget interface: made on first use, registered with Qt's
// accessibility cache so they have ids, and removed from it with their owner's interface.
class AccessibleEntryList {
public:
    AccessibleEntryList() = default;
    AccessibleEntryList(const AccessibleEntryList &) = delete;
    AccessibleEntryList &operator=(const AccessibleEntryList &) = delete;
    ~AccessibleEntryList();

    // The interface for entry index, made with make() the first time it is asked for.
    QAccessibleInterface *at(int index, const std::function<AccessibleEntryInterface *()> &make);
    int indexOf(const QAccessibleInterface *entry) const;

private:
    std::vector<QAccessible::Id> ids_;
};
