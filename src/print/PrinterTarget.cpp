#include "print/PrinterTarget.h"
#include "core/VbTypes.h"
#include "platform/Picture.h"
#include "platform/Services.h"
#include "platform/VbColor.h"
#include "platform/WriteWholeFile.h"
#include "print/PrinterList.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QTemporaryFile>
#include <cmath>
#include <cstdio>
#include <optional>
#include <sys/stat.h>

namespace {

constexpr int A4 = 9;
// Printers have no screen pixel: twips per device pixel come from the resolution.
constexpr double TwipsPerInch = 1440;

[[noreturn]] void InvalidValue()
{
    throw VbError(VbError::InvalidPropertyValue, "Invalid property value");
}

int ResolutionOf(int quality)
{
    switch (quality) {
    case -1: return 150;
    case -2: return 300;
    case -3: return 600;
    case -4: return 1200;
    default: return quality > 0 ? quality : 0;
    }
}

QPen PenFor(int drawStyle)
{
    return QPen(QBrush(Qt::black), 1, drawStyle == 2 ? Qt::DotLine : Qt::SolidLine);
}

// Whether a PDF is whole: it ends with the end-of-file marker, after a cross-reference table that its
// trailer points at. Qt's PDF engine does not report a write that failed (a full disk), so the file
// it wrote is the only witness.
bool WholePdf(const QByteArray& pdf)
{
    static const QByteArray end("%%EOF\n");
    static const QByteArray start("startxref\n");
    if (!pdf.endsWith(end))
        return false;
    const qsizetype at = pdf.lastIndexOf(start);
    if (at < 0)
        return false;
    bool ok = false;
    const qint64 xref = pdf.mid(at + start.size(), pdf.size() - end.size() - at - start.size()).trimmed().toLongLong(&ok);
    return ok && xref >= 0 && xref < at && pdf.mid(xref, 4) == "xref";
}

// Gives the draft of a report the permissions of the file it replaces, or those of any new file (read
// and write for all, less the umask) when there is none, as a save gives them.
bool TakePermissions(const QFile& draft, const QString& target)
{
    struct stat earlier {};
    mode_t mode = 0;
    if (::stat(QFile::encodeName(target).constData(), &earlier) == 0) {
        mode = earlier.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    return ::fchmod(draft.handle(), mode) == 0;
}

} // namespace

PrinterTarget::PrinterTarget() : printer_(QPrinter::HighResolution), scaleMode_(Picture::Twips)
{
    printer_.setFullPage(true);
    printer_.setPageMargins(QMarginsF(0, 0, 0, 0));
    printer_.setPageSize(QPageSize(QPageSize::A4));
    printer_.setDocName(QStringLiteral("Cluster Configuration"));
    PageChanged();
}

PrinterTarget::~PrinterTarget() = default;

void PrinterTarget::CheckNothingDrawn() const
{
    if (!page_.empty())
        throw VbError(VbError::InvalidCall, "The page is already started");
}

void PrinterTarget::PageChanged()
{
    const QRect paper = printer_.pageLayout().fullRectPixels(printer_.resolution());
    scale_.pixelWidth = paper.width();
    scale_.pixelHeight = paper.height();
    ApplyScaleMode();
}

void PrinterTarget::ApplyScaleMode()
{
    if (scaleMode_ == Picture::User)
        return;
    const double twipsPerPixel = TwipsPerInch / printer_.resolution();
    const double twipsPerUnit = scaleMode_ == Picture::Pixels ? twipsPerPixel : Picture::TwipsPerUnit(scaleMode_);
    scale_.left = 0;
    scale_.top = 0;
    scale_.width = scale_.pixelWidth * twipsPerPixel / twipsPerUnit;
    scale_.height = scale_.pixelHeight * twipsPerPixel / twipsPerUnit;
}

void PrinterTarget::SetScaleMode(int mode)
{
    if (mode != Picture::User && Picture::TwipsPerUnit(mode) == 0)
        InvalidValue();
    scaleMode_ = mode;
    ApplyScaleMode();
}

void PrinterTarget::SetScaleValue(double UserScale::*field, double v)
{
    if (!std::isfinite(v) || (v == 0 && (field == &UserScale::width || field == &UserScale::height)))
        InvalidValue();
    scale_.*field = v;
    scaleMode_ = Picture::User;
}

void PrinterTarget::SetScaleLeft(double v) { SetScaleValue(&UserScale::left, v); }
void PrinterTarget::SetScaleTop(double v) { SetScaleValue(&UserScale::top, v); }
void PrinterTarget::SetScaleWidth(double v) { SetScaleValue(&UserScale::width, v); }
void PrinterTarget::SetScaleHeight(double v) { SetScaleValue(&UserScale::height, v); }

void PrinterTarget::SelectPrinter(int index)
{
    CheckNothingDrawn();
    if (IsPdfItem(index)) {
        FileDialogRequest request;
        request.title = QStringLiteral("Print to PDF File");
        request.filter = QStringLiteral("PDF File (*.pdf)|*.pdf");
        request.fileName = QStringLiteral("Cluster Configuration.pdf");
        const std::optional<QString> path = Svc().SaveFileDialog(request);
        if (!path)
            throw VbError(VbError::CancelError, "Cancel was selected");
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(*path);
        pdfPath_ = *path;
    } else {
        printer_.setOutputFormat(QPrinter::NativeFormat);
        printer_.setPrinterName(Svc().PrinterNames()[index]);
        pdfPath_.clear();
    }
    MakePrinterCurrent(index);
    // Another printer may have its own page geometry.
    printer_.setFullPage(true);
    printer_.setPageMargins(QMarginsF(0, 0, 0, 0));
    printer_.setPageSize(QPageSize(QPageSize::A4));
    PageChanged();
}

void PrinterTarget::SetCopies(int copies)
{
    if (copies < 1)
        InvalidValue();
    printer_.setCopyCount(copies);
}

void PrinterTarget::SetPrintQuality(int quality)
{
    const int dpi = ResolutionOf(quality);
    if (dpi == 0)
        InvalidValue();
    CheckNothingDrawn();
    printer_.setResolution(dpi);
    PageChanged();
}

void PrinterTarget::SetPaperSize(int paperSize)
{
    if (paperSize != A4)
        InvalidValue();
    CheckNothingDrawn();
    printer_.setPageSize(QPageSize(QPageSize::A4));
    PageChanged();
}

void PrinterTarget::SetFontSize(double points)
{
    if (!(points > 0) || points > 2048)
        InvalidValue();
    fontSize_ = points;
}

void PrinterTarget::SetFontBold(bool bold) { fontBold_ = bold; }
void PrinterTarget::SetFillColor(std::int32_t color) { fillColor_ = color; }

void PrinterTarget::SetFillStyle(int style)
{
    if (style != 0 && style != 1)
        InvalidValue();
    fillStyle_ = style;
}

void PrinterTarget::SetDrawStyle(int style)
{
    if (style < 0 || style > 6)
        InvalidValue();
    drawStyle_ = style;
}

QFont PrinterTarget::Font() const
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(fontSize_);
    font.setBold(fontBold_);
    return font;
}

void PrinterTarget::Cls()
{
    throw VbError(VbError::InvalidCall, "A printer page cannot be cleared");
}

void PrinterTarget::Line(double x1, double y1, double x2, double y2)
{
    const QPointF a(scale_.ToPixelX(x1), scale_.ToPixelY(y1));
    const QPointF b(scale_.ToPixelX(x2), scale_.ToPixelY(y2));
    const QPen pen = PenFor(drawStyle_);
    page_.push_back([=](QPainter& p) {
        p.setPen(pen);
        p.drawLine(a, b);
    });
    currentX_ = x2;
    currentY_ = y2;
}

void PrinterTarget::Circle(double x, double y, double radius)
{
    const QPointF centre(scale_.ToPixelX(x), scale_.ToPixelY(y));
    const double r = scale_.WidthToPixels(radius);
    const QPen pen = PenFor(drawStyle_);
    const QBrush brush = fillStyle_ == 0 ? QBrush(ColorFromVb(fillColor_)) : QBrush(Qt::NoBrush);
    page_.push_back([=](QPainter& p) {
        p.setPen(pen);
        p.setBrush(brush);
        p.drawEllipse(centre, r, r);
    });
    currentX_ = x;
    currentY_ = y;
}

void PrinterTarget::Print(const QString& text)
{
    const QFont font = Font();
    const QPointF at(scale_.ToPixelX(currentX_), scale_.ToPixelY(currentY_) + QFontMetricsF(font, &printer_).ascent());
    page_.push_back([=](QPainter& p) {
        p.setPen(QPen(Qt::black));
        p.setFont(font);
        p.drawText(at, text);
    });
    currentX_ = scale_.left;
    currentY_ += TextHeight(text);
}

double PrinterTarget::TextWidth(const QString& text) const
{
    return scale_.DxFromPixels(QFontMetricsF(Font(), &printer_).horizontalAdvance(text));
}

double PrinterTarget::TextHeight(const QString&) const
{
    return scale_.DyFromPixels(QFontMetricsF(Font(), &printer_).height());
}

void PrinterTarget::EndDoc()
{
    const auto cannotWrite = [this] {
        return VbError(VbError::PathFileAccess, "The file cannot be written: " + pdfPath_.toStdString());
    };
    // A PDF is made in a draft beside the chosen file and moved onto it only once whole and held by
    // the storage, so a full disk keeps an earlier report as it was and is reported, never a cut file
    // taken for a printed one; and a print needs room for one report only.
    std::optional<QTemporaryFile> draft;
    QString target;
    if (!pdfPath_.isEmpty()) {
        const QFileInfo chosen(pdfPath_);
        if (chosen.exists() && !chosen.isWritable())
            throw cannotWrite();
        target = chosen.isSymLink() && chosen.exists() ? chosen.canonicalFilePath() : pdfPath_;
        draft.emplace(QFileInfo(target).absolutePath() + QStringLiteral("/.torvi-XXXXXX.pdf"));
        if (!draft->open())
            throw cannotWrite();
        printer_.setOutputFileName(draft->fileName());
    }
    QPainter painter;
    if (!painter.begin(&printer_))
        throw draft ? cannotWrite() : VbError(VbError::PathFileAccess, "The printer cannot be reached");
    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto& draw : page_)
        draw(painter);
    page_.clear();
    if (!painter.end())
        throw VbError(VbError::PathFileAccess, "The printer did not take the report");
    if (draft) {
        // The printer wrote the draft through a handle of its own; this one reads it back.
        QFile written(draft->fileName());
        if (!written.open(QIODevice::ReadOnly) || !WholePdf(written.readAll()) || !TakePermissions(written, target)
            || !SyncToStorage(written) || std::rename(QFile::encodeName(written.fileName()).constData(),
                                                      QFile::encodeName(target).constData()) != 0)
            throw cannotWrite();
        draft->setAutoRemove(false);
    }
}

void PrinterTarget::KillDoc() { page_.clear(); }
