#include "session/chip_erase_question.h"

namespace {

QString flash_line() { return QStringLiteral("Der Flash-Speicher wird gelöscht, auch ein Bootloader darin."); }

QString eeprom_line(EepromAtErase eeprom)
{
    switch (eeprom) {
    case EepromAtErase::Kept:
        return QStringLiteral("Das EEPROM bleibt erhalten: EESAVE ist beim letzten Lesen der Fuses programmiert.");
    case EepromAtErase::Lost:
        return QStringLiteral("Das EEPROM wird ebenfalls gelöscht: EESAVE ist beim letzten Lesen der Fuses nicht "
                              "programmiert.");
    case EepromAtErase::Unknown:
        break;
    }
    return QStringLiteral("Das EEPROM wird ebenfalls gelöscht, außer EESAVE ist programmiert. Ob es das ist, "
                          "weiß Quillon nicht: Die Fuses dieses Geräts wurden nicht gelesen, oder ihre "
                          "Beschreibung nennt kein EESAVE.");
}

} // namespace

EepromAtErase eeprom_at_erase(const std::optional<QStringList> &bit_names, const FuseByteValues &last_read)
{
    if (!bit_names)
        return EepromAtErase::Unknown;
    const qsizetype index = bit_names->indexOf(QStringLiteral("EESAVE"));
    if (index < 0)
        return EepromAtErase::Unknown;
    const std::optional<int> &read = last_read.at(static_cast<std::size_t>(index / FuseBitsPerByte));
    if (!read)
        return EepromAtErase::Unknown;
    // A programmed bit is 0.
    return ((*read >> (index % FuseBitsPerByte)) & 1) ? EepromAtErase::Lost : EepromAtErase::Kept;
}

QString chip_erase_question(EepromAtErase eeprom)
{
    return QStringLiteral("Der ganze Chip wird gelöscht.\n\n") + flash_line() + u'\n' + eeprom_line(eeprom)
           + QStringLiteral("\n\nChip löschen?");
}

QString eeprom_program_question(EepromAtErase eeprom)
{
    return QStringLiteral("„EEPROM programmieren“ löscht vor dem Schreiben den ganzen Chip.\n\n") + flash_line()
           + u'\n' + eeprom_line(eeprom) + QStringLiteral(" Danach wird die Datei ins EEPROM geschrieben.")
           + QStringLiteral("\n\nEEPROM programmieren?");
}
