#include "avrdude/port_argument.h"

#include "avrdude/command_line_split.h"

namespace {

// avrdude 7.1's options that take a value; -P is one of them.
const QString OptionsWithValue = QStringLiteral("bBcCEilpPUxY");

} // namespace

std::optional<QString> port_argument(const CommandLine &command)
{
    const QStringList arguments = split_arguments(command.arguments);
    std::optional<QString> port;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        // avrdude's parser moves words that are no option behind the options, so they end nothing.
        if (argument.size() < 2 || argument.front() != u'-')
            continue;
        for (qsizetype at = 1; at < argument.size(); ++at) {
            const QChar option = argument.at(at);
            if (!OptionsWithValue.contains(option))
                continue;
            QString value;
            if (at + 1 < argument.size())
                value = argument.mid(at + 1);
            else if (i + 1 < arguments.size())
                value = arguments.at(++i);
            else
                break;
            if (option == u'P')
                port = value;
            break;
        }
    }
    return port;
}
