#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// A small program image, and the Intel HEX file avrdude reads it from.
std::vector<std::uint8_t> test_program();
void write_intel_hex(const QString &file_name, const std::vector<std::uint8_t> &bytes);
