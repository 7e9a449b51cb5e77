#pragma once

#include "skin/themes/ui_style.h"

#include <QLineEdit>

// A one-line edit with a flat border.
class TsuiEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(QString Text READ text WRITE setText)

public:
    explicit TsuiEdit(QWidget *parent);

    TsuiUIStyle uiStyle() const { return style_; }
    void setUIStyle(TsuiUIStyle style);

private:
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
};
