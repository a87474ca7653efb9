#pragma once
#include "platform/UserScale.h"
#include "print/PrintTarget.h"

#include <QFont>
#include <QPrinter>
#include <functional>
#include <vector>

class QPainter;

// The report on paper through Qt's printing, one page. The page is the whole sheet (no margins), in
// device pixels of the print resolution. What is drawn is kept until EndDoc and only then painted onto
// the printer, so that KillDoc can drop a failed report without any of it reaching the printer or
// the PDF file. Starts in twips, as printers do.
class PrinterTarget : public PrintTarget {
public:
    PrinterTarget();
    ~PrinterTarget() override;

    void Cls() override;
    void Line(double x1, double y1, double x2, double y2) override;
    void Circle(double x, double y, double radius) override;
    void Print(const QString& text) override;
    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;

    // A printer item prints there; the PDF entry asks for the file through the save dialog.
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
    double ScaleLeft() const override { return scale_.left; }
    double ScaleTop() const override { return scale_.top; }
    double ScaleWidth() const override { return scale_.width; }
    double ScaleHeight() const override { return scale_.height; }
    void SetScaleLeft(double v) override;
    void SetScaleTop(double v) override;
    void SetScaleWidth(double v) override;
    void SetScaleHeight(double v) override;
    double CurrentX() const override { return currentX_; }
    double CurrentY() const override { return currentY_; }
    void SetCurrentX(double v) override { currentX_ = v; }
    void SetCurrentY(double v) override { currentY_ = v; }

    // Where the PDF entry wrote to, empty for a printer.
    const QString& PdfPath() const { return pdfPath_; }

private:
    QFont Font() const;
    void SetScaleValue(double UserScale::*field, double v);
    // The page's pixel size follows the paper and the resolution; fixed scale modes follow it too.
    void PageChanged();
    void ApplyScaleMode();
    // Paper properties cannot change once something is drawn on the page.
    void CheckNothingDrawn() const;

    QPrinter printer_;
    UserScale scale_;
    int scaleMode_;
    double fontSize_ = 8;
    bool fontBold_ = false;
    std::int32_t fillColor_ = 0;
    int fillStyle_ = 1;
    int drawStyle_ = 0;
    double currentX_ = 0;
    double currentY_ = 0;
    QString pdfPath_;
    std::vector<std::function<void(QPainter&)>> page_;
};
