// Writes Quillon's fuse description files from the installed avrdude's part list and avr-libc's
// device headers:  fusegen [--avrdude-conf FILE] [--avr-headers DIR] OUTPUT_DIR
// It says which parts it left without a file and why; it fails when the sources disagree.

#include "avr_libc_fuses.h"
#include "avrdude_parts.h"
#include "fuse_files.h"
#include "session/part_lists.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption conf(QStringLiteral("avrdude-conf"), QStringLiteral("avrdude's part list"), QStringLiteral("file"),
                                  QStringLiteral("/etc/avrdude.conf"));
    const QCommandLineOption headers(QStringLiteral("avr-headers"), QStringLiteral("avr-libc's device headers"),
                                     QStringLiteral("dir"), QStringLiteral("/usr/lib/avr/include/avr"));
    parser.addOptions({conf, headers});
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("folder the .fuse files are written to"));
    parser.addHelpOption();
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    const AvrdudeParts avrdude(parser.value(conf));
    const AvrLibcHeaders avr_libc(parser.value(headers));
    if (avrdude.ids().isEmpty() || avr_libc.headerOf(QStringLiteral("ATmega8")).isEmpty()) {
        std::fprintf(stderr, "fusegen: cannot read %s or %s/io.h\n", qPrintable(parser.value(conf)), qPrintable(parser.value(headers)));
        return 1;
    }
    const FuseFiles made = make_fuse_files(DeviceIds, avrdude, avr_libc);
    const QDir output(parser.positionalArguments().constFirst());
    if (!output.mkpath(QStringLiteral(".")))
        return 1;
    for (const FuseFile &file : made.files) {
        QFile out(output.filePath(file.name));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(file.content) != file.content.size()) {
            std::fprintf(stderr, "fusegen: cannot write %s\n", qPrintable(out.fileName()));
            return 1;
        }
    }
    std::printf("%zu files written\n", made.files.size());
    for (const QString &line : made.skipped)
        std::printf("no file: %s\n", qPrintable(line));
    for (const QString &line : made.problems)
        std::fprintf(stderr, "fusegen: %s\n", qPrintable(line));
    return made.problems.isEmpty() ? 0 : 1;
}
