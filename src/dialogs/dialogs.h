// The information dialogs and the Win32 side of the measurement units.
#pragma once

#include <windows.h>

#include "core/measure.h"
#include "defs/vellix_records.h"
#include "exchange/preferences.h"

INT_PTR CALLBACK InfoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FeaturesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The axes a dialog shows its measures on: those its opening read.
struct ShownAxes {
    AxisInfo x, y;
};
// Each works on the axis of the kind.
double CountsToUnits(DWORD count, int unit, unsigned kind, const ShownAxes& axes);
// The text in the shared 22-character buffer, or null for no text at all.
const char* FormatMeasure(DWORD count, int unit, unsigned kind, const ShownAxes& axes);
// Changes value only for valid text within range; beeps otherwise.
void ParseMeasure(char* text, DWORD& value, int unit, unsigned kind, const ShownAxes& axes);
// The platform's character classification for typed text.
const CharClass* PlatformCharClass();
