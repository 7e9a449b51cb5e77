#pragma once

class QColor;
class QPainter;
class QWidget;

// Paints into canvas what the control's parent shows under the control: the parent's
// background and its own painting, not its other children. The canvas's (0, 0) is the
// control's top-left. A control without a parent leaves the canvas alone.
void PaintParentBackground(QPainter &canvas, const QWidget *control);

// The colour a control shows when it takes its parent's colour: the parent's Color property
// when it has one, else the parent's background colour.
QColor ParentColour(const QWidget *control);
