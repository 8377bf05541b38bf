// Times a bang of 1,000 primary cycles in the core: a coil of 200 kHz (20 nF
// tank, 30 mH secondary), k = 0.15, a gap of 1 ohm, quenching at the first
// notch, and its waveform at 40 points a cycle. Prints the median in
// milliseconds and the figures, so a change in them shows beside the time.
//   bench-bang [RUNS]      (default 200)
#include "core/physics/Bang.h"

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
    const double w = 2 * std::numbers::pi * 200e3;
    BangCircuit circuit;
    circuit.tankCapacitance = 20e-9;
    circuit.primaryInductance = 1 / (w * w * circuit.tankCapacitance);
    circuit.primaryResistance = 1;
    circuit.secondaryInductance = 30e-3;
    circuit.secondaryCapacitance = 1 / (w * w * circuit.secondaryInductance);
    circuit.secondaryResistance = 100;
    circuit.mutualInductance =
        0.15 * std::sqrt(circuit.primaryInductance * circuit.secondaryInductance);
    circuit.tankVolts = 20e3;
    const BangRun run{1, 1000, 40};
    std::vector<double> ms;
    std::size_t samples = 0;
    double first = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const Solved<Bang> bang = Bang::fire(circuit, run);
        samples += bang->waveform().size();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        first = bang->figures().notches.front();
    }
    std::sort(ms.begin(), ms.end());
    const Solved<Bang> bang = Bang::fire(circuit, run);
    const BangFigures& f = bang->figures();
    std::printf("%-28s %8.3f ms (%d runs, %zu samples)\n", "bang of 1000 cycles", ms[ms.size() / 2],
                runs, samples / runs);
    std::printf("%-28s first notch %.4f us, quench %.4f us, share %.4f, Vtop %.1f kV, "
                "Ip %.1f A, Q %.1f\n",
                "  figures", first * 1e6, f.quench ? f.quench->time * 1e6 : 0.0,
                f.quench ? f.quench->secondaryShare : 0.0, f.secondaryPeakVolts / 1e3,
                f.primaryPeakAmps, f.secondaryQ);
}
