#pragma once
#include "platform/Control.h"
#include "platform/TrackedBinder.h"

#include <array>

#include <QWidget>

class Form_PrincipaleControls;

// Shows the vertical view and lets a person work in it: every control of the window as a widget in
// its panel, the pictures as picture views, and the clicks on the area numbers and colour swatches
// (which plain labels and fields would swallow) passed on to their controls. Tab walks the rows, the
// mounting fields, the SPL parameters and the audience fields in that order; a swatch also opens on
// the space bar. The widget follows the form's place, size, caption and visibility, and deletes
// itself when the form is unloaded (so a view that may see its form go must be created with new).
class Form_PrincipaleView : public QWidget {
    Q_OBJECT
public:
    explicit Form_PrincipaleView(Form_PrincipaleControls& form, QWidget* parent = nullptr);
    ~Form_PrincipaleView() override;

private:
    void BindRows(QWidget* frame);
    void BindMounting(QWidget* frame);
    void BindSimulation(QWidget* frame);
    void BindAudience(QWidget* frame);
    void BindDiagrams(QWidget* venue, QWidget* spl);
    template <std::size_t N>
    void BindCaptions(std::array<Label, N>& captions, QWidget* frame);
    void BindArrayView(QWidget* frame);
    // Makes a widget that has no click of its own report one to its control.
    void Clickable(Control& c, QWidget* w, bool spaceClicks);

    Form_PrincipaleControls& form_;
    TrackedBinder binder_;
};
