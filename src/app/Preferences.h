#pragma once
#include <QString>
#include <cstdint>
#include <span>

// The fifteen display and accuracy preferences (core/Settings.h) with their defaults, and the plain
// "preferences" file beside the program that keeps them between runs.

// One entry of a preferences list: the text the dialog shows and the value the setting takes.
struct PreferenceChoice {
    const char* text;
    std::int32_t value;
};

// The entries of one preferences list and the value of the entry shown when a typed text matches none
// of them. The same entries fill the dialog's lists and are the values the file reader accepts.
struct PreferenceList {
    std::span<const PreferenceChoice> choices;
    std::int32_t fallback;

    // Index of the first entry with this value, -1 when none.
    int IndexOfValue(std::int32_t value) const;
    QString Text(int index) const { return QString::fromLatin1(choices[std::size_t(index)].text); }
    std::int32_t Value(int index) const { return choices[std::size_t(index)].value; }
};

extern const PreferenceList SplAccuracyChoices;  // "Low (Fast)" 0, "Medium" 1, "High (Slow)" 2
extern const PreferenceList SplMaxChoices;       // "100 dB" .. "180 dB"
extern const PreferenceList SplRangeChoices;     // "10 dB" .. "60 dB"

// ProgramFolder followed by "/preferences".
QString PreferencesFilePath();

// Every preference, the two sampling values and the three rigging settings to their defaults.
// Touches no file and no window.
void InizializeDefaultPreferences();

// Reads the preferences file into the settings, each value as it is read. Any failure gives every
// setting its default. A file that exists but is faulty is reported at start-up (newProject false);
// a missing file, and any failure while a new project reloads the file, pass silently.
void InizializePreferences(bool newProject);

// Writes the current settings over the preferences file in one step, so a failed write leaves the
// old file whole; a failure is reported and the settings stay as they are.
void WritePreferencesFile();

// Sets SplAccuracy together with SplDiagramSourceRes and SplDiagramSteps, which follow it.
void SetSplAccuracy(std::int32_t accuracy);

// The vertical view's legend markers take CoGColor and ZeroColor.
void ColourCoGMarker();
void ColourZeroMarker();
