#pragma once

#include <QByteArray>

namespace resonex::physics {
class Bang;
}

namespace resonex {

// The bang's waveform as comma-separated values for a spreadsheet: a header
// line, then one line per sample of the time (s), the primary current (A)
// and the top voltage (V), numbers with a full stop whatever the locale.
QByteArray bangWaveformCsv(const physics::Bang& bang);

} // namespace resonex
