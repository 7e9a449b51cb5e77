#include "skin/panel/tsui_image_panel.h"

namespace {
constexpr int NewPanelWidth = 185;
constexpr int NewPanelHeight = 41;
} // namespace

TsuiImagePanel::TsuiImagePanel(QWidget *parent)
    : TsuiCustomPanel(parent)
{
    resize(NewPanelWidth, NewPanelHeight);
}
