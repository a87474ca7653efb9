#pragma once
#include <QString>

class ReportPage;

// The two optional sections of the cluster report, for its first `boxes` boxes (1..16).
// The per-box table fills 120 mm to 200 mm across and 237 mm down to 10 mm in 17 rows.
void PrintBoxesTable(const ReportPage& page, int boxes);
// The summary fills the band 25 mm to 55 mm below the top edge, three rows of four cells.
void PrintClusterSummary(const ReportPage& page, int boxes);
// How the flying bar is hung, from the two hooks: "1", "2-S", "2-C", "Mixed" or "None".
QString RiggingCode();
