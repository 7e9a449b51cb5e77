#pragma once

#include "skin/themes/file_theme.h"
#include "skin/themes/file_theme_link.h"
#include "skin/themes/ui_style.h"

#include <QColor>
#include <QLineEdit>

// A one-line edit that keeps the platform's editing and replaces its sunken border by a flat
// 2-pixel band: the outer pixel in BorderColor, the inner one in the edit's background colour.
class TsuiEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(TsuiFileTheme *FileTheme READ fileTheme WRITE setFileTheme)
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QString Text READ text WRITE setText)

public:
    explicit TsuiEdit(QWidget *parent);

    TsuiFileTheme *fileTheme() const { return file_theme_; }
    void setFileTheme(TsuiFileTheme *theme);
    TsuiUIStyle uiStyle() const { return style_; }
    void setUIStyle(TsuiUIStyle style);
    QColor borderColor() const { return border_color_; }
    void setBorderColor(const QColor &color);
    QColor color() const;
    void setColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    FileThemeLink file_theme_;
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
    QColor border_color_{Qt::black};
};
