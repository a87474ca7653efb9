#pragma once
#include "platform/ComboList.h"
#include "platform/CommonDialog.h"
#include "platform/Control.h"
#include "platform/FileListBox.h"
#include "platform/FormBase.h"
#include "platform/Picture.h"
#include "platform/Spinner.h"
#include "platform/TextField.h"
#include "platform/Timer.h"

#include <array>
#include <functional>
#include <memory>

// The controls of the vertical view window, the only copy of the array, mounting, venue and SPL
// parameters. The computation code reads and writes them here; the window's handlers live in the
// vertical view's Form_Principale, which derives from this class and overrides the drawing calls below.
class Form_PrincipaleControls : public FormBase {
public:
    static constexpr int RowCount = 26;  // control arrays of the rows have elements 0..25

    Form_PrincipaleControls();
    ~Form_PrincipaleControls() override;

    // The seven panels of the window; their controls are placed inside them.
    FrameBox Configurazione_Array;        // "Array Configuration": the rows
    FrameBox Diagramma_Area_Titolo;       // "Venue": the venue section and the colour bar
    FrameBox Spl_Titolo;                  // "SPL": the SPL diagram
    FrameBox Anteprima_Cluster_Titolo;    // "Array View": the array preview and its readouts
    FrameBox Configurazione_Area;         // "Array": the mounting fields
    FrameBox Pannello_Simulazione_Titolo; // "Simulation": the SPL parameters
    FrameBox Audience;                    // "Venue": the audience areas

    // Column headers of the rows: "#", "Element", "Angle", "Abs".
    Label Label_cella, Label_tipo, Label_angolo, Label_position;

    // Array rows.
    std::array<Label, RowCount> Cella;
    std::array<ComboList, RowCount> Tipo;
    std::array<ComboList, RowCount> Angolo;
    std::array<TextField, RowCount> Position;

    // Mounting: flying bar X, flying bar Z, stage height, array angle, number of boxes.
    std::array<TextField, 5> Area;
    std::array<Spinner, 5> VScroll_Area;
    std::array<CommandButton, 5> Minus;
    std::array<CommandButton, 5> Plus;
    std::array<Label, 5> Label_Area;   // "Flying Bar X" .. "Boxes (max 24)"
    Label Label_Stage_color;

    // Audience areas: X start, Z start, X end, Z end.
    std::array<TextField, 4> Audience1, Audience2, Audience3, Audience4;
    std::array<CommandButton, 4> Elemento_Venue_Pulsante;  // "On" / "Off"
    std::array<TextField, 4> Elemento_Venue_Colore;        // colour swatch: its BackColor is the area's colour
    std::array<CommandButton, 4> Stand_Seats;              // "Stand" / "Seats"
    std::array<Label, 4> Label_spalto;                     // "1".."4": selects the area of the SPL curve
    Label Label11, Label12;                                // headers over the start and end fields
    TextField Stage_color;

    // SPL parameters.
    ComboList Frequency;
    ComboList Bandwidth;
    ComboList Frequency_Num;
    TextField MapRes;
    TextField SourceRes;
    TextField Temperature;
    Spinner VScroll_MapRes;
    Spinner VScroll_SourceRes;
    Spinner VScroll_Temperature;
    CommandButton StartSimulate;
    CommandButton StopSimulate;
    ::ProgressBar ProgressBar;
    Label TimeToComplete;
    FrameBox Frame_Miscellaneous;  // holds the progress bar and the run time, inside "Simulation"
    Label Label_Frequency, Label_Bandwidth, Label_Frequency_Num, Label_MapRes, Label_SourceRes, Label_Temperature;

    // Buttons and labels of the window.
    CommandButton Advanced;
    CommandButton AutoConfigure;
    Label Peso_Cluster_Valore;
    Label LabelCoG;
    Label LabelImpossMechConfig;
    // Titles of the array readouts.
    Label Label_Peso, Label_CoG, Label_BottomZ;
    Label Label_Pointer;  // title of the pointer readouts
    Label ScalePointer;
    std::array<Label, 21> Label_SPL_scale;

    // Pictures: the venue section, the SPL diagram, the colour bar and the array preview.
    Picture Diagramma_Area;
    Picture Diagramma_SPL;
    Picture Scala;
    Picture Anteprima_Cluster;
    // The legend under the preview: the colours of the centre-of-gravity and origin markers
    // (System_CoG_Circle and System_Zero_Circle).
    Picture Legenda;
    LabelElement& Legenda_CoG = Legenda.AddLabel();
    LabelElement& Legenda_Zero = Legenda.AddLabel();

    // Line elements of the venue view: the audience outlines, their listener lines and the box rays.
    std::array<LineElement*, 4> Linea{};
    std::array<LineElement*, 4> Linea_Stand_Seats{};
    std::array<LineElement*, RowCount> Raggio{};

    // Module folder lists and the program folder text used by the module loader.
    FileListBox File;
    DirListBox Dir;
    TextField Current;

    CommonDialog Salva;
    CommonDialog Apri;
    CommonDialog Colori;

    ::Timer Timer_TempConfigChange;
    ::Timer TimerVenueSPL;

    // The audience fields of area k (0..3).
    std::array<TextField, 4>& AudienceFields(int k);
    const std::array<TextField, 4>& AudienceFields(int k) const;
    // Coordinate Index (0..3: X start, Z start, X end, Z end) of area `area`'s outline: the values the
    // area last accepted.
    double OutlineCoordinate(int area, int Index) const;
    // The number in an audience field when the field takes it; a field that holds no number or one
    // outside the venue (an edit not yet left) gives the outline's coordinate, the value the area last
    // accepted. So the outlines and a saved project only ever hold values the fields take.
    double AudienceValue(int area, int Index) const;
    // Whether an audience field takes v for coordinate Index: 0 to 500 m for an X, 0 to 100 m for a Z,
    // the bounds included. The fields and the project reader hold the venue to the same range.
    static bool AudienceInRange(int Index, double v);
    // Tells the user that coordinate Index lies outside that range, in the words of the fields' check.
    static void ReportAudienceOutOfRange(int Index);
    // The title of the audience fields' messages.
    static inline const QString InvalidAudienceTitle = QStringLiteral("Invalid data insert!");

    // ---- Grids, axes and pointer readouts of the venue section and the SPL diagram ----
    // Grid lines of the venue section (one per X and per Z caption) and of the SPL diagram (one per
    // inner distance caption and per level caption), moved about by the axis routines.
    std::array<LineElement*, 21> XLine{};
    std::array<LineElement*, 11> YLine{};
    std::array<LineElement*, 21> SplXLine{};
    std::array<LineElement*, 11> SplYLine{};
    // Captions beside the pictures, in window twips: venue X and Z (m), SPL distance (venue X, m) and
    // level (dB).
    std::array<Label, 21> Label_Area_X;
    std::array<Label, 11> Label_Area_Z;
    std::array<Label, 21> Label_SPL_X;
    std::array<Label, 11> Label_SPL_Z;
    // The crosshair in the venue section and the pointer line in the SPL diagram.
    LineElement* H_Pointer = nullptr;
    LineElement* V_Pointer = nullptr;
    LineElement* SPL_Pointer = nullptr;
    // Position readout and the swatch of the colour under the pointer, with that colour's value.
    Label Posizione_Mouse_Valore;
    Label Colore_Corrente;
    std::int32_t PointedColor = 0;
    // The area whose SPL curve is shown, SPL_SelectedAudience held to 0..3 so that a value from a
    // damaged file never reaches past the four areas.
    static int SelectedAudience();
    // ---- end of grids, axes and pointer readouts ----

    // Set by the project reader while it writes the rows from the top: the rows below still hold the
    // previous project's types then, so a new type is not checked against them.
    bool ReadingProject = false;

    // Runs once right after creation, as the window's load; the bare window has nothing to load.
    virtual void Form_Load() {}

    // Drawing and recomputation that the vertical view provides; the bare window does nothing.
    virtual void DrawArrayInVenue() {}
    virtual void ScaleSplDiagram() {}

    // ---- Venue section: array edges, stage, lowest point and legend markers ----
    // Edge elements of the venue view, element r for row r of ClusterCorners (0 the flying bar,
    // 1..16 the boxes); elements 17..27 are never shown.
    static constexpr int EdgeCount = 28;
    std::array<LineElement*, EdgeCount> Linea_destra{};     // front edge
    std::array<LineElement*, EdgeCount> Linea_sinistra{};   // back edge
    std::array<LineElement*, EdgeCount> Linea_inferiore{};  // bottom edge
    std::array<LineElement*, EdgeCount> Linea_superiore{};  // top edge
    // The stage top and the stage front.
    std::array<LineElement*, 2> Linea_stage{};
    // The lowest point of the array ("BottomZ:").
    Label Last_module_height;
    // The legend's filled circles in the centre-of-gravity and origin colours, under the preview.
    ShapeElement* System_CoG_Circle = nullptr;
    ShapeElement* System_Zero_Circle = nullptr;
    // ---- end of venue section ----

private:
    void AdoptControls();
    void DesignRows();
    void DesignVenueAndSpl();
    void DesignMounting();
    void DesignSimulation();
    void DesignAudience();
    void DesignArrayView();
};

// The vertical view window, created and loaded on first use through the installed factory (a bare
// window when none is installed, as in tests of the computation code). While it loads, Principale()
// already returns it, so code that its load calls can reach it.
Form_PrincipaleControls& Principale();
bool PrincipaleLoaded();
// Runs when Principale() has created the window, before its load: the program gives it its Qt view here.
std::function<void(Form_PrincipaleControls&)>& PrincipaleCreated();
void SetPrincipaleFactory(std::function<std::unique_ptr<Form_PrincipaleControls>()> factory);
// Destroys the window; the next Principale() creates a new one.
void UnloadPrincipale();
