#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

class CommonDialog;

// The text of a project file ("*.lac", inside the protected container): the sections
// "[Preferences]", "[Venue Parameters]", "[Array Mounting]", "[Array Configuration]",
// "[Array Initial Values]" and "[SPL Parameters]", every key always present and in a fixed order,
// every line ended by CR LF and two empty lines after each section but the last.

// The project name of a project that was never saved.
inline const QString UnsavedProjectName = QStringLiteral("new.lac");

// Sets up the vertical view's open or save dialog for project files: a cancel raises an error, the
// read-only check box is hidden, and the dialog starts in the "projects" folder beside the program
// with its first filter.
void PrepareProjectDialog(CommonDialog& dialog, const QString& title, const QString& filter);

// The whole project text from the live settings and the vertical view's controls. Numbers use the
// locale's decimal separator; texts are written exactly as the controls hold them, so the result may
// hold characters that a project file cannot store (the caller checks).
QString BuildProjectText();

// How a reading ended.
struct ProjectReadOutcome {
    enum Result { Loaded, Corrupted, MissingBoxType };
    Result result = Loaded;
    // The type named by the "ElementType" line that no row list holds (MissingBoxType).
    QString missingType;
    // Whether any value was stored before the reading stopped.
    bool applied = false;
};

// Reads the project text from its first byte, storing each value into the settings and controls as
// soon as it has passed its check. A wrong header or key, a value that is no number, outside its list
// or outside what its control takes from the user (an audience coordinate outside the venue
// included), a number whose text the program could not read back, a text that ends early: Corrupted. A box type that its row's
// list does not offer: MissingBoxType. Whatever was stored before a failure stays applied.
ProjectReadOutcome ReadProjectText(const QByteArray& text);

// The vertical view's procedures that the reader runs; the program fills them in with the view's
// own. An empty member is skipped.
struct ProjectViewCalls {
    // The two stage lines take the colour of the stage swatch.
    std::function<void()> Stage_color_Change;
};
ProjectViewCalls& ProjectViewHooks();
