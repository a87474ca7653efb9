#pragma once
#include "print/PrintTarget.h"

class Picture;

// The report on a picture (the print dialog's preview). The picture must outlive the target.
class PictureTarget : public PrintTarget {
public:
    explicit PictureTarget(Picture& picture) : picture_(picture) {}

    void Cls() override;
    void Line(double x1, double y1, double x2, double y2) override;
    void Circle(double x, double y, double radius) override;
    void Print(const QString& text) override;
    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;

    void SelectPrinter(int index) override;
    void SetCopies(int copies) override;
    void SetPrintQuality(int quality) override;
    void SetPaperSize(int paperSize) override;
    void EndDoc() override;
    void KillDoc() override;

    void SetFontSize(double points) override;
    void SetFontBold(bool bold) override;
    void SetFillColor(std::int32_t color) override;
    void SetFillStyle(int style) override;
    void SetDrawStyle(int style) override;
    void SetScaleMode(int mode) override;
    double ScaleLeft() const override;
    double ScaleTop() const override;
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    void SetScaleLeft(double v) override;
    void SetScaleTop(double v) override;
    void SetScaleWidth(double v) override;
    void SetScaleHeight(double v) override;
    double CurrentX() const override;
    double CurrentY() const override;
    void SetCurrentX(double v) override;
    void SetCurrentY(double v) override;

private:
    Picture& picture_;
};
