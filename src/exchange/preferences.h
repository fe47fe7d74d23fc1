// The program's one preference of its own: the measurement unit, kept in
// vellix.ini in a section named after the tablet. Read and written with the
// settings by the dialogs and by tabletcfg alike.
#pragma once

// The program-wide unit, read at start-up and set by OK in the dialogs.
extern int CurrentUnit;
// Reads the unit (0 inches, 1 centimetres) and keeps the section name.
int ReadUnitPreference();
void WriteUnitPreference(int unit);
const char* PreferenceSection();  // the section name kept from the read
