#pragma once

#include "skin/panel/tsui_custom_panel.h"

// A panel that shows a picture, placed at its top-left corner, stretched over it or tiled.
class TsuiImagePanel : public TsuiCustomPanel {
    Q_OBJECT
    Q_PROPERTY(QImage Picture READ picture WRITE setPicture)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(TsuiDrawStyle DrawStyle READ drawStyle WRITE setDrawStyle)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(bool ParentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(QString Caption READ text WRITE setText)

public:
    explicit TsuiImagePanel(QWidget *parent);
};
