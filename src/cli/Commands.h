#pragma once

#include "cli/CliOptions.h"

#include <QByteArray>

namespace resonex::cli {

// Each prints the design on stdout as the output asks and its failures on
// stderr, and returns the exit code.
int runShow(const QString& file, Output output);
int runCalc(const CalcOptions& options, Output output);

// Writes to stdout and flushes it; a failure (a full disk, a closed stream) is
// reported on stderr and gives false.
bool writeToStdout(const QByteArray& bytes);

} // namespace resonex::cli
