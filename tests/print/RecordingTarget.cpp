#include "RecordingTarget.h"
#include "core/VbTypes.h"

#include <algorithm>
#include <cmath>

namespace {
bool Near(double a, double b) { return std::abs(a - b) < 1e-6; }

RecordingTarget::Drawn At(RecordingTarget::Kind kind, double x, double y)
{
    RecordingTarget::Drawn d;
    d.kind = kind;
    d.x1 = x;
    d.y1 = y;
    return d;
}
}

int RecordingTarget::CountLines(double x1, double y1, double x2, double y2) const
{
    int n = 0;
    for (const Drawn& d : drawn) {
        if (d.kind != Kind::Line)
            continue;
        const bool forward = Near(d.x1, x1) && Near(d.y1, y1) && Near(d.x2, x2) && Near(d.y2, y2);
        const bool backward = Near(d.x1, x2) && Near(d.y1, y2) && Near(d.x2, x1) && Near(d.y2, y1);
        n += forward || backward ? 1 : 0;
    }
    return n;
}

std::vector<RecordingTarget::Drawn> RecordingTarget::TextsIn(double left, double right, double bottom, double top) const
{
    std::vector<Drawn> out;
    for (const Drawn& d : drawn)
        if (d.kind == Kind::Text && d.CentreX() > left && d.CentreX() < right && d.CentreY() > bottom && d.CentreY() < top)
            out.push_back(d);
    std::stable_sort(out.begin(), out.end(), [](const Drawn& a, const Drawn& b) {
        if (std::abs(a.CentreY() - b.CentreY()) > 1e-6)
            return a.CentreY() > b.CentreY();
        return a.CentreX() < b.CentreX();
    });
    return out;
}

std::optional<RecordingTarget::Drawn> RecordingTarget::FindText(const QString& text) const
{
    for (const Drawn& d : drawn)
        if (d.kind == Kind::Text && d.text == text)
            return d;
    return std::nullopt;
}

std::vector<RecordingTarget::Drawn> RecordingTarget::Circles() const
{
    std::vector<Drawn> out;
    for (const Drawn& d : drawn)
        if (d.kind == Kind::Circle)
            out.push_back(d);
    return out;
}

void RecordingTarget::Cls()
{
    drawn.push_back(At(Kind::Cls, 0, 0));
    currentX_ = scale_.left;
    currentY_ = scale_.top;
}

void RecordingTarget::Line(double x1, double y1, double x2, double y2)
{
    Drawn d = At(Kind::Line, MmX(x1), MmY(y1));
    d.x2 = MmX(x2);
    d.y2 = MmY(y2);
    d.drawStyle = drawStyle_;
    drawn.push_back(d);
    currentX_ = x2;
    currentY_ = y2;
}

void RecordingTarget::Circle(double x, double y, double radius)
{
    Drawn d = At(Kind::Circle, MmX(x), MmY(y));
    d.radius = scale_.WidthToPixels(radius) / 10;
    d.fillStyle = fillStyle_;
    d.fillColor = fillColor_;
    drawn.push_back(d);
    currentX_ = x;
    currentY_ = y;
}

void RecordingTarget::Print(const QString& text)
{
    Drawn d = At(Kind::Text, MmX(currentX_), MmY(currentY_));
    d.text = text;
    d.width = scale_.WidthToPixels(TextWidth(text)) / 10;
    d.height = scale_.HeightToPixels(TextHeight(text)) / 10;
    d.bold = bold_;
    d.fontSize = fontSize_;
    drawn.push_back(d);
    currentX_ = scale_.left;
    currentY_ += TextHeight(text);
}

double RecordingTarget::TextWidth(const QString& text) const
{
    return scale_.DxFromPixels(10.0 * charWidth * double(text.size()) * fontSize_ / 8);
}

double RecordingTarget::TextHeight(const QString&) const
{
    return scale_.DyFromPixels(30.0 * fontSize_ / 8);
}

void RecordingTarget::SelectPrinter(int index)
{
    calls.push_back("SelectPrinter " + QString::number(index));
    if (cancelPrinterChoice)
        throw VbError(VbError::CancelError, "Cancel was selected");
}

void RecordingTarget::SetCopies(int copies) { calls.push_back("Copies " + QString::number(copies)); }
void RecordingTarget::SetPrintQuality(int quality) { calls.push_back("PrintQuality " + QString::number(quality)); }
void RecordingTarget::SetPaperSize(int paperSize) { calls.push_back("PaperSize " + QString::number(paperSize)); }
void RecordingTarget::EndDoc() { calls.push_back("EndDoc"); }
void RecordingTarget::KillDoc() { calls.push_back("KillDoc"); }

void RecordingTarget::SetScaleMode(int mode)
{
    calls.push_back("ScaleMode " + QString::number(mode));
    scale_.left = 0;
    scale_.top = 0;
    scale_.width = 2100;
    scale_.height = 2970;
}
