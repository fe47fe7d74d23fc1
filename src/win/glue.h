// Small pieces of Win32 glue that several windows and dialogs share: class
// registration, filling a combo box from the string table, flipping a check
// box, and filling a static control's text in from its own template.
#pragma once

#include <windows.h>

// Registers the class, or finds it registered already with the same window
// procedure by an earlier call (tests start the program more than once in
// one process). False when neither: the class cannot be used.
bool RegisterWindowClassOnce(const WNDCLASSA& windowClass);

// Adds the string-table texts firstId..lastId to a combo box in that order,
// each loaded into a list entry's 40 characters.
void AddStringRange(HWND comboBox, HINSTANCE resources, UINT firstId, UINT lastId);

// Checks a check box that was clear and clears one that was checked (for
// boxes that do not flip themselves); answers whether it is checked now.
bool ToggleCheckBox(HWND dialog, int id);

// The buffers of a line whose control text is its template: the template as
// read back from the control and the line composed from it.
constexpr int TemplateLineSize = 80;
struct TemplateLineBuffers {
    char templateText[TemplateLineSize];
    char composedLine[TemplateLineSize];
};

// Sets a control's text to its own text with value in place of "%s".
void FillTemplateText(HWND dialog, int id, const char* value, TemplateLineBuffers& buffers);
