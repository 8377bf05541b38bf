#pragma once

#include "CliOptions.h"

#include <QByteArray>

namespace resonex::cli {

// Each prints the summary on stdout and its failures on stderr, and returns
// the exit code.
int runShow(const QString& file);
int runCalc(const CalcOptions& options);

// Writes to stdout and flushes it; a failure (a full disk, a closed stream) is
// reported on stderr and gives false.
bool writeToStdout(const QByteArray& bytes);

} // namespace resonex::cli
