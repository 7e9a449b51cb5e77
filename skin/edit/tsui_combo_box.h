#pragma once

#include "skin/themes/ui_style.h"

#include <QComboBox>

// An editable drop-down list: the user may pick an entry or type any text.
class TsuiComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(QString Text READ text WRITE setText)

public:
    explicit TsuiComboBox(QWidget *parent);

    TsuiUIStyle uiStyle() const { return style_; }
    void setUIStyle(TsuiUIStyle style);
    QString text() const { return currentText(); }
    void setText(const QString &text) { setEditText(text); }

private:
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
};
