#pragma once

#include "skin/themes/control_look.h"
#include "skin/themes/file_theme.h"

#include <QColor>
#include <QLineEdit>

// A one-line edit that keeps the platform's editing and replaces its sunken border by a flat
// 2-pixel band: the outer pixel in BorderColor, the inner one in the edit's background colour.
class TsuiEdit : public QLineEdit, public BorderedLook {
    Q_OBJECT
    Q_PROPERTY(TsuiFileTheme *FileTheme READ fileTheme WRITE setFileTheme)
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QString Text READ text WRITE setText)

public:
    explicit TsuiEdit(QWidget *parent);

    QColor color() const;
    void setColor(const QColor &color);

protected:
    void ApplyLook() override;
    void paintEvent(QPaintEvent *event) override;
};
