#pragma once

#include "skin/themes/control_look.h"
#include "skin/themes/file_theme.h"

#include <QColor>
#include <QFont>
#include <QMetaType>
#include <QObject>
#include <QString>

// Where a window appears when it is shown.
enum class TPosition : std::uint8_t {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter,
};
Q_DECLARE_METATYPE(TPosition)

// Cursor identifiers as stored window descriptions write them.
enum TCursorId : int {
    crDefault = 0,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crHourGlass = -11,
    crHandPoint = -21,
};

// A component that shows a skinned modal window on request. It sits on a form like a control,
// takes its starting style from that form's frame, and keeps only its properties: every showing
// builds its window afresh.
class TsuiDialog : public QObject, public ControlLook {
    Q_OBJECT
    Q_PROPERTY(TsuiFileTheme *FileTheme READ fileTheme WRITE setFileTheme)
    Q_PROPERTY(TPosition Position READ position WRITE setPosition)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(QFont CaptionFont READ captionFont WRITE setCaptionFont)
    Q_PROPERTY(QColor CaptionFontColor READ captionFontColor WRITE setCaptionFontColor)

public:
    static constexpr int CaptionFontPixels = 11;

    explicit TsuiDialog(QObject *owner);

    // Applies the current style again, which recolours the caption font.
    TPosition position() const { return position_; }
    void setPosition(TPosition position) { position_ = position; }
    QString caption() const { return caption_; }
    void setCaption(const QString &caption) { caption_ = caption; }
    // Stores the style and recolours the caption font.
    // The body font: the window's text and buttons. The setters copy the font given.
    QFont font() const { return font_; }
    void setFont(const QFont &font) { font_ = font; }
    QFont captionFont() const { return caption_font_; }
    void setCaptionFont(const QFont &font) { caption_font_ = font; }
    QColor captionFontColor() const { return caption_font_color_; }
    void setCaptionFontColor(const QColor &color) { caption_font_color_ = color; }
    int buttonCursor() const { return button_cursor_; }
    void setButtonCursor(int cursor) { button_cursor_ = cursor; }

    // Builds the window, shows it modally and returns its modal result once it is closed.
    virtual int ShowModal() = 0;

protected:
    // The caption font's colour follows the style.
    void ApplyLook() override;

private:
    TPosition position_ = TPosition::poScreenCenter;
    QString caption_;
    QFont font_;
    QFont caption_font_;
    QColor caption_font_color_;
    int button_cursor_ = crHandPoint;
};

// The Qt cursor shape for a stored cursor identifier; unknown ones give the arrow.
Qt::CursorShape CursorShapeFromId(int cursor);

