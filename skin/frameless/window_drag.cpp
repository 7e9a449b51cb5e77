#include "skin/frameless/window_drag.h"

#include <QWidget>
#include <QWindow>

HitTestResult frame_hit_test(const QSize &window, const QPoint &pos, int band, int corner)
{
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= window.width() || pos.y() >= window.height())
        return HitTestResult::None;
    const bool left = pos.x() < band;
    const bool right = pos.x() >= window.width() - band;
    const bool top = pos.y() < band;
    const bool bottom = pos.y() >= window.height() - band;
    const bool near_left = pos.x() < corner;
    const bool near_right = pos.x() >= window.width() - corner;
    const bool near_top = pos.y() < corner;
    const bool near_bottom = pos.y() >= window.height() - corner;
    if ((top && near_left) || (left && near_top))
        return HitTestResult::TopLeft;
    if ((top && near_right) || (right && near_top))
        return HitTestResult::TopRight;
    if ((bottom && near_left) || (left && near_bottom))
        return HitTestResult::BottomLeft;
    if ((bottom && near_right) || (right && near_bottom))
        return HitTestResult::BottomRight;
    if (left)
        return HitTestResult::Left;
    if (right)
        return HitTestResult::Right;
    if (top)
        return HitTestResult::Top;
    if (bottom)
        return HitTestResult::Bottom;
    return HitTestResult::Client;
}

Qt::Edges edges_of(HitTestResult hit)
{
    switch (hit) {
    case HitTestResult::Left:
        return Qt::LeftEdge;
    case HitTestResult::Right:
        return Qt::RightEdge;
    case HitTestResult::Top:
        return Qt::TopEdge;
    case HitTestResult::Bottom:
        return Qt::BottomEdge;
    case HitTestResult::TopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case HitTestResult::TopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case HitTestResult::BottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case HitTestResult::BottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return {};
    }
}

Qt::CursorShape cursor_of(HitTestResult hit)
{
    switch (hit) {
    case HitTestResult::Left:
    case HitTestResult::Right:
        return Qt::SizeHorCursor;
    case HitTestResult::Top:
    case HitTestResult::Bottom:
        return Qt::SizeVerCursor;
    case HitTestResult::TopLeft:
    case HitTestResult::BottomRight:
        return Qt::SizeFDiagCursor;
    case HitTestResult::TopRight:
    case HitTestResult::BottomLeft:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

bool WindowDrag::begin(QWidget *window, Qt::Edges edges, const QPoint &globalPos)
{
    window_ = nullptr;
    if (!window)
        return false;
    if (QWindow *handle = window->windowHandle()) {
        const bool taken = edges ? handle->startSystemResize(edges) : handle->startSystemMove();
        if (taken)
            return false;
    }
    window_ = window;
    edges_ = edges;
    start_pos_ = globalPos;
    start_geometry_ = window->geometry();
    return true;
}

void WindowDrag::follow(const QPoint &globalPos)
{
    if (!window_)
        return;
    const QPoint delta = globalPos - start_pos_;
    if (!edges_) {
        window_->move(start_geometry_.topLeft() + delta);
        return;
    }
    QRect g = start_geometry_;
    const QSize minimum = window_->minimumSize();
    const QSize maximum = window_->maximumSize();
    if (edges_ & Qt::LeftEdge)
        g.setLeft(qBound(g.right() + 1 - maximum.width(), g.left() + delta.x(), g.right() + 1 - minimum.width()));
    if (edges_ & Qt::RightEdge)
        g.setRight(qBound(g.left() - 1 + minimum.width(), g.right() + delta.x(), g.left() - 1 + maximum.width()));
    if (edges_ & Qt::TopEdge)
        g.setTop(qBound(g.bottom() + 1 - maximum.height(), g.top() + delta.y(), g.bottom() + 1 - minimum.height()));
    if (edges_ & Qt::BottomEdge)
        g.setBottom(qBound(g.top() - 1 + minimum.height(), g.bottom() + delta.y(), g.top() - 1 + maximum.height()));
    window_->setGeometry(g);
}
