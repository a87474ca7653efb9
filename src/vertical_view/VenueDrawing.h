#pragma once

// The venue section of the vertical view (Diagramma_Area, metres, X right from the stage front and Z
// up, from X = -10 and Z = -1) and the array preview beside it. Every procedure reads the window's
// fields and the geometry results and moves the window's line elements.

// Height over width of the venue view.
inline constexpr double VenueViewRatio = 0.5383831521739131;

// Which extent bounds the venue view, and the right and top edges (m) of the section it shows.
struct VenueLimits {
    bool widthBound = false;
    double Xlim = 0;
    double Zlim = 0;
};
// The limits from VenueMaxX and VenueMaxZ as they stand.
VenueLimits VenueViewLimits();

// VenueMaxX and VenueMaxZ from the flying bar, the box fronts and the visible audience areas; then
// the fit that the current view width asks for, the SPL diagram's width, and last the array geometry
// (whose redraw therefore follows the fit).
void UpdateVenueExtents();
// The venue view's scale from VenueMaxX (or VenueMaxZ), handing over to the other fit when the
// section would not reach that high (or that far); then the audience and stage lines are placed.
void FitVenueScaleToWidth();
void FitVenueScaleToHeight();

// The audience outlines and their listener lines (1.75 m above a standing area, 1.2 m above seats)
// from the audience fields. A field that holds no number leaves its end where it was.
void DrawAudienceAreas();
// The stage top and front from the stage height, then the lowest-point readout.
void DrawStageLines();

// Flying bar and boxes with their rays, the centre-of-gravity markers, the preview, the lowest
// point and the grids; empties the map-time label and marks the SPL map invalid.
void DrawArrayInVenue();
// The array alone, centred in Anteprima_Cluster with half a metre to spare on the governing axis.
void DrawArrayPreview();
// "##0.##" of the array's lowest Z, with " m".
void ShowLastModuleHeight();
// The SPL diagram's axes, and its width: the selected area's length in whole metres, at least 1.
void ScaleSplDiagram();
