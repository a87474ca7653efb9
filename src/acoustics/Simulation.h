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

// The reference evaluation of one receiver from a copy: the same value CalcPointSPL gives with the
// shared state the copy was taken from.
std::int16_t NodeSPL(const SplSources& sources, double x, double z);
