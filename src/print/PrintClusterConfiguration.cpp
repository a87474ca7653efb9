#include "print/PrintClusterConfiguration.h"
#include "library/Catalogue.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/NumberRules.h"
#include "forms/Form_PrincipaleControls.h"
#include "platform/Services.h"
#include "print/ClusterReportDetails.h"
#include "print/PrintOptions.h"
#include "print/PrintTarget.h"
#include "print/ReportPage.h"

#include <cmath>

namespace {

constexpr int A4 = 9;
constexpr int Points = 2;
constexpr double HoleRadius = 0.7;
constexpr double HoleInset = 1.7;
constexpr double HoleNumberInset = 3.4;

// Frame height A, frame width B, flying-bar band height G and summary band height H (mm); with the
// table the frame narrows to leave 120 mm to 200 mm for it. A + G + H is always 257 mm.
struct Layout {
    double A, B, G, H;
};

Layout CurrentLayout()
{
    if (IsTrue(PrintBoxesDetails))
        return {182, 105, 40, 35};
    if (IsTrue(PrintClusterDetails))
        return {182, 190, 40, 35};
    return {207, 190, 50, 0};
}

int BoxCount()
{
    const double n = Val(Principale().Area[4].Text());
    if (n < 1)
        return 1;
    if (n > MaxBoxes)
        return MaxBoxes;
    return CInt(n);
}

const ModuleRecord& FlyingBarModule()
{
    const int index = GetModuleIndex(Principale().Tipo[0].Text()).Index;
    if (index < 0 || index >= MaxModules)
        throw VbError(VbError::Subscript, "Subscript out of range");
    return Modules[std::size_t(index)];
}

bool HangsIn(const FlyingBarHook& hook, int row, int hole)
{
    return IsTrue(hook.SelHook) && hook.HoleRow == row && hook.FBarHooks == hole;
}

class Report {
public:
    Report(PrintTarget& t, bool toPrinter) : t_(t), toPrinter_(toPrinter) {}

    void Draw()
    {
        const int n = BoxCount();
        SetUp();
        const Layout l = CurrentLayout();
        const ArrayExtentsType& e = ArrayExtents;
        const double w = e.MaxX - e.MinX;
        const double d = e.MaxZ - e.MinZ;
        if (!(w > 0 && d > 0 && std::isfinite(w) && std::isfinite(d))) {
            // Before the first geometry there is no array: the preview stays an empty page.
            if (toPrinter_)
                throw VbError(VbError::DivisionByZero, "There is no array to print");
            return;
        }
        const double s = l.A / d <= l.B / w ? d / (l.A - 60) : w / (l.B - 60);
        t_.SetScaleWidth(ReportPage::Width * s);
        t_.SetScaleHeight(-ReportPage::Height * s);
        t_.SetScaleTop((e.MaxZ + e.MinZ) / 2 + s * (l.A / 2 + 5 + l.G + 5 + l.H + 20));
        t_.SetScaleLeft((e.MaxX + e.MinX) / 2 - s * (l.B / 2 + 10));
        const ReportPage page(t_, s, t_.ScaleLeft(), t_.ScaleTop() + t_.ScaleHeight());

        page.Rectangle(10, 10, 10 + l.B, 10 + l.A);
        Outlines(n);
        Title(page);
        page.Rectangle(10, l.A + 15, 10 + l.B, l.A + 15 + l.G);
        FlyingBarTopView(page, l);
        Dimension(page, true, e.MinZ, e.MaxZ, page.X(15), e.XAtMinZ, e.XAtMaxZ);
        Dimension(page, false, e.MinX, e.MaxX, page.Y(15), e.ZAtMinX, e.ZAtMaxX);
        ExtremePoints(page, l);
        if (IsTrue(PrintBoxesNames))
            BoxNames(page, n);
        if (IsTrue(PrintBoxesAngles))
            BoxAngles(page, n);
        if (IsTrue(PrintBoxesDetails))
            PrintBoxesTable(page, n);
        if (IsTrue(PrintClusterDetails))
            PrintClusterSummary(page, n);
        if (toPrinter_)
            t_.EndDoc();
    }

private:
    void SetUp()
    {
        if (toPrinter_) {
            t_.SelectPrinter(PrinterIndex);
            t_.SetCopies(PrintCopies);
            t_.SetPrintQuality(PrintQuality);
            t_.SetPaperSize(A4);
            t_.SetFontSize(8);
        } else {
            t_.Cls();
            t_.SetFontSize(3);
            t_.SetScaleMode(Points);
        }
    }

    void Outlines(int n)
    {
        for (int r = 0; r <= n; ++r) {
            const double* c = ClusterCorners[r];
            for (int k = 0; k < 4; ++k) {
                const int next = (k + 1) % 4;
                t_.Line(c[k], c[k + 4], c[next], c[next + 4]);
            }
        }
    }

    void Title(const ReportPage& page)
    {
        const QString title = QStringLiteral("Cluster Configuration");
        if (toPrinter_)
            t_.SetFontSize(14);
        page.PrintCentred(title, page.X(105), page.BelowTop(10));
        if (toPrinter_)
            t_.SetFontSize(8);
    }

    void FlyingBarTopView(const ReportPage& page, const Layout& l)
    {
        const ModuleRecord& bar = FlyingBarModule();
        const double bottom = l.A + 15;
        const double top = bottom + l.G;
        // Hole positions are measured along the bar from its front end, so the bar's length spans
        // the band; its front length is the bar's height.
        auto holeX = [&](std::int16_t along) {
            if (bar.FLen == 0)
                throw VbError(VbError::DivisionByZero, "Division by zero");
            return page.X(10 + l.B * along / bar.FLen);
        };
        auto hole = [&](double x, double y, bool hooked) {
            t_.SetFillColor(0);
            t_.SetFillStyle(hooked ? 0 : 1);
            t_.Circle(x, page.Y(y), page.Mm(HoleRadius));
        };
        if (toPrinter_)
            t_.SetFontSize(5);
        for (int k = 0; k < bar.FSHoleCount; ++k) {
            if (k >= int(bar.FSHole.size()))
                throw VbError(VbError::Subscript, "Subscript out of range");
            const double x = holeX(bar.FSHole[std::size_t(k)]);
            const bool hooked = HangsIn(FlyingBarHooks[0], 1, k);
            const QString number = CStr(k + 1);
            const double half = t_.TextWidth(number) / 2;
            hole(x, bottom + HoleInset, hooked);
            page.PrintAt(number, x - half, page.Y(bottom + HoleNumberInset) - t_.TextHeight(number));
            hole(x, top - HoleInset, hooked);
            page.PrintAt(number, x - half, page.Y(top - HoleNumberInset));
        }
        const double middle = bottom + l.G / 2;
        for (int k = 0; k < bar.FCHoleCount; ++k) {
            if (k >= int(bar.FCHole.size()))
                throw VbError(VbError::Subscript, "Subscript out of range");
            const double x = holeX(bar.FCHole[std::size_t(k)]);
            const bool hooked = HangsIn(FlyingBarHooks[0], 0, k) || HangsIn(FlyingBarHooks[1], 0, k);
            const QString number = CStr(k + 1);
            hole(x, middle, hooked);
            // The number sits above its hole, 1 mm clear of it.
            page.PrintAt(number, x - t_.TextWidth(number) / 2,
                         page.Y(middle + HoleRadius + 1) - t_.TextHeight(number));
        }
        if (toPrinter_)
            t_.SetFontSize(8);
    }

    // A dimension of the array along one axis, from `low` to `high` at `at` on the other axis: the
    // label in the middle, the line broken 1.1 label sizes either side of it, an arrowhead at each
    // end and dotted leaders from the extreme points (`lowAcross`, `highAcross` on the other axis).
    void Dimension(const ReportPage& page, bool vertical, double low, double high, double at, double lowAcross,
                   double highAcross)
    {
        auto line = [&](double along1, double across1, double along2, double across2) {
            if (vertical)
                t_.Line(across1, along1, across2, along2);
            else
                t_.Line(along1, across1, along2, across2);
        };
        const QString label = ReportPage::Hundredths(high - low) + "m";
        const double middle = (low + high) / 2;
        if (vertical)
            page.PrintCentred(label, at, middle);
        else
            page.PrintCentred(label, middle, at);
        // Towards `low` by 1.1 text heights (negative on the Z-up scale) or widths.
        const double gap = vertical ? -1.1 * t_.TextHeight(label) : 1.1 * t_.TextWidth(label);
        line(low, at, middle - gap, at);
        line(middle + gap, at, high, at);
        const double mm = page.Mm(1);
        for (const double side : {-mm, mm}) {
            line(low, at, low + mm, at + side);
            line(high, at, high - mm, at + side);
        }
        t_.SetDrawStyle(2);
        line(low, lowAcross, low, at);
        line(high, highAcross, high, at);
        t_.SetDrawStyle(0);
    }

    void ExtremePoints(const ReportPage& page, const Layout& l)
    {
        const ArrayExtentsType& e = ArrayExtents;
        const double mm = page.Mm(1);
        const double inside = page.X(11);

        const QString maxZ = "Max Z: " + ReportPage::Hundredths(e.MaxZ) + "m(X: " + ReportPage::Hundredths(e.XAtMaxZ) + "m)";
        page.PrintAt(maxZ, inside, e.MaxZ + mm - t_.TextHeight(maxZ));

        const QString minZ = "Min Z: " + ReportPage::Hundredths(e.MinZ) + "m(X: " + ReportPage::Hundredths(e.XAtMinZ) + "m)";
        page.PrintAt(minZ, inside, e.MinZ - mm);

        const QString maxX = "Max X: " + ReportPage::Hundredths(e.MaxX) + "m(Z: " + ReportPage::Hundredths(e.ZAtMaxX) + "m)";
        const double maxXWidth = t_.TextWidth(maxX);
        double x = e.MaxX + mm;
        if (x + maxXWidth > page.X(10 + l.B - 1))
            x = page.X(10 + l.B - 1) - maxXWidth;
        page.PrintAt(maxX, x, e.ZAtMaxX - t_.TextHeight(maxX) / 2);

        const QString minX = "Min X: " + ReportPage::Hundredths(e.MinX) + "m(Z: " + ReportPage::Hundredths(e.ZAtMinX) + "m)";
        x = e.MinX - mm - t_.TextWidth(minX);
        if (x < inside)
            x = inside;
        page.PrintAt(minX, x, e.ZAtMinX - t_.TextHeight(minX) / 2);
    }

    void BoxNames(const ReportPage& page, int n)
    {
        for (int i = 1; i <= n; ++i) {
            const double* c = ClusterCorners[i];
            const QString name = Principale().Tipo[std::size_t(i - 1)].Text();
            const double x = (c[2] + c[3]) / 2 - page.Mm(1) - t_.TextWidth(name);
            page.PrintAt(name, x, (c[6] + c[7]) / 2 - t_.TextHeight(name) / 2);
        }
    }

    void BoxAngles(const ReportPage& page, int n)
    {
        for (int i = 1; i <= n; ++i) {
            const double* c = ClusterCorners[i];
            const QString angle = Principale().Angolo[std::size_t(i - 1)].Text() + QStringLiteral("°");
            page.PrintAt(angle, (c[0] + c[1]) / 2 + page.Mm(1), (c[4] + c[5]) / 2 - t_.TextHeight(angle) / 2);
        }
    }

    PrintTarget& t_;
    bool toPrinter_;
};

} // namespace

void PrintClusterConfiguration(PrintTarget& target, bool toPrinter)
{
    QString failure;
    try {
        Report(target, toPrinter).Draw();
        return;
    } catch (const VbError& e) {
        if (e.code() == VbError::CancelError) {
            target.KillDoc();
            return;
        }
        failure = QString::fromStdString(e.what());
    } catch (const std::exception& e) {
        failure = QString::fromStdString(e.what());
    }
    // The preview is redrawn at the next change; a printed report must not be left half sent.
    if (!toPrinter)
        return;
    target.KillDoc();
    MsgBox("The cluster report could not be printed.\n" + failure, vbOKOnly | vbExclamation);
}
