#pragma once
// Builds module texts line by line for the loader's tests, and writes them as module files.

#include "core/ContainerState.h"
#include "core/ModuleRecord.h"
#include "library/Check_CRC32.h"
#include "library/Global.h"

#include <QDir>
#include <QString>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace modtest {

inline const std::vector<std::string> BandNames = {
    "20 Hz", "25 Hz", "31.5 Hz", "40 Hz", "50 Hz", "63 Hz", "80 Hz", "100 Hz", "125 Hz", "160 Hz", "200 Hz",
    "250 Hz", "315 Hz", "400 Hz", "500 Hz", "630 Hz", "800 Hz", "1 kHz", "1.25 kHz", "1.6 kHz", "2 kHz",
    "2.5 kHz", "3.15 kHz", "4 kHz", "5 kHz", "6.3 kHz", "8 kHz", "10 kHz", "12.5 kHz", "16 kHz", "20 kHz"};

// The profile values the builder writes, so tests can check where each one was stored.
inline int AbsAt(int point, int band) { return (3 * point + band) % 256; }
inline int DelayAt(int point, int band) { return (point + 2 * band) % 256; }

// Every field as the text the file holds; hole lists shorter than their line count are filled up
// with "-1" lines. Skipped lines hold "*" so that a reader that looked at them would notice.
struct ModuleSpec {
    std::string code = "1";
    std::string productor = "Test Maker";
    std::string model = "T1";
    std::string boxType = "10";
    std::vector<std::string> compat = {"10"};
    std::string frontLen = "25";
    std::string rearLen = "20";
    std::string boxLen = "300";
    std::string cogX = "150";
    std::string cogZ = "12";
    std::string weight = "20";
    std::string fFrontLen = "50";
    std::string fLen = "600";
    std::string fyLen = "500";
    std::string reverseModeX = "300";
    std::string fCogX = "300";
    std::string fCogZ = "25";
    std::string fWeight = "10";
    std::string fsHoleY = "40";
    std::vector<std::string> fcHole = {"100", "200", "300"};
    std::vector<std::string> fsHole = {"150", "450"};
    std::vector<std::string> hole = {"0", "5", "10"};
    std::string skipped = "*";

    static void holeLines(std::vector<std::string>& out, const std::string& stem, const std::vector<std::string>& v,
                          std::size_t n)
    {
        for (std::size_t i = 0; i < n; ++i)
            out.push_back(stem + "[" + std::to_string(i) + "]=" + (i < v.size() ? v[i] : std::string("-1")));
    }

    // The last profile point: the integer part of FrontLen / 10, read as the loader does.
    int lastPoint() const
    {
        std::string t = frontLen;
        std::replace(t.begin(), t.end(), ',', '.');
        return static_cast<int>(std::floor(std::stod(t) / 10.0));
    }

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> l = {"[Product]", "Code=" + code, "Productor=" + productor, "Model=" + model,
                                      "BoxType=" + boxType, skipped, "[Compatibility List]"};
        l.insert(l.end(), compat.begin(), compat.end());
        l.insert(l.end(), {"", "[Physical Profile]", "FrontLen=" + frontLen, "RearLen=" + rearLen, skipped,
                           "BoxLen=" + boxLen, "CoG_X=" + cogX, skipped, "CoG_Z=" + cogZ, "Weight=" + weight, skipped,
                           "[Flying Bar]", "FFrontLen=" + fFrontLen, "FLen=" + fLen, "FY_Len=" + fyLen,
                           "Reverse_Mode_X=" + reverseModeX, "FCoG_X=" + fCogX, skipped, "FCoG_Z=" + fCogZ,
                           "FWeight=" + fWeight, "FSHole_Y=" + fsHoleY, skipped, "[Central Flying Bar Holes]"});
        holeLines(l, "FCHole", fcHole, 60);
        l.insert(l.end(), {skipped, "[Side Flying Bar Holes]"});
        holeLines(l, "FSHole", fsHole, 60);
        if (std::stoi(boxType) > 100)
            return l;
        l.insert(l.end(), {skipped, "[Mounting]"});
        holeLines(l, "Hole", hole, 30);
        l.insert(l.end(), {skipped, "[Front Attenuation Profile]"});
        const int last = lastPoint();
        for (int b = 0; b < 31; ++b) {
            if (b > 0)
                l.push_back(skipped);
            l.push_back("[" + BandNames[b] + "]");
            for (int j = 0; j <= last; ++j) {
                l.push_back("Abs[" + std::to_string(j) + "]=" + std::to_string(AbsAt(j, b)));
                l.push_back("Delay[" + std::to_string(j) + "]=" + std::to_string(DelayAt(j, b)));
            }
        }
        return l;
    }

    std::string Text() const { return Join(Lines()); }

    static std::string Join(const std::vector<std::string>& lines)
    {
        std::string t;
        for (const auto& line : lines)
            t += line + "\r\n";
        return t;
    }
};

// Writes text as a module file the way the program's writer does: CRC tag, protected container.
inline void WriteModuleFile(const QString& path, const std::string& text)
{
    DataBytes.assign(text.begin(), text.end());
    DataUBound = static_cast<std::int32_t>(DataBytes.size()) - 1;
    WriteProtectedFile(DataBytes, ChecksumTag(Crc32Bytes(DataBytes)), path);
}

// A record with every field at its start value, as a refused file must leave it.
inline bool IsEmptyRecord(const ModuleRecord& r)
{
    const auto zero = [](const auto& a) { return std::all_of(a.begin(), a.end(), [](auto v) { return v == 0; }); };
    const bool profileEmpty = std::all_of(r.FrontAttenuationProfile.begin(), r.FrontAttenuationProfile.end(),
                                          [](const auto& point) {
                                              return std::all_of(point.begin(), point.end(), [](const ProfilePoint& p) {
                                                  return p.Abs == 0 && p.Delay == 0;
                                              });
                                          });
    return r.Slot == 0 && r.Code == 0 && r.Productor.isEmpty() && r.Model.isEmpty() && r.BoxType == 0
        && r.FrontLen == 0 && r.RearLen == 0 && r.BoxLen == 0 && r.CoG_X == 0 && r.CoG_Z == 0 && r.Weight == 0
        && zero(r.Hole) && r.HoleCount == 0 && profileEmpty && zero(r.CompatList) && r.FFrontLen == 0
        && r.FLen == 0 && r.FY_Len == 0 && r.Reverse_Mode_X == 0 && r.FCoG_X == 0 && r.FCoG_Z == 0
        && r.FWeight == 0 && zero(r.FCHole) && r.FCHoleCount == 0 && zero(r.FSHole) && r.FSHoleCount == 0
        && r.FSHole_Y == 0;
}

}
