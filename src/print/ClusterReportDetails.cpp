#include "print/ClusterReportDetails.h"
#include "core/ArrayState.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "print/PrintTarget.h"
#include "print/ReportPage.h"

#include <array>

namespace {

struct Caption {
    QString first;
    QString second;
};

constexpr double TableLeft = 120;
constexpr double TableRight = 200;
constexpr double TableTop = 237;
constexpr double TableBottom = 10;
constexpr int TableRows = 17;
constexpr double RowHeight = (TableTop - TableBottom) / TableRows;
// Column edges from the table's left edge, mm.
constexpr std::array<double, 7> ColumnEdges{0, 5, 25, 35, 50, 65, 80};

constexpr double SummaryLeft = 10;
constexpr double SummaryRight = 200;
constexpr double CellPitch = 47.5;
constexpr double LabelWidth = 28.5;
constexpr double ValueWidth = 19;

struct Cell {
    Caption label;
    QString value;
};

const Caption CentralHook{QStringLiteral("Weight On Central"), QStringLiteral("Hook")};
const Caption LateralHook{QStringLiteral("Weight On Each"), QStringLiteral("Lateral Hook")};

QString Kg(double v)
{
    return CStr(v) + " Kg";
}

// The two hook cells of the summary's last row, by the number of hooks in use.
std::array<Cell, 2> HookCells()
{
    const double l0 = HookLoad[0];
    const double l1 = HookLoad[1];
    switch (HooksNumber) {
    case 1: return {Cell{CentralHook, Kg(l0)}, Cell{LateralHook, Kg(0)}};
    case 2:
        if (IsTrue(FlyingBarHooks[1].SelHook))
            return {Cell{CentralHook, Kg(l0)}, Cell{CentralHook, Kg(l1)}};
        return {Cell{CentralHook, Kg(0)}, Cell{LateralHook, Kg(l0)}};
    case 3: return {Cell{CentralHook, Kg(l1)}, Cell{LateralHook, Kg(l0)}};
    default: return {};
    }
}

} // namespace

QString RiggingCode()
{
    const bool second = IsTrue(FlyingBarHooks[1].SelHook);
    switch (FlyingBarHooks[0].HoleRow) {
    case 0: return second ? QStringLiteral("2-C") : QStringLiteral("1");
    case 1: return second ? QStringLiteral("Mixed") : QStringLiteral("2-S");
    default: return QStringLiteral("None");
    }
}

void PrintBoxesTable(const ReportPage& page, int boxes)
{
    page.Rectangle(TableLeft, TableBottom, TableRight, TableTop);
    for (std::size_t c = 1; c + 1 < ColumnEdges.size(); ++c)
        page.Line(TableLeft + ColumnEdges[c], TableTop, TableLeft + ColumnEdges[c], TableBottom);
    page.Line(TableLeft, TableTop - RowHeight, TableRight, TableTop - RowHeight);

    const std::array<Caption, 6> headers{Caption{"#", ""}, Caption{"Box", "Name"}, Caption{"Relat.", "Angle"},
                                         Caption{"Abs", "Angle"}, Caption{"Delay", ""}, Caption{"Box", "Level"}};
    auto columnMiddle = [&](std::size_t c) { return page.X(TableLeft + (ColumnEdges[c] + ColumnEdges[c + 1]) / 2); };
    for (std::size_t c = 0; c < headers.size(); ++c)
        page.PrintLabel(headers[c].first, headers[c].second, columnMiddle(c), page.Y(TableTop - RowHeight / 2));

    Form_PrincipaleControls& rows = Principale();
    for (int i = 1; i <= boxes; ++i) {
        const double under = TableTop - (i + 1) * RowHeight;
        page.Line(TableLeft, under, TableRight, under);
        const std::size_t row = std::size_t(i - 1);
        double position = 0;
        if (!TryParseNumber(rows.Position[row].Text(), position))
            throw VbError(VbError::TypeMismatch, "Type mismatch");
        const std::array<QString, 6> cells{CStr(i),
                                           rows.Tipo[row].Text(),
                                           rows.Angolo[row].Text() + QStringLiteral("°"),
                                           CStr(-position) + QStringLiteral("°"),
                                           CStr(InitValues[row].Delay) + QStringLiteral(" µs"),
                                           CStr(InitValues[row].Abs) + QStringLiteral(" dB")};
        const double middle = page.Y(under + RowHeight / 2);
        for (std::size_t c = 0; c < cells.size(); ++c)
            page.PrintCentred(cells[c], columnMiddle(c), middle);
    }
}

void PrintClusterSummary(const ReportPage& page, int boxes)
{
    page.Rectangle(SummaryLeft, page.Height - 25, SummaryRight, page.Height - 55);
    page.Line(SummaryLeft, page.Height - 35, SummaryRight, page.Height - 35);
    page.Line(SummaryLeft, page.Height - 45, SummaryRight, page.Height - 45);

    Form_PrincipaleControls& fields = Principale();
    const std::array<Cell, 2> hooks = HookCells();
    const std::array<std::array<Cell, 4>, 3> rows{{
        {Cell{{"Boxes Number", ""}, CStr(boxes)},
         Cell{{"Array Selected", "Angle"}, CStr(SelectedArrayAngle) + QStringLiteral("°")},
         Cell{{"Array Actual", "Angle"}, CStr(ActualArrayAngle) + QStringLiteral("°")},
         Cell{{"Cluster Bottom Z", ""}, ReportPage::Hundredths(ArrayExtents.MinZ) + " m"}},
        {Cell{{"Flying-Bar X", ""}, fields.Area[0].Text() + " m"},
         Cell{{"Flying-Bar Z", ""}, fields.Area[1].Text() + " m"},
         Cell{{"Center Of Gravity", "(X;Z)[m]"}, ReportPage::Hundredths(SystemCoG.X) + "; " + ReportPage::Hundredths(SystemCoG.Z)},
         Cell{{"Array Weight", ""}, CStr(ArrayWeight) + " Kg"}},
        {Cell{{"Rigging Mode", ""}, RiggingCode()},
         Cell{{"Reverse Mode", ""}, IsTrue(ReverseMode) ? QStringLiteral("Yes") : QStringLiteral("No")},
         hooks[0], hooks[1]},
    }};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const double middle = page.BelowTop(30 + 10.0 * double(r));
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const Cell& cell = rows[r][c];
            const double left = SummaryLeft + CellPitch * double(c);
            page.PrintLabel(cell.label.first, cell.label.second, page.X(left + LabelWidth / 2), middle);
            page.PrintCentred(cell.value, page.X(left + LabelWidth + ValueWidth / 2), middle);
        }
    }
}
