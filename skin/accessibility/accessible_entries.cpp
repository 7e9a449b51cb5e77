#include "skin/accessibility/accessible_entries.h"

#include <utility>

AccessibleEntryInterface::AccessibleEntryInterface(QWidget *owner, QAccessibleInterface *parent, Reader read)
    : owner_(owner)
    , parent_(parent)
    , read_(std::move(read))
{
}

QWindow *AccessibleEntryInterface::window() const { return parent_->window(); }

QString AccessibleEntryInterface::text(QAccessible::Text t) const
{
    return t == QAccessible::Name && owner_ ? read_().name : QString();
}

QRect AccessibleEntryInterface::rect() const
{
    if (!owner_)
        return {};
    const QRect local = read_().rect;
    return local.isEmpty() ? QRect() : QRect(owner_->mapToGlobal(local.topLeft()), local.size());
}

void *AccessibleEntryInterface::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
}

QStringList AccessibleEntryInterface::actionNames() const
{
    if (!owner_)
        return {};
    const AccessibleEntry entry = read_();
    return entry.action.isEmpty() || entry.state.disabled ? QStringList() : QStringList{entry.action};
}

void AccessibleEntryInterface::doAction(const QString &actionName)
{
    if (!owner_)
        return;
    const AccessibleEntry entry = read_();
    if (actionName == entry.action && !entry.state.disabled && entry.perform)
        PerformAccessibleAction(owner_, entry.perform, entry.kind);
}

AccessibleEntryList::~AccessibleEntryList()
{
    for (QAccessible::Id id : ids_)
        if (id)
            QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface *AccessibleEntryList::at(int index, const std::function<AccessibleEntryInterface *()> &make)
{
    if (index < 0)
        return nullptr;
    if (static_cast<std::size_t>(index) >= ids_.size())
        ids_.resize(static_cast<std::size_t>(index) + 1, 0);
    QAccessible::Id &id = ids_[static_cast<std::size_t>(index)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(make());
    return QAccessible::accessibleInterface(id);
}

int AccessibleEntryList::indexOf(const QAccessibleInterface *entry) const
{
    for (std::size_t i = 0; i < ids_.size(); ++i)
        if (ids_[i] && QAccessible::accessibleInterface(ids_[i]) == entry)
            return static_cast<int>(i);
    return -1;
}
