#pragma once

#include "skin/menu/tsui_menu_item.h"
#include "skin/menu/image_list.h"
#include "skin/themes/control_look.h"
#include "skin/themes/file_theme.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QString>

class QPainter;

// What the main menu and the popup menus share: an item tree whose every item is measured and
// drawn by this menu, and the menu's own copy of a look (heights, bar width, seven colours, font)
// filled from the style whenever UIStyle or FileTheme is set and open to per-property changes.
class TsuiCustomMenu : public QObject, public ControlLook {
    Q_OBJECT
    Q_PROPERTY(bool OwnerDraw READ ownerDraw WRITE setOwnerDraw)
    Q_PROPERTY(TsuiFileTheme *FileTheme READ fileTheme WRITE setFileTheme)
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(int MenuItemHeight READ menuItemHeight WRITE setMenuItemHeight)
    Q_PROPERTY(int SeparatorHeight READ separatorHeight WRITE setSeparatorHeight)
    Q_PROPERTY(int BarWidth READ barWidth WRITE setBarWidth)
    Q_PROPERTY(QColor BarColor READ barColor WRITE setBarColor)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QColor SeparatorColor READ separatorColor WRITE setSeparatorColor)
    Q_PROPERTY(QColor SelectedBorderColor READ selectedBorderColor WRITE setSelectedBorderColor)
    Q_PROPERTY(QColor SelectedColor READ selectedColor WRITE setSelectedColor)
    Q_PROPERTY(QColor SelectedFontColor READ selectedFontColor WRITE setSelectedFontColor)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(bool FlatMenu READ flatMenu WRITE setFlatMenu)
    Q_PROPERTY(QString FontName READ fontName WRITE setFontName)
    Q_PROPERTY(int FontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(int FontCharset READ fontCharset WRITE setFontCharset)
    Q_PROPERTY(bool UseSystemFont READ useSystemFont WRITE setUseSystemFont)

public:
    static constexpr int DefaultCharset = 1;

    // The tree's root; its children are the menu's top-level items.
    TsuiMenuItem *Items() const { return root_; }

    bool ownerDraw() const { return true; }
    void setOwnerDraw(bool) {}

    int menuItemHeight() const { return item_height_; }
    void setMenuItemHeight(int height);
    int separatorHeight() const { return separator_height_; }
    void setSeparatorHeight(int height);
    int barWidth() const { return bar_width_; }
    void setBarWidth(int width) { bar_width_ = width; }
    QColor barColor() const { return bar_color_; }
    void setBarColor(const QColor &color) { bar_color_ = color; }
    QColor color() const { return color_; }
    void setColor(const QColor &color) { color_ = color; }
    QColor separatorColor() const { return separator_color_; }
    void setSeparatorColor(const QColor &color) { separator_color_ = color; }
    QColor selectedBorderColor() const { return selected_border_color_; }
    void setSelectedBorderColor(const QColor &color) { selected_border_color_ = color; }
    QColor selectedColor() const { return selected_color_; }
    void setSelectedColor(const QColor &color) { selected_color_ = color; }
    QColor selectedFontColor() const { return selected_font_color_; }
    void setSelectedFontColor(const QColor &color) { selected_font_color_ = color; }
    QColor fontColor() const { return font_color_; }
    void setFontColor(const QColor &color) { font_color_ = color; }
    bool flatMenu() const { return flat_menu_; }
    void setFlatMenu(bool on) { flat_menu_ = on; }
    QString fontName() const { return font_name_; }
    void setFontName(const QString &name) { font_name_ = name; }
    int fontSize() const { return font_size_; }
    void setFontSize(int points) { font_size_ = points; }
    int fontCharset() const { return font_charset_; }
    void setFontCharset(int charset) { font_charset_ = charset; }
    bool useSystemFont() const { return use_system_font_; }
    virtual void setUseSystemFont(bool on) { use_system_font_ = on; }

    Qt::LayoutDirection biDiMode() const { return bidi_mode_; }
    void setBiDiMode(Qt::LayoutDirection mode) { bidi_mode_ = mode; }
    // Right to left only when asked for and the system's locale reads right to left.
    bool mirrored() const;

    // The font items are drawn in: the platform's menu font or FontName/FontSize.
    QFont itemFont() const;

    // The pictures items show by their ImageIndex; null when the menu has none of its own.
    virtual TImageList *userImages() const = 0;
    // The check mark drawn for a checked item without a picture.
    virtual TImageList *checkMarkImages() const = 0;

    void MeasureMenuItem(TsuiMenuItem *item, QPainter &canvas, int &width, int &height) const;
    void DrawMenuItem(TsuiMenuItem *item, QPainter &canvas, const QRect &rect, bool selected) const;

signals:
    // An item's caption, state or the tree changed.
    void OnChange();

protected:
    explicit TsuiCustomMenu(QObject *owner);
    // Style and handlers are set here, after the derived parts exist.
    void initialiseMenu();
    void ApplyLook() override;

private:
    void drawItemBackground(TsuiMenuItem *item, QPainter &canvas, const QRect &rect, bool selected) const;
    void drawBarAndColour(QPainter &canvas, const QRect &rect) const;

    TsuiMenuItem *root_;
    int item_height_ = 21;
    int separator_height_ = 5;
    int bar_width_ = 26;
    QColor bar_color_;
    QColor color_;
    QColor separator_color_;
    QColor selected_border_color_;
    QColor selected_color_;
    QColor selected_font_color_;
    QColor font_color_;
    // Strips stretched behind items and separators, and behind the highlighted item, in place of
    // the colours where the look has them.
    QImage background_strip_;
    QImage selected_strip_;
    bool flat_menu_ = false;
    QString font_name_ = QStringLiteral("MS Sans Serif");
    int font_size_ = 8;
    int font_charset_ = DefaultCharset;
    bool use_system_font_ = true;
    Qt::LayoutDirection bidi_mode_ = Qt::LeftToRight;
};

// Gives item and everything below it, depth first in child order, the menu's measure and draw
// handlers, replacing any set before.
void AttachMenuItemHandlers(TsuiMenuItem *item, TsuiCustomMenu *menu);
