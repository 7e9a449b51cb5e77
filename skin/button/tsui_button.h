#pragma once

#include "skin/button/tsui_custom_button.h"

#include <QImage>
#include <QPixmap>
#include <QPoint>

// The skinned push button: the style's button strip stretched to any size by nine slices, an
// optional glyph beside the caption, and a transparent face in the styles that want one.
class TsuiButton : public TsuiCustomButton {
    Q_OBJECT
    Q_PROPERTY(QImage Glyph READ glyph WRITE setGlyphImage)
    Q_PROPERTY(TButtonLayout Layout READ buttonLayout WRITE setButtonLayout)
    Q_PROPERTY(int Spacing READ spacing WRITE setSpacing)
    Q_PROPERTY(int ResHandle READ resHandle WRITE setResHandle)

public:
    enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
    Q_ENUM(TButtonLayout)

    static constexpr QSize DefaultSize{80, 27};
    static constexpr int DefaultSpacing = 4;

    explicit TsuiButton(QWidget *parent);

    QImage glyph() const { return glyph_; }
    void setGlyphImage(const QImage &glyph);
    void setGlyph(const QPixmap &glyph) { setGlyphImage(glyph.toImage()); }
    // Named apart from QWidget's layout(), which is a different thing.
    TButtonLayout buttonLayout() const { return layout_; }
    void setButtonLayout(TButtonLayout layout);
    int spacing() const { return spacing_; }
    void setSpacing(int spacing);
    // Kept for stored windows that write it; always reads 0.
    int resHandle() const { return 0; }
    void setResHandle(int) {}

protected:
    // The look decides whether the face is transparent and how focus is shown.
    void ApplyLook() override;
    void PaintFace(QPainter &canvas, const QImage &frame) override;
    void PaintCaption(QPainter &canvas, const QString &caption) override;
    bool FocusShownByBoldCaption() const override;

private:
    // Where the glyph and the caption beside it go, unpressed; computed from the state alone.
    struct GlyphPlacement {
        QPoint glyph;
        QPoint text;
    };
    GlyphPlacement placeGlyph() const;
    void paintGlyph(QPainter &canvas) const;

    QImage glyph_;
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = DefaultSpacing;
    // The look marks focus by a bold caption instead of a dotted rectangle.
    bool focus_bold_ = false;
};
