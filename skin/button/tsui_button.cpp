#include "skin/button/tsui_button.h"

#include "skin/form/tform.h"

#include <QPointer>

TsuiButton::TsuiButton(QWidget *parent)
    : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, [this] {
        QPointer<TsuiButton> guard(this);
        emit OnClick();
        if (guard && modal_result_ != 0)
            if (auto *form = qobject_cast<TForm *>(window()))
                form->setModalResult(modal_result_);
    });
}

void TsuiButton::setUIStyle(TsuiUIStyle style)
{
    style_ = style;
    update();
}

void TsuiButton::setGlyph(const QPixmap &glyph)
{
    setIcon(glyph);
    setIconSize(glyph.size());
}
