#pragma once

namespace resonex::cli {

enum ExitCode : int {
    kExitOk = 0,
    kExitFileError = 1,
    kExitRejectedValue = 2,
    kExitCalculationError = 3,
    kExitUsage = 64,
};

} // namespace resonex::cli
