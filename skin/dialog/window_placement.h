#pragma once

#include "skin/dialog/tsui_dialog.h"

class QWidget;

// Moves a top-level window, already at its final size, to where `position` asks for it. The
// designed and platform-default positions leave the window where it is.
void place_window(QWidget *window, TPosition position);
