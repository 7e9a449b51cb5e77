#include "session/fuse_lockout.h"

#include <algorithm>

namespace {

// Which rule a bit's name falls under, if any.
std::optional<LockoutKind> kind_of(const QString &name)
{
    if (name == QLatin1String("RSTDISBL"))
        return LockoutKind::ResetPinDisabled;
    if (name == QLatin1String("DWEN"))
        return LockoutKind::DebugWireEnabled;
    if (name == QLatin1String("SPIEN"))
        return LockoutKind::SerialProgrammingDisabled;
    if (name.startsWith(QLatin1String("CKSEL")) || name == QLatin1String("CKDIV8"))
        return LockoutKind::ClockChanged;
    return std::nullopt;
}

// Whether writing `becomes` over `was` falls under the rule: the reset and debugWIRE bits left
// programmed (0), SPIEN left unprogrammed (1), any change of a clock bit. The first three count
// whatever was read, since a read can be wrong (another program on the port garbles it); with
// nothing to compare with, every clock bit counts.
bool at_risk(LockoutKind kind, std::optional<bool> was, bool becomes)
{
    switch (kind) {
    case LockoutKind::ResetPinDisabled:
    case LockoutKind::DebugWireEnabled:
        return !becomes;
    case LockoutKind::SerialProgrammingDisabled:
        return becomes;
    case LockoutKind::ClockChanged:
        return was != becomes;
    }
    return false;
}

QString consequence(LockoutKind kind)
{
    switch (kind) {
    case LockoutKind::ResetPinDisabled:
        return QStringLiteral("Der Reset-Pin wird zum Port-Pin. Über ISP lässt sich der Chip dann nicht mehr "
                              "programmieren, nur noch mit Hochvolt-Programmierung.");
    case LockoutKind::DebugWireEnabled:
        return QStringLiteral("debugWIRE belegt den Reset-Pin. Über ISP ist der Chip erst wieder erreichbar, "
                              "wenn debugWIRE mit einem Debugger abgeschaltet wird.");
    case LockoutKind::SerialProgrammingDisabled:
        return QStringLiteral("Die serielle Programmierung (ISP) wird abgeschaltet; nur Hochvolt-Programmierung "
                              "schaltet sie wieder ein.");
    case LockoutKind::ClockChanged:
        return QStringLiteral("Ohne diese Taktquelle antwortet der Chip nicht mehr.");
    }
    return {};
}

QString bit_digit(bool bit) { return bit ? QStringLiteral("1") : QStringLiteral("0"); }

// "RSTDISBL (1 → 0)", or "CKSEL0 (→ 1)" when nothing was read.
QString change_text(const LockoutBit &bit)
{
    const QString from = bit.was ? bit_digit(*bit.was) + u' ' : QString();
    return QStringLiteral("%1 (%2→ %3)").arg(bit.name, from, bit_digit(bit.becomes));
}

QString risk_line(const LockoutRisk &risk)
{
    QStringList changes;
    bool stays = true;
    for (const LockoutBit &bit : risk.bits) {
        changes << change_text(bit);
        stays = stays && bit.was == bit.becomes;
    }
    const QString bits = changes.join(QStringLiteral(", "));
    const QString verb = stays ? QStringLiteral("bleibt") : QStringLiteral("wird");
    switch (risk.kind) {
    case LockoutKind::ResetPinDisabled:
    case LockoutKind::DebugWireEnabled:
        return QStringLiteral("%1 %2 programmiert: %3").arg(bits, verb, consequence(risk.kind));
    case LockoutKind::SerialProgrammingDisabled:
        return QStringLiteral("%1 %2 unprogrammiert: %3").arg(bits, verb, consequence(risk.kind));
    case LockoutKind::ClockChanged:
        break;
    }
    return QStringLiteral("Taktwahl %1: %2").arg(bits, consequence(risk.kind));
}

} // namespace

std::vector<LockoutRisk> lockout_risks(const QStringList &bit_names, const FuseByteValues &intended,
                                       const FuseByteValues &last_read)
{
    std::vector<LockoutRisk> risks;
    const int names = std::min(static_cast<int>(bit_names.size()), FuseByteCount * FuseBitsPerByte);
    for (int index = 0; index < names; ++index) {
        const std::size_t fuse = static_cast<std::size_t>(index / FuseBitsPerByte);
        const int n = index % FuseBitsPerByte;
        const std::optional<LockoutKind> kind = kind_of(bit_names[index].trimmed());
        if (!kind || !intended[fuse])
            continue;
        const bool becomes = (*intended[fuse] >> n) & 1;
        const std::optional<bool> was =
            last_read[fuse] ? std::optional<bool>(((*last_read[fuse] >> n) & 1) != 0) : std::nullopt;
        if (!at_risk(*kind, was, becomes))
            continue;
        auto same_kind = std::find_if(risks.begin(), risks.end(), [&](const LockoutRisk &r) { return r.kind == *kind; });
        if (same_kind == risks.end())
            same_kind = risks.insert(risks.end(), LockoutRisk{*kind, {}});
        same_kind->bits.push_back({bit_names[index].trimmed(), was, becomes});
    }
    std::stable_sort(risks.begin(), risks.end(), [](const LockoutRisk &a, const LockoutRisk &b) { return a.kind < b.kind; });
    return risks;
}

bool compared_with_nothing(const FuseByteValues &intended, const FuseByteValues &last_read)
{
    for (std::size_t fuse = 0; fuse < intended.size(); ++fuse)
        if (intended[fuse] && !last_read[fuse])
            return true;
    return false;
}

QString lockout_warning_text(const std::vector<LockoutRisk> &risks, bool nothing_read)
{
    QStringList intro;
    if (nothing_read)
        intro << QStringLiteral("Seit der Wahl des Geräts wurden die Fuses nicht gelesen; verglichen wird mit nichts.");
    intro << QStringLiteral("Dieses Schreiben kann den Chip aussperren:");
    QStringList lines;
    for (const LockoutRisk &risk : risks)
        lines << risk_line(risk);
    return intro.join(u'\n') + QStringLiteral("\n\n") + lines.join(u'\n') + QStringLiteral("\n\nTrotzdem schreiben?");
}

QString unknown_meaning_text(const QString &device, const FuseByteValues &intended, const FuseByteValues &last_read)
{
    static const char *const names[FuseByteCount] = {"LowFuse", "HighFuse", "EFuse"};
    const auto hex = [](int value) { return QStringLiteral("0x") + QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper(); };
    QStringList lines;
    for (std::size_t fuse = 0; fuse < intended.size(); ++fuse) {
        if (!intended[fuse])
            continue;
        const QString was = last_read[fuse] ? hex(*last_read[fuse]) : QStringLiteral("nicht gelesen");
        lines << QStringLiteral("%1: %2 → %3").arg(QLatin1String(names[fuse]), was, hex(*intended[fuse]));
    }
    return QStringLiteral("Für das Gerät „%1“ ist die Bedeutung der Fuse-Bits unbekannt: Quillon hat keine "
                          "Beschreibung seiner Fuses und kann nicht prüfen, ob dieses Schreiben den Chip aussperrt.\n\n"
                          "Geschrieben wird (bisher → neu):\n")
               .arg(device)
           + lines.join(u'\n') + QStringLiteral("\n\nTrotzdem schreiben?");
}
