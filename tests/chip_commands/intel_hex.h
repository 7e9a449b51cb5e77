#pragma once

#include <QByteArray>
#include <QString>

#include <map>

// Just enough Intel HEX for the tests: data and end records, addresses below 64 KiB.
QByteArray to_intel_hex(const QByteArray &data, int address = 0);
// Byte address → value of every data byte in the file.
std::map<int, unsigned char> parse_intel_hex(const QByteArray &text);
