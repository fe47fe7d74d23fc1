// The program's one preference of its own: the measurement unit, kept in
// vellix.ini in a section named after the tablet. Read and written with the
// settings by the dialogs and by tabletcfg alike.
#pragma once

#include "exchange/snapshot.h"

// The program-wide unit, read at start-up and set by OK in the dialogs.
extern int CurrentUnit;
// What the preference needs of a snapshot.
constexpr unsigned PreferenceParts = SnapName | SnapAxes;
// Reads the unit (0 inches, 1 centimetres) and keeps the section name: from
// a snapshot with the name and axes, or from one taken for it.
int ReadUnitPreference(const TabletSnapshot& snapshot);
int ReadUnitPreference();
void WriteUnitPreference(int unit);
const char* PreferenceSection();  // the section name kept from the read
