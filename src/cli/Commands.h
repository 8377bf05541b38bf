#pragma once

#include "CliOptions.h"

namespace resonex::cli {

// Each prints the summary on stdout and its failures on stderr, and returns
// the exit code.
int runShow(const QString& file);
int runCalc(const CalcOptions& options);

} // namespace resonex::cli
