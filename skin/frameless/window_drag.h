#pragma once

#include <QPoint>
#include <QPointer>
#include <QRect>

class QWidget;

// Where a point of a frameless window lies, for moving and sizing it by its own border.
enum class HitTestResult { None, Client, Caption, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

// The sizing zone of a point in a window of that size: the border band of `band` pixels, with
// corner zones `corner` pixels long along each edge. Client for every other point inside.
HitTestResult frame_hit_test(const QSize &window, const QPoint &pos, int band, int corner);
Qt::Edges edges_of(HitTestResult hit);
Qt::CursorShape cursor_of(HitTestResult hit);

// Moves or sizes a frameless window from a mouse drag. The platform's own move or resize is used
// where it offers one; where it does not (an X server without a window manager), the window
// follows the pointer itself until the button is released.
class WindowDrag {
public:
    // Starts a move (no edges) or a resize; answers whether the window now follows the pointer
    // through follow() (false when the platform took the drag over, or nothing was started).
    bool begin(QWidget *window, Qt::Edges edges, const QPoint &globalPos);
    void follow(const QPoint &globalPos);
    void end() { window_ = nullptr; }
    bool active() const { return !window_.isNull(); }

private:
    QPointer<QWidget> window_;
    Qt::Edges edges_;
    QPoint start_pos_;
    QRect start_geometry_;
};
