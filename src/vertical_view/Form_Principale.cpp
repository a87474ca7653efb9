#include "vertical_view/Form_Principale.h"
#include "core/ArrayState.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "library/ListLookups.h"
#include "mechanics/AutoSplay.h"
#include "mechanics/Geometry.h"
#include "mechanics/Round16.h"
#include "platform/Services.h"

namespace {

struct FieldRange {
    int low;
    int high;
};
constexpr FieldRange AreaRanges[5] = {{-5, 100}, {0, 100}, {0, 20}, {-60, 60}, {1, 16}};

bool InRange(const QString& text, FieldRange range, double& v)
{
    return TryParseNumber(text, v) && v >= range.low && v <= range.high;
}

void ShowRangeMessage(FieldRange range)
{
    MsgBox(QStringLiteral("Please insert a value from ") + QString::number(range.low) + QStringLiteral(" to ")
               + QString::number(range.high) + QStringLiteral("!"),
           vbOKOnly | vbExclamation, QStringLiteral("Invalid data insert"));
}

} // namespace

Form_Principale::Form_Principale()
{
    Area[3].Change = [this] { Area_Change(3); };
    VScroll_Area[3].Change = [this] { VScroll_Area_Change(3); };
    for (int i = 0; i < RowCount; ++i) {
        Angolo[std::size_t(i)].Change = [this, i] { Angolo_Change(i); };
        Angolo[std::size_t(i)].Click = [this, i] { Angolo_Click(i); };
    }
    AutoConfigure.Click = [this] { AutoConfigure_Click(); };
    WireVenueAndSplHandlers();
}

void Form_Principale::Area_Change(int Index)
{
    ConfigChanged = VbTrue;
    if (Index != 2) {
        Diagramma_Area.Cls();
        SplRecalcPending = VbTrue;
    }
    TempConfigChange = VbTrue;

    const QString text = Area[std::size_t(Index)].Text();
    // A lone "-" is a negative angle being typed: it waits for its digits.
    if (!(Index == 3 && text == QStringLiteral("-"))) {
        double v = 0;
        const bool valid = InRange(text, AreaRanges[Index], v);
        if (!valid)
            ShowRangeMessage(AreaRanges[Index]);
        switch (Index) {
        case 3:
            if (valid) {
                ArrayTilt = v;
                VScroll_Area[3].SetValue(CInt(-10 * v));
            } else {
                VScroll_Area_Change(3);
            }
            break;
        default:
            break;
        }
    }
    if (Index != 2)
        CalculateArrayGeometry();
}

void Form_Principale::VScroll_Area_Change(int Index)
{
    switch (Index) {
    case 3:
        Area[3].SetText(CStr(-VScroll_Area[3].Value() / 10.0));
        Position[0].SetText(CStr(ArrayTilt));
        UpdateBoxPositions(1);
        break;
    default:
        break;
    }
    if (Index != 2)
        CalculateArrayGeometry();
}

void Form_Principale::MarkArrayEdited()
{
    ConfigChanged = VbTrue;
    TempConfigChange = VbTrue;
    SplRecalcPending = VbTrue;
    Diagramma_Area.Cls();
}

void Form_Principale::ApplySplay(int Index)
{
    const ComboList& list = Angolo[std::size_t(Index)];
    PreviousValue = FindComboText(list, list.Text(), true).Index;
    UpdateBoxPositions(Index);
    CalculateArrayGeometry();
}

void Form_Principale::Angolo_Change(int Index)
{
    ComboList& list = Angolo[std::size_t(Index)];
    MarkArrayEdited();
    // PreviousValue is shared by every field of the window and may point past this list.
    if (!IsTrue(FindComboText(list, list.Text(), true).Found))
        list.SetText(ComboEntryOrFirst(list, PreviousValue));
    ApplySplay(Index);
}

void Form_Principale::Angolo_Click(int Index)
{
    MarkArrayEdited();
    ApplySplay(Index);
}

void Form_Principale::AutoConfigure_Click() { AutoConfigureArray(); }

void Form_Principale::UpdateBoxPositions(int firstRow)
{
    if (firstRow == 0)
        return;
    const int n = ArrayBoxCount();
    for (int i = firstRow; i < n; ++i) {
        const int above = Round16(10 * Val(Position[std::size_t(i - 1)].Text()));
        const int splay = Round16(10 * Val(Angolo[std::size_t(i)].Text()));
        Position[std::size_t(i)].SetText(CStr((above - splay) / 10.0));
    }
}

void InstallVerticalView()
{
    SetPrincipaleFactory([] { return std::make_unique<Form_Principale>(); });
}
