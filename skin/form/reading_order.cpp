#include "skin/form/reading_order.h"

#include <QWidget>

#include <algorithm>

namespace {

bool TakesTabFocus(const QWidget *widget) { return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus; }

// The container's child widgets in reading order. Widgets belong to one row while they start
// above the middle of the row's first widget.
QList<QWidget *> InReadingOrder(const QWidget *container, bool mirrored)
{
    QList<QWidget *> widgets;
    for (QObject *child : container->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && !widget->isWindow())
            widgets << widget;
    }
    std::stable_sort(widgets.begin(), widgets.end(),
                     [](const QWidget *a, const QWidget *b) { return a->y() < b->y(); });
    QList<QWidget *> ordered;
    for (qsizetype start = 0; start < widgets.size();) {
        const QRect first = widgets.at(start)->geometry();
        qsizetype end = start + 1;
        while (end < widgets.size() && widgets.at(end)->y() < first.top() + first.height() / 2)
            ++end;
        QList<QWidget *> row = widgets.mid(start, end - start);
        std::stable_sort(row.begin(), row.end(), [mirrored](const QWidget *a, const QWidget *b) {
            return mirrored ? a->geometry().right() > b->geometry().right() : a->x() < b->x();
        });
        ordered << row;
        start = end;
    }
    return ordered;
}

void CollectStops(const QWidget *container, bool mirrored, QList<QWidget *> &stops)
{
    for (QWidget *widget : InReadingOrder(container, mirrored)) {
        if (TakesTabFocus(widget))
            stops << widget;
        else
            CollectStops(widget, mirrored, stops);
    }
}

} // namespace

void SetReadingTabOrder(QWidget *window)
{
    QList<QWidget *> stops;
    CollectStops(window, window->layoutDirection() == Qt::RightToLeft, stops);
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops.at(i - 1), stops.at(i));
}
