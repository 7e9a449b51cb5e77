#pragma once

#include "skin/themes/ui_style.h"

#include "skin/layout/align.h"
#include "skin/menu/tsui_main_menu.h"

#include <QColor>
#include <QMargins>
#include <QPointer>
#include <QWidget>

class QMenuBar;
class TsuiTitleBar;

// The frame placed once on a top-level window: it covers the window's client area, paints the
// border around it, and hosts the title bar and the menu bar. Child controls are placed on it in
// client coordinates.
class TsuiForm : public QWidget, public AlignedContainer {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(bool UIStyleAutoUpdateSub READ uiStyleAutoUpdateSub WRITE setUIStyleAutoUpdateSub)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(int BorderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(int MenuBarHeight READ menuBarHeight WRITE setMenuBarHeight)

public:
    // The border band around the client area.
    static constexpr QMargins FrameMargins{3, 3, 3, 3};

    enum TitleButton { suiControlBox, suiMax, suiMin, suiClose };

    explicit TsuiForm(QWidget *host);
    ~TsuiForm() override;

    TsuiUIStyle uiStyle() const { return style_; }
    void setUIStyle(TsuiUIStyle style);
    bool uiStyleAutoUpdateSub() const { return auto_update_sub_; }
    void setUIStyleAutoUpdateSub(bool on) { auto_update_sub_ = on; }
    QColor borderColor() const { return border_color_; }
    void setBorderColor(const QColor &color);
    int borderWidth() const { return border_width_; }
    void setBorderWidth(int width);
    QColor color() const { return color_; }
    void setColor(const QColor &color);
    QString caption() const;
    void setCaption(const QString &caption);
    int menuBarHeight() const { return menu_bar_height_; }
    void setMenuBarHeight(int height);

    TsuiMainMenu *Menu() const { return menu_; }
    void setMenu(TsuiMainMenu *menu);

    TsuiTitleBar *titleBar() const { return title_bar_; }
    // Shows or hides one of the title bar's buttons.
    void setTitleButtonVisible(TitleButton button, bool visible);

    // Follows the host's size and lays out the title bar, the menu bar and the aligned children.
    void realign();
    QRect childAlignArea() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void rebuildMenuBar();
    void paintBorder();

    QWidget *host_;
    TsuiTitleBar *title_bar_;
    QMenuBar *menu_bar_ = nullptr;
    QPointer<TsuiMainMenu> menu_;
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
    bool auto_update_sub_ = false;
    QColor border_color_{0x7F, 0x7F, 0x7F};
    int border_width_ = 1;
    QColor color_{0xE7, 0xE7, 0xE7};
    int menu_bar_height_ = 22;
};
