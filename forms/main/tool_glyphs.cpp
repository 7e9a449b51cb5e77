#include "forms/main/tool_glyphs.h"

QPixmap tool_glyph(ToolGlyph glyph)
{
    static const char *const names[] = {"GLYPH_PROGRAM_FLASH", "GLYPH_PROGRAM_EEPROM", "GLYPH_READ_FLASH",
                                        "GLYPH_READ_EEPROM", "GLYPH_FUSES"};
    return QPixmap(QStringLiteral(":/skin/%1.png").arg(QLatin1String(names[static_cast<int>(glyph)])));
}
