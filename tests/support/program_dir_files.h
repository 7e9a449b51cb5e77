#pragma once

#include <QByteArray>
#include <QString>

// Files in the test program's own directory, which is its ProgramDir.
QString program_file(const QString &name);
void write_program_file(const QString &name, const QByteArray &content);
// Writes a shell script that only the owner may run and returns its full path.
QString write_program_script(const QString &name, const QByteArray &body);
QByteArray read_program_file(const QString &name);
void remove_program_file(const QString &name);
// Copies a file of the shipped data (data/...) into ProgramDir.
void install_data_file(const QString &relative_name);
