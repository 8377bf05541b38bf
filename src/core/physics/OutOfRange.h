#pragma once

#include <stdexcept>

namespace resonex::physics {

// The field solution cannot give physical figures for this geometry: the
// caller shows the figures as absent, with this reason.
struct OutOfRange : std::runtime_error {
    using std::runtime_error::runtime_error;
};

} // namespace resonex::physics
