#include "print/ReportPage.h"
#include "print/PrintTarget.h"
#include "core/NumberRules.h"

QString ReportPage::Hundredths(double metres)
{
    return CStr(CInt(metres * 100) / 100.0);
}

void ReportPage::Line(double x1, double y1, double x2, double y2) const
{
    target_.Line(X(x1), Y(y1), X(x2), Y(y2));
}

void ReportPage::Rectangle(double x1, double y1, double x2, double y2) const
{
    Line(x1, y1, x2, y1);
    Line(x2, y1, x2, y2);
    Line(x2, y2, x1, y2);
    Line(x1, y2, x1, y1);
}

void ReportPage::PrintAt(const QString& text, double x, double y) const
{
    target_.SetCurrentX(x);
    target_.SetCurrentY(y);
    target_.Print(text);
}

void ReportPage::PrintCentred(const QString& text, double x, double y) const
{
    PrintAt(text, x - target_.TextWidth(text) / 2, y - target_.TextHeight(text) / 2);
}

void ReportPage::PrintLabel(const QString& first, const QString& second, double x, double y) const
{
    target_.SetFontBold(true);
    if (second.isEmpty()) {
        PrintCentred(first, x, y);
    } else {
        PrintAt(first, x - target_.TextWidth(first) / 2, y - target_.TextHeight(first));
        PrintAt(second, x - target_.TextWidth(second) / 2, y);
    }
    target_.SetFontBold(false);
}
