#include "acoustics/FastSpl.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace {

// Sources handled per pass: their paths and scales stay in the first-level cache for every line.
constexpr int Chunk = 1024;

// The phase is reduced by multiples of pi/2 split into three parts of 33 bits, so that each product
// with a multiple below 2^20 is exact: phases up to 2^20 * pi/2 reduce to within a unit in the last
// place. Larger phases (paths of kilometres) take the library's sine and cosine instead.
constexpr double TwoOverPi = 6.36619772367581382433e-01;
constexpr double HalfPi1 = 1.57079632673412561417e+00;
constexpr double HalfPi2 = 6.07710050630396597660e-11;
constexpr double HalfPi3 = 2.02226624871116645580e-21;
constexpr double ReducedRange = 1.6e6;
// Adding 1.5 * 2^52 rounds to a whole number, half to even, and leaves it in the low mantissa bits.
constexpr double RoundingShift = 6755399441055744.0;

// Minimax polynomials for sine and cosine on [-pi/4, pi/4].
constexpr double S1 = -1.66666666666666324348e-01;
constexpr double S2 = 8.33333333332248946124e-03;
constexpr double S3 = -1.98412698298579493134e-04;
constexpr double S4 = 2.75573137070700676789e-06;
constexpr double S5 = -2.50507602534068634195e-08;
constexpr double S6 = 1.58969099521155010221e-10;
constexpr double C1 = 4.16666666666666019037e-02;
constexpr double C2 = -1.38888888888741095749e-03;
constexpr double C3 = 2.48015872894767294178e-05;
constexpr double C4 = -2.75573143513906633035e-07;
constexpr double C5 = 2.08757232129817482790e-09;
constexpr double C6 = -1.13596475577881948265e-11;

struct KernelInput {
    const double* x;
    const double* z;
    const double* amplitude;
    const double* extraPath;
    int count;
    const double* waveNumbers;
    int lines;
};

// Adds every source's pressure at every line to re and im (line -M at index 0). True, with the sums
// unfinished, when the receiver lies on a source point.
using Kernel = bool (*)(const KernelInput& in, double x, double z, double* re, double* im);

// The kernel's body, built into one function for each vector width the processor may offer.
inline __attribute__((always_inline)) bool SumPhasors(const KernelInput& in, double x, double z, double* re,
                                                      double* im)
{
    alignas(64) double path[Chunk];
    alignas(64) double scale[Chunk];
    for (int first = 0; first < in.count; first += Chunk) {
        const int n = std::min(Chunk, in.count - first);
        const double* xs = in.x + first;
        const double* zs = in.z + first;
        const double* amplitude = in.amplitude + first;
        const double* extraPath = in.extraPath + first;
        int onSource = 0;
#pragma omp simd reduction(+ : onSource)
        for (int k = 0; k < n; ++k) {
            const double r = std::sqrt((xs[k] - x) * (xs[k] - x) + (zs[k] - z) * (zs[k] - z));
            onSource += r == 0;
            path[k] = r + extraPath[k];
            scale[k] = amplitude[k] / r;
        }
        if (onSource > 0)
            return true;

        for (int line = 0; line < in.lines; ++line) {
            const double w = in.waveNumbers[line];
            double sumRe = 0;
            double sumIm = 0;
            int outside = 0;
#pragma omp simd reduction(+ : sumRe, sumIm, outside)
            for (int k = 0; k < n; ++k) {
                const double t = path[k] * w;
                outside += !(std::fabs(t) < ReducedRange);
                const double shifted = t * TwoOverPi + RoundingShift;
                const std::uint64_t quadrant = std::bit_cast<std::uint64_t>(shifted);
                const double q = shifted - RoundingShift;
                const double y = ((t - q * HalfPi1) - q * HalfPi2) - q * HalfPi3;
                const double yy = y * y;
                const double sinY = y + y * yy * (S1 + yy * (S2 + yy * (S3 + yy * (S4 + yy * (S5 + yy * S6)))));
                const double half = 0.5 * yy;
                const double oneLess = 1.0 - half;
                const double cosTail = yy * yy * (C1 + yy * (C2 + yy * (C3 + yy * (C4 + yy * (C5 + yy * C6)))));
                const double cosY = oneLess + (((1.0 - oneLess) - half) + cosTail);
                // Quadrants 1 and 3 swap sine and cosine; the sine is negative in 2 and 3, the cosine in 1 and 2.
                const double sinSwapped = (quadrant & 1) ? cosY : sinY;
                const double cosSwapped = (quadrant & 1) ? sinY : cosY;
                const std::uint64_t sinSign = (quadrant & 2) << 62;
                const std::uint64_t cosSign = ((quadrant + 1) & 2) << 62;
                const double sinT = std::bit_cast<double>(std::bit_cast<std::uint64_t>(sinSwapped) ^ sinSign);
                const double cosT = std::bit_cast<double>(std::bit_cast<std::uint64_t>(cosSwapped) ^ cosSign);
                sumRe += scale[k] * cosT;
                sumIm += scale[k] * sinT;
            }
            if (outside > 0) {
                sumRe = 0;
                sumIm = 0;
                for (int k = 0; k < n; ++k) {
                    const double t = path[k] * w;
                    sumRe += scale[k] * std::cos(t);
                    sumIm += scale[k] * std::sin(t);
                }
            }
            re[line] += sumRe;
            im[line] += sumIm;
        }
    }
    return false;
}

bool SumPhasorsBaseline(const KernelInput& in, double x, double z, double* re, double* im)
{
    return SumPhasors(in, x, z, re, im);
}

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("arch=x86-64-v2"))) bool SumPhasorsV2(const KernelInput& in, double x, double z, double* re,
                                                             double* im)
{
    return SumPhasors(in, x, z, re, im);
}

__attribute__((target("arch=x86-64-v3"))) bool SumPhasorsV3(const KernelInput& in, double x, double z, double* re,
                                                             double* im)
{
    return SumPhasors(in, x, z, re, im);
}

__attribute__((target("arch=x86-64-v4"))) bool SumPhasorsV4(const KernelInput& in, double x, double z, double* re,
                                                             double* im)
{
    return SumPhasors(in, x, z, re, im);
}
#endif

// The widest the processor runs, picked once. Chosen by hand rather than by the loader, which would
// run the choice before sanitizers and other early code are ready.
Kernel WidestKernel()
{
#if defined(__x86_64__) && defined(__GNUC__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("x86-64-v4"))
        return SumPhasorsV4;
    if (__builtin_cpu_supports("x86-64-v3"))
        return SumPhasorsV3;
    if (__builtin_cpu_supports("x86-64-v2"))
        return SumPhasorsV2;
#endif
    return SumPhasorsBaseline;
}

}

FastSpl::FastSpl(const SplSources& sources)
    : halfLines_(HalfLineCount(sources.lineCount)), lineCount_(sources.lineCount),
      centreHz_(sources.bandLines[BandLineCentre]), pointsPerSource_(ProfilePointsPerSource(sources.spacing))
{
    for (int i = -halfLines_; i <= halfLines_; ++i)
        waveNumbers_.push_back(PhaseTwoPi / (sources.c / sources.bandLines[std::size_t(BandLineCentre + i)]));
    for (const SourcePoint& s : sources.points) {
        x_.push_back(s.X);
        z_.push_back(s.Z);
        amplitude_.push_back(std::pow(10.0, s.Level / 20));
        extraPath_.push_back(s.Delay * 1e-6 * sources.c);
    }
    if (!sources.points.empty())
        last_ = sources.points.back();
}

std::int16_t FastSpl::Level(double x, double z) const
{
    std::array<double, 25> re{};
    std::array<double, 25> im{};
    const KernelInput in{x_.data(), z_.data(), amplitude_.data(), extraPath_.data(), int(x_.size()),
                         waveNumbers_.data(), int(waveNumbers_.size())};
    static const Kernel sumPhasors = WidestKernel();
    if (sumPhasors(in, x, z, re.data(), im.data()))
        return SplCeiling;
    std::array<Complex, 25> sums{};
    for (int i = -halfLines_; i <= halfLines_; ++i)
        sums[std::size_t(BandLineCentre + i)] = {re[std::size_t(halfLines_ + i)], im[std::size_t(halfLines_ + i)]};
    const double rLast = x_.empty() ? 0.0 : SourceDistance(last_, x, z);
    return LevelFromLineSums(sums, lineCount_, centreHz_, rLast, pointsPerSource_);
}
