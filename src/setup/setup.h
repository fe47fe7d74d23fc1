// The Tablet Setup dialog, and its commit of settings with the boxes it shows.
#pragma once

#include <windows.h>

#include "core/settings.h"
#include "exchange/exchange.h"

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// OK and Test: 1 when the settings are written. With the tablet gone, or
// changed since the settings were read, it says so in an error box, writes
// nothing and answers 0. Settings that lose clicks
// (as CommitSettings of the exchange decides) are written only after the
// user confirms in a warning box owned by window.
int CommitSettings(HWND window, SetupSettings& settings, const ButtonMap& openedMap);
int CommitSettings(HWND window, SetupSettings& settings);
