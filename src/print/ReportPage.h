#pragma once
#include <QString>

class PrintTarget;

// The cluster report's sheet: 210 mm by 297 mm, placed in millimetres with x from the left edge and
// y from the bottom edge, over a target whose user scale is metres with Z up and S metres per
// millimetre. Texts are measured and placed in the target's units.
class ReportPage {
public:
    static constexpr double Width = 210;
    static constexpr double Height = 297;

    // The page whose left edge is at X = left and bottom edge at Z = bottom.
    ReportPage(PrintTarget& target, double metresPerMm, double left, double bottom)
        : target_(target), s_(metresPerMm), left_(left), bottom_(bottom) {}

    // A length or position in metres rounded to hundredths (halves to even), as number text.
    static QString Hundredths(double metres);

    PrintTarget& Target() const { return target_; }
    double X(double mm) const { return left_ + s_ * mm; }
    double Y(double mm) const { return bottom_ + s_ * mm; }
    // A height measured below the top edge.
    double BelowTop(double mm) const { return Y(Height - mm); }
    // A length on the page in metres.
    double Mm(double mm) const { return s_ * mm; }

    // Page lines and rectangles in millimetres.
    void Line(double x1, double y1, double x2, double y2) const;
    void Rectangle(double x1, double y1, double x2, double y2) const;
    // Texts at target coordinates: by their top-left corner, or centred on a point.
    void PrintAt(const QString& text, double x, double y) const;
    void PrintCentred(const QString& text, double x, double y) const;
    // A bold label of one line centred on (x, y), or of two lines, the first above y and the
    // second below it.
    void PrintLabel(const QString& first, const QString& second, double x, double y) const;

private:
    PrintTarget& target_;
    double s_;
    double left_;
    double bottom_;
};
