#pragma once

#include "skin/themes/control_look.h"
#include "skin/themes/file_theme.h"

#include <QColor>
#include <QComboBox>
#include <QImage>
#include <QPointer>
#include <cstdint>

// How a combo box offers its list: typed text with a drop-down list, typed text with a list that
// is always open, or a pick from the list only (also when the items are drawn by the program).
enum class TComboBoxStyle : std::uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
Q_DECLARE_METATYPE(TComboBoxStyle)

// A drop-down list with a flat frame, a skinned drop button with a drawn arrow, and a frame
// around the open list. The platform's editing and list handling stay as they are; csSimple keeps
// the platform's look altogether.
class ComboItemDelegate;

class TsuiComboBox : public QComboBox, public BorderedLook {
    Q_OBJECT
    Q_PROPERTY(TsuiFileTheme *FileTheme READ fileTheme WRITE setFileTheme)
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(QColor ArrowColor READ arrowColor WRITE setArrowColor)
    Q_PROPERTY(QColor ButtonColor READ buttonColor WRITE setButtonColor)
    Q_PROPERTY(TComboBoxStyle Style READ comboStyle WRITE setComboStyle)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(int ItemHeight READ itemHeight WRITE setItemHeight)
    Q_PROPERTY(QString Text READ text WRITE setText)

public:
    explicit TsuiComboBox(QWidget *parent);

    QColor arrowColor() const { return arrow_color_; }
    void setArrowColor(const QColor &color);
    QColor buttonColor() const { return button_color_; }
    void setButtonColor(const QColor &color);
    TComboBoxStyle comboStyle() const { return combo_style_; }
    void setComboStyle(TComboBoxStyle style);
    QColor color() const;
    void setColor(const QColor &color);

    // Height of each entry of the open list.
    int itemHeight() const;
    void setItemHeight(int height);

    QString text() const { return currentText(); }
    void setText(const QString &text);

    // The drop button's rectangle, as the box lays out its parts.
    QRect buttonRect() const;

    // Fills the list first (OnDropDown), then opens it at least as wide as its widest entry.
    void showPopup() override;
    void hidePopup() override;

signals:
    // The list is about to drop down: the place to bring its entries up to date.
    void OnDropDown();

protected:
    void ApplyLook() override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void makeEditable();
    void paintField(QPainter &painter);
    void paintSkin(QPainter &painter);
    void paintArrow(QPainter &painter, const QRect &button);

    QColor arrow_color_{Qt::black};
    QColor button_color_{0xE8, 0xE8, 0xE8};
    // The drop button's picture (none: filled with button_color_), and whether the arrow is drawn on it.
    QImage button_picture_;
    bool button_arrow_ = true;
    TComboBoxStyle combo_style_ = TComboBoxStyle::csDropDown;
    QPointer<QWidget> list_frame_;
    ComboItemDelegate *item_delegate_;
};
