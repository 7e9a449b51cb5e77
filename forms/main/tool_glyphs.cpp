#include "forms/main/tool_glyphs.h"

#include "skin/themes/style_bitmaps.h"

QPixmap tool_glyph(ToolGlyph glyph)
{
    static const char *const names[] = {"GLYPH_PROGRAM_FLASH", "GLYPH_PROGRAM_EEPROM", "GLYPH_READ_FLASH",
                                        "GLYPH_READ_EEPROM", "GLYPH_FUSES"};
    // Through the skin's loader, which picks the finer drawing on a high-density screen.
    return QPixmap::fromImage(LoadStyleBitmap(QLatin1String(names[static_cast<int>(glyph)])));
}
