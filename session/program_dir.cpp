#include "session/program_dir.h"

#include <QCoreApplication>
#include <QDir>

QString program_dir()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
}
