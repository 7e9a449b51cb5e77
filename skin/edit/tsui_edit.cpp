#include "skin/edit/tsui_edit.h"

#include "skin/edit/edit_border.h"
#include "skin/themes/builtin_theme_table.h"
#include "skin/themes/style_resolution.h"
#include "skin/themes/theme_color.h"

#include <QPainter>

#include <limits>

namespace {
constexpr int NewEditWidth = 121;
constexpr int NewEditHeight = 21;
// The flat border band on every side.
constexpr int BorderBand = 2;
} // namespace

TsuiEdit::TsuiEdit(QWidget *parent)
    : QLineEdit(parent)
    , BorderedLook(this)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFrame(false);
    setTextMargins(BorderBand, BorderBand, BorderBand, BorderBand);
    // The edit takes any length, as its framework's default of no limit does; Qt would cut a
    // pasted text at 32767 characters without a word.
    setMaxLength(std::numeric_limits<int>::max());
    resize(NewEditWidth, NewEditHeight);
    setUIStyle(GetOwnerFormStyle(parent));
}

void TsuiEdit::ApplyLook()
{
    takeBorderColor(lookSource().color(ThemeElement::ControlBorderColor));
    update();
}

QColor TsuiEdit::color() const { return palette().color(QPalette::Base); }

void TsuiEdit::setColor(const QColor &color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, color);
    setPalette(colours);
}

void TsuiEdit::paintEvent(QPaintEvent *event)
{
    // Without its frame the platform's edit leaves the band unpainted; give it the background.
    QPainter(this).fillRect(rect(), color());
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    DrawEditBorder(painter, rect(), borderColor(), color());
}
