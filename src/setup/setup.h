// The Tablet Setup dialog and its exchange of settings with the driver.
#pragma once

#include <windows.h>

#include "setup/settings.h"

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// LoadSettings answers false when the tablet's extents or its active cursor
// could not be read; it writes nothing for a cursor or map it cannot read.
// ApplySettings writes nothing and answers false when the tablet's extents or
// its active cursor cannot be read.
bool LoadSettings(SetupSettings& settings);
bool ApplySettings(SetupSettings& settings);
// Keeps the tracking mode and sensitivity the dialog shows.
void ProbeSettings();
// OK and Test: 1 when the settings are written. With the tablet gone it says
// so, writes nothing and answers 0. The lost-clicks warning comes only for a
// kind of click that openedMap had and the new map loses; without openedMap,
// the map the driver holds before the commit stands in for it.
int CommitSettings(HWND window, SetupSettings& settings, const ButtonMap& openedMap);
int CommitSettings(HWND window, SetupSettings& settings);

BOOL WINAPI FindDefaultSystemContext(ContextHandle context, LPARAM parameter);
BOOL WINAPI UpdateDefaultSystemContext(ContextHandle context, LPARAM parameter);
