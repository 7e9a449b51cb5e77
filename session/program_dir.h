#pragma once

#include <QString>

// The directory of the running executable, with a trailing separator. All data files are found
// relative to it; it is computed afresh wherever it is needed.
QString program_dir();
