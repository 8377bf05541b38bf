#include "core/results/WaveformCsv.h"

#include "core/encoding/JsonText.h"

namespace resonex {

QByteArray waveformCsv(const std::vector<physics::BangSample>& samples) {
    QByteArray csv = QByteArrayLiteral("time_s,primary_current_a,top_voltage_v\n");
    csv.reserve(csv.size() + qsizetype(samples.size()) * 40);
    for (const physics::BangSample& sample : samples)
        csv += json::siNumber(sample.time) + ',' + json::siNumber(sample.primaryAmps) + ',' +
               json::siNumber(sample.topVolts) + '\n';
    return csv;
}

} // namespace resonex
