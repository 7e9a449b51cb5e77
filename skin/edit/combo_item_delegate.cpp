#include "skin/edit/combo_item_delegate.h"

ComboItemDelegate::ComboItemDelegate(int itemHeight, QObject *parent)
    : QStyledItemDelegate(parent)
    , item_height_(itemHeight)
{
}

QSize ComboItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), item_height_);
}
