#pragma once

#include "skin/frameless/window_drag.h"
#include "skin/themes/control_look.h"
#include "skin/themes/file_theme.h"
#include "skin/titlebar/title_bar_layout.h"
#include "skin/titlebar/tsui_title_bar_button.h"
#include "skin/titlebar/tsui_title_bar_section.h"

#include <QColor>
#include <QFont>
#include <QWidget>

class TsuiTitleBarPopupMenu;

// The skinned caption row at the top of a window: the style's three title pictures, a row of
// bitmap buttons and the caption, shortened with "..." when it does not fit. It tracks the button
// under the pointer, runs the buttons' actions, moves the window when the caption is dragged and
// owns the window menu.
class TsuiTitleBar : public QWidget, public ControlLook {
    Q_OBJECT
    Q_PROPERTY(bool Custom READ custom WRITE setCustom)
    Q_PROPERTY(TsuiFileTheme *FileTheme READ fileTheme WRITE setFileTheme)
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(int ButtonInterval READ buttonInterval WRITE setButtonInterval)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QFont Font READ captionFont WRITE setCaptionFont)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(bool FormActive READ formActive WRITE setFormActive)
    Q_PROPERTY(int LeftBtnXOffset READ leftBtnXOffset WRITE setLeftBtnXOffset)
    Q_PROPERTY(int RightBtnXOffset READ rightBtnXOffset WRITE setRightBtnXOffset)
    Q_PROPERTY(bool DrawAppIcon READ drawAppIcon WRITE setDrawAppIcon)
    Q_PROPERTY(int RoundCorner READ roundCorner WRITE setRoundCorner)
    Q_PROPERTY(int RoundCornerBottom READ roundCornerBottom WRITE setRoundCornerBottom)

public:
    // How far the frame's drawn border reaches into the title pictures on each side.
    static constexpr int FrameInset = 3;

    explicit TsuiTitleBar(QWidget *parent);
    ~TsuiTitleBar() override;

    bool custom() const { return custom_; }
    void setCustom(bool on) { custom_ = on; }
    bool autoSize() const { return auto_size_; }
    void setAutoSize(bool on);
    int buttonInterval() const { return button_interval_; }
    void setButtonInterval(int pixels);
    QString caption() const { return caption_; }
    void setCaption(const QString &caption);
    QFont captionFont() const { return caption_font_; }
    void setCaptionFont(const QFont &font);
    QColor fontColor() const { return font_color_; }
    void setFontColor(const QColor &color);
    bool formActive() const { return form_active_; }
    void setFormActive(bool active);
    int leftBtnXOffset() const { return left_offset_; }
    void setLeftBtnXOffset(int offset);
    int rightBtnXOffset() const { return right_offset_; }
    void setRightBtnXOffset(int offset);
    bool drawAppIcon() const { return draw_app_icon_; }
    void setDrawAppIcon(bool on);
    int roundCorner() const { return round_corner_; }
    void setRoundCorner(int size) { round_corner_ = size; }
    int roundCornerBottom() const { return round_corner_bottom_; }
    void setRoundCornerBottom(int size) { round_corner_bottom_ = size; }

    TsuiTitleBarButtons *Buttons() const { return buttons_; }
    TsuiTitleBarSections *Sections() const { return sections_; }
    TsuiTitleBarPopupMenu *popupMenu() const { return popup_menu_; }

    // Shows or hides every button of that type.
    void setButtonVisible(TsuiTitleBarBtnType type, bool visible);
    // Maximize buttons show the restore pictures while the window is maximized.
    void UpdateMaxButtonPictures();

    // What a click on the button at that index of Buttons() does. Also for assistive tools.
    void pressButton(int index);
    // Where that button is drawn and hit, in title-bar coordinates; empty when hidden.
    QRect buttonRect(int index) const;
    // Whether the point, in title-bar coordinates, is on a visible close button.
    bool closeButtonAt(const QPoint &pos) const;

    // The button under the pointer, -1 for none.
    int HotButtonIndex() const { return currentLayout().hotButton; }
    int buttonTop() const { return button_top_; }
    int stripHeight() const { return strip_height_; }
    // Where everything is, and which button is hot, for the current state and pointer.
    TitleBarLayout currentLayout() const;

    bool onFrame() const;
    bool hostMaximized() const;
    // Opens the window menu just below the title bar's bottom-left corner.
    void popupWindowMenu();

signals:
    void OnCustomBtnsClick(QObject *sender, int index);
    void OnHelpBtnClick(QObject *sender, int index);

protected:
    void ApplyLook() override;
    void FileThemeChanged() override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void applyStyle(bool setCaptionColour);
    void applyAutoSize();
    int leftImageWidth() const;
    int hitButton(const QPoint &pos) const;
    void paintSections(QPainter &painter) const;
    void paintButtons(QPainter &painter, const TitleBarLayout &layout) const;
    void paintCaption(QPainter &painter, const TitleBarLayout &layout) const;

    bool custom_ = false;
    bool auto_size_ = false;
    int button_interval_ = 0;
    QString caption_;
    QFont caption_font_;
    QColor font_color_{Qt::white};
    bool form_active_ = true;
    int left_offset_ = 0;
    int right_offset_ = 0;
    bool draw_app_icon_ = false;
    int round_corner_ = 0;
    int round_corner_bottom_ = 0;

    TsuiTitleBarButtons *buttons_;
    TsuiTitleBarSections *sections_;
    TsuiTitleBarPopupMenu *popup_menu_;
    bool mouse_down_ = false;
    int strip_height_ = 0;
    int button_top_ = 0;
    QPoint pointer_{-1, -1}; // last pointer position over the title bar; outside when gone
    WindowDrag drag_;
};
