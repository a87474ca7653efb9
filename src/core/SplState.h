#pragma once
#include "core/VbTypes.h"
#include <array>
#include <cstdint>
#include <vector>

// Working state of the acoustic engine and the SPL map.

// Band frequencies, indexes -12..12 stored at [i + 12], Hz.
extern std::array<double, 25> BandLines;

struct SourcePoint {
    double X = 0;
    double Z = 0;
    double Level = 0;
    double Delay = 0;
};
constexpr int MaxSourcePoints = 160001;
extern std::vector<SourcePoint> SourcePoints;  // 160001 records, indexes 0..160000

constexpr int SplMapRows = 3001;
constexpr int SplMapCols = 8001;
// The SPL map in 0.01 dB, cell (i, j): row i from the top at 0.1 m, column j from MaxX + 1 m at 0.1 m.
// Allocated once; never cleared between runs.
std::int16_t& SPLMap(int i, int j);
std::int16_t* SPLMapRow(int i);
extern std::array<std::int16_t, 2> MapSize;  // last row and last column written by the last run
extern VbBool SplMapValid;
extern VbBool StopSimulation;
extern std::int32_t SplFloor;  // bottom of the colour scale in 0.01 dB

struct RGBColor {
    std::int16_t R = 0, G = 0, B = 0;
};
struct HLSColor {
    std::int16_t H = 0, S = 0, L = 0;
};
