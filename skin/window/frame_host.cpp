#include "skin/window/frame_host.h"

#include <QWidget>

FrameHost *FrameHost::of(QWidget *widget) { return dynamic_cast<FrameHost *>(widget); }

const FrameHost *FrameHost::of(const QWidget *widget) { return dynamic_cast<const FrameHost *>(widget); }
