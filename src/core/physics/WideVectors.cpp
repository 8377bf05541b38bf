#include "core/physics/WideVectors.h"

#include <atomic>

namespace resonex::physics {

namespace {

std::atomic<bool>& inUse() {
    static std::atomic<bool> use = [] {
#if RESONEX_AVX2_BUILD
        // Asked before any static constructor of the runtime may have run;
        // the answer covers the system saving the wide registers too.
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
#else
        return false;
#endif
    }();
    return use;
}

} // namespace

bool wideVectors() { return inUse().load(std::memory_order_relaxed); }

PortableVectorsOnly::PortableVectorsOnly() : m_was(inUse().exchange(false)) {}

PortableVectorsOnly::~PortableVectorsOnly() { inUse().store(m_was); }

} // namespace resonex::physics
