#pragma once
#include <vector>

class QWidget;

// The width in pixels that a caption-bearing widget (label, check box, option button, push button,
// group box) needs to show its whole caption in its own font; 0 for any other widget.
int CaptionWidth(const QWidget* w);

// Where a caption of the group does not fit its widget's width, the whole group steps down to the
// largest font pixel size at which every caption fits, so that like controls keep one size.
void FitCaptionFont(const std::vector<QWidget*>& group);
