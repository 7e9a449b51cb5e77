#include "avrdude_parts.h"

#include <QFile>
#include <QRegularExpression>

AvrdudeParts::AvrdudeParts(const QString &conf_file)
{
    QFile file(conf_file);
    if (!file.open(QIODevice::ReadOnly))
        return;
    static const QRegularExpression part_start(QStringLiteral(R"re(^part\b(?:\s+parent\s+"([^"]+)")?)re"));
    static const QRegularExpression id_line(QStringLiteral(R"re(^\s*id\s*=\s*(.*);)re"));
    static const QRegularExpression desc_line(QStringLiteral(R"re(^\s*desc\s*=\s*"([^"]*)")re"));
    static const QRegularExpression quoted(QStringLiteral(R"re("([^"]+)")re"));
    static const QRegularExpression memory_line(QStringLiteral(R"re(^\s*memory\s+"(\w+)"\s*(=\s*NULL)?)re"));
    Part part;
    QStringList ids;
    bool in_part = false;
    bool in_memory = false;
    for (QString line : QString::fromLatin1(file.readAll()).split(u'\n')) {
        line = line.section(u'#', 0, 0);
        if (const auto m = part_start.match(line); m.hasMatch()) {
            part = Part{m.captured(1), {}, {}};
            ids.clear();
            in_part = true;
            in_memory = false;
            continue;
        }
        if (!in_part)
            continue;
        if (line.trimmed() == u';') {
            if (in_memory) {
                in_memory = false;
                continue;
            }
            for (const QString &id : ids)
                parts_.insert(id, part);
            in_part = false;
            continue;
        }
        if (in_memory)
            continue;
        if (const auto m = memory_line.match(line); m.hasMatch()) {
            const bool dropped = m.hasCaptured(2);
            part.memories.insert(m.captured(1), !dropped);
            in_memory = !dropped;
        } else if (const auto d = desc_line.match(line); d.hasMatch()) {
            part.description = d.captured(1);
        } else if (const auto i = id_line.match(line); i.hasMatch() && ids.isEmpty()) {
            for (auto it = quoted.globalMatch(i.captured(1)); it.hasNext();)
                ids << it.next().captured(1);
        }
    }
}

QString AvrdudeParts::description(const QString &id) const
{
    return parts_.value(id).description;
}

bool AvrdudeParts::hasMemory(const QString &id, const QString &memory) const
{
    // A parent this file does not define ends the search, and so does a loop of parents.
    QString at = id;
    for (qsizetype step = 0; step <= parts_.size() && parts_.contains(at); ++step, at = parts_[at].parent) {
        const Part &part = parts_[at];
        if (part.memories.contains(memory))
            return part.memories[memory];
    }
    return false;
}
