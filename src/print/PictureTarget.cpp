#include "print/PictureTarget.h"
#include "core/VbTypes.h"
#include "platform/Picture.h"

namespace {
constexpr std::int32_t Black = 0;

[[noreturn]] void NotOnAPicture()
{
    throw VbError(VbError::InvalidCall, "A picture is not a printer");
}
}

void PictureTarget::Cls() { picture_.Cls(); }
void PictureTarget::Line(double x1, double y1, double x2, double y2) { picture_.Line(x1, y1, x2, y2, Black); }
void PictureTarget::Circle(double x, double y, double radius) { picture_.Circle(x, y, radius, Black); }
void PictureTarget::Print(const QString& text) { picture_.Print(text); }
double PictureTarget::TextWidth(const QString& text) const { return picture_.TextWidth(text); }
double PictureTarget::TextHeight(const QString& text) const { return picture_.TextHeight(text); }

void PictureTarget::SelectPrinter(int) { NotOnAPicture(); }
void PictureTarget::SetCopies(int) { NotOnAPicture(); }
void PictureTarget::SetPrintQuality(int) { NotOnAPicture(); }
void PictureTarget::SetPaperSize(int) { NotOnAPicture(); }
void PictureTarget::EndDoc() { NotOnAPicture(); }
void PictureTarget::KillDoc() {}

void PictureTarget::SetFontSize(double points) { picture_.SetFontSize(points); }
void PictureTarget::SetFontBold(bool bold) { picture_.SetFontBold(bold); }
void PictureTarget::SetFillColor(std::int32_t color) { picture_.SetFillColor(color); }
void PictureTarget::SetFillStyle(int style) { picture_.SetFillStyle(style); }
void PictureTarget::SetDrawStyle(int style) { picture_.SetDrawStyle(style); }
void PictureTarget::SetScaleMode(int mode) { picture_.SetScaleMode(mode); }
double PictureTarget::ScaleLeft() const { return picture_.ScaleLeft(); }
double PictureTarget::ScaleTop() const { return picture_.ScaleTop(); }
double PictureTarget::ScaleWidth() const { return picture_.ScaleWidth(); }
double PictureTarget::ScaleHeight() const { return picture_.ScaleHeight(); }
void PictureTarget::SetScaleLeft(double v) { picture_.SetScaleLeft(v); }
void PictureTarget::SetScaleTop(double v) { picture_.SetScaleTop(v); }
void PictureTarget::SetScaleWidth(double v) { picture_.SetScaleWidth(v); }
void PictureTarget::SetScaleHeight(double v) { picture_.SetScaleHeight(v); }
double PictureTarget::CurrentX() const { return picture_.CurrentX(); }
double PictureTarget::CurrentY() const { return picture_.CurrentY(); }
void PictureTarget::SetCurrentX(double v) { picture_.SetCurrentX(v); }
void PictureTarget::SetCurrentY(double v) { picture_.SetCurrentY(v); }
