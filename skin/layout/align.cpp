#include "skin/layout/align.h"

#include <QVariant>
#include <QWidget>

namespace {
constexpr const char *AlignProperty = "Align";
}

void set_align(QWidget *control, TAlign align)
{
    control->setProperty(AlignProperty, static_cast<int>(align));
    if (control->parentWidget())
        control->parentWidget()->updateGeometry();
}

TAlign align_of(const QWidget *control)
{
    const QVariant value = control->property(AlignProperty);
    return value.isValid() ? static_cast<TAlign>(value.toInt()) : TAlign::alNone;
}

void align_children(QWidget *container, const QRect &area)
{
    QRect free = area;
    const auto children = container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    // Looked up once per child, not once per pass: finding a property by name walks the class's
    // whole list of properties, and every window is laid out many times while it is built.
    QList<TAlign> aligns;
    aligns.reserve(children.size());
    for (const QWidget *child : children)
        aligns << align_of(child);
    for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        for (qsizetype i = 0; i < children.size(); ++i) {
            QWidget *child = children[i];
            if (aligns[i] != pass || child->isWindow() || child->isHidden())
                continue;
            switch (pass) {
            case TAlign::alTop:
                child->setGeometry(free.left(), free.top(), free.width(), child->height());
                free.setTop(free.top() + child->height());
                break;
            case TAlign::alBottom:
                child->setGeometry(free.left(), free.bottom() + 1 - child->height(), free.width(), child->height());
                free.setBottom(free.bottom() - child->height());
                break;
            case TAlign::alLeft:
                child->setGeometry(free.left(), free.top(), child->width(), free.height());
                free.setLeft(free.left() + child->width());
                break;
            case TAlign::alRight:
                child->setGeometry(free.right() + 1 - child->width(), free.top(), child->width(), free.height());
                free.setRight(free.right() - child->width());
                break;
            case TAlign::alClient:
                child->setGeometry(free);
                break;
            case TAlign::alNone:
                break;
            }
            if (auto *inner = dynamic_cast<AlignedContainer *>(child))
                align_children(child, inner->childAlignArea());
        }
    }
}

void realign_container(QWidget *container)
{
    if (auto *aligned = dynamic_cast<AlignedContainer *>(container))
        align_children(container, aligned->childAlignArea());
}
