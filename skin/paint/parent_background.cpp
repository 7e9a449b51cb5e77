#include "skin/paint/parent_background.h"

#include <QColor>
#include <QPainter>
#include <QVariant>
#include <QWidget>

void PaintParentBackground(QPainter &canvas, const QWidget *control)
{
    QWidget *parent = control ? control->parentWidget() : nullptr;
    if (!parent)
        return;
    canvas.save();
    // From here on the parent's coordinates apply.
    canvas.translate(-control->x(), -control->y());
    const QRegion under = QRegion(control->geometry()) & QRegion(parent->rect());
    if (!under.isEmpty())
        parent->render(&canvas, under.boundingRect().topLeft(), under, QWidget::DrawWindowBackground);
    canvas.restore();
}

QColor ParentColour(const QWidget *control)
{
    const QWidget *parent = control ? control->parentWidget() : nullptr;
    if (!parent)
        return control ? control->palette().color(QPalette::Window) : QColor(Qt::white);
    const QVariant colour = parent->property("Color");
    if (colour.metaType() == QMetaType::fromType<QColor>() && colour.value<QColor>().isValid())
        return colour.value<QColor>();
    return parent->palette().color(parent->backgroundRole());
}
