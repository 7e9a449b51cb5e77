#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>
#include <vector>

// Just enough Intel HEX for the tests: data and end records, addresses below 64 KiB.
QByteArray to_intel_hex(const QByteArray &data, int address = 0);
// Byte address → value of every data byte in the file.
std::map<int, unsigned char> parse_intel_hex(const QByteArray &text);

// A small program image, and the file avrdude reads it from (folders made as needed).
std::vector<std::uint8_t> test_program();
void write_intel_hex(const QString &file_name, const std::vector<std::uint8_t> &bytes);
// The same under a name given as the system's bytes, which need not be UTF-8; its folder exists.
void write_intel_hex_at(const QByteArray &native_file_name, const std::vector<std::uint8_t> &bytes);
