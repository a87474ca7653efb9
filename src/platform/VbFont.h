#pragma once
#include <QFont>
#include <QSize>
#include <QString>

// Fonts are given as the platform gives them: a family name, a size in points and a bold flag.
// A point is 20 twips and a pixel 15, so a size of s points is 4s/3 pixels. Text is drawn without
// anti-aliasing so that pictures read back the same pixels on every machine.

inline const QString DefaultFontName = QStringLiteral("MS Sans Serif");
inline constexpr double DefaultFontSize = 8;

QFont FontFromVb(const QString& name, double points, bool bold);
// The platform ends lines with CR LF or a lone CR; Qt's text layout wants LF.
QString WithQtLineBreaks(const QString& text);
// The size of a text in pixels as the platform measures it: the advance of its widest line, and one
// line height per line (an empty text is one line high).
QSize TextExtent(const QFont& font, const QString& text);
