#pragma once

#include "skin/themes/control_look.h"
#include "skin/themes/file_theme.h"

#include <QScrollBar>

// The scroll bar a memo can link in place of its own: as much of a skinned scroll bar as the link
// needs. It takes range, position and thumb length from the memo and scrolls the memo back.
class TsuiScrollBar : public QScrollBar, public ControlLook {
    Q_OBJECT
    Q_PROPERTY(TsuiFileTheme *FileTheme READ fileTheme WRITE setFileTheme)
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(Qt::Orientation Orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(int Min READ minimum WRITE setMinimum)
    Q_PROPERTY(int Max READ maximum WRITE setMaximum)
    Q_PROPERTY(int Position READ value WRITE setValue)
    Q_PROPERTY(int PageSize READ pageStep WRITE setPageStep)
    Q_PROPERTY(int SmallChange READ singleStep WRITE setSingleStep)
    Q_PROPERTY(int LineButton READ lineButton WRITE setLineButton)

public:
    explicit TsuiScrollBar(QWidget *parent);

    // The thumb's length in pixels, as the linked memo's own bar shows it; 0 when it has none.
    int lineButton() const { return line_button_; }
    void setLineButton(int length);
    bool sliderVisible() const { return slider_visible_; }
    void setSliderVisible(bool visible);

signals:
    void OnChange();

protected:
    void ApplyLook() override { update(); }
    void paintEvent(QPaintEvent *event) override;

private:
    int line_button_ = 0;
    bool slider_visible_ = true;
};
