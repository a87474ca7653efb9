#pragma once
#include <gtest/gtest.h>

// The array every report test starts from: a flying bar and eight boxes of two module types, with
// their rows, mounting fields, initial values, extents and rigging set by hand.
//   extents: Max Z 0.12 at X 0.9, Min Z -2.88 at X 0.72, Max X 0.9 at Z 0.06, Min X -0.18 at Z -2.7
//   rows: "TV-12" x 6 then "TV-12W" x 2, splay "0".."7", absolute "-3", "-4" .. "-9", "-12,5"
//   initial values: box i (from 1) delay 10 (i - 1) us, level -0.5 (i - 1) dB
//   mounting: flying bar X "1,5", Z "9", box count "8"
//   bar module "TV-12": length 1000 mm, front length 80 mm, central holes at 100, 300, 500, 700, 900 mm, side
//   holes at 200, 500, 800 mm; both hooks in central holes 2 and 4 (indexes 1 and 3), two hooks
//   summary: selected angle -3.5, actual -3.72, CoG (0.413, -1.326), weight 412 kg, loads 210/202 kg
void BuildEightBoxArray();
// The catalogue lookups the report and the dialog call, as the module library answers them.

// Every report test starts from the eight-box array, fresh print options and a fresh vertical view.
class ReportTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
