#pragma once

// Live readouts while the pointer moves over the vertical view's surfaces. The arguments are those
// of the surfaces' MouseMove events: the buttons held, the shift state and the pointer in the
// surface's user scale (metres; decibels vertically on the SPL diagram).

// Over the array preview: the position, to the centimetre.
void AnteprimaClusterMouseMove(int button, int shift, double X, double Y);
// Over the venue section: the audience line under the pointer, the colour and the map's level
// there, and the position to the decimetre. The crosshair is hidden.
void DiagrammaAreaMouseMove(int button, int shift, double X, double Y);
// Over the SPL diagram: the point of the selected listener line that the pointer stands for, shown
// by the crosshair in the venue section and in the position readout, and the diagram's pointer line.
void DiagrammaSplMouseMove(int button, int shift, double X, double Y);
