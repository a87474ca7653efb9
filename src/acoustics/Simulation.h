#pragma once
#include "acoustics/ComplexLib.h"
#include "core/SplState.h"
#include <array>
#include <cstdint>
#include <vector>

// The acoustic engine: every box front becomes a row of point sources, and the level at a receiver
// is the mean over the band lines of the magnitude of the summed source pressures, in 0.01 dB.
// BandLines and SourcePoints are shared working state: whoever computes levels builds both first.

// Levels above this (in 0.01 dB) are reported as it.
constexpr std::int16_t SplCeiling = 32535;

// The phase factor is this literal, not the full-precision 2 pi, so that levels stay the same.
constexpr double PhaseTwoPi = 6.28318530717958;
// Where band line 0 sits in BandLines and in arrays of line sums: line i at [i + BandLineCentre].
constexpr int BandLineCentre = 12;

// M of a band of lineCount lines -M..M; more than 25 lines raise VbError::Subscript.
int HalfLineCount(std::int16_t lineCount);

// Writes BandLines -M..M (M = (lineCount - 1) / 2) for a band of `bandwidth` octaves around centreHz;
// the outer pair lies on the band edges and each pair further in halves the distance to the centre.
// A count below 1 writes nothing; more than 25 lines raise VbError::Subscript and write nothing.
void SetBandLines(double bandwidth, std::int16_t lineCount, double centreHz);

// Speed of sound in m/s at T degrees Celsius.
double SpeedOfSound(double T);

// Fills SourcePoints from index 0 with one point every `spacing` metres down the front of each
// acoustic box (BoxType below 100) of the vertical view's rows, top box first, and returns how many
// it wrote. Band is the index 0..30 of the band list. A count beyond 16 bits raises VbError::Overflow.
std::int16_t BuildSourcePoints(double spacing, std::int16_t band);

// The level at (x, z) in 0.01 dB from the first sourceCount SourcePoints and the band lines of
// lineCount; spacing is the one the points were built with. A receiver on a source point gives
// SplCeiling; levels below -32768 give -32768.
std::int16_t CalcPointSPL(std::int16_t sourceCount, double spacing, std::int16_t lineCount, double c, double x,
                          double z);

// Metres from the source point to the receiver (x, z).
double SourceDistance(const SourcePoint& s, double x, double z);

// How many 10 mm profile points one source point stands for at a spacing of `spacing` metres; a
// spacing beyond 16 bits of them raises VbError::Overflow.
std::int16_t ProfilePointsPerSource(double spacing);

// The level of a receiver in 0.01 dB from the sums of its source pressures at each band line and its
// distance to the last source point (0 with no sources): the mean magnitude over the lines, the air
// absorption, the profile points each source stands for, the ceiling and the floor. Every evaluation
// ends here, so all give the same level for the same sums; it raises nothing.
std::int16_t LevelFromLineSums(const std::array<Complex, 25>& sums, std::int16_t lineCount, double centreHz,
                               double lastDistance, std::int16_t pointsPerSource);

// The pressure of one point source at `distance` metres whose wave has travelled pathLength metres.
// x and z are not used.
Complex PointSourcePhasor(double x, double z, double amplitude, double distance, double pathLength,
                          double wavelength);

// A private copy of everything CalcPointSPL reads, so that a long computation is immune to the shared
// state being rebuilt while it lets events run.
struct SplSources {
    std::array<double, 25> bandLines{};  // index i at [i + 12], Hz
    std::vector<SourcePoint> points;     // the valid points only
    std::int16_t lineCount = 1;
    double spacing = 0;                  // m
    double c = 0;                        // m/s
};

// A copy of the shared band lines and of the first `count` source points, with what goes with them.
SplSources CopySplSources(std::int16_t count, std::int16_t lineCount, double spacing, double c);

// The reference evaluation of one receiver from a copy: the same value CalcPointSPL gives with the
// shared state the copy was taken from.
std::int16_t NodeSPL(const SplSources& sources, double x, double z);
