#pragma once

#include "skin/frameless/window_drag.h"
#include "skin/layout/align.h"
#include "skin/menu/tsui_main_menu.h"
#include "skin/themes/control_look.h"
#include "skin/themes/file_theme.h"
#include "skin/titlebar/tsui_title_bar_button.h"
#include "skin/window/frame_host.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QMargins>
#include <QPointer>
#include <QWidget>

class FormKeyRouter;
class TsuiMenuBar;
class TsuiTitleBar;
class TsuiTitleBarSections;

// The frame placed once on a top-level window. The window loses its native caption and border;
// the frame paints its own three-pixel border around the window, covers the client area with the
// style's background, and hosts the skinned title bar and menu bar. Child controls are placed on
// the frame in client coordinates.
class TsuiForm : public QWidget, public AlignedContainer, public ControlLook, public FrameHost {
    Q_OBJECT
    Q_PROPERTY(bool TitleBarCustom READ titleBarCustom WRITE setTitleBarCustom)
    Q_PROPERTY(TsuiFileTheme *FileTheme READ fileTheme WRITE setFileTheme)
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(bool UIStyleAutoUpdateSub READ uiStyleAutoUpdateSub WRITE setUIStyleAutoUpdateSub)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(int BorderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(bool TitleBarVisible READ titleBarVisible WRITE setTitleBarVisible)
    Q_PROPERTY(Qt::LayoutDirection BiDiMode READ biDiMode WRITE setBiDiMode)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QWidget *FormPanel READ formPanel WRITE setFormPanel)
    Q_PROPERTY(bool TitleBarDrawAppIcon READ titleBarDrawAppIcon WRITE setTitleBarDrawAppIcon)
    Q_PROPERTY(QFont Font READ titleFont WRITE setTitleFont)
    Q_PROPERTY(TsuiMainMenu *Menu READ Menu WRITE setMenu)
    Q_PROPERTY(QColor MenuBarColor READ menuBarColor WRITE setMenuBarColor)
    Q_PROPERTY(int MenuBarHeight READ menuBarHeight WRITE setMenuBarHeight)
    Q_PROPERTY(int RoundCorner READ roundCorner WRITE setRoundCorner)
    Q_PROPERTY(int RoundCornerBottom READ roundCornerBottom WRITE setRoundCornerBottom)
    Q_PROPERTY(QString Version READ version WRITE setVersion)

public:
    // The border band around the client area of the built-in styles.
    static constexpr QMargins BandMargins{3, 3, 3, 3};
    static constexpr int MinimumWidth = 125;
    static constexpr int MinimumHeight = 50;
    static constexpr int DefaultMenuBarHeight = 22;

    using TitleButton = TsuiTitleBarBtnType;
    static constexpr TitleButton suiMax = TsuiTitleBarBtnType::suiMax;
    static constexpr TitleButton suiMin = TsuiTitleBarBtnType::suiMin;
    static constexpr TitleButton suiClose = TsuiTitleBarBtnType::suiClose;
    static constexpr TitleButton suiControlBox = TsuiTitleBarBtnType::suiControlBox;

    // On a window that has no frame yet, the frame takes the window over; otherwise (a second
    // frame, or a parent that is not a window) it stays a plain panel.
    explicit TsuiForm(QWidget *host);
    ~TsuiForm() override;

    bool framesWindow() const override { return true; }

    bool titleBarCustom() const;
    void setTitleBarCustom(bool on);
    bool uiStyleAutoUpdateSub() const { return auto_update_sub_; }
    void setUIStyleAutoUpdateSub(bool on) { auto_update_sub_ = on; }
    QColor borderColor() const { return border_color_; }
    void setBorderColor(const QColor &color);
    int borderWidth() const { return border_width_; }
    void setBorderWidth(int width);
    bool titleBarVisible() const;
    void setTitleBarVisible(bool visible);
    Qt::LayoutDirection biDiMode() const { return layoutDirection(); }
    void setBiDiMode(Qt::LayoutDirection mode) { setLayoutDirection(mode); }
    QColor color() const { return color_; }
    void setColor(const QColor &color);
    QString caption() const;
    // Also the window's own caption text.
    void setCaption(const QString &caption);
    QWidget *formPanel() const { return form_panel_; }
    void setFormPanel(QWidget *panel);
    bool titleBarDrawAppIcon() const;
    void setTitleBarDrawAppIcon(bool on);
    QFont titleFont() const;
    void setTitleFont(const QFont &font);
    TsuiMainMenu *Menu() const override { return menu_; }
    void setMenu(TsuiMainMenu *menu);
    QColor menuBarColor() const { return menu_bar_color_; }
    void setMenuBarColor(const QColor &color);
    int menuBarHeight() const { return menu_bar_height_; }
    void setMenuBarHeight(int height);
    // Both read 0 while the title bar is hidden.
    int roundCorner() const;
    void setRoundCorner(int size);
    int roundCornerBottom() const;
    void setRoundCornerBottom(int size);
    QString version() const { return QStringLiteral("5.8"); }
    void setVersion(const QString &) {}

    TsuiTitleBarButtons *TitleBarButtons() const;
    void setTitleBarButtons(const TsuiTitleBarButtons &buttons);
    TsuiTitleBarSections *TitleBarSections() const;
    void setTitleBarSections(const TsuiTitleBarSections &sections);
    // Shows or hides the title bar's buttons of that type.
    void setTitleButtonVisible(TitleButton button, bool visible);

    QWidget *host() const { return host_; }
    TsuiTitleBar *titleBar() const { return title_bar_; }
    TsuiMenuBar *menuBar() const { return menu_bar_; }
    bool isDestroying() const { return destroying_; }
    // The width of a theme file's left border picture; 0 without one, as for every built-in style.
    int leftBorderImageWidth() const override { return left_border_.width(); }
    // The border band around the client area: BandMargins, or as wide as a theme file's border pictures.
    QMargins frameMargins() const;

    // Repaints the border band of the window.
    void PaintFrame();
    // Gives the window its shape from RoundCorner and RoundCornerBottom.
    void ApplyWindowRegion();
    // Follows the window's size and lays out the title bar, the menu bar and aligned children.
    void realign() override;
    LookSource frameLook() const override { return lookSource(); }
    QRect childAlignArea() const override;

signals:
    void OnTitleBarCustomBtnsClick(QObject *sender, int index);
    void OnTitleBarHelpBtnClick(QObject *sender, int index);

protected:
    // Applied once the frame has a window: a plain panel only keeps its style.
    void ApplyLook() override;
    // The frame and its children go back to DeepBlue.
    void FileThemeForgotten() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyStyle();
    void sizeChanged();
    void paintBand();
    bool hostMouseEvent(QEvent *event);
    void destroyMenuBar();

    QWidget *host_ = nullptr; // null while the frame is a plain panel
    TsuiTitleBar *title_bar_ = nullptr;
    TsuiMenuBar *menu_bar_ = nullptr;
    FormKeyRouter *key_router_ = nullptr;
    QPointer<TsuiMainMenu> menu_;
    QPointer<QWidget> form_panel_;
    bool auto_update_sub_ = false;
    QColor border_color_;
    int border_width_ = 1;
    QColor color_;
    // Tiled over the client area in place of color_ where the look has one.
    QImage background_;
    QColor menu_bar_color_;
    int menu_bar_height_ = DefaultMenuBarHeight;
    // A theme file's border pictures (FormLeftBorderImage, FormBottomBorderImage); null without.
    QImage left_border_;
    QImage bottom_border_;
    bool destroying_ = false;
    WindowDrag border_drag_;
};
