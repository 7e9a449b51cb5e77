#pragma once

#include <QStyledItemDelegate>

// Draws a combo box's list entries as usual but gives every entry the box's ItemHeight, so the
// drop-down is as tall as the stored layout says (8 rows of 13 pixels in Quillon's windows).
class ComboItemDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    ComboItemDelegate(int itemHeight, QObject *parent);

    int itemHeight() const { return item_height_; }
    void setItemHeight(int height) { item_height_ = height; }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int item_height_;
};
