// The program's own resources: the module they are linked into, and the
// error box whose text comes from the string table.
#pragma once

#include <windows.h>

// The module holding the templates, strings and icons: the one this code is
// linked into (the program, or a test program carrying the same resources).
HINSTANCE ResourceInstance();

// Error box with a string-table text: stop icon, OK, the program's caption as
// its title.
void ShowErrorBox(HWND owner, UINT stringId);
