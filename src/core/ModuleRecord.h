#pragma once
#include "core/VbTypes.h"
#include <QString>
#include <array>
#include <cstdint>

// One front point of a module's attenuation profile, for one band.
struct ProfilePoint {
    std::uint8_t Abs = 0;    // dB
    std::uint8_t Delay = 0;  // microseconds
};

constexpr int ProfilePoints = 100;
constexpr int ProfileBands = 31;

// One loudspeaker module as read from its "*.bpf" file. Dimensions in millimetres, weights in
// kilograms, angles in tenths of a degree.
struct ModuleRecord {
    std::uint8_t Slot = 0;
    std::uint8_t Code = 0;
    QString Productor;
    QString Model;
    std::uint8_t BoxType = 0;
    std::int16_t FrontLen = 0;
    std::int16_t RearLen = 0;
    std::int16_t BoxLen = 0;
    std::int16_t CoG_X = 0;
    std::int16_t CoG_Z = 0;
    std::int16_t Weight = 0;
    std::array<std::int16_t, 30> Hole{};
    std::uint8_t HoleCount = 0;
    // FrontAttenuationProfile[point][band]
    std::array<std::array<ProfilePoint, ProfileBands>, ProfilePoints> FrontAttenuationProfile{};
    std::array<std::uint8_t, 10> CompatList{};
    std::int16_t FFrontLen = 0;
    std::int16_t FLen = 0;
    std::int16_t FY_Len = 0;
    std::int16_t Reverse_Mode_X = 0;
    std::int16_t FCoG_X = 0;
    std::int16_t FCoG_Z = 0;
    std::int16_t FWeight = 0;
    std::array<std::int16_t, 60> FCHole{};
    std::uint8_t FCHoleCount = 0;
    std::array<std::int16_t, 60> FSHole{};
    std::uint8_t FSHoleCount = 0;
    std::int16_t FSHole_Y = 0;
};

constexpr int MaxModules = 100;

// The module table: record 0 stays empty, module files fill records 1 onwards.
extern std::array<ModuleRecord, MaxModules> Modules;
extern std::int16_t ModuleCount;   // records in use counted from record 0; 0 until a scan completed
extern VbBool ModulesLoaded;
extern QString ModulesFolder;
extern QString ProgramFolder;

// Resets the whole table to its start state (tests and a fresh start).
void ClearModuleTable();
