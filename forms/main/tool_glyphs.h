#pragma once

#include <QPixmap>

enum class ToolGlyph { ProgramFlash, ProgramEeprom, ReadFlash, ReadEeprom, Fuses };

// The tool-bar glyphs, from the skin's bitmap resources.
QPixmap tool_glyph(ToolGlyph glyph);
