#pragma once

#include "skin/panel/tsui_custom_panel.h"
#include "skin/themes/file_theme.h"
#include "skin/themes/file_theme_link.h"
#include "skin/themes/ui_style.h"

#include <QColor>
#include <QString>

// A framed box with its caption set into the top line. Its style is pushed to its children, and
// aligned children are laid out inside the frame, below the caption.
class TsuiCustomGroupBox : public TsuiCustomPanel {
    Q_OBJECT

public:
    explicit TsuiCustomGroupBox(QWidget *parent);

    TsuiFileTheme *fileTheme() const { return file_theme_; }
    void setFileTheme(TsuiFileTheme *theme);
    TsuiUIStyle uiStyle() const { return style_; }
    void setUIStyle(TsuiUIStyle style);
    QString caption() const { return caption_; }
    void setCaption(const QString &caption);
    QColor borderColor() const { return border_color_; }
    void setBorderColor(const QColor &color);
    // The caption's colour; the style sets it, a later assignment wins.
    QColor fontColor() const { return font_color_; }
    void setFontColor(const QColor &color);

    QRect childAlignArea() const override;

protected:
    virtual void ApplyStyle(TsuiUIStyle style, TsuiFileTheme *fileTheme);

    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int fontHeight() const;

    FileThemeLink file_theme_;
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
    QString caption_;
    QColor border_color_{Qt::black};
    QColor font_color_{Qt::black};
};

// The group box as the windows place it.
class TsuiGroupBox : public TsuiCustomGroupBox {
    Q_OBJECT
    Q_PROPERTY(TsuiFileTheme *FileTheme READ fileTheme WRITE setFileTheme)
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool ParentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)

public:
    explicit TsuiGroupBox(QWidget *parent);
};
