#pragma once

#include "core/physics/Bang.h"

#include <QByteArray>

#include <vector>

namespace resonex {

// A waveform (a bang's or a burst's) as comma-separated values for a
// spreadsheet: a header line, then one line per sample of the time (s), the
// primary current (A) and the top voltage (V), numbers with a full stop
// whatever the locale.
QByteArray waveformCsv(const std::vector<physics::BangSample>& samples);

} // namespace resonex
