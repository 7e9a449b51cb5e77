#pragma once

#include <QRegion>
#include <QSize>

// The shape of a skinned window of that size: its top corners rounded with an ellipse of
// roundCorner pixels, its bottom corners with one of roundCornerBottom pixels (-1 counts as 0).
// An empty region when both are 0: the plain window rectangle, no shape needed.
QRegion form_window_region(const QSize &window, int roundCorner, int roundCornerBottom);
