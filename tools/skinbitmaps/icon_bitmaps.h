#pragma once

#include <QImage>
#include <QSize>

// Style-independent bitmaps: message icons, the application icon, tool-bar glyphs and the
// small pictures some controls load by fixed name.
namespace icons {

QImage MessageIcons(QSize size); // 4 frames: warning, stop, information, help
QImage AppIcon(int size);        // a chip with a quill, with alpha

enum class Glyph { ProgramFlash, ProgramEeprom, ReadFlash, ReadEeprom, Fuses };
// 16 x 16 design pixels in the 16 standard colours; the top-left pixel (magenta) is the
// transparent colour.
QImage ToolGlyph(Glyph glyph);

QImage MenuChecked(QSize size);      // black check on white (white is the mask colour)
QImage MdiControlButton(QSize size); // 3 frames: minimize, restore, close
QImage PanelButton(QSize size);      // 4 frames: expanded, expanded hot, collapsed, collapsed hot
QImage SideChannelButton(QSize size);
QImage StatusBarHandle(QSize size);

} // namespace icons
