#pragma once

#include <QPixmap>

enum class ToolGlyph { ProgramFlash, ProgramEeprom, ReadFlash, ReadEeprom, Fuses, AppIcon };

// The tool-bar glyphs and the application icon, from the skin's bitmap resources.
QPixmap tool_glyph(ToolGlyph glyph);
