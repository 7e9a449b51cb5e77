#pragma once

#include "skin/themes/ui_style.h"

#include <QPixmap>
#include <QPushButton>

// A push button of the skinned widget set, with an optional glyph and a modal result that ends
// its window's modal showing when clicked.
class TsuiButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(int ModalResult READ modalResult WRITE setModalResult)

public:
    explicit TsuiButton(QWidget *parent);

    TsuiUIStyle uiStyle() const { return style_; }
    void setUIStyle(TsuiUIStyle style);
    int modalResult() const { return modal_result_; }
    void setModalResult(int result) { modal_result_ = result; }
    void setGlyph(const QPixmap &glyph);
    void setHint(const QString &hint) { setToolTip(hint); }

signals:
    void OnClick();

private:
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
    int modal_result_ = 0;
};
