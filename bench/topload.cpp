// Times a full top-load calculation as the program does it: a secondary
// calculated, then a toroid's results with a target frequency (the field
// solution, the toroid for the quarter-wave frequency and for the target)
// with a primary of 15 turns, a strike rail, a ceiling and walls around it,
// each run with fresh models so that no memo hides the work. Prints the
// median in milliseconds and the field work one run does (FieldWork.h), which
// shows a change in work where the machine is too noisy for times to.
//   bench-topload [RUNS]      (default 200)
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/physics/FieldWork.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace resonex;

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    std::vector<double> ms;
    float loaded = 0;
    // 9.5 mm tube at 19 mm pitch, 62.5 mm clear of the winding; the rail
    // above the toroid's rim, the room of a garage.
    physics::Surroundings around;
    around.primary =
        physics::PrimaryTurns{physics::PrimaryShape::Flat, 0, 15, 0.16725, 0, 0.0095, 0.019};
    around.rail = physics::StrikeRail{0.9, 0.025, 0.7};
    around.ceiling = 2.5;
    around.walls = 1.5;
    physics::FieldWork perRun;
    for (int i = 0; i < runs; ++i) {
        const physics::FieldWork before = physics::fieldWork();
        const auto start = std::chrono::steady_clock::now();
        CSecondary secondary(true);
        secondary.setDia("200");
        secondary.setHeight("600");
        secondary.setWireDia("0.72");
        secondary.setWireSpa("0.1");
        secondary.Calculate(true);
        CTopLoad top(true);
        top.setShape(CTopLoad::Shape::Toroid);
        top.setTopDia("400");
        top.setTubeDia("100");
        top.setTargetFr("200");
        loaded += solveTopLoad(top, secondary, true, around).loadedFr;
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        const physics::FieldWork& after = physics::fieldWork();
        perRun = {after.fieldSolutions - before.fieldSolutions,
                  after.loadCouplings - before.loadCouplings,
                  after.ringPotentials - before.ringPotentials,
                  after.modeIterations - before.modeIterations};
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s %8.2f ms (%d runs, %.0f Hz)\n", "top-load calculation", ms[ms.size() / 2],
                runs, loaded / runs);
    std::printf("%-28s %8ld field solutions, %ld load couplings, %ld ring potentials, %ld mode "
                "iterations\n",
                "  work per run", perRun.fieldSolutions, perRun.loadCouplings,
                perRun.ringPotentials, perRun.modeIterations);
}
