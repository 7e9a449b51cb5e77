#pragma once

#include <QRect>

class QWidget;

// How a child sits in its container: stacked at an edge, filling what is left, or placed freely.
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// A container whose aligned children are laid out inside an area of its own. Containers align
// their children as soon as their own geometry is set, so a hidden window is laid out too.
class AlignedContainer {
public:
    virtual ~AlignedContainer() = default;
    virtual QRect childAlignArea() const = 0;
};

void set_align(QWidget *control, TAlign align);
TAlign align_of(const QWidget *control);

// Lays out the aligned children of container inside area, in child order: top and bottom ones
// take their height across the full width, then left and right ones take their width across the
// remaining height, then client ones fill what is left. Others keep their place. Children that
// are containers themselves are laid out in turn.
void align_children(QWidget *container, const QRect &area);

// Lays out the aligned children of container again when it is an AlignedContainer, for example
// after one of them changed its own height.
void realign_container(QWidget *container);
