#pragma once
#include <QString>
#include <cstdint>

// What the cluster report draws on: the printer or the print dialog's preview picture, with the
// drawing operations and properties both share. Coordinates are in the target's user scale; a text's
// height is signed like ScaleHeight, so it is negative on a Z-up scale. Lines are drawn in black.
// Invalid values and operations the target does not have raise VbError; the printer-only ones
// (SelectPrinter, Copies, PrintQuality, PaperSize, EndDoc, KillDoc) are not on a picture, and the
// printer has no Cls.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    virtual void Cls() = 0;
    virtual void Line(double x1, double y1, double x2, double y2) = 0;
    // Black outline, inside by FillStyle and FillColor; the radius is in X units.
    virtual void Circle(double x, double y, double radius) = 0;
    // Text with its top-left corner at CurrentX, CurrentY; then CurrentX goes back to ScaleLeft and
    // CurrentY moves down by one text height.
    virtual void Print(const QString& text) = 0;
    virtual double TextWidth(const QString& text) const = 0;
    virtual double TextHeight(const QString& text) const = 0;

    // The item of the print dialog's printer list that the document goes to. A cancelled choice of
    // the output file raises VbError::CancelError.
    virtual void SelectPrinter(int index) = 0;
    virtual void SetCopies(int copies) = 0;
    // -1 draft, -2 low, -3 medium, -4 high.
    virtual void SetPrintQuality(int quality) = 0;
    // 9 is A4.
    virtual void SetPaperSize(int paperSize) = 0;
    // Ends the page and sends the document.
    virtual void EndDoc() = 0;
    // Abandons the document so that nothing of it reaches the printer; never fails.
    virtual void KillDoc() = 0;

    virtual void SetFontSize(double points) = 0;
    virtual void SetFontBold(bool bold) = 0;
    // 0x00BBGGRR.
    virtual void SetFillColor(std::int32_t color) = 0;
    // 0 solid, 1 transparent.
    virtual void SetFillStyle(int style) = 0;
    // 0 solid, 2 dotted.
    virtual void SetDrawStyle(int style) = 0;
    // 0 user, 1 twips, 2 points, 3 pixels, 5 inches, 6 millimetres, 7 centimetres.
    virtual void SetScaleMode(int mode) = 0;
    virtual double ScaleLeft() const = 0;
    virtual double ScaleTop() const = 0;
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    virtual void SetScaleLeft(double v) = 0;
    virtual void SetScaleTop(double v) = 0;
    virtual void SetScaleWidth(double v) = 0;
    virtual void SetScaleHeight(double v) = 0;
    virtual double CurrentX() const = 0;
    virtual double CurrentY() const = 0;
    virtual void SetCurrentX(double v) = 0;
    virtual void SetCurrentY(double v) = 0;
};
