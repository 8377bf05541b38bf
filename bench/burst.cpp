// Times a 300 µs burst in the core: a DRSSTC of a 350 V full bridge into a
// 0.15 µF tank, its primary tuned to 90 % of a 200 kHz, 30 mH secondary,
// k = 0.15, R1 0.05 ohm, R2 100 ohm, no current limit, and its waveform at 40
// points a primary cycle. Prints the median in milliseconds and the figures,
// so a change in them shows beside the time.
//   bench-burst [RUNS]      (default 200)
#include "core/physics/Burst.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <vector>

using namespace resonex::physics;

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const double w2 = 2 * std::numbers::pi * 200e3;
    const double w1 = 0.9 * w2;
    BurstCircuit circuit;
    BangCircuit& c = circuit.coil;
    c.tankCapacitance = 0.15e-6;
    c.primaryInductance = 1 / (w1 * w1 * c.tankCapacitance);
    c.primaryResistance = 0.05;
    c.secondaryInductance = 30e-3;
    c.secondaryCapacitance = 1 / (w2 * w2 * c.secondaryInductance);
    c.secondaryResistance = 100;
    c.mutualInductance = 0.15 * std::sqrt(c.primaryInductance * c.secondaryInductance);
    circuit.busVolts = 350;
    circuit.fullBridge = true;
    const BurstRun run{300e-6, std::nullopt, 40};
    std::vector<double> ms;
    std::size_t samples = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const Solved<Burst> burst = Burst::drive(circuit, run);
        samples += burst->waveform().size();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    const Solved<Burst> burst = Burst::drive(circuit, run);
    const BurstFigures& f = burst->figures();
    std::printf("%-28s %8.3f ms (%d runs, %zu samples)\n", "burst of 300 us", ms[ms.size() / 2],
                runs, samples / runs);
    std::printf("%-28s Ip %.1f A at %.3f us, open %.3f us, tank %.1f V, Vtop %.1f kV, "
                "drawn %.3f J, returned %.3f J, lock %.3f kHz\n",
                "  figures", f.primaryPeakAmps, f.primaryPeakTime * 1e6, f.primaryOpenTime * 1e6,
                f.tankPeakVolts, f.secondaryPeakVolts / 1e3, f.drawnJoules, f.returnedJoules,
                f.lockHz / 1e3);
}
