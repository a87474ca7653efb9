#include "platform/VbFont.h"
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <cmath>

QFont FontFromVb(const QString& name, double points, bool bold)
{
    QFont font(name);
    const double pixels = std::nearbyint(points * 4.0 / 3.0);
    font.setPixelSize(std::isfinite(pixels) ? static_cast<int>(std::clamp(pixels, 1.0, 4096.0)) : 1);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QString WithQtLineBreaks(const QString& text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QChar('\r'), QChar('\n'));
    return out;
}

QSize TextExtent(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    const QStringList lines = WithQtLineBreaks(text).split(QChar('\n'));
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return QSize(width, metrics.height() * static_cast<int>(lines.size()));
}
