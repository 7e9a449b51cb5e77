#include "skin/button/tsui_button.h"

#include "skin/form/tform.h"

#include <QBitmap>
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
    // A glyph's bottom-left pixel names its transparent colour.
    QPixmap transparent = glyph;
    if (!glyph.isNull()) {
        const QImage image = glyph.toImage();
        transparent.setMask(QBitmap::fromImage(image.createMaskFromColor(image.pixel(0, image.height() - 1))));
    }
    setIcon(transparent);
    setIconSize(glyph.size());
}
