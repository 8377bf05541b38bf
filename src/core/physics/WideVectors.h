#pragma once

// Loops that run on the processor's widest vectors where it has them: each is
// written once as the always-inline call operator of a kernel type and built
// twice, as the program is built (baseline x86-64: SSE2, two doubles) and for
// AVX2 (four), the second chosen at run time, so the program still runs on
// any x86-64. No FMA in the wide build: a fused multiply-add rounds once where
// the portable build rounds twice, and the two builds must agree to the bit
// (the kernels only vectorise along independent elements, never reassociate).
// The build's -ffp-contract=off already stops the compiler fusing; leaving
// fma out of the target keeps that so should the flag ever go.
#if defined(__GNUC__) && defined(__x86_64__)
#define RESONEX_AVX2_BUILD 1
#else
#define RESONEX_AVX2_BUILD 0
#endif

namespace resonex::physics {

// Whether the wide build is in use: the processor's answer, asked once.
bool wideVectors();

// The portable build in use while it lives (tests compare the two).
class PortableVectorsOnly {
public:
    PortableVectorsOnly();
    ~PortableVectorsOnly();
    PortableVectorsOnly(const PortableVectorsOnly&) = delete;
    PortableVectorsOnly& operator=(const PortableVectorsOnly&) = delete;

private:
    bool m_was;
};

namespace wide {

template <typename Kernel, typename... Args> auto portable(Args... args) {
    return Kernel{}(args...);
}

#if RESONEX_AVX2_BUILD
template <typename Kernel, typename... Args> [[gnu::target("avx2")]] auto avx2(Args... args) {
    return Kernel{}(args...);
}
#endif

} // namespace wide

// Kernel{}(args...) in the build wideVectors() chooses.
template <typename Kernel, typename... Args> auto onWidestVectors(Args... args) {
#if RESONEX_AVX2_BUILD
    if (wideVectors())
        return wide::avx2<Kernel>(args...);
#endif
    return wide::portable<Kernel>(args...);
}

} // namespace resonex::physics
