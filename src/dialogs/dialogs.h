// The information dialogs and the Win32 side of the measurement units (the axis is read from the driver on every call).
#pragma once

#include <windows.h>

#include "core/measure.h"
#include "exchange/preferences.h"

INT_PTR CALLBACK InfoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FeaturesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The axis of the kind read afresh from the driver.
double CountsToUnits(DWORD count, int unit, unsigned kind);
// The text in the shared 22-character buffer, or null for no text at all.
const char* FormatMeasure(DWORD count, int unit, unsigned kind);
// Changes value only for valid text within range; beeps otherwise.
void ParseMeasure(char* text, DWORD& value, int unit, unsigned kind);
// The platform's character classification for typed text.
const CharClass* PlatformCharClass();
