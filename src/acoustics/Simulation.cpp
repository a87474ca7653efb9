#include "acoustics/Simulation.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/Catalogue.h"
#include "library/Log10.h"

#include <algorithm>
#include <cmath>

namespace {

std::int16_t PointSPL(const std::array<double, 25>& lines, const SourcePoint* points, int count, double spacing,
                      std::int16_t lineCount, double c, double x, double z)
{
    const int m = HalfLineCount(lineCount);
    std::array<Complex, 25> sums{};
    for (int k = 0; k < count; ++k) {
        const SourcePoint& s = points[k];
        const double r = SourceDistance(s, x, z);
        // The pressure of a source at the receiver itself is unbounded.
        if (r == 0)
            return SplCeiling;
        const double path = r + s.Delay * 1e-6 * c;
        const double amplitude = std::pow(10.0, s.Level / 20);
        for (int i = -m; i <= m; ++i) {
            const Complex p =
                PointSourcePhasor(x, z, amplitude, r, path, c / lines[std::size_t(BandLineCentre + i)]);
            sums[std::size_t(BandLineCentre + i)].Re += p.Re;
            sums[std::size_t(BandLineCentre + i)].Im += p.Im;
        }
    }
    const double rLast = count > 0 ? SourceDistance(points[count - 1], x, z) : 0.0;
    return LevelFromLineSums(sums, lineCount, lines[BandLineCentre], rLast, ProfilePointsPerSource(spacing));
}

}

int HalfLineCount(std::int16_t lineCount)
{
    const int m = CInt((lineCount - 1) / 2.0);
    if (m > BandLineCentre)
        throw VbError(VbError::Subscript, "Subscript out of range");
    return m;
}

double SourceDistance(const SourcePoint& s, double x, double z)
{
    return std::sqrt((s.X - x) * (s.X - x) + (s.Z - z) * (s.Z - z));
}

std::int16_t ProfilePointsPerSource(double spacing) { return CInt(spacing / 0.01); }

std::int16_t LevelFromLineSums(const std::array<Complex, 25>& sums, std::int16_t lineCount, double centreHz,
                               double lastDistance, std::int16_t pointsPerSource)
{
    // The line count was checked when the sums were made.
    const int m = std::min(CInt((lineCount - 1) / 2.0), std::int16_t(BandLineCentre));
    double magnitudes = 0;
    for (int i = -m; i <= m; ++i)
        magnitudes += CModulus(sums[std::size_t(BandLineCentre + i)]);
    const double mean = magnitudes / lineCount;

    // Air absorption, in dB per metre, over the distance to the last source point.
    const double alpha = -3e-9 * std::pow(centreHz, 1.94);
    const double p = mean + std::pow(10.0, alpha * lastDistance / 20);

    const double scaled = p * pointsPerSource;
    const double level = 20 * Log10(scaled);
    if (100 * level > SplCeiling)
        return SplCeiling;
    // Also catches the -infinity of a zero pressure.
    if (!(100 * level >= -32768.0))
        return -32768;
    return CInt(100 * level);
}

void SetBandLines(double bandwidth, std::int16_t lineCount, double centreHz)
{
    if (lineCount < 1)
        return;
    if (lineCount >= 2) {
        const int m = HalfLineCount(lineCount);
        for (int i = 1; i <= m; ++i) {
            const double q = std::pow(2.0, bandwidth / std::pow(2.0, i));
            const int k = m - i + 1;
            BandLines[std::size_t(BandLineCentre + k)] = centreHz * q;
            BandLines[std::size_t(BandLineCentre - k)] = centreHz / q;
        }
    }
    BandLines[BandLineCentre] = centreHz;
}

double SpeedOfSound(double T) { return 331.4 * std::sqrt((T + 273) / 273); }

std::int16_t BuildSourcePoints(double spacing, std::int16_t band)
{
    if (band < 0 || band >= ProfileBands)
        throw VbError(VbError::Subscript, "Subscript out of range");
    Form_PrincipaleControls& form = Principale();
    const double typed = Val(form.Area[4].Text());
    const double boxes = typed > MaxBoxes ? MaxBoxes : typed;
    std::int16_t count = 0;
    for (int i = 1; i <= boxes; ++i) {
        const ModuleRecord& module = Modules[std::size_t(GetModuleIndex(form.Tipo[std::size_t(i - 1)].Text()).Index)];
        if (module.BoxType >= 100)
            continue;
        const double x1 = ClusterCorners[i][0];
        const double z1 = ClusterCorners[i][4];
        const double x2 = ClusterCorners[i][1];
        const double z2 = ClusterCorners[i][5];
        const double front = module.FrontLen * 0.001;
        const std::int16_t n = CInt(front / spacing);
        // No points, and for a box of no front (a row naming no loaded module) no step either.
        if (n <= 0)
            continue;
        const double stepX = (x1 - x2) * spacing / front;
        const double stepZ = (z1 - z2) * spacing / front;
        const int profileStep = ProfilePointsPerSource(spacing);
        const InitValue& init = InitValues[std::size_t(i - 1)];
        for (int k = 0; k < n; ++k) {
            SourcePoint& p = SourcePoints[std::size_t(count + k)];
            p.X = x1 - k * stepX;
            p.Z = z1 - k * stepZ;
            // A long front at a coarse spacing runs past the profile: its tail reads the last point.
            const int j = std::min(k * profileStep, ProfilePoints - 1);
            const ProfilePoint& profile = module.FrontAttenuationProfile[std::size_t(j)][std::size_t(band)];
            p.Level = profile.Abs + init.Abs;
            p.Delay = profile.Delay + init.Delay;
        }
        count = CInt(double(count) + n);
    }
    return count;
}

std::int16_t CalcPointSPL(std::int16_t sourceCount, double spacing, std::int16_t lineCount, double c, double x,
                          double z)
{
    return PointSPL(BandLines, SourcePoints.data(), std::max<int>(sourceCount, 0), spacing, lineCount, c, x, z);
}

Complex PointSourcePhasor(double x, double z, double amplitude, double distance, double pathLength,
                          double wavelength)
{
    static_cast<void>(x);
    static_cast<void>(z);
    const double t = (pathLength * PhaseTwoPi) / wavelength;
    return {(amplitude / distance) * std::cos(t), (amplitude / distance) * std::sin(t)};
}

SplSources CopySplSources(std::int16_t count, std::int16_t lineCount, double spacing, double c)
{
    SplSources sources;
    sources.bandLines = BandLines;
    sources.points.assign(SourcePoints.begin(), SourcePoints.begin() + std::clamp<int>(count, 0, MaxSourcePoints));
    sources.lineCount = lineCount;
    sources.spacing = spacing;
    sources.c = c;
    return sources;
}

std::int16_t NodeSPL(const SplSources& sources, double x, double z)
{
    return PointSPL(sources.bandLines, sources.points.data(), int(sources.points.size()), sources.spacing,
                    sources.lineCount, sources.c, x, z);
}
