#pragma once
#include "platform/UserScale.h"
#include "print/PrintTarget.h"

#include <QString>
#include <optional>
#include <vector>

// A report target that keeps what is drawn in page millimetres (x from the left edge, y from the
// bottom edge of the 210 x 297 mm sheet). Its sheet is 2100 x 2970 device units; a character is
// charWidth mm wide and a line 3 mm high at font size 8, in proportion at other sizes.
class RecordingTarget : public PrintTarget {
public:
    enum class Kind { Cls, Line, Circle, Text };
    struct Drawn {
        Kind kind = Kind::Cls;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line ends; circle centre; text's top-left corner
        double radius = 0;                      // circle, mm
        double width = 0, height = 0;           // text, mm
        QString text;
        bool bold = false;
        double fontSize = 0;
        int fillStyle = 0;
        std::int32_t fillColor = 0;
        int drawStyle = 0;
        double CentreX() const { return x1 + width / 2; }
        double CentreY() const { return y1 - height / 2; }
    };

    std::vector<Drawn> drawn;
    std::vector<QString> calls;        // everything but drawing: "ScaleMode 2", "SelectPrinter 0", "EndDoc" ...
    bool cancelPrinterChoice = false;    // SelectPrinter raises the cancel error
    double charWidth = 1;                // mm per character at font size 8

    double MmX(double x) const { return scale_.ToPixelX(x) / 10; }
    double MmY(double y) const { return 297 - scale_.ToPixelY(y) / 10; }

    // Lines drawn between two page points (either way round), within 1e-6 mm.
    int CountLines(double x1, double y1, double x2, double y2) const;
    // Texts whose centre lies in the region, top row first, then left to right.
    std::vector<Drawn> TextsIn(double left, double right, double bottom, double top) const;
    std::optional<Drawn> FindText(const QString& text) const;
    std::vector<Drawn> Circles() const;

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
    void SetFontSize(double points) override { fontSize_ = points; }
    void SetFontBold(bool bold) override { bold_ = bold; }
    void SetFillColor(std::int32_t color) override { fillColor_ = color; }
    void SetFillStyle(int style) override { fillStyle_ = style; }
    void SetDrawStyle(int style) override { drawStyle_ = style; }
    void SetScaleMode(int mode) override;
    double ScaleLeft() const override { return scale_.left; }
    double ScaleTop() const override { return scale_.top; }
    double ScaleWidth() const override { return scale_.width; }
    double ScaleHeight() const override { return scale_.height; }
    void SetScaleLeft(double v) override { scale_.left = v; }
    void SetScaleTop(double v) override { scale_.top = v; }
    void SetScaleWidth(double v) override { scale_.width = v; }
    void SetScaleHeight(double v) override { scale_.height = v; }
    double CurrentX() const override { return currentX_; }
    double CurrentY() const override { return currentY_; }
    void SetCurrentX(double v) override { currentX_ = v; }
    void SetCurrentY(double v) override { currentY_ = v; }

private:
    UserScale scale_{0, 0, 2100, 2970, 2100, 2970};
    double fontSize_ = 8;
    bool bold_ = false;
    std::int32_t fillColor_ = 0;
    int fillStyle_ = 1;
    int drawStyle_ = 0;
    double currentX_ = 0;
    double currentY_ = 0;
};
