// The Tablet Setup dialog and its exchange of settings with the driver.
#pragma once

#include <windows.h>

#include "setup/settings.h"

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void LoadSettings(SetupSettings& settings);
void ApplySettings(SetupSettings& settings);
void ProbeSettings();
int CommitSettings(HWND window, SetupSettings& settings);

BOOL WINAPI FindDefaultSystemContext(ContextHandle context, LPARAM parameter);
BOOL WINAPI UpdateDefaultSystemContext(ContextHandle context, LPARAM parameter);
