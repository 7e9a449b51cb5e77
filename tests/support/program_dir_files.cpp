#include "tests/support/program_dir_files.h"

#include "session/program_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

QString program_file(const QString &name) { return program_dir() + name; }

void write_program_file(const QString &name, const QByteArray &content)
{
    const QString path = program_file(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        throw std::runtime_error("cannot write test file " + path.toStdString());
}

QString write_program_script(const QString &name, const QByteArray &body)
{
    write_program_file(name, "#!/bin/sh\n" + body);
    QFile(program_file(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return program_file(name);
}

QByteArray read_program_file(const QString &name)
{
    QFile file(program_file(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read test file " + name.toStdString());
    return file.readAll();
}

void remove_program_file(const QString &name)
{
    QFile file(program_file(name));
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    file.remove();
}

void install_data_file(const QString &relative_name)
{
    const QString source = qEnvironmentVariable("QUILLON_DATA_DIR") + u'/' + relative_name;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read data file " + source.toStdString());
    write_program_file(relative_name, in.readAll());
}
