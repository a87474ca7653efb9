#pragma once
#include "print/PrintTarget.h"

#include <cmath>
#include <vector>

// A report target that passes every call on to another target and keeps the lines and circles drawn,
// in page millimetres (x from the left edge, y from the bottom edge), as the report's scale gives them.
class ReportTee : public PrintTarget {
public:
    struct Shape {
        double x1, y1, x2, y2, radius;  // a line's ends; a circle's centre in x1, y1
    };
    std::vector<Shape> lines, circles;

    explicit ReportTee(PrintTarget& inner) : t_(inner) {}

    bool HasLine(double x1, double y1, double x2, double y2) const
    {
        auto near = [](double a, double b) { return std::abs(a - b) < 1e-6; };
        for (const Shape& l : lines)
            if ((near(l.x1, x1) && near(l.y1, y1) && near(l.x2, x2) && near(l.y2, y2))
                || (near(l.x1, x2) && near(l.y1, y2) && near(l.x2, x1) && near(l.y2, y1)))
                return true;
        return false;
    }

    void Line(double x1, double y1, double x2, double y2) override
    {
        lines.push_back({MmX(x1), MmY(y1), MmX(x2), MmY(y2), 0});
        t_.Line(x1, y1, x2, y2);
    }
    void Circle(double x, double y, double radius) override
    {
        circles.push_back({MmX(x), MmY(y), 0, 0, radius * 210 / t_.ScaleWidth()});
        t_.Circle(x, y, radius);
    }

    void Cls() override { t_.Cls(); }
    void Print(const QString& text) override { t_.Print(text); }
    double TextWidth(const QString& text) const override { return t_.TextWidth(text); }
    double TextHeight(const QString& text) const override { return t_.TextHeight(text); }
    void SelectPrinter(int index) override { t_.SelectPrinter(index); }
    void SetCopies(int copies) override { t_.SetCopies(copies); }
    void SetPrintQuality(int quality) override { t_.SetPrintQuality(quality); }
    void SetPaperSize(int paperSize) override { t_.SetPaperSize(paperSize); }
    void EndDoc() override { t_.EndDoc(); }
    void KillDoc() override { t_.KillDoc(); }
    void SetFontSize(double points) override { t_.SetFontSize(points); }
    void SetFontBold(bool bold) override { t_.SetFontBold(bold); }
    void SetFillColor(std::int32_t color) override { t_.SetFillColor(color); }
    void SetFillStyle(int style) override { t_.SetFillStyle(style); }
    void SetDrawStyle(int style) override { t_.SetDrawStyle(style); }
    void SetScaleMode(int mode) override { t_.SetScaleMode(mode); }
    double ScaleLeft() const override { return t_.ScaleLeft(); }
    double ScaleTop() const override { return t_.ScaleTop(); }
    double ScaleWidth() const override { return t_.ScaleWidth(); }
    double ScaleHeight() const override { return t_.ScaleHeight(); }
    void SetScaleLeft(double v) override { t_.SetScaleLeft(v); }
    void SetScaleTop(double v) override { t_.SetScaleTop(v); }
    void SetScaleWidth(double v) override { t_.SetScaleWidth(v); }
    void SetScaleHeight(double v) override { t_.SetScaleHeight(v); }
    double CurrentX() const override { return t_.CurrentX(); }
    double CurrentY() const override { return t_.CurrentY(); }
    void SetCurrentX(double v) override { t_.SetCurrentX(v); }
    void SetCurrentY(double v) override { t_.SetCurrentY(v); }

private:
    // The report's scale spans the 210 x 297 mm sheet with Z upwards.
    double MmX(double x) const { return (x - t_.ScaleLeft()) * 210 / t_.ScaleWidth(); }
    double MmY(double y) const { return (y - t_.ScaleTop() - t_.ScaleHeight()) * 297 / -t_.ScaleHeight(); }

    PrintTarget& t_;
};
