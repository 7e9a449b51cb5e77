#include "skin/menu/image_list.h"

#include "skin/menu/menu_drawing.h"
#include "skin/themes/look_source.h"

#include <QCoreApplication>
#include <QPointer>

TImageList::TImageList(QObject *parent)
    : QObject(parent)
{
}

int TImageList::AddMasked(const QImage &image, const QColor &maskColor)
{
    images_.append(image);
    masks_.append(maskColor);
    return Count() - 1;
}

void TImageList::Draw(QPainter &painter, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    draw_transparent_image(painter, x, y, images_.at(index), enabled, masks_.at(index));
}

TImageList *make_check_mark_images(QObject *owner)
{
    auto *list = new TImageList(owner);
    // Made with the menu, before it takes a look; every look has the same check mark.
    list->AddMasked(DefaultLook().bitmap(LookRow::MenuCheckMarkImage), Qt::white);
    return list;
}

TImageList *shared_check_mark_images()
{
    // Owned by the application object, so it goes when the application goes.
    static QPointer<TImageList> shared;
    if (!shared)
        shared = make_check_mark_images(QCoreApplication::instance());
    return shared;
}
