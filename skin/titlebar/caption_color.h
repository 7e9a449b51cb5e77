#pragma once

#include <QColor>

class LookSource;

// The text colour of a title bar's caption in this look: its TitleBarFontColor. A theme file that
// names none gets black where its control text colour stands for a light title bar, else white.
QColor TitleCaptionColor(const LookSource &look);
