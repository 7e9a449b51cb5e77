#pragma once

#include "skin/panel/tsui_custom_panel.h"
#include "skin/themes/control_look.h"
#include "skin/themes/file_theme.h"

#include <QColor>
#include <QString>

// A framed box with its caption set into the top line. Its style is pushed to its children, and
// aligned children are laid out inside the frame, below the caption.
class TsuiCustomGroupBox : public TsuiCustomPanel, public BorderedLook {
    Q_OBJECT

public:
    explicit TsuiCustomGroupBox(QWidget *parent);

    QString caption() const { return caption_; }
    void setCaption(const QString &caption);
    // The caption's colour; the style sets it, a later assignment wins.
    QColor fontColor() const { return font_color_; }
    void setFontColor(const QColor &color);

    QRect childAlignArea() const override;

protected:
    // The style goes to the children first, then the box takes its colours from it.
    void ApplyLook() override;
    void FileThemeForgotten() override;

    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int fontHeight() const;

    QString caption_;
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
