#pragma once
#include "core/VbTypes.h"
#include <QString>
#include <array>
#include <cstdint>

// Preference settings (colours are 0x00BBGGRR in a signed 32-bit value).
extern std::uint8_t SplScaleMax;
extern std::int16_t DeltaSpl;
extern VbBool SplGrid;
extern std::int32_t SplGridColor;
extern std::int32_t SplBackColor;
extern std::int32_t SplForeColor;
extern std::int32_t SplAccuracy;
extern VbBool VenueGrid;
extern VbBool CoGOn;
extern std::int32_t VenueGridColor;
extern std::int32_t VenueBackColor;
extern std::int32_t RaysColor;
extern std::int32_t ArrayColor;
extern std::int32_t CoGColor;
extern std::int32_t ZeroColor;
extern double SplDiagramSourceRes;   // m
extern std::uint8_t SplDiagramSteps;

// Per-box initial level (dB) and delay (microseconds).
struct InitValue {
    double Abs = 0;
    double Delay = 0;
};
extern std::array<InitValue, 16> InitValues;

// Change flags.
extern VbBool ConfigChanged;
extern VbBool TempConfigChange;
extern VbBool SplRecalcPending;
extern VbBool VenueSplRecalcPending;

// Application state.
extern QString ProjectFileName;
extern std::int16_t CurrentView;          // 0 vertical, 1 mechanical, 2 instructions
extern std::int16_t FreqPerBand;
extern std::int16_t SPL_SelectedAudience; // 0..3
extern VbBool SplashTimeElapsed;
extern std::int16_t PreviousValue;
extern double VenueMaxX;
extern std::int16_t VenueMaxZ;
extern std::int16_t PointedStand;

// Print options of the cluster report.
extern VbBool PrintOptionsSet;
extern VbBool PrintClusterDetails;
extern VbBool PrintBoxesDetails;
extern VbBool PrintBoxesAngles;
extern VbBool PrintBoxesNames;

// The product name, shown in titles and as the title of untitled message boxes.
inline const QString AppTitle = QStringLiteral("Torvi");
