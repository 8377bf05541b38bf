// Times a full top-load calculation as the program does it: a secondary
// calculated, then a toroid's results with a target frequency (the field
// solution, the toroid for the quarter-wave frequency and for the target),
// each run with fresh models so that no memo hides the work. Prints the
// median in milliseconds.
//   bench-topload [RUNS]      (default 200)
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"

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
    for (int i = 0; i < runs; ++i) {
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
        loaded += solveTopLoad(top, secondary, true).loadedFr;
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s %8.2f ms (%d runs, %.0f Hz)\n", "top-load calculation", ms[ms.size() / 2],
                runs, loaded / runs);
}
