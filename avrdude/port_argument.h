#pragma once

#include "avrdude/command_line.h"

#include <QString>

#include <optional>

// The port avrdude will open for this command line: the value of its last -P, read as avrdude's
// own option parser reads the arguments ("-P x", "-Px", "-vP x"). Nothing when the line names no
// port: avrdude then takes its programmer's default from its configuration.
std::optional<QString> port_argument(const CommandLine &command);
