#pragma once
#include <array>
#include <cstdint>

// The SPL curve along the selected audience area, drawn in the vertical view's SPL diagram.

struct SplLinePoint {
    double X = 0;             // m
    double Z = 0;             // m
    std::int16_t Level = 0;   // 0.01 dB
};
constexpr int MaxSplLinePoints = 151;
// The receivers of the last curve: entries 0..SplDiagramSteps.
extern std::array<SplLinePoint, MaxSplLinePoints> SplLinePoints;

// The levels along the selected area's listener line, SplLinePoints 0..SplDiagramSteps (at most 150),
// for the band, bandwidth and temperature the vertical view shows and FreqPerBand lines; the area must
// be on. Rebuilds BandLines and SourcePoints; draws nothing and never lets events run.
void ComputeSplCurve();

// Lays out the diagram, and when the selected area is on computes the level at SplDiagramSteps + 1
// receivers evenly spaced in X along its listener line and draws them as a curve in the area's colour
// (which becomes SplForeColor). Rebuilds BandLines and SourcePoints; never lets events run.
void CalculateSplDiagram();
